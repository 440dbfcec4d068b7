#include <QApplication>
#include <QTimer>

#include <cstring>
#include <iostream>

#include "about_box.h"
#include "dedication_window.h"
#include "desktop_session.h"
#include "go_to_dialog.h"
#include "main_window.h"
#include "topics_dialog.h"
#include "version.h"
#include "wait_notice.h"

namespace {

constexpr const char* kUso = "Usage: tildora [--help | --version | SET.preg]\n";

constexpr const char* kAyuda =
    "Practise spelling by filling the gaps of short texts. Given a question file set (.preg),\n"
    "the program opens it as the first toolbar button would once the file is chosen; without\n"
    "one it starts with no set open. Settings and history are kept in $XDG_DATA_HOME/Tildora\n"
    "(by default ~/.local/share/Tildora).\n";

}  // namespace

int main(int argc, char* argv[]) {
    // Answered before a display is needed.
    if (argc == 2 && std::strcmp(argv[1], "--version") == 0) {
        std::cout << "tildora " TILDORA_VERSION "\n";
        return 0;
    }
    if (argc == 2 && std::strcmp(argv[1], "--help") == 0) {
        std::cout << kUso << kAyuda;
        return 0;
    }
    QApplication aplicacion(argc, argv);
    // The application's title. Not the display name: Qt would append that to every caption.
    aplicacion.setApplicationName(QStringLiteral("Tildora"));
    // Qt has taken its own options out by now; what is left is the set, if any.
    const QStringList argumentos = QCoreApplication::arguments().mid(1);
    if (argumentos.size() > 1 || (argumentos.size() == 1 && argumentos[0].startsWith('-'))) {
        std::cerr << kUso;
        return 2;
    }
    TfrmTildora frmTildora;
    EnlazaConEscritorio(frmTildora);
    // Start-up instances, never shown: every use creates a fresh window.
    TfrmAviso frmAviso;
    TfrmSobreElPrograma frmSobreElPrograma;
    TfrmLeeInicial frmLeeInicial;
    TfrmTemas frmTemas;
    TfrmDedicatoria frmDedicatoria;
    frmTildora.show();
    if (argumentos.size() == 1)
        QTimer::singleShot(0, &frmTildora, [&frmTildora, conjunto = argumentos[0]] {
            frmTildora.Protege([&] { frmTildora.AbreFicheroElegido(conjunto); });
        });
    return aplicacion.exec();
}
