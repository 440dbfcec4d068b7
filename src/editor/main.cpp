#include <QApplication>
#include <QCommandLineParser>

#include "editor_window.h"
#include "notices.h"

int main(int argc, char* argv[]) {
    QApplication aplicacion(argc, argv);
    aplicacion.setApplicationName(QStringLiteral("tildora-editor"));
    aplicacion.setApplicationVersion(QStringLiteral(TILDORA_VERSION));
    QGuiApplication::setDesktopFileName(QStringLiteral("org.tildora.TildoraEditor"));

    QCommandLineParser opciones;
    opciones.setApplicationDescription(
        QStringLiteral("Question set editor of Tildora: makes, checks and saves question files."));
    opciones.addHelpOption();
    opciones.addVersionOption();
    opciones.addPositionalArgument(QStringLiteral("FILE"),
                                   QStringLiteral("A question set (.preg) or a question source "
                                                  "text to open."),
                                   QStringLiteral("[FILE]"));
    opciones.process(aplicacion);

    TfrmEditor ventana;
    ventana.show();
    if (!opciones.positionalArguments().isEmpty()) {
        const QString ruta = opciones.positionalArguments().first();
        ProtegeManejador([&ventana, &ruta] { ventana.Abre(ruta); });
    }
    return aplicacion.exec();
}
