#include "document.h"

#include <QDir>
#include <QFile>
#include <QHash>
#include <QIODevice>
#include <QMimeData>
#include <QSaveFile>

#include <algorithm>
#include <utility>

#include "document_commands.h"
#include "io_error.h"
#include "source_format.h"
#include "win1252.h"
#include "writer.h"

namespace {

const QString kTipoFilas = QStringLiteral("application/x-tildora-filas");
constexpr int kLargoInicio = 60;

QString TextoDeBytes(const std::string& bytes) {
    return QString::fromStdString(Utf8DeWindows1252(bytes));
}

std::string BytesDeTexto(const QString& texto) {
    std::string bytes;
    bytes.reserve(static_cast<size_t>(texto.size()));
    for (qsizetype i = 0; i < texto.size(); ++i) {
        const QChar c = texto[i];
        if (c.isHighSurrogate() && i + 1 < texto.size() && texto[i + 1].isLowSurrogate())
            ++i;  // one character beyond the code page, one "?"
        const int byte = ByteDeUnicode(c.unicode());
        bytes += byte < 0 ? '?' : static_cast<char>(byte);
    }
    return bytes;
}

TPreguntaEditada EditadaDe(const TPregunta& pregunta) {
    return {pregunta.Modo, pregunta.AnchoMinimo, TextoDeBytes(pregunta.Tema),
            TextoDeBytes(pregunta.Texto)};
}

QString Nativo(const QString& ruta) {
    return QDir::toNativeSeparators(ruta);
}

std::string RutaLocal(const QString& ruta) {
    return QFile::encodeName(ruta).toStdString();
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
    Q_UNUSED(idioma);
    return {};
}

TDocumento::TDocumento(QObject* parent) : QAbstractTableModel(parent) {}

QString TDocumento::Traduce(const char* castellano, const char* valenciano) const {
    return QString::fromUtf8(idioma_ == 0 ? castellano : valenciano);
}

TPregunta TDocumento::EnBytes(const TPreguntaEditada& pregunta) {
    return {pregunta.Modo, pregunta.AnchoMinimo, BytesDeTexto(pregunta.Tema),
            BytesDeTexto(pregunta.Texto)};
}

// Files

void TDocumento::Reemplaza(std::vector<TPreguntaEditada> preguntas, const QString& ruta,
                           bool esConjunto) {
    beginResetModel();
    preguntas_ = std::move(preguntas);
    ruta_ = ruta;
    esConjunto_ = esConjunto;
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
    std::vector<TPreguntaEditada> preguntas;
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
        const int32_t cuenta = std::clamp(ficheros.NumPreguntas(), 0, kMaximoPreguntas);
        preguntas.reserve(static_cast<size_t>(cuenta));
        for (int32_t n = 1; n <= cuenta; ++n)
            preguntas.push_back(EditadaDe(ficheros.LeePregunta(static_cast<uint16_t>(n))));
    } catch (const IoError& e) {
        if (error)
            *error = Traduce("No se ha podido leer «%1».", "No s'ha pogut llegir «%1».")
                         .arg(Nativo(QFile::decodeName(e.Fichero().c_str())));
        return false;
    }
    Reemplaza(std::move(preguntas), rutaPreg, true);
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
    std::vector<TPreguntaEditada> preguntas;
    preguntas.reserve(fuente.Preguntas.size());
    for (const TPregunta& pregunta : fuente.Preguntas)
        preguntas.push_back(EditadaDe(pregunta));
    Reemplaza(std::move(preguntas), ruta, false);
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
    const QString rutaInd = QFile::decodeName(NombreIndice(RutaLocal(rutaPreg)).c_str());

    // Both temporaries are written in full before either replaces its file.
    QSaveFile preg(rutaPreg), ind(rutaInd);
    const auto falla = [&](const QSaveFile& fichero) {
        if (error)
            *error =
                Traduce("No se ha podido escribir «%1»: %2.", "No s'ha pogut escriure «%1»: %2.")
                    .arg(Nativo(fichero.fileName()), fichero.errorString());
        return false;
    };
    const auto escribe = [](QSaveFile& fichero, const std::string& bytes) {
        return fichero.open(QIODevice::WriteOnly) &&
               fichero.write(bytes.data(), static_cast<qint64>(bytes.size())) ==
                   static_cast<qint64>(bytes.size()) &&
               fichero.flush();
    };
    if (!escribe(preg, conjunto.Preguntas))
        return falla(preg);
    if (!escribe(ind, conjunto.Indice))
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
    for (const TPreguntaEditada& pregunta : preguntas_)
        enBytes.push_back(EnBytes(pregunta));
    const QString origen = ruta_.isEmpty() ? QStringLiteral("tildora-editor") : ruta_;
    const std::string fuente = EscribeFuente(enBytes, origen.toStdString());
    QSaveFile fichero(ruta);
    if (!fichero.open(QIODevice::WriteOnly) ||
        fichero.write(fuente.data(), static_cast<qint64>(fuente.size())) !=
            static_cast<qint64>(fuente.size()) ||
        !fichero.commit()) {
        if (error)
            *error =
                Traduce("No se ha podido escribir «%1»: %2.", "No s'ha pogut escriure «%1»: %2.")
                    .arg(Nativo(ruta), fichero.errorString());
        return false;
    }
    return true;
}

// Edits

