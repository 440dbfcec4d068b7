#include <cstdint>
#include <string_view>

#include "core/authoring/source_format.h"
#include "core/set/writer.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* datos, size_t n) {
    const TFuenteLeida fuente =
        LeeFuente(std::string_view(reinterpret_cast<const char*>(datos), n));
    if (fuente.Error) {
        if (!fuente.Preguntas.empty() || fuente.Error->Linea < 1 || fuente.Error->Mensaje.empty())
            __builtin_trap();
        return 0;
    }
    if (fuente.Preguntas.empty() || fuente.Preguntas.size() != fuente.Lineas.size())
        __builtin_trap();
    for (const TPregunta& pregunta : fuente.Preguntas) {
        const std::string registro = EmpaquetaPregunta(pregunta);
        if (registro.size() > kLongitudRegistro || ByteNoEscribible(pregunta) != -1)
            __builtin_trap();
        // Every accepted question survives packing into a record.
        if (DesempaquetaPregunta(reinterpret_cast<const unsigned char*>(registro.data()),
                                 registro.size()) != pregunta)
            __builtin_trap();
    }
    // Written back as a source, the questions read the same.
    const TFuenteLeida otra = LeeFuente(EscribeFuente(fuente.Preguntas, "fuzz"));
    if (otra.Error || otra.Preguntas != fuente.Preguntas)
        __builtin_trap();
    return 0;
}
