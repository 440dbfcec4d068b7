#include <QApplication>
#include <QCommandLineParser>

#include <cstring>
#include <iostream>

#include "editor_window.h"
#include "notices.h"
#include "version.h"

int main(int argc, char* argv[]) {
    // Answered before a display is needed, so that they work in any terminal.
    if (argc == 2 && std::strcmp(argv[1], "--version") == 0) {
        std::cout << "tildora-editor " TILDORA_VERSION "\n";
        return 0;
    }
    if (argc == 2 && std::strcmp(argv[1], "--help") == 0) {
        std::cout << "Usage: tildora-editor [--help | --version] [FILE]\n"
                     "Question set editor of Tildora: makes, checks and saves question files.\n"
                     "FILE is a question set (.preg, its .ind beside it) or a question source "
                     "text;\nwithout it the editor starts with a new set.\n";
        return 0;
    }
    QApplication aplicacion(argc, argv);
    aplicacion.setApplicationName(QStringLiteral("tildora-editor"));
    aplicacion.setApplicationVersion(QStringLiteral(TILDORA_VERSION));
    // The title of every message box; the same words in both interface languages.
    aplicacion.setApplicationDisplayName(QStringLiteral("Editor de Tildora"));
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
        ProtegeManejador([&ventana, &ruta] { ventana.Ficheros->Abre(ruta); });
    }
    return aplicacion.exec();
}
