#include "document.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QIODevice>
#include <QMimeData>
#include <QSaveFile>

#include <algorithm>
#include <utility>

#include "data_folder.h"
#include "document_commands.h"
#include "io_error.h"
#include "set_checks.h"
#include "settings.h"
#include "source_format.h"
#include "text_bytes.h"
#include "win1252.h"
#include "writer.h"

namespace {

const QString kTipoFilas = QStringLiteral("application/x-tildora-filas");
constexpr int kLargoInicio = 60;

std::string BytesDeTexto(const QString& texto) {
    std::string bytes;
    bytes.reserve(static_cast<size_t>(texto.size()));
    for (qsizetype i = 0; i < texto.size(); ++i) {
        const QChar c = texto[i];
        if (c.isHighSurrogate() && i + 1 < texto.size() && texto[i + 1].isLowSurrogate())
            ++i;  // one character beyond the code page, one "?"
        const char16_t u = c.unicode();
        // A NUL would end the field early: it is no character of a question.
        const int byte = (u > 0 && u < 0x80) || (u >= 0xA0 && u <= 0xFF) ? u
                         : u == 0                                        ? -1
                                                                         : ByteDeUnicode(u);
        bytes += byte < 0 ? '?' : static_cast<char>(byte);
    }
    return bytes;
}

struct TNoWindows {
    int Posicion = -1;
    char32_t Codigo = 0;
};

// The first character that Windows-1252 cannot hold, or none.
std::optional<TNoWindows> PrimerNoWindows(const QString& texto) {
    for (qsizetype i = 0; i < texto.size(); ++i) {
        const QChar c = texto[i];
        char32_t codigo = c.unicode();
        if ((codigo > 0 && codigo < 0x80) || (codigo >= 0xA0 && codigo <= 0xFF))
            continue;
        if (c.isHighSurrogate() && i + 1 < texto.size() && texto[i + 1].isLowSurrogate())
            codigo = QChar::surrogateToUcs4(c, texto[i + 1]);
        if (codigo == 0 || ByteDeUnicode(codigo) < 0)
            return TNoWindows{static_cast<int>(i), codigo};
    }
    return std::nullopt;
}

// The mark that no other closes: marks pair in order within a paragraph, so it is the last
// one of the first paragraph holding an odd number of them.
int MarcaAbierta(const QString& texto) {
    int ultima = -1;
    bool abierta = false;
    for (qsizetype i = 0; i < texto.size(); ++i) {
        if (texto[i] == QLatin1Char('@')) {
            ultima = static_cast<int>(i);
            abierta = !abierta;
        } else if (texto[i] == QLatin1Char('\r') && abierta) {
            return ultima;
        }
    }
    return abierta ? ultima : -1;
}

TProblema::TTipo TipoDe(TProblemaConjunto::TTipo tipo) {
    using T = TProblemaConjunto::TTipo;
    switch (tipo) {
        case T::ConjuntoVacio:
            return TProblema::TTipo::ConjuntoVacio;
        case T::DemasiadasPreguntas:
            return TProblema::TTipo::DemasiadasPreguntas;
        case T::DemasiadosTemas:
            return TProblema::TTipo::DemasiadosTemas;
        case T::ClaveIlegible:
            return TProblema::TTipo::ClaveIlegible;
        case T::MarcasImpares:
            return TProblema::TTipo::MarcasImpares;
        case T::DemasiadosHuecos:
            return TProblema::TTipo::DemasiadosHuecos;
        case T::DemasiadasPiezas:
            return TProblema::TTipo::DemasiadasPiezas;
        case T::RegistroLargo:
            break;
    }
    return TProblema::TTipo::RegistroLargo;
}

QString Elige(uint16_t idioma, const char* castellano, const char* valenciano) {
    return QString::fromUtf8(idioma == 0 ? castellano : valenciano);
}

TPreguntaEditada EditadaDe(const TPregunta& pregunta) {
    return {pregunta.Modo, pregunta.AnchoMinimo, TextoDeBytes(pregunta.Tema),
            TextoDeBytes(pregunta.Texto)};
}

QString Nativo(const QString& ruta) {
    return QDir::toNativeSeparators(ruta);
}

// Writes the whole temporary file of fichero and flushes it, so that a full disk shows here;
// commit() then renames it over the old file.
bool EscribeTemporal(QSaveFile& fichero, const std::string& bytes) {
    return fichero.open(QIODevice::WriteOnly) &&
           fichero.write(bytes.data(), static_cast<qint64>(bytes.size())) ==
               static_cast<qint64>(bytes.size()) &&
           fichero.flush();
}

QString ErrorDeEscritura(uint16_t idioma, const QSaveFile& fichero) {
    return Elige(idioma, "No se ha podido escribir «%1»: %2.", "No s'ha pogut escriure «%1»: %2.")
        .arg(Nativo(fichero.fileName()), fichero.errorString());
}

// The first line of the text, short enough for the list.
QString InicioTexto(const QString& texto) {
    QString linea = texto.left(texto.indexOf(QLatin1Char('\r')));
    if (linea.size() > kLargoInicio)
        linea = linea.left(kLargoInicio).trimmed() + QStringLiteral("…");
    return linea;
}

}  // namespace

