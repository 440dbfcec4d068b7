#include "qt_translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

void TraduceQt(TIdioma idioma) {
    static QTranslator* traductor = nullptr;
    if (traductor != nullptr) {
        QCoreApplication::removeTranslator(traductor);
        delete traductor;
        traductor = nullptr;
    }
    auto* nuevo = new QTranslator;
    const QString nombre = QString::fromLatin1(Elige(idioma, "qt_es", "qt_ca"));
    if (nuevo->load(nombre, QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QCoreApplication::installTranslator(nuevo);
        traductor = nuevo;
    } else {
        delete nuevo;
    }
}
