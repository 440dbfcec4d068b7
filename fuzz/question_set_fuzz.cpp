#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <string>
#include <vector>

#include "fuzz_support.h"
#include "layout.h"
#include "question_files.h"
#include "topic_scan.h"
#include "writer.h"

// The input is split into a question file and an index file. Flags let the fuzzer forge the
// trailers and the key, so that it reaches the readers behind the checks.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* datos, size_t n) {
    static const TFicheroFuzz preguntas("set.preg");
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
    const std::string nombreIndice = NombreIndice(preguntas.Ruta());
    if (banderas & 4) {
        std::remove(nombreIndice.c_str());
    } else {
        EscribeFichero(nombreIndice, indice);
    }

    TAviso aviso;
    if (!CompruebaFicheros(preguntas.Ruta(), kClave, &aviso) && !(banderas & 8))
        return 0;
    if (banderas & 4)
        return 0;

    TFicherosPreguntas ficheros;
    ficheros.Abre(preguntas.Ruta());
    TLista lista;
    TTemasDePregunta temas;
    LeeTemas(ficheros, lista, temas);
    const int32_t usadas = std::min(ficheros.NumPreguntas(), 300);
    TMetricas metricas;
    metricas.AnchoTexto = [](std::string_view t) { return static_cast<int>(t.size()) * 7; };
    for (int32_t k = 1; k <= usadas; ++k) {
        const TPregunta pregunta = ficheros.LeePregunta(static_cast<uint16_t>(k));
        const TPlanPregunta plan = PlanificaPregunta(pregunta, static_cast<uint16_t>(k), metricas);
        if (plan.Huecos.size() > kTamanoPool)
            __builtin_trap();
    }
    return 0;
}
