#include "dialog_setup.h"

#include <QDialog>
#include <QKeyEvent>
#include <QPushButton>
#include <QScreen>

QFont FuenteVentana(int puntos) {
    QFont fuente;
    fuente.setFamilies({QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans")});
    fuente.setPointSize(puntos);
    fuente.setStyleHint(QFont::SansSerif);
    return fuente;
}

void PreparaDialogo(QDialog* dialogo, int ancho, int alto) {
    dialogo->setFont(FuenteVentana());
    dialogo->setFixedSize(ancho, alto);
}

void CentraEnPantalla(QWidget* ventana) {
    const QRect zona = ventana->screen()->availableGeometry();
    ventana->move(zona.center() - ventana->rect().center());
}

bool PulsaConEscape(QKeyEvent* evento, QPushButton* boton) {
    if (evento->key() != Qt::Key_Escape || evento->modifiers() != Qt::NoModifier) {
        return false;
    }
    boton->click();
    return true;
}
