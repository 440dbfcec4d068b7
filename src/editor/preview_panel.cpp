#include "preview_panel.h"

#include <QLabel>
#include <QLineEdit>

#include <algorithm>

#include "dialog_setup.h"

TPanelVistaPrevia::TPanelVistaPrevia(QWidget* parent) : QScrollArea(parent) {
    setFrameShape(QFrame::StyledPanel);
    setWidgetResizable(false);
    Cliente = new QWidget;
    // The exercise window's font and button-face background, so that the gaps stand out alike.
    Cliente->setFont(FuenteVentana());
    QPalette colores = Cliente->palette();
    colores.setColor(QPalette::Window, colores.color(QPalette::Button));
    Cliente->setPalette(colores);
    Cliente->setAutoFillBackground(true);
    Pool.CreaPlantillas(Cliente);
    Pool.CreaPool();
    for (int g = 1; g <= kTamanoPool; ++g) {
        // A preview: the teacher edits the text in the form, never in the gaps.
        Pool.Huecos[static_cast<size_t>(g)]->setReadOnly(true);
        Pool.Huecos[static_cast<size_t>(g)]->setFocusPolicy(Qt::NoFocus);
    }
    setWidget(Cliente);
    AjustaCliente();
}

void TPanelVistaPrevia::Muestra(const TPreguntaEditada& pregunta, int numero) {
    numHuecos_ = Pool.Muestra(TDocumento::EnBytes(pregunta), static_cast<uint16_t>(numero),
                              kAnchoVentana, true);
    AjustaCliente();
}

void TPanelVistaPrevia::Limpia() {
    numHuecos_ = 0;
    Pool.Limpia();
    AjustaCliente();
}

void TPanelVistaPrevia::AjustaCliente() {
    const QSize ocupado = Pool.Ocupado();
    // The button face fills the whole panel, not just the lines in use.
    Cliente->resize(std::max(kAnchoVentana, ocupado.width() + 16),
                    std::max(viewport()->height(), ocupado.height() + 24));
}

void TPanelVistaPrevia::resizeEvent(QResizeEvent* evento) {
    QScrollArea::resizeEvent(evento);
    AjustaCliente();
}
