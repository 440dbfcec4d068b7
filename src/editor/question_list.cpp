#include "question_list.h"

#include "interface_text.h"

#include <QApplication>
#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QStyle>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>

void TFiltroPreguntas::PonBusqueda(const QString& texto) {
    busqueda_ = texto.trimmed();
    invalidateRowsFilter();
}

void TFiltroPreguntas::PonTema(const QString& tema) {
    filtraTema_ = true;
    tema_ = tema;
    invalidateRowsFilter();
}

void TFiltroPreguntas::QuitaTema() {
    filtraTema_ = false;
    invalidateRowsFilter();
}

bool TFiltroPreguntas::filterAcceptsRow(int fila, const QModelIndex& padre) const {
    const QModelIndex indice = sourceModel()->index(fila, 0, padre);
    if (filtraTema_ && indice.data(TDocumento::RolTema).toString() != tema_)
        return false;
    return busqueda_.isEmpty() || indice.data(TDocumento::RolTextoCompleto)
                                      .toString()
                                      .contains(busqueda_, Qt::CaseInsensitive);
}

QVariant TFiltroPreguntas::data(const QModelIndex& indice, int rol) const {
    if (indice.column() == TDocumento::ColNumero &&
        (rol == Qt::DecorationRole || rol == Qt::ForegroundRole) &&
        QSortFilterProxyModel::data(indice, TDocumento::RolProblema).toBool()) {
        if (rol == Qt::ForegroundRole)
            return QColor(0xd0, 0x10, 0x10);
        static const QIcon aviso =
            QApplication::style()->standardIcon(QStyle::SP_MessageBoxWarning);
        return aviso;
    }
    return QSortFilterProxyModel::data(indice, rol);
}

TListaPreguntas::TListaPreguntas(TDocumento& documento, QWidget* parent)
    : QWidget(parent), documento_(documento) {
    edBuscar = new QLineEdit(this);
    edBuscar->setClearButtonEnabled(true);
    cbFiltroTema = new QComboBox(this);
    cbFiltroTema->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    cbFiltroTema->setMinimumContentsLength(12);

    Filtro = new TFiltroPreguntas(this);
    Filtro->setSourceModel(&documento_);
    Tabla = new QTableView(this);
    Tabla->setModel(Filtro);
    Tabla->setSelectionBehavior(QAbstractItemView::SelectRows);
    Tabla->setSelectionMode(QAbstractItemView::SingleSelection);
    Tabla->setEditTriggers(QAbstractItemView::NoEditTriggers);
    Tabla->setDragDropMode(QAbstractItemView::InternalMove);
    Tabla->setDragEnabled(true);
    Tabla->setAcceptDrops(true);
    Tabla->setDropIndicatorShown(true);
    Tabla->setDragDropOverwriteMode(false);
    Tabla->setWordWrap(false);
    Tabla->setAlternatingRowColors(true);
    Tabla->setShowGrid(false);
    Tabla->setIconSize(QSize(14, 14));
    // Fixed row heights keep a list of ten thousand questions quick to scroll.
    Tabla->verticalHeader()->hide();
    Tabla->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    Tabla->verticalHeader()->setDefaultSectionSize(Tabla->fontMetrics().height() + 6);
    QHeaderView* cabecera = Tabla->horizontalHeader();
    cabecera->setSectionResizeMode(QHeaderView::Interactive);
    cabecera->setStretchLastSection(true);
    cabecera->setHighlightSections(false);
    Tabla->setColumnWidth(TDocumento::ColNumero,
                          Tabla->fontMetrics().horizontalAdvance(QStringLiteral("000000")) + 30);
    Tabla->setColumnWidth(TDocumento::ColTema, 110);
    cabecera->setSectionResizeMode(TDocumento::ColAcentos, QHeaderView::ResizeToContents);

    auto* filtros = new QHBoxLayout;
    filtros->addWidget(edBuscar, 1);
    filtros->addWidget(cbFiltroTema);
    auto* disposicion = new QVBoxLayout(this);
    disposicion->setContentsMargins(0, 0, 0, 0);
    disposicion->addLayout(filtros);
    disposicion->addWidget(Tabla);

    connect(edBuscar, &QLineEdit::textChanged, Filtro, &TFiltroPreguntas::PonBusqueda);
    connect(cbFiltroTema, &QComboBox::currentIndexChanged, this,
            &TListaPreguntas::cbFiltroTemaChange);
    connect(Tabla->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this] { emit FilaCambiada(FilaActual()); });

    // The topics offered for the filter follow the edits, a moment after a burst of them.
    temasPendientes_ = new QTimer(this);
    temasPendientes_->setSingleShot(true);
    temasPendientes_->setInterval(200);
    connect(temasPendientes_, &QTimer::timeout, this, &TListaPreguntas::OfreceTemas);
    connect(documento_.Pila(), &QUndoStack::indexChanged, temasPendientes_,
            qOverload<>(&QTimer::start));
    connect(&documento_, &TDocumento::DocumentoReemplazado, this, [this] {
        edBuscar->clear();
        OfreceTemas();
    });
    CambiaIdioma(TIdioma::Valenciano);
}

