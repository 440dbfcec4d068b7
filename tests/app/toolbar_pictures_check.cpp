// Run beside an installed package (scripts/test_newer_debian.sh): the main window's toolbar as
// that system's Qt draws it. Exit status 0 when every picture button shows a picture.
#include <QApplication>
#include <QFrame>
#include <QImage>
#include <QToolButton>

#include <iostream>

#include "main_window.h"
#include "temp_folder.h"

namespace {

bool TieneTinta(const QImage& imagen) {
    for (int y = 0; y < imagen.height(); ++y)
        for (int x = 0; x < imagen.width(); ++x)
            if (qAlpha(imagen.pixel(x, y)) != 0)
                return true;
    return false;
}

}  // namespace

int main(int argc, char** argv) {
    const TCasaTemporal casa;
    QApplication aplicacion(argc, argv);
    TfrmTildora ventana;
    ventana.show();
    int vistos = 0, sinDibujo = 0;
    for (const QToolButton* boton : ventana.PanelSuperior->findChildren<QToolButton*>()) {
        // The about button is a bold "?" by design.
        if (boton == ventana.btnSobreProg)
            continue;
        const bool visto = !boton->icon().isNull() &&
                           TieneTinta(boton->icon().pixmap(boton->iconSize()).toImage());
        std::cout << (visto ? "shown: " : "MISSING: ") << boton->toolTip().toStdString() << "\n";
        ++(visto ? vistos : sinDibujo);
    }
    std::cout << "toolbar pictures: " << vistos << " shown, " << sinDibujo << " missing\n";
    return vistos > 0 && sinDibujo == 0 ? 0 : 1;
}
