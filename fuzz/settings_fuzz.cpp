#include <cstdint>

#include "core/set/settings.h"
#include "core/set/writer.h"
#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* datos, size_t n) {
    static const TFicheroFuzz fichero("set.cfg");
    if (n > 0 && (datos[0] & 1)) {
        // Forge the trailer so the record itself is read.
        fichero.Escribe(ConCheckSum(std::string(reinterpret_cast<const char*>(datos) + 1, n - 1)));
    } else {
        fichero.Escribe(datos, n);
    }
    TLista lista;
    for (int i = 0; i < 210; ++i)
        lista.Anade(std::to_string(i));
    TConfiguracion configuracion;
    const std::string carpeta = fichero.Ruta().substr(0, fichero.Ruta().rfind('/'));
    RestauraConfiguracion(fichero.Ruta(), carpeta, "/x/set.preg", configuracion, lista);
    return 0;
}