bool TProblema::Bloquea() const {
    return Tipo == TTipo::ConjuntoVacio || Tipo == TTipo::ClaveIlegible ||
           Tipo == TTipo::CaracterNoWindows;
}

QString TProblema::Mensaje(uint16_t idioma) const {
    const QString cual = Elige(idioma, "Pregunta %1: ", "Pregunta %1: ").arg(Pregunta + 1);
    switch (Tipo) {
        case TTipo::ConjuntoVacio:
            return Elige(idioma,
                         "El conjunto no tiene ninguna pregunta: el programa no lo abriría. Añada "
                         "al menos una.",
                         "El conjunt no té cap pregunta: el programa no l'obriria. Afegiu-ne "
                         "almenys una.");
        case TTipo::DemasiadasPreguntas:
            return Elige(idioma,
                         "El conjunto tiene %1 preguntas; el programa solo usa las primeras %2.",
                         "El conjunt té %1 preguntes; el programa només usa les primeres %2.")
                .arg(Cifra)
                .arg(kMaximoPreguntas);
        case TTipo::DemasiadosTemas:
            return Elige(
                       idioma,
                       "El conjunto tiene %1 temas; el programa solo lista los primeros %2 y nunca "
                       "pregunta los demás.",
                       "El conjunt té %1 temes; el programa només llista els primers %2 i mai no "
                       "pregunta els altres.")
                .arg(Cifra)
                .arg(kMaximoTemas);
        case TTipo::ClaveIlegible:
            return cual +
                   Elige(idioma,
                         "solo el %1 % de su registro son letras sin acento, cifras, "
                         "espacios, comas y puntos, y el programa exige al menos el %2 % "
                         "para abrir el conjunto. Ponga primero una pregunta más larga y "
                         "sencilla.",
                         "només el %1 % del seu registre són lletres sense accent, xifres, "
                         "espais, comes i punts, i el programa n'exigeix almenys el %2 % per "
                         "a obrir el conjunt. Poseu primer una pregunta més llarga i "
                         "senzilla.")
                       .arg(Porcentaje)
                       .arg(kPorcentajeLegibleMinimo);
        case TTipo::CaracterNoWindows: {
            const auto codigo = static_cast<char32_t>(Cifra);
            const QString caracter =
                codigo == 0 ? QString()
                            : QStringLiteral("«%1» ").arg(QString::fromUcs4(&codigo, 1));
            const QString unicode = QStringLiteral("U+%1")
                                        .arg(static_cast<uint>(Cifra), 4, 16, QLatin1Char('0'))
                                        .toUpper();
            const QString donde = Posicion < 0 ? Elige(idioma, "del tema", "del tema")
                                               : Elige(idioma, "en la posición %1 del texto",
                                                       "en la posició %1 del text")
                                                     .arg(Posicion + 1);
            return cual +
                   Elige(idioma,
                         "el carácter %1(%2) %3 no existe en Windows-1252; el conjunto no se "
                         "puede guardar con él.",
                         "el caràcter %1(%2) %3 no existeix en Windows-1252; el conjunt no es "
                         "pot guardar amb ell.")
                       .arg(caracter, unicode, donde);
        }
        case TTipo::RegistroLargo:
            return cual +
                   Elige(idioma,
                         "su registro ocupa %1 bytes y el programa solo lee %2; el final del "
                         "texto se pierde.",
                         "el seu registre ocupa %1 bytes i el programa només en llig %2; el "
                         "final del text es perd.")
                       .arg(Cifra)
                       .arg(kLongitudRegistro);
        case TTipo::DemasiadosHuecos:
            return cual + Elige(idioma,
                                "tiene %1 huecos y el programa solo muestra los primeros %2.",
                                "té %1 buits i el programa només mostra els primers %2.")
                              .arg(Cifra)
                              .arg(kMaximoHuecos);
        case TTipo::DemasiadasPiezas:
            return cual +
                   Elige(idioma,
                         "tiene %1 trozos de texto y el programa solo muestra %2 (cada línea y "
                         "cada trozo junto a un hueco ocupa uno).",
                         "té %1 trossos de text i el programa només en mostra %2 (cada línia i "
                         "cada tros al costat d'un buit n'ocupa un).")
                       .arg(Cifra)
                       .arg(kMaximoPiezas);
        case TTipo::MarcasImpares:
            return cual +
                   Elige(idioma,
                         "el número de marcas de hueco («@») es impar (%1); la de la posición "
                         "%2 no se cierra.",
                         "el nombre de marques de buit («@») és senar (%1); la de la posició %2 "
                         "no es tanca.")
                       .arg(Cifra)
                       .arg(Posicion + 1);
    }
    return {};
}