int TListaPreguntas::FilaActual() const {
    const QModelIndex actual = Filtro->mapToSource(Tabla->currentIndex());
    return actual.isValid() ? actual.row() : -1;
}

void TListaPreguntas::SeleccionaFila(int fila) {
    if (fila < 0 || fila >= documento_.Cuenta()) {
        Tabla->setCurrentIndex({});
        return;
    }
    QModelIndex indice = Filtro->mapFromSource(documento_.index(fila, 0));
    if (!indice.isValid()) {
        edBuscar->clear();
        cbFiltroTema->setCurrentIndex(0);
        indice = Filtro->mapFromSource(documento_.index(fila, 0));
    }
    Tabla->selectionModel()->setCurrentIndex(
        indice, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    Tabla->scrollTo(indice);
    // The signal comes only when the row changes; the fields may show another one.
    emit FilaCambiada(FilaActual());
}

void TListaPreguntas::OfreceTemas() {
    const int antes = cbFiltroTema->currentIndex();
    const QString elegido = antes > 0 ? temas_.value(antes - 1) : QString();
    QStringList temas;
    for (const TDocumento::TTemaContado& tema : documento_.Temas()) {
        if (temas.size() == TDocumento::kTemasOfrecidos)
            break;
        temas << tema.Nombre;
    }
    if (temas == temas_)
        return;
    temas_ = temas;
    const QSignalBlocker bloqueo(cbFiltroTema);
    while (cbFiltroTema->count() > 1)
        cbFiltroTema->removeItem(1);
    for (const QString& tema : temas)
        cbFiltroTema->addItem(TDocumento::TemaMostrado(tema));
    const int sigue = antes > 0 ? static_cast<int>(temas.indexOf(elegido)) : -1;
    cbFiltroTema->setCurrentIndex(sigue < 0 ? 0 : sigue + 1);
    cbFiltroTemaChange();
}

void TListaPreguntas::cbFiltroTemaChange() {
    const int elegido = cbFiltroTema->currentIndex();
    if (elegido > 0) {
        Filtro->PonTema(temas_.value(elegido - 1));
    } else {
        Filtro->QuitaTema();
    }
}

void TListaPreguntas::CambiaIdioma(TIdioma idioma) {
    edBuscar->setPlaceholderText(
        Texto(idioma, "Buscar en los textos (Ctrl+F)", "Cercar en els textos (Ctrl+F)"));
    const QString todos = Texto(idioma, "Todos los temas", "Tots els temes");
    if (cbFiltroTema->count() == 0) {
        cbFiltroTema->addItem(todos);
    } else {
        cbFiltroTema->setItemText(0, todos);
    }
}
