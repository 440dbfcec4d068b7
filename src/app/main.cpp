#include <QApplication>

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

constexpr const char* kAyuda =
    "Usage: tildora [--help | --version]\n"
    "Practise spelling by filling the gaps of short texts. Open a question file set (.preg)\n"
    "with the first toolbar button. Settings and history are kept in $XDG_DATA_HOME/Tildora\n"
    "(by default ~/.local/share/Tildora).\n";

}  // namespace

int main(int argc, char* argv[]) {
    // The only command line the program reads, answered before a display is needed.
    if (argc == 2 && std::strcmp(argv[1], "--version") == 0) {
        std::cout << "tildora " TILDORA_VERSION "\n";
        return 0;
    }
    if (argc == 2 && std::strcmp(argv[1], "--help") == 0) {
        std::cout << kAyuda;
        return 0;
    }
    QApplication aplicacion(argc, argv);
    // The application's title. Not the display name: Qt would append that to every caption.
    aplicacion.setApplicationName(QStringLiteral("Tildora"));
    TfrmTildora frmTildora;
    EnlazaConEscritorio(frmTildora);
    // Start-up instances, never shown: every use creates a fresh window.
    TfrmAviso frmAviso;
    TfrmSobreElPrograma frmSobreElPrograma;
    TfrmLeeInicial frmLeeInicial;
    TfrmTemas frmTemas;
    TfrmDedicatoria frmDedicatoria;
    frmTildora.show();
    return aplicacion.exec();
}
