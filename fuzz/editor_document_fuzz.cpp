#include <QGuiApplication>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <vector>

#include "document.h"
#include "fuzz_support.h"

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication aplicacion(*argc, *argv);
    return 0;
}

// The editor opens the set that the input makes, then saves it elsewhere: a set that fails to
// open leaves the document as it was, and what the editor saves it opens again with the very
// questions it saved.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* datos, size_t n) {
    static const TFicheroFuzz preguntas("set.preg");
    static const TFicheroFuzz copia("copia.preg");
    EscribeConjuntoFuzz(datos, n, preguntas);

    TDocumento documento;
    const std::vector<TPreguntaEditada> antes = documento.Preguntas();
    QStringList aviso;
    QString error;
    if (!documento.AbreConjunto(QString::fromStdString(preguntas.Ruta()), &aviso, &error)) {
        if (documento.Preguntas() != antes)
            __builtin_trap();
        return 0;
    }
    const QString rutaCopia = QString::fromStdString(copia.Ruta());
    if (!documento.GuardaConjunto(rutaCopia, &error))
        return 0;
    TDocumento reabierto;
    if (!reabierto.AbreConjunto(rutaCopia, &aviso, &error) ||
        reabierto.Preguntas() != documento.Preguntas())
        __builtin_trap();
    return 0;
}
