#include <QApplication>

#include "main_window.h"

int main(int argc, char* argv[]) {
    QApplication aplicacion(argc, argv);
    aplicacion.setApplicationDisplayName(QStringLiteral("Tildora"));
    TfrmTildora ventana;
    ventana.show();
    return aplicacion.exec();
}
