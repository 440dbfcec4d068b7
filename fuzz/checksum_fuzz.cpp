#include <cstdint>

#include "core/set/checksum.h"
#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* datos, size_t n) {
    static const TFicheroFuzz fichero("f.preg");
    fichero.Escribe(datos, n);
    TCheckSum cs;
    cs.Abre(fichero.Ruta());
    const bool conCola = cs.TieneCheckSum();
    const uint32_t guardado = cs.CheckSumGuardado();
    const uint32_t calculado = cs.CheckSumCalculado();
    cs.Cierra();
    if (!conCola && guardado != 0)
        __builtin_trap();
    if (calculado != SumaBytes(datos, 0u, conCola ? n - kLongitudCola : n))
        __builtin_trap();
    TAviso aviso;
    if (CompruebaCheckSum(fichero.Ruta(), &aviso) != (conCola && guardado == calculado))
        __builtin_trap();
    return 0;
}