void TDocumento::CambiaTema(int fila, const QString& tema) {
    TPreguntaEditada pregunta = Pregunta(fila);
    if (pregunta.Tema == tema)
        return;
    pregunta.Tema = tema;
    pila_.push(new TComandoCambia(*this, fila, std::move(pregunta), false));
}

void TDocumento::CambiaModo(int fila, uint8_t modo) {
    TPreguntaEditada pregunta = Pregunta(fila);
    if (pregunta.Modo == modo)
        return;
    pregunta.Modo = modo;
    pila_.push(new TComandoCambia(*this, fila, std::move(pregunta), false));
}

void TDocumento::CambiaAnchoMinimo(int fila, uint8_t ancho) {
    TPreguntaEditada pregunta = Pregunta(fila);
    if (pregunta.AnchoMinimo == ancho)
        return;
    pregunta.AnchoMinimo = ancho;
    pila_.push(new TComandoCambia(*this, fila, std::move(pregunta), false));
}

void TDocumento::CambiaTexto(int fila, const QString& texto) {
    TPreguntaEditada pregunta = Pregunta(fila);
    if (pregunta.Texto == texto)
        return;
    pregunta.Texto = texto;
    pila_.push(new TComandoCambia(*this, fila, std::move(pregunta), true));
}

int TDocumento::Inserta(int despuesDe, const TPreguntaEditada& pregunta) {
    const int fila = std::clamp(despuesDe + 1, 0, Cuenta());
    pila_.push(new TComandoInserta(*this, fila, pregunta));
    return fila;
}

int TDocumento::Duplica(int fila) {
    return Inserta(fila, Pregunta(fila));
}

void TDocumento::Borra(int fila) {
    pila_.push(new TComandoBorra(*this, fila));
}

void TDocumento::Mueve(int desde, int hasta) {
    if (desde == hasta || desde < 0 || hasta < 0 || desde >= Cuenta() || hasta >= Cuenta())
        return;
    pila_.push(new TComandoMueve(*this, desde, hasta));
}

void TDocumento::RenombraTema(const QString& viejo, const QString& nuevo) {
    if (viejo == nuevo)
        return;
    std::vector<int> filas;
    for (int fila = 0; fila < Cuenta(); ++fila)
        if (preguntas_[static_cast<size_t>(fila)].Tema == viejo)
            filas.push_back(fila);
    if (!filas.empty())
        pila_.push(new TComandoRenombraTema(*this, std::move(filas), viejo, nuevo));
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
    preguntas_[static_cast<size_t>(fila)] = pregunta;
    emit dataChanged(index(fila, 0), index(fila, NumColumnas - 1));
    emit PreguntaCambiada(fila);
}

void TDocumento::PonTema(const std::vector<int>& filas, const QString& tema) {
    for (const int fila : filas)
        preguntas_[static_cast<size_t>(fila)].Tema = tema;
    if (filas.empty())
        return;
    emit dataChanged(index(filas.front(), ColTema), index(filas.back(), ColTema));
    for (const int fila : filas)
        emit PreguntaCambiada(fila);
}

void TDocumento::InsertaFila(int fila, const TPreguntaEditada& pregunta) {
    beginInsertRows({}, fila, fila);
    preguntas_.insert(preguntas_.begin() + fila, pregunta);
    endInsertRows();
    // The rows below have new numbers.
    if (fila + 1 < Cuenta())
        emit dataChanged(index(fila + 1, ColNumero), index(Cuenta() - 1, ColNumero));
}

void TDocumento::QuitaFila(int fila) {
    beginRemoveRows({}, fila, fila);
    preguntas_.erase(preguntas_.begin() + fila);
    endRemoveRows();
    if (fila < Cuenta())
        emit dataChanged(index(fila, ColNumero), index(Cuenta() - 1, ColNumero));
}

void TDocumento::MueveFila(int desde, int hasta) {
    // Qt names the row before which the moved one lands, counted before the move.
    beginMoveRows({}, desde, desde, {}, hasta > desde ? hasta + 1 : hasta);
    const auto origen = preguntas_.begin() + desde;
    const auto destino = preguntas_.begin() + hasta;
    if (hasta > desde)
        std::rotate(origen, origen + 1, destino + 1);
    else
        std::rotate(destino, origen, origen + 1);
    endMoveRows();
    emit dataChanged(index(std::min(desde, hasta), ColNumero),
                     index(std::max(desde, hasta), ColNumero));
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

std::vector<TProblema> TDocumento::Problemas() const {
    return {};
}

std::vector<TProblema> TDocumento::ProblemasDe(int fila) const {
    Q_UNUSED(fila);
    return {};
}

int TDocumento::MasLegible() const {
    return -1;
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
        case RolProblema:
            return !ProblemasDe(indice.row()).empty();
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
    pila_.beginMacro(Traduce("Mover preguntas", "Moure preguntes"));
    // From the last row above antesDe upwards, then from the first below it downwards: each
    // row is still where it started when its turn comes.
    for (auto it = arriba; it != filas.begin();) {
        --it;
        Mueve(*it, destino + static_cast<int>(it - filas.begin()));
    }
    for (auto it = arriba; it != filas.end(); ++it)
        Mueve(*it, antesDe + static_cast<int>(it - arriba));
    pila_.endMacro();
    return true;
}

void TDocumento::CambiaIdioma(uint16_t idioma) {
    idioma_ = idioma;
    emit headerDataChanged(Qt::Horizontal, 0, NumColumnas - 1);
}
