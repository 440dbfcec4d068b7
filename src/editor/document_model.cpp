// The document as the list's table model, with rows moved by drag and drop.
#include "document.h"

#include <QMimeData>

#include <algorithm>

#include "document_commands.h"

namespace {

const QString kTipoFilas = QStringLiteral("application/x-tildora-filas");
constexpr int kLargoInicio = 60;

// The first line of the text, short enough for the list.
QString InicioTexto(const QString& texto) {
    QString linea = texto.left(texto.indexOf(QLatin1Char('\r')));
    if (linea.size() > kLargoInicio)
        linea = linea.left(kLargoInicio).trimmed() + QStringLiteral("…");
    return linea;
}

}  // namespace

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
                    return TemaMostrado(pregunta.Tema);
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
                mensajes.append(Mensaje(problema));
            return mensajes.isEmpty() ? QVariant() : QVariant(mensajes.join(QLatin1Char('\n')));
        }
        case RolProblema:
            return !revisiones_[static_cast<size_t>(indice.row())].Problemas.empty() ||
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
