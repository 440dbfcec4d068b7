// The program as a desktop session ends it: it opens the set named on its command line, shows
// a question, answers its gap right and corrects it, says "listo" with its desktop file name, and
// waits.
#include <QApplication>
#include <QLineEdit>

#include <cstdio>

#include "desktop_session.h"
#include "main_window.h"

int main(int argc, char* argv[]) {
    QApplication aplicacion(argc, argv);
    if (argc != 2)
        return 2;
    TfrmTildora ventana;
    EnlazaConEscritorio(ventana);
    ventana.show();
    const QString conjunto = QString::fromLocal8Bit(argv[1]);
    ventana.AbrePreguntas = [conjunto](const QString&) { return conjunto; };
    ventana.menuNuevoClick();
    ventana.menuSiguienteClick();
    ventana.Huecos[1]->setText(QStringLiteral("hueco"));
    ventana.menuCorregirClick();
    std::printf("listo %d %s\n", ventana.Sesion.Contestadas,
                qPrintable(QGuiApplication::desktopFileName()));
    std::fflush(stdout);
    return aplicacion.exec();
}
