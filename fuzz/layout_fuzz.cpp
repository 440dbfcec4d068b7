#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <string>

#include "core/text/layout.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* datos, size_t n) {
    FuzzedDataProvider entrada(datos, n);
    TPregunta pregunta;
    pregunta.Modo = entrada.ConsumeIntegral<uint8_t>();
    pregunta.AnchoMinimo = entrada.ConsumeIntegral<uint8_t>();
    TMetricas metricas;
    metricas.AnchoVentana = entrada.ConsumeIntegralInRange(0, 4000);
    pregunta.Tema = entrada.ConsumeRandomLengthString(64);
    pregunta.Texto = entrada.ConsumeRemainingBytesAsString();
    metricas.AnchoTexto = [](std::string_view t) { return static_cast<int>(t.size()) * 7; };

    std::string resto = pregunta.Texto, palabra;
    size_t tokens = 0;
    while (!resto.empty()) {
        const size_t antes = resto.size();
        SiguientePalabra(resto, palabra);
        if (resto.size() >= antes)
            __builtin_trap();  // every token shortens the text
        ++tokens;
    }
    const TPlanPregunta plan = PlanificaPregunta(pregunta, 1, metricas);
    if (plan.Huecos.size() > kTamanoPool || plan.Textos.size() > kTamanoPool)
        __builtin_trap();
    for (const TEtiquetaPlan& etiqueta : plan.Textos)
        if (etiqueta.Indice < 1 || etiqueta.Indice > kTamanoPool)
            __builtin_trap();
    (void)tokens;
    return 0;
}
