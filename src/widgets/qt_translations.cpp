#include "qt_translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

void TraduceQt(uint16_t idioma) {
    static QTranslator* traductor = nullptr;
    if (traductor != nullptr) {
        QCoreApplication::removeTranslator(traductor);
        delete traductor;
        traductor = nullptr;
    }
    auto* nuevo = new QTranslator;
    const QString nombre = idioma == 0 ? QStringLiteral("qt_es") : QStringLiteral("qt_ca");
    if (nuevo->load(nombre, QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QCoreApplication::installTranslator(nuevo);
        traductor = nuevo;
    } else {
        delete nuevo;
    }
}
