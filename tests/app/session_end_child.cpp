// The program as a desktop session ends it: it opens the set named on its command line, shows
// a question, answers its gap right and corrects it, says "listo" with its desktop file name, and
// waits: idle, with a modal dialog open ("ir-a", "temas", "historial"), or busy for two seconds
// in a handler ("ocupado").
#include <QApplication>
#include <QLineEdit>
#include <QThread>
#include <QTimer>

#include <cstdio>
#include <cstring>

#include "desktop_session.h"
#include "main_window.h"

int main(int argc, char* argv[]) {
    QApplication aplicacion(argc, argv);
    if (argc != 2 && argc != 3)
        return 2;
    const char* espera = argc == 3 ? argv[2] : "";
    TfrmTildora ventana;
    EnlazaConEscritorio(ventana);
    ventana.show();
    const QString conjunto = QString::fromLocal8Bit(argv[1]);
    ventana.AbrePreguntas = [conjunto](const QString&) { return conjunto; };
    ventana.menuNuevoClick();
    ventana.menuSiguienteClick();
    ventana.Huecos[1]->setText(QStringLiteral("hueco"));
    ventana.menuCorregirClick();
    const auto listo = [&ventana] {
        std::printf("listo %d %s\n", ventana.Sesion.Contestadas(),
                    qPrintable(QGuiApplication::desktopFileName()));
        std::fflush(stdout);
    };
    // Run from the event loop, as a click would: the modal dialog's loop runs inside it.
    QTimer::singleShot(0, &ventana, [&ventana, espera, listo] {
        if (std::strcmp(espera, "ocupado") == 0) {
            listo();
            QThread::sleep(2);
            return;
        }
        QTimer::singleShot(100, &ventana, listo);
        if (std::strcmp(espera, "ir-a") == 0)
            ventana.menuIrAClick();
        else if (std::strcmp(espera, "temas") == 0)
            ventana.menuTemasClick();
        else if (std::strcmp(espera, "historial") == 0)
            ventana.menuHistorialClick();
    });
    return aplicacion.exec();
}
