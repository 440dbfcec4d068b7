#include "desktop_session.h"

#include <QApplication>
#include <QSessionManager>
#include <QSocketNotifier>

#include <sys/socket.h>
#include <unistd.h>

#include <csignal>

#include "main_window.h"
#include "notices.h"

namespace {

// The signal handler's end of a socket pair and the event loop's end.
int tuberia[2] = {-1, -1};

void AlRecibirSenal(int) {
    // A handler may do next to nothing safely: one write, which the event loop then reads.
    const char byte = 1;
    [[maybe_unused]] const ssize_t escrito = ::write(tuberia[0], &byte, 1);
}

bool PreparaTuberia() {
    if (tuberia[0] != -1)
        return true;
    if (::socketpair(AF_UNIX, SOCK_STREAM, 0, tuberia) != 0)
        return false;
    struct sigaction accion = {};
    accion.sa_handler = AlRecibirSenal;
    sigemptyset(&accion.sa_mask);
    accion.sa_flags = SA_RESTART;
    for (const int senal : {SIGTERM, SIGINT, SIGHUP})
        sigaction(senal, &accion, nullptr);
    return true;
}

}  // namespace

void EnlazaConEscritorio(TfrmTildora& ventana) {
    QGuiApplication::setDesktopFileName(QStringLiteral("org.tildora.Tildora"));

    auto* aplicacion = qobject_cast<QGuiApplication*>(QCoreApplication::instance());
    QObject::connect(aplicacion, &QGuiApplication::commitDataRequest, &ventana,
                     [&ventana](QSessionManager&) {
                         // The session may still be cancelled: the set is closed, the window
                         // stays.
                         ventana.Protege([&ventana] {
                             ventana.CierraFicheros();
                             ventana.LimpiaPregunta();
                             ventana.CambiaIdioma(ventana.Idioma);
                         });
                     });

    if (!PreparaTuberia())
        return;
    auto* aviso = new QSocketNotifier(tuberia[1], QSocketNotifier::Read, &ventana);
    QObject::connect(aviso, &QSocketNotifier::activated, &ventana, [&ventana] {
        char byte = 0;
        [[maybe_unused]] const ssize_t leido = ::read(tuberia[1], &byte, 1);
        ventana.menuTerminarClick();
        // A modal dialog open at that moment must not keep the program alive.
        QCoreApplication::quit();
    });
}