TDocumento::TDocumento(QObject* parent) : QAbstractTableModel(parent) {}

QString TDocumento::Traduce(const char* castellano, const char* valenciano) const {
    return Elige(idioma_, castellano, valenciano);
}

TPregunta TDocumento::EnBytes(const TPreguntaEditada& pregunta) {
    return {pregunta.Modo, pregunta.AnchoMinimo, BytesDeTexto(pregunta.Tema),
            BytesDeTexto(pregunta.Texto)};
}

// Files

void TDocumento::Reemplaza(const std::vector<TPregunta>& enBytes, const QString& ruta,
                           bool esConjunto) {
    beginResetModel();
    preguntas_.clear();
    preguntas_.reserve(enBytes.size());
    for (const TPregunta& pregunta : enBytes)
        preguntas_.push_back(EditadaDe(pregunta));
    ruta_ = ruta;
    esConjunto_ = esConjunto;
    problemas_.assign(preguntas_.size(), {});
    porcentajes_.assign(preguntas_.size(), 0);
    cuentaTemas_.clear();
    for (int fila = 0; fila < Cuenta(); ++fila) {
        Comprueba(fila, &enBytes[static_cast<size_t>(fila)]);
        CuentaTema(Pregunta(fila).Tema, 1);
    }
    endResetModel();
    pila_.clear();
    pila_.setClean();
    emit DocumentoReemplazado();
}

void TDocumento::Nuevo() {
    Reemplaza({}, {}, false);
}

bool TDocumento::AbreConjunto(const QString& rutaPreg, QStringList* aviso, QString* error) {
    const std::string nombre = RutaLocal(rutaPreg);
    std::vector<TPregunta> preguntas;
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
        if (ficheros.NumPreguntas() > kMaximoPreguntas) {
            if (error)
                *error = Traduce(
                             "No se puede abrir «%1»: tiene %2 preguntas y el editor solo "
                             "puede leer las primeras %3; al guardar perdería las demás.",
                             "No es pot obrir «%1»: té %2 preguntes i l'editor només pot "
                             "llegir les primeres %3; en guardar perdria les altres.")
                             .arg(Nativo(rutaPreg))
                             .arg(ficheros.NumPreguntas())
                             .arg(kMaximoPreguntas);
            return false;
        }
        const int32_t cuenta = std::max(ficheros.NumPreguntas(), 0);
        preguntas.reserve(static_cast<size_t>(cuenta));
        for (int32_t n = 1; n <= cuenta; ++n)
            preguntas.push_back(ficheros.LeePregunta(static_cast<uint16_t>(n)));
    } catch (const IoError& e) {
        if (error)
            *error = Traduce("No se ha podido leer «%1».", "No s'ha pogut llegir «%1».")
                         .arg(Nativo(RutaDeBytes(e.Fichero())));
        return false;
    }
    Reemplaza(preguntas, rutaPreg, true);
    return true;
}

