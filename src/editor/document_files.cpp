// The document's files: opening a set or a source, saving the set, exporting the source and
// writing the set's settings.
#include "document.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>

#include <exception>
#include <new>
#include <utility>

#include "core/authoring/source_format.h"
#include "core/base/atomic_write.h"
#include "core/base/binary_file.h"
#include "core/base/io_error.h"
#include "core/set/pair_journal.h"
#include "core/set/settings.h"
#include "core/set/writer.h"
#include "file_error_text.h"
#include "interface_text.h"
#include "text_bytes.h"

namespace {

QString Nativo(const QString& ruta) {
    return QDir::toNativeSeparators(ruta);
}

TPreguntaEditada EditadaDe(const TPregunta& pregunta) {
    return {pregunta.Modo, pregunta.AnchoMinimo, TextoDeBytes(pregunta.Tema),
            TextoDeBytes(pregunta.Texto)};
}

// A file the editor may read at all: a FIFO or a device would hang it or never end.
bool EsFicheroNormal(const QString& ruta) {
    const QFileInfo fichero(ruta);
    return !fichero.exists() || fichero.isFile();
}

QString NoEsNormal(TIdioma idioma, const QString& ruta) {
    return Texto(idioma, "No se puede abrir «%1»: no es un fichero normal.",
                 "No es pot obrir «%1»: no és un fitxer normal.")
        .arg(Nativo(ruta));
}

QString SinMemoria(TIdioma idioma, const QString& ruta) {
    return Texto(idioma,
                 "No hay memoria suficiente para abrir «%1»; sigue abierto el documento de "
                 "antes.",
                 "No hi ha prou memòria per a obrir «%1»; continua obert el document d'abans.")
        .arg(Nativo(ruta));
}

}  // namespace

TDocumento::~TDocumento() {
    // The stack tells its listeners as it clears itself: they may be half gone by then.
    pila_.disconnect();
}

void TDocumento::Reemplaza(std::vector<TPreguntaEditada> preguntas,
                           const std::vector<TPregunta>& enBytes, const std::vector<int>& igualA,
                           const QString& ruta, bool esConjunto) {
    // Everything is built aside first: running out of memory here leaves the document whole.
    std::vector<TRevision> revisiones;
    revisiones.reserve(preguntas.size());
    QHash<QString, int> cuentaTemas;
    std::vector<int> copias(preguntas.size(), 0);
    for (size_t fila = 0; fila < preguntas.size(); ++fila) {
        const int original = fila < igualA.size() ? igualA[fila] : -1;
        if (original >= 0) {
            revisiones.push_back(revisiones[static_cast<size_t>(original)]);
            ++copias[static_cast<size_t>(original)];
        } else {
            revisiones.push_back(Revisa(preguntas[fila], enBytes[fila]));
        }
    }
    for (size_t fila = 0; fila < preguntas.size(); ++fila)
        if (fila >= igualA.size() || igualA[fila] < 0)
            cuentaTemas[preguntas[fila].Tema] += 1 + copias[fila];
    QString nuevaRuta = ruta;

    beginResetModel();
    preguntas_.swap(preguntas);
    revisiones_.swap(revisiones);
    cuentaTemas_.swap(cuentaTemas);
    ruta_.swap(nuevaRuta);
    esConjunto_ = esConjunto;
    endResetModel();
    pila_.clear();
    pila_.setClean();
    emit DocumentoReemplazado();
}

void TDocumento::Nuevo() {
    Reemplaza({}, {}, {}, {}, false);
}

