#include "text_zoom.h"

#include <QKeySequence>
#include <QShortcut>
#include <QWheelEvent>
#include <QWidget>

#include <algorithm>

TZoomTexto::TZoomTexto(QWidget* ventana, QWidget* pregunta,
                       std::function<void(int porCiento)> aplica)
    : QObject(ventana), Aplica(std::move(aplica)) {
    const auto atajo = [this, ventana](QKeyCombination teclas, void (TZoomTexto::*accion)()) {
        auto* corto = new QShortcut(QKeySequence(teclas), ventana);
        connect(corto, &QShortcut::activated, this, accion);
    };
    atajo(Qt::CTRL | Qt::Key_Plus, &TZoomTexto::Amplia);
    // Where plus needs Shift, Ctrl with the key that holds it.
    atajo(Qt::CTRL | Qt::Key_Equal, &TZoomTexto::Amplia);
    atajo(Qt::CTRL | Qt::Key_Minus, &TZoomTexto::Reduce);
    atajo(Qt::CTRL | Qt::Key_0, &TZoomTexto::Restablece);
    pregunta->installEventFilter(this);
}

void TZoomTexto::Amplia() {
    Pon(PorCiento_ + kPaso);
}

void TZoomTexto::Reduce() {
    Pon(PorCiento_ - kPaso);
}

void TZoomTexto::Restablece() {
    Pon(kMinimo);
}

void TZoomTexto::Pon(int porCiento) {
    porCiento = std::clamp(porCiento, kMinimo, kMaximo);
    if (porCiento == PorCiento_)
        return;
    PorCiento_ = porCiento;
    Aplica(PorCiento_);
}

bool TZoomTexto::eventFilter(QObject* objeto, QEvent* evento) {
    if (evento->type() != QEvent::Wheel)
        return QObject::eventFilter(objeto, evento);
    const auto* rueda = static_cast<QWheelEvent*>(evento);
    if (!(rueda->modifiers() & Qt::ControlModifier)) {
        GiroPendiente = 0;
        return false;
    }
    // One step per notch of a common wheel (120 eighths of a degree).
    GiroPendiente += rueda->angleDelta().y();
    while (GiroPendiente >= 120) {
        GiroPendiente -= 120;
        Amplia();
    }
    while (GiroPendiente <= -120) {
        GiroPendiente += 120;
        Reduce();
    }
    return true;
}