bool TDocumento::AbreFuente(const QString& ruta, QString* error) {
    QFile fichero(ruta);
    if (!fichero.open(QIODevice::ReadOnly)) {
        if (error)
            *error = Traduce("No se ha podido leer «%1»: %2.", "No s'ha pogut llegir «%1»: %2.")
                         .arg(Nativo(ruta), fichero.errorString());
        return false;
    }
    const QByteArray bytes = fichero.readAll();
    const TFuenteLeida fuente = LeeFuente(std::string_view(bytes.constData(), bytes.size()));
    if (fuente.Error) {
        if (error)
            *error = Traduce("«%1», línea %2: %3", "«%1», línia %2: %3")
                         .arg(Nativo(ruta))
                         .arg(fuente.Error->Linea)
                         .arg(QString::fromStdString(fuente.Error->Mensaje));
        return false;
    }
    Reemplaza(fuente.Preguntas, ruta, false);
    return true;
}

bool TDocumento::GuardaConjunto(const QString& rutaPreg, QString* error) {
    for (const TProblema& problema : Problemas()) {
        if (problema.Bloquea()) {
            if (error)
                *error = Traduce("No se puede guardar «%1»: %2", "No es pot guardar «%1»: %2")
                             .arg(Nativo(rutaPreg), problema.Mensaje(idioma_));
            return false;
        }
    }
    std::vector<TPregunta> enBytes;
    enBytes.reserve(preguntas_.size());
    for (const TPreguntaEditada& pregunta : preguntas_)
        enBytes.push_back(EnBytes(pregunta));
    const TConjuntoEscrito conjunto = ConstruyeConjunto(enBytes);
    const QString rutaInd = RutaDeBytes(NombreIndice(RutaLocal(rutaPreg)));

    // Both temporaries are written in full before either replaces its file; what is left to
    // fail then is two renames in one folder.
    QSaveFile preg(rutaPreg), ind(rutaInd);
    const auto falla = [&](const QSaveFile& fichero) {
        if (error)
            *error = ErrorDeEscritura(idioma_, fichero);
        return false;
    };
    if (!EscribeTemporal(preg, conjunto.Preguntas))
        return falla(preg);
    if (!EscribeTemporal(ind, conjunto.Indice))
        return falla(ind);
    if (!preg.commit())
        return falla(preg);
    if (!ind.commit())
        return falla(ind);
    ruta_ = rutaPreg;
    esConjunto_ = true;
    pila_.setClean();
    return true;
}

bool TDocumento::ExportaFuente(const QString& ruta, QString* error) const {
    std::vector<TPregunta> enBytes;
    enBytes.reserve(preguntas_.size());
    for (size_t fila = 0; fila < preguntas_.size(); ++fila) {
        enBytes.push_back(EnBytes(preguntas_[fila]));
        // A source carries printable characters of the code page and line breaks only.
        if (PrimerNoWindows(preguntas_[fila].Tema) || PrimerNoWindows(preguntas_[fila].Texto) ||
            ByteNoEscribible(enBytes.back()) >= 0) {
            if (error)
                *error = Traduce(
                             "No se puede exportar «%1»: la pregunta %2 tiene un carácter que "
                             "un texto de preguntas no puede llevar (un control o uno que "
                             "Windows-1252 no tiene).",
                             "No es pot exportar «%1»: la pregunta %2 té un caràcter que un "
                             "text de preguntes no pot portar (un control o un que "
                             "Windows-1252 no té).")
                             .arg(Nativo(ruta))
                             .arg(fila + 1);
            return false;
        }
    }
    const QString origen =
        ruta_.isEmpty() ? QStringLiteral("tildora-editor") : QFileInfo(ruta_).fileName();
    const std::string fuente = EscribeFuente(enBytes, origen.toStdString());
    QSaveFile fichero(ruta);
    if (!EscribeTemporal(fichero, fuente) || !fichero.commit()) {
        if (error)
            *error = ErrorDeEscritura(idioma_, fichero);
        return false;
    }
    return true;
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
    QSaveFile fichero(rutaCfg);
    if (!EscribeTemporal(fichero, ConstruyeConfiguracion(temasMarcados)) || !fichero.commit()) {
        if (error)
            *error = ErrorDeEscritura(idioma_, fichero);
        return false;
    }
    return true;
}

