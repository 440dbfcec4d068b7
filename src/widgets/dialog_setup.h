#pragma once

#include <QFont>

class QDialog;
class QKeyEvent;
class QPushButton;
class QWidget;

// "MS Sans Serif"; where it is missing, Liberation Sans keeps its metrics close.
QFont FuenteVentana(int puntos = 8);

// Font and fixed client size shared by the secondary windows.
void PreparaDialogo(QDialog* dialogo, int ancho, int alto);

// Puts the window in the middle of its screen, not of its owner.
void CentraEnPantalla(QWidget* ventana);

// For a window whose one button is also its cancel button: Esc clicks it. True when it did.
bool PulsaConEscape(QKeyEvent* evento, QPushButton* boton);