bool TDocumento::AbreConjunto(const QString& rutaPreg, QStringList* aviso, QString* error) {
    const auto falla = [error](const QString& mensaje) {
        if (error)
            *error = mensaje;
        return false;
    };
    const std::string nombre = RutaLocal(rutaPreg);
    const QString rutaInd = RutaDeBytes(NombreIndice(nombre));
    for (const QString& ruta : {rutaPreg, rutaInd})
        if (!EsFicheroNormal(ruta))
            return falla(NoEsNormal(idioma_, ruta));
    try {
        TAviso avisoPrograma;
        if (!CompruebaFicheros(nombre, kClave, &avisoPrograma)) {
            if (aviso) {
                aviso->clear();
                for (const std::string& parte : avisoPrograma)
                    aviso->append(QString::fromStdString(parte));
            }
            return false;
        }
        TFicherosPreguntas ficheros;
        ficheros.Abre(nombre);
        // Questions beyond the 16-bit numbers cannot be read, and saving would lose them.
        if (ficheros.NumPreguntas() > kMaximoPreguntas)
            return falla(Traduce("No se puede abrir «%1»: tiene %2 preguntas y el editor solo "
                                 "puede leer las primeras %3; al guardar perdería las demás.",
                                 "No es pot obrir «%1»: té %2 preguntes i l'editor només pot "
                                 "llegir les primeres %3; en guardar perdria les altres.")
                             .arg(Nativo(rutaPreg))
                             .arg(ficheros.NumPreguntas())
                             .arg(kMaximoPreguntas));
        const int32_t cuenta = std::max(ficheros.NumPreguntas(), 0);
        std::vector<TPreguntaEditada> preguntas;
        std::vector<TPregunta> enBytes;
        std::vector<int> igualA;
        preguntas.reserve(static_cast<size_t>(cuenta));
        enBytes.reserve(static_cast<size_t>(cuenta));
        igualA.reserve(static_cast<size_t>(cuenta));
        // Each record once, however many entries of the index point at it.
        QHash<int64_t, int> leidas;
        int64_t texto = 0;
        for (int32_t n = 1; n <= cuenta; ++n) {
            const int fila = n - 1;
            const int64_t posicion = ficheros.PosicionRegistro(static_cast<uint16_t>(n));
            const auto leida = leidas.constFind(posicion);
            if (leida != leidas.cend()) {
                preguntas.push_back(preguntas[static_cast<size_t>(*leida)]);
                enBytes.emplace_back();
                igualA.push_back(*leida);
                continue;
            }
            leidas.insert(posicion, fila);
            enBytes.push_back(ficheros.LeePregunta(static_cast<uint16_t>(n)));
            texto += LongitudRegistro(enBytes.back());
            if (texto > kMaximoTextoAbierto)
                return falla(Traduce("No se puede abrir «%1»: sus preguntas suman más de %2 "
                                     "millones de caracteres y el editor no puede con tantos.",
                                     "No es pot obrir «%1»: les seues preguntes sumen més de %2 "
                                     "milions de caràcters i l'editor no pot amb tants.")
                                 .arg(Nativo(rutaPreg))
                                 .arg(kMaximoTextoAbierto / 1000000));
            preguntas.push_back(EditadaDe(enBytes.back()));
            igualA.push_back(-1);
        }
        Reemplaza(std::move(preguntas), enBytes, igualA, rutaPreg, true);
    } catch (const IoError& e) {
        return falla(TextoErrorFichero(e, idioma_));
    } catch (const std::bad_alloc&) {
        return falla(SinMemoria(idioma_, rutaPreg));
    } catch (const std::exception& e) {
        return falla(Traduce("No se ha podido abrir «%1» (%2); sigue abierto el documento de "
                             "antes.",
                             "No s'ha pogut obrir «%1» (%2); continua obert el document "
                             "d'abans.")
                         .arg(Nativo(rutaPreg), QString::fromUtf8(e.what())));
    }
    return true;
}

bool TDocumento::AbreFuente(const QString& ruta, QString* error) {
    const auto falla = [error](const QString& mensaje) {
        if (error)
            *error = mensaje;
        return false;
    };
    if (!EsFicheroNormal(ruta))
        return falla(NoEsNormal(idioma_, ruta));
    if (QFileInfo(ruta).size() > kMaximoFuente)
        return falla(Traduce("No se puede abrir «%1»: ocupa más de %2 MB y el editor abre "
                             "textos de preguntas de hasta %2 MB.",
                             "No es pot obrir «%1»: ocupa més de %2 MB i l'editor obri textos "
                             "de preguntes de fins a %2 MB.")
                         .arg(Nativo(ruta))
                         .arg(kMaximoFuente >> 20));
    try {
        const TFuenteLeida fuente = LeeFuente(LeeFicheroCompleto(RutaLocal(ruta)));
        if (fuente.Error)
            return falla(Traduce("«%1», línea %2: %3", "«%1», línia %2: %3")
                             .arg(Nativo(ruta))
                             .arg(fuente.Error->Linea)
                             .arg(QString::fromStdString(fuente.Error->Mensaje)));
        std::vector<TPreguntaEditada> preguntas;
        preguntas.reserve(fuente.Preguntas.size());
        for (const TPregunta& pregunta : fuente.Preguntas)
            preguntas.push_back(EditadaDe(pregunta));
        Reemplaza(std::move(preguntas), fuente.Preguntas, {}, ruta, false);
    } catch (const IoError& e) {
        return falla(TextoErrorFichero(e, idioma_));
    } catch (const std::bad_alloc&) {
        return falla(SinMemoria(idioma_, ruta));
    }
    return true;
}