QString TDocumento::RutaConfiguracionDefecto(const QString& rutaPreg) {
    return RutaDeBytes(CarpetaDatosPrograma() + "/" + NombreConfiguracion(RutaLocal(rutaPreg)));
}

// Edits

void TDocumento::Empuja(TComandoDocumento* comando, const char* castellano,
                        const char* valenciano) {
    comando->PonNombres(castellano, valenciano);
    comando->Nombra(idioma_);
    pila_.push(comando);
}

void TDocumento::CambiaPregunta(int fila, const TPreguntaEditada& pregunta, bool esTexto,
                                const char* castellano, const char* valenciano) {
    if (fila < 0 || fila >= Cuenta() || Pregunta(fila) == pregunta)
        return;
    Empuja(new TComandoCambia(*this, fila, pregunta, esTexto ? escritura_ : -1), castellano,
           valenciano);
}

void TDocumento::CambiaTema(int fila, const QString& tema) {
    if (fila < 0 || fila >= Cuenta())
        return;
    TPreguntaEditada pregunta = Pregunta(fila);
    pregunta.Tema = tema;
    CambiaPregunta(fila, pregunta, false, "cambiar el tema", "canviar el tema");
}

void TDocumento::CambiaModo(int fila, uint8_t modo) {
    if (fila < 0 || fila >= Cuenta())
        return;
    TPreguntaEditada pregunta = Pregunta(fila);
    pregunta.Modo = modo;
    CambiaPregunta(fila, pregunta, false, "cambiar la práctica de acentos",
                   "canviar la pràctica d'accents");
}

void TDocumento::CambiaAnchoMinimo(int fila, uint8_t ancho) {
    if (fila < 0 || fila >= Cuenta())
        return;
    TPreguntaEditada pregunta = Pregunta(fila);
    pregunta.AnchoMinimo = ancho;
    CambiaPregunta(fila, pregunta, false, "cambiar el ancho mínimo", "canviar l'amplària mínima");
}

void TDocumento::CambiaTexto(int fila, const QString& texto) {
    if (fila < 0 || fila >= Cuenta())
        return;
    TPreguntaEditada pregunta = Pregunta(fila);
    pregunta.Texto = texto;
    CambiaPregunta(fila, pregunta, true, "escribir", "escriure");
}

int TDocumento::Inserta(int despuesDe, const TPreguntaEditada& pregunta) {
    const int fila = std::clamp(despuesDe + 1, 0, Cuenta());
    Empuja(new TComandoInserta(*this, fila, pregunta), "añadir una pregunta",
           "afegir una pregunta");
    return fila;
}

int TDocumento::Duplica(int fila) {
    if (fila < 0 || fila >= Cuenta())
        return -1;
    const int nueva = std::min(fila + 1, Cuenta());
    Empuja(new TComandoInserta(*this, nueva, Pregunta(fila)), "duplicar la pregunta",
           "duplicar la pregunta");
    return nueva;
}

void TDocumento::Borra(int fila) {
    if (fila < 0 || fila >= Cuenta())
        return;
    Empuja(new TComandoBorra(*this, fila), "borrar la pregunta", "esborrar la pregunta");
}

void TDocumento::Mueve(int desde, int hasta) {
    if (desde == hasta || desde < 0 || hasta < 0 || desde >= Cuenta() || hasta >= Cuenta())
        return;
    Empuja(new TComandoMueve(*this, desde, hasta), "mover la pregunta", "moure la pregunta");
}

void TDocumento::RenombraTema(const QString& viejo, const QString& nuevo) {
    if (viejo == nuevo)
        return;
    std::vector<int> filas;
    for (int fila = 0; fila < Cuenta(); ++fila)
        if (preguntas_[static_cast<size_t>(fila)].Tema == viejo)
            filas.push_back(fila);
    if (!filas.empty())
        Empuja(new TComandoRenombraTema(*this, std::move(filas), viejo, nuevo),
               "cambiar el nombre del tema", "canviar el nom del tema");
}

bool TDocumento::AdelantaMasLegible() {
    const int fila = MasLegible();
    if (fila <= 0)
        return false;
    Mueve(fila, 0);
    return true;
}

