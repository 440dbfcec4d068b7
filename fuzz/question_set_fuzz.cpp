#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "core/set/question_files.h"
#include "core/set/topic_scan.h"
#include "core/set/writer.h"
#include "core/text/layout.h"
#include "fuzz_support.h"

// Flag 4 leaves the index out; flag 8 reads a set that fails the checks all the same.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* datos, size_t n) {
    static const TFicheroFuzz preguntas("set.preg");
    const uint8_t banderas = EscribeConjuntoFuzz(datos, n, preguntas);
    if (banderas & 4)
        std::remove(NombreIndice(preguntas.Ruta()).c_str());

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
