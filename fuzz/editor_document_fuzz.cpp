#include <QGuiApplication>
#include <QString>
#include <QStringList>

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <string>
#include <vector>

#include "document.h"
#include "fuzz_support.h"
#include "question_files.h"
#include "writer.h"

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication aplicacion(*argc, *argv);
    return 0;
}

// The editor opens the set that the input makes, as question_set_fuzz splits it, then saves it
// elsewhere: a set that fails to open leaves the document as it was, and what the editor saves it
// opens again with the very questions it saved.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* datos, size_t n) {
    static const TFicheroFuzz preguntas("set.preg");
    static const TFicheroFuzz copia("copia.preg");
    FuzzedDataProvider entrada(datos, n);
    const uint8_t banderas = entrada.ConsumeIntegral<uint8_t>();
    std::string indice = entrada.ConsumeRandomLengthString(1 << 19);
    std::string registros = entrada.ConsumeRemainingBytesAsString();
    if (banderas & 1)
        AplicaClave(reinterpret_cast<unsigned char*>(registros.data()), kClave, registros.size());
    if (banderas & 2) {
        registros = ConCheckSum(std::move(registros));
        indice = ConCheckSum(std::move(indice));
    }
    preguntas.Escribe(registros);
    EscribeFichero(NombreIndice(preguntas.Ruta()), indice);

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