// The primitive changes

void TDocumento::PonPregunta(int fila, const TPreguntaEditada& pregunta) {
    CuentaTema(Pregunta(fila).Tema, -1);
    CuentaTema(pregunta.Tema, 1);
    preguntas_[static_cast<size_t>(fila)] = pregunta;
    Comprueba(fila);
    emit dataChanged(index(fila, 0), index(fila, NumColumnas - 1));
    emit PreguntaCambiada(fila);
}

void TDocumento::PonTema(const std::vector<int>& filas, const QString& tema) {
    for (const int fila : filas) {
        CuentaTema(Pregunta(fila).Tema, -1);
        CuentaTema(tema, 1);
        preguntas_[static_cast<size_t>(fila)].Tema = tema;
        Comprueba(fila);
    }
    if (filas.empty())
        return;
    emit dataChanged(index(filas.front(), 0), index(filas.back(), NumColumnas - 1));
    for (const int fila : filas)
        emit PreguntaCambiada(fila);
}

void TDocumento::InsertaFila(int fila, const TPreguntaEditada& pregunta) {
    beginInsertRows({}, fila, fila);
    preguntas_.insert(preguntas_.begin() + fila, pregunta);
    problemas_.insert(problemas_.begin() + fila, std::vector<TProblema>());
    porcentajes_.insert(porcentajes_.begin() + fila, 0);
    Comprueba(fila);
    CuentaTema(pregunta.Tema, 1);
    endInsertRows();
    // The rows below have new numbers, and the first row may have changed.
    if (fila + 1 < Cuenta())
        emit dataChanged(index(fila + 1, 0), index(Cuenta() - 1, NumColumnas - 1));
}

void TDocumento::QuitaFila(int fila) {
    beginRemoveRows({}, fila, fila);
    CuentaTema(Pregunta(fila).Tema, -1);
    preguntas_.erase(preguntas_.begin() + fila);
    problemas_.erase(problemas_.begin() + fila);
    porcentajes_.erase(porcentajes_.begin() + fila);
    endRemoveRows();
    if (fila < Cuenta())
        emit dataChanged(index(fila, 0), index(Cuenta() - 1, NumColumnas - 1));
}

void TDocumento::MueveFila(int desde, int hasta) {
    // Qt names the row before which the moved one lands, counted before the move.
    beginMoveRows({}, desde, desde, {}, hasta > desde ? hasta + 1 : hasta);
    const auto mueve = [desde, hasta](auto& filas) {
        const auto origen = filas.begin() + desde;
        const auto destino = filas.begin() + hasta;
        if (hasta > desde)
            std::rotate(origen, origen + 1, destino + 1);
        else
            std::rotate(destino, origen, origen + 1);
    };
    mueve(preguntas_);
    mueve(problemas_);
    mueve(porcentajes_);
    endMoveRows();
    emit dataChanged(index(std::min(desde, hasta), 0),
                     index(std::max(desde, hasta), NumColumnas - 1));
}

// Topics and checks

std::vector<TDocumento::TTemaContado> TDocumento::Temas() const {
    std::vector<TTemaContado> temas;
    QHash<QString, size_t> posicion;
    for (const TPreguntaEditada& pregunta : preguntas_) {
        auto it = posicion.find(pregunta.Tema);
        if (it == posicion.end()) {
            it = posicion.insert(pregunta.Tema, temas.size());
            temas.push_back({pregunta.Tema, 0});
        }
        ++temas[it.value()].Preguntas;
    }
    return temas;
}

void TDocumento::CuentaTema(const QString& tema, int cambio) {
    int& cuenta = cuentaTemas_[tema];
    cuenta += cambio;
    if (cuenta == 0)
        cuentaTemas_.remove(tema);
}

