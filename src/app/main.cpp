#include <QApplication>

#include "about_box.h"
#include "dedication_window.h"
#include "desktop_session.h"
#include "go_to_dialog.h"
#include "main_window.h"
#include "topics_dialog.h"
#include "wait_notice.h"

int main(int argc, char* argv[]) {
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