bool TDocumento::GuardaConjunto(const QString& rutaPreg, QString* error) {
    for (const TProblema& problema : Problemas()) {
        if (problema.Bloquea()) {
            if (error)
                *error = Traduce("No se puede guardar «%1»: %2", "No es pot guardar «%1»: %2")
                             .arg(Nativo(rutaPreg), Mensaje(problema));
            return false;
        }
    }
    // Copies of one record share their text here, but the file holds each of them whole.
    qint64 texto = 0;
    for (const TPreguntaEditada& pregunta : preguntas_)
        texto += pregunta.Tema.size() + pregunta.Texto.size();
    if (texto > kMaximoTextoAbierto) {
        if (error)
            *error = Traduce(
                         "No se puede guardar «%1»: sus preguntas suman más de %2 millones "
                         "de caracteres; repártalas en varios conjuntos.",
                         "No es pot guardar «%1»: les seues preguntes sumen més de %2 "
                         "milions de caràcters; repartiu-les en diversos conjunts.")
                         .arg(Nativo(rutaPreg))
                         .arg(kMaximoTextoAbierto / 1000000);
        return false;
    }
    std::vector<TPregunta> enBytes;
    enBytes.reserve(preguntas_.size());
    for (const TPreguntaEditada& pregunta : preguntas_)
        enBytes.push_back(EnBytes(pregunta));
    const TConjuntoEscrito conjunto = ConstruyeConjunto(enBytes);
    try {
        // The pair as one: killed at any instant, the old pair or the new one is left.
        EscribePar(RutaLocal(rutaPreg), conjunto.Preguntas, conjunto.Indice);
    } catch (const IoError& e) {
        const std::string preg = RutaLocal(rutaPreg);
        if (error)
            *error = TextoErrorFichero(e, idioma_, {NombreIndice(preg), preg});
        return false;
    }
    ruta_ = rutaPreg;
    esConjunto_ = true;
    pila_.setClean();
    return true;
}

bool TDocumento::ExportaFuente(const QString& ruta, QString* error) const {
    // A source carries what a set can: the characters the checks let through.
    for (const TProblema& problema : Problemas()) {
        if (problema.Tipo == TProblema::TTipo::CaracterNoGuardable) {
            if (error)
                *error = Traduce("No se puede exportar «%1»: %2", "No es pot exportar «%1»: %2")
                             .arg(Nativo(ruta), Mensaje(problema));
            return false;
        }
    }
    std::vector<TPregunta> enBytes;
    enBytes.reserve(preguntas_.size());
    for (const TPreguntaEditada& pregunta : preguntas_)
        enBytes.push_back(EnBytes(pregunta));
    const QString origen =
        ruta_.isEmpty() ? QStringLiteral("tildora-editor") : QFileInfo(ruta_).fileName();
    return Escribe(ruta, EscribeFuente(enBytes, origen.toStdString()), error);
}

bool TDocumento::EscribeConfiguracion(const QString& rutaCfg,
                                      const std::vector<bool>& temasMarcados,
                                      QString* error) const {
    const QString carpeta = QFileInfo(rutaCfg).absolutePath();
    if (!QDir().mkpath(carpeta)) {
        if (error)
            *error = Traduce("No se ha podido escribir «%1»: no se puede crear su carpeta.",
                             "No s'ha pogut escriure «%1»: no es pot crear la seua carpeta.")
                         .arg(Nativo(rutaCfg));
        return false;
    }
    return Escribe(rutaCfg, ConstruyeConfiguracion(temasMarcados), error);
}

bool TDocumento::Escribe(const QString& ruta, const std::string& bytes, QString* error) const {
    try {
        EscribeFichero(RutaLocal(ruta), bytes);
    } catch (const IoError& e) {
        if (error)
            *error = TextoErrorFichero(e, idioma_, {RutaLocal(ruta)});
        return false;
    }
    return true;
}

QString TDocumento::RutaConfiguracionDefecto(const QString& rutaPreg) {
    const QFileInfo set(rutaPreg);
    return set.absolutePath() + QLatin1Char('/') +
           RutaDeBytes(NombreConfiguracion(RutaLocal(set.fileName())));
}