void TDocumento::Comprueba(int fila, const TPregunta* enBytes) {
    const TPreguntaEditada& pregunta = Pregunta(fila);
    std::vector<TProblema>& problemas = problemas_[static_cast<size_t>(fila)];
    problemas.clear();
    // A question read from bytes holds only what the code page can.
    TPregunta convertida;
    if (!enBytes) {
        const auto enTema = PrimerNoWindows(pregunta.Tema);
        if (const auto noWindows = enTema ? enTema : PrimerNoWindows(pregunta.Texto)) {
            TProblema problema{TProblema::TTipo::CaracterNoWindows};
            problema.Posicion = enTema ? -1 : noWindows->Posicion;
            problema.Cifra = static_cast<int>(noWindows->Codigo);
            problemas.push_back(problema);
        }
        convertida = EnBytes(pregunta);
        enBytes = &convertida;
    }
    porcentajes_[static_cast<size_t>(fila)] = PorcentajeLegible(*enBytes);
    for (const TProblemaConjunto& encontrado :
         CompruebaPregunta(*enBytes, fila, LongitudRegistro(*enBytes))) {
        TProblema problema{TipoDe(encontrado.Tipo)};
        problema.Cifra = static_cast<int>(encontrado.Cifra);
        if (problema.Tipo == TProblema::TTipo::MarcasImpares)
            problema.Posicion = MarcaAbierta(pregunta.Texto);
        problemas.push_back(problema);
    }
}

bool TDocumento::ClaveFalla() const {
    return !porcentajes_.empty() && porcentajes_.front() < kPorcentajeLegibleMinimo;
}

std::vector<TProblema> TDocumento::Problemas() const {
    std::vector<TProblema> problemas;
    for (const TProblemaConjunto& encontrado :
         CompruebaTotales(Cuenta(), cuentaTemas_.size(), nullptr)) {
        TProblema problema{TipoDe(encontrado.Tipo)};
        problema.Cifra = static_cast<int>(encontrado.Cifra);
        problemas.push_back(problema);
    }
    for (int fila = 0; fila < Cuenta(); ++fila)
        if (fila == 0 || !problemas_[static_cast<size_t>(fila)].empty())
            for (TProblema& problema : ProblemasDe(fila))
                problemas.push_back(std::move(problema));
    return problemas;
}

std::vector<TProblema> TDocumento::ProblemasDe(int fila) const {
    std::vector<TProblema> problemas;
    if (fila == 0 && ClaveFalla()) {
        TProblema clave{TProblema::TTipo::ClaveIlegible, 0};
        clave.Porcentaje = porcentajes_.front();
        clave.Cifra = clave.Porcentaje;
        problemas.push_back(clave);
    }
    for (TProblema problema : problemas_.at(static_cast<size_t>(fila))) {
        problema.Pregunta = fila;
        problemas.push_back(problema);
    }
    return problemas;
}

int TDocumento::MasLegible() const {
    return ::MasLegible(porcentajes_);
}

// The model

int TDocumento::rowCount(const QModelIndex& padre) const {
    return padre.isValid() ? 0 : Cuenta();
}

int TDocumento::columnCount(const QModelIndex& padre) const {
    return padre.isValid() ? 0 : NumColumnas;
}

QVariant TDocumento::data(const QModelIndex& indice, int rol) const {
    if (!indice.isValid() || indice.row() >= Cuenta())
        return {};
    const TPreguntaEditada& pregunta = Pregunta(indice.row());
    switch (rol) {
        case Qt::DisplayRole:
            switch (indice.column()) {
                case ColNumero:
                    return indice.row() + 1;
                case ColTema:
                    return pregunta.Tema;
                case ColAcentos:
                    // Other values than 0 and 1 are shown as they are.
                    return pregunta.Modo == 1   ? QStringLiteral("✓")
                           : pregunta.Modo == 0 ? QString()
                                                : QString::number(pregunta.Modo);
                case ColTexto:
                    return InicioTexto(pregunta.Texto);
                default:
                    return {};
            }
        case Qt::TextAlignmentRole:
            if (indice.column() == ColNumero)
                return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
            if (indice.column() == ColAcentos)
                return QVariant::fromValue(Qt::AlignCenter);
            return {};
        case RolTextoCompleto:
            return pregunta.Texto;
        case RolTema:
            return pregunta.Tema;
        case Qt::ToolTipRole: {
            QStringList mensajes;
            for (const TProblema& problema : ProblemasDe(indice.row()))
                mensajes.append(problema.Mensaje(idioma_));
            return mensajes.isEmpty() ? QVariant() : QVariant(mensajes.join(QLatin1Char('\n')));
        }
        case RolProblema:
            return !problemas_[static_cast<size_t>(indice.row())].empty() ||
                   (indice.row() == 0 && ClaveFalla());
        default:
            return {};
    }
}

