#include "client_area.h"

#include <QScrollBar>

namespace {

// Room left above a control brought into view, as QScrollArea leaves: its answer label shows.
constexpr int kMargen = 50;

}  // namespace

TAreaCliente::TAreaCliente(QWidget* parent) : QScrollArea(parent) {
    setFrameShape(QFrame::NoFrame);
    setFocusPolicy(Qt::NoFocus);
    setWidgetResizable(true);
}

void TAreaCliente::FijaBarra(QWidget* barra) {
    Barra = barra;
    Barra->setAutoFillBackground(true);
    Barra->raise();
    auto* bajoBarra = new QWidget;
    bajoBarra->setFixedHeight(Barra->height());
    addScrollBarWidget(bajoBarra, Qt::AlignTop);
}

bool TAreaCliente::focusNextPrevChild(bool next) {
    if (!QScrollArea::focusNextPrevChild(next))
        return false;
    // QScrollArea takes a control under the toolbar for one in view; the toolbar counts as
    // the top of the view here.
    QWidget* foco = focusWidget();
    if (Barra != nullptr && foco != nullptr && widget()->isAncestorOf(foco)) {
        const int tapado = Barra->height() + kMargen - foco->mapTo(this, QPoint(0, 0)).y();
        if (tapado > 0)
            verticalScrollBar()->setValue(verticalScrollBar()->value() - tapado);
    }
    return true;
}
