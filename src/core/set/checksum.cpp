#include "core/set/checksum.h"

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <memory>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

int32_t FechaEmpaquetada(const std::string& ruta) {
    std::error_code error;
    const auto fecha = std::filesystem::last_write_time(ruta, error);
    if (error)
        return 0;
    return static_cast<int32_t>(
        std::chrono::duration_cast<std::chrono::seconds>(fecha.time_since_epoch()).count());
}

uint16_t AtributosDe(const std::string& ruta) {
    std::error_code error;
    const auto estado = std::filesystem::status(ruta, error);
    return error ? 0 : static_cast<uint16_t>(estado.permissions());
}

}  // namespace

uint32_t SumaBytes(const unsigned char* bloque, uint32_t suma, size_t n) {
    size_t i = 0;
#if defined(__SSE2__)
    // psadbw adds 8 bytes at a time into 64-bit lanes, far faster than a byte loop.
    __m128i acumulado = _mm_setzero_si128();
    const __m128i cero = _mm_setzero_si128();
    for (; i + 16 <= n; i += 16) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bloque + i));
        acumulado = _mm_add_epi64(acumulado, _mm_sad_epu8(v, cero));
    }
    uint64_t lanes[2];
    _mm_storeu_si128(reinterpret_cast<__m128i*>(lanes), acumulado);
    suma += static_cast<uint32_t>(lanes[0] + lanes[1]);
#endif
    for (; i < n; ++i)
        suma += bloque[i];
    return suma;
}

uint32_t SumaBytes(const unsigned char* bloque, uint32_t suma, uint16_t n) {
    return SumaBytes(bloque, suma, static_cast<size_t>(n));
}

void TCheckSum::Abre(const std::string& nombre) {
    if (!ExisteFichero(nombre)) {
        Abierto = false;
        return;
    }
    Atributos = AtributosDe(nombre);
    Fichero.Abre(nombre, TFichero::TModo::Lectura);
    Fecha = FechaEmpaquetada(nombre);
    Tamano = Fichero.Tamano();
    LongitudCola = kLongitudCola;
    LongitudSuma = 4;
    Abierto = true;
    ConCheckSum = TieneCheckSum();
    Ruta = nombre;
}

void TCheckSum::Cierra() {
    if (Abierto)
        Fichero.Cierra();
}

bool TCheckSum::TieneCheckSum() {
    if (!Abierto || !Fichero.Abierto() || Tamano < LongitudCola)
        return false;
    unsigned char cola[kLongitudCola];
    Fichero.Posiciona(Tamano - kLongitudCola);
    if (Fichero.LeeBloque(cola, kLongitudCola) < kLongitudCola)
        return false;
    return std::equal(kMagiaCheckSum.begin(), kMagiaCheckSum.end(), cola);
}

uint32_t TCheckSum::CheckSumGuardado() {
    if (!Abierto || !ConCheckSum || !Fichero.Abierto())
        return 0;
    unsigned char suma[4] = {};
    Fichero.Posiciona(Tamano - 4);
    Fichero.LeeBloque(suma, 4);
    return LeeEntero32(suma);
}

uint32_t TCheckSum::CheckSumCalculado() {
    if (!Abierto || !Fichero.Abierto())
        return 0;
    int64_t resto = Tamano - (ConCheckSum ? LongitudCola : 0);
    const auto bloque = std::make_unique<unsigned char[]>(kBloqueSuma);
    int64_t tamano = kBloqueSuma;
    uint32_t suma = 0;
    Fichero.Posiciona(0);
    while (resto > 0) {
        if (resto < tamano)
            tamano = resto;
        resto -= tamano;
        const size_t leidos = Fichero.LeeBloque(bloque.get(), static_cast<size_t>(tamano));
        suma = SumaBytes(bloque.get(), suma, static_cast<uint16_t>(leidos));
    }
    return suma;
}

bool CompruebaCheckSum(const std::string& nombre, TAviso* aviso) {
    const auto avisa = [&](const char* texto) {
        if (aviso)
            *aviso = {texto, NombreDesnudo(nombre)};
        return false;
    };
    if (!ExisteFichero(nombre))
        return avisa("Fichero no encontrado:");
    TCheckSum comprobacion;
    comprobacion.Abre(nombre);
    bool correcto = false;
    if (!comprobacion.TieneCheckSum()) {
        avisa("Fichero sin CheckSum:");
    } else if (comprobacion.CheckSumGuardado() == comprobacion.CheckSumCalculado()) {
        correcto = true;
    } else {
        avisa("Fichero con CheckSum erróneo:");
    }
    comprobacion.Cierra();
    return correcto;
}
