#include "core/set/checksum.h"
#include "core/base/atomic_write.h"

#include <gtest/gtest.h>

#include <vector>

#include "core/set/writer.h"
#include "temp_folder.h"

namespace {

const std::string kMagia(reinterpret_cast<const char*>(kMagiaCheckSum.data()), 8);

std::string Suma(uint32_t s) {
    return {static_cast<char>(s & 0xFF), static_cast<char>(s >> 8 & 0xFF),
            static_cast<char>(s >> 16 & 0xFF), static_cast<char>(s >> 24 & 0xFF)};
}

}  // namespace

TEST(CheckSum, TrailerCases) {
    struct Caso {
        const char* nombre;
        std::string bytes;
        bool conCola;
        uint32_t guardado;
        uint32_t calculado;
        const char* aviso;  // nullptr: valid
    };
    const std::string bloqueYUno(61441, '\x01');
    const std::vector<Caso> casos = {
        {"vacio", "", false, 0, 0, "Fichero sin CheckSum:"},
        {"once", std::string(11, 'x'), false, 0, 11 * 'x', "Fichero sin CheckSum:"},
        {"solo cola", kMagia + Suma(0), true, 0, 0, nullptr},
        {"solo cola con suma", kMagia + Suma(1), true, 1, 0, "Fichero con CheckSum erróneo:"},
        {"abc", "abc" + kMagia + std::string("\x26\x01\x00\x00", 4), true, 0x126, 0x126, nullptr},
        {"magia en otra caja",
         "abc\x1A"
         "Chk"
         "VReK" +
             Suma(0x126),
         false, 0, 3 * 0 + 0x126 + 0x1A + 'C' + 'h' + 'k' + 'V' + 'R' + 'e' + 'K' + 0x26 + 0x01,
         "Fichero sin CheckSum:"},
        {"bytes altos", std::string("\xFF\x80", 2) + kMagia + Suma(0x17F), true, 0x17F, 0x17F,
         nullptr},
        {"sin cola", "hola", false, 0, 'h' + 'o' + 'l' + 'a', "Fichero sin CheckSum:"},
        {"dos bloques", bloqueYUno + kMagia + Suma(61441), true, 61441, 61441, nullptr},
    };
    TCarpetaTemporal carpeta;
    for (const Caso& c : casos) {
        const std::string ruta = carpeta.En("f.preg");
        EscribeFichero(ruta, c.bytes);
        TCheckSum cs;
        cs.Abre(ruta);
        EXPECT_TRUE(cs.Abierto) << c.nombre;
        EXPECT_EQ(cs.ConCheckSum, c.conCola) << c.nombre;
        EXPECT_EQ(cs.TieneCheckSum(), c.conCola) << c.nombre;
        EXPECT_EQ(cs.CheckSumGuardado(), c.guardado) << c.nombre;
        EXPECT_EQ(cs.CheckSumCalculado(), c.calculado) << c.nombre;
        cs.Cierra();

        TAviso aviso;
        EXPECT_EQ(CompruebaCheckSum(ruta, &aviso), c.aviso == nullptr) << c.nombre;
        if (c.aviso) {
            EXPECT_EQ(aviso, (TAviso{c.aviso, "f.preg"})) << c.nombre;
        }
    }
}

TEST(CheckSum, MissingFile) {
    TCarpetaTemporal carpeta;
    TCheckSum cs;
    cs.Abre(carpeta.En("nada.preg"));
    EXPECT_FALSE(cs.Abierto);
    EXPECT_EQ(cs.CheckSumGuardado(), 0u);
    EXPECT_EQ(cs.CheckSumCalculado(), 0u);
    TAviso aviso;
    EXPECT_FALSE(CompruebaCheckSum(carpeta.En("nada.preg"), &aviso));
    EXPECT_EQ(aviso, (TAviso{"Fichero no encontrado:", "nada.preg"}));
}

TEST(CheckSum, SumWrapsModulo2To32) {
    std::vector<unsigned char> bloque(60000, 0xFF);
    EXPECT_EQ(SumaBytes(bloque.data(), 0xFFFFFFF0u, uint16_t{2}), 0xFFFFFFF0u + 2 * 0xFFu);
    EXPECT_EQ(SumaBytes(bloque.data(), 7u, uint16_t{0}), 7u);
    uint32_t esperado = 0xFFFFFF00u;
    for (size_t i = 0; i < bloque.size(); ++i)
        esperado += 0xFF;
    EXPECT_EQ(SumaBytes(bloque.data(), 0xFFFFFF00u, bloque.size()), esperado);
    // Every length and alignment agrees with a plain byte loop.
    std::vector<unsigned char> datos(300);
    for (size_t i = 0; i < datos.size(); ++i)
        datos[i] = static_cast<unsigned char>(i * 37 + 11);
    for (size_t inicio = 0; inicio < 17; ++inicio)
        for (size_t n = 0; n + inicio <= datos.size(); n += 13) {
            uint32_t lento = 5;
            for (size_t i = 0; i < n; ++i)
                lento += datos[inicio + i];
            EXPECT_EQ(SumaBytes(datos.data() + inicio, 5u, n), lento);
        }
}