QVariant TDocumento::headerData(int seccion, Qt::Orientation orientacion, int rol) const {
    if (orientacion != Qt::Horizontal || rol != Qt::DisplayRole)
        return QAbstractTableModel::headerData(seccion, orientacion, rol);
    switch (seccion) {
        case ColNumero:
            return Traduce("Nº", "Núm.");
        case ColTema:
            return Traduce("Tema", "Tema");
        case ColAcentos:
            return Traduce("Acentos", "Accents");
        case ColTexto:
            return Traduce("Texto", "Text");
        default:
            return {};
    }
}

Qt::ItemFlags TDocumento::flags(const QModelIndex& indice) const {
    if (!indice.isValid())
        return Qt::ItemIsDropEnabled;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsDragEnabled;
}

Qt::DropActions TDocumento::supportedDropActions() const {
    return Qt::MoveAction;
}

QStringList TDocumento::mimeTypes() const {
    return {kTipoFilas};
}

QMimeData* TDocumento::mimeData(const QModelIndexList& indices) const {
    QList<int> filas;
    for (const QModelIndex& indice : indices)
        if (indice.isValid() && !filas.contains(indice.row()))
            filas.append(indice.row());
    std::sort(filas.begin(), filas.end());
    QByteArray bytes;
    for (const int fila : filas)
        bytes += QByteArray::number(fila) + ' ';
    auto* datos = new QMimeData;
    datos->setData(kTipoFilas, bytes.trimmed());
    return datos;
}

bool TDocumento::dropMimeData(const QMimeData* datos, Qt::DropAction accion, int fila, int columna,
                              const QModelIndex& padre) {
    Q_UNUSED(columna);
    if (!datos || accion != Qt::MoveAction || !datos->hasFormat(kTipoFilas))
        return false;
    // The row before which the dragged rows land: dropped on a row, before that row.
    const int antesDe = std::min(fila >= 0         ? fila
                                 : padre.isValid() ? padre.row()
                                                   : Cuenta(),
                                 Cuenta());
    std::vector<int> filas;
    for (const QByteArray& parte : datos->data(kTipoFilas).split(' ')) {
        bool bien = false;
        const int n = parte.toInt(&bien);
        if (!bien || n < 0 || n >= Cuenta())
            return false;
        filas.push_back(n);
    }
    std::sort(filas.begin(), filas.end());
    filas.erase(std::unique(filas.begin(), filas.end()), filas.end());
    if (filas.empty())
        return false;
    // The dragged rows keep their order and end together before antesDe, one undo step.
    const auto arriba =
        std::partition_point(filas.begin(), filas.end(), [antesDe](int f) { return f < antesDe; });
    const int destino = antesDe - static_cast<int>(arriba - filas.begin());
    bool quietas = true;
    for (size_t i = 0; i < filas.size(); ++i)
        quietas = quietas && filas[i] == destino + static_cast<int>(i);
    if (quietas)
        return true;
    // From the last row above antesDe upwards, then from the first below it downwards: each
    // row is still where it started when its turn comes.
    auto* grupo = new TComandoGrupo(*this);
    for (auto it = arriba; it != filas.begin();) {
        --it;
        if (const int hasta = destino + static_cast<int>(it - filas.begin()); hasta != *it)
            new TComandoMueve(*this, *it, hasta, grupo);
    }
    for (auto it = arriba; it != filas.end(); ++it)
        if (const int hasta = antesDe + static_cast<int>(it - arriba); hasta != *it)
            new TComandoMueve(*this, *it, hasta, grupo);
    Empuja(grupo, "mover preguntas", "moure preguntes");
    return true;
}

void TDocumento::CambiaIdioma(uint16_t idioma) {
    idioma_ = idioma;
    // The undo steps already taken are named anew; the stack hands them out only as const.
    for (int i = 0; i < pila_.count(); ++i)
        if (const auto* comando = dynamic_cast<const TComandoDocumento*>(pila_.command(i)))
            const_cast<TComandoDocumento*>(comando)->Nombra(idioma);
    emit headerDataChanged(Qt::Horizontal, 0, NumColumnas - 1);
}
