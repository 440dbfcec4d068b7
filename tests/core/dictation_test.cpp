#include "core/dictation/dictation.h"

#include <gtest/gtest.h>

#include "test_questions.h"

namespace {

using TEstado = TPalabraDictada::TEstado;

// One letter a word: B right, M misspelt, F missing, S extra.
std::string Marcas(const std::vector<TPalabraDictada>& palabras) {
    std::string marcas;
    for (const TPalabraDictada& p : palabras)
        marcas += p.Estado == TEstado::Bien    ? 'B'
                  : p.Estado == TEstado::Mal   ? 'M'
                  : p.Estado == TEstado::Falta ? 'F'
                                               : 'S';
    return marcas;
}

TEST(ComparaDictado, MarksEachWord) {
    const struct {
        const char* Caso;
        const char* Texto;
        const char* Escrito;
        const char* Marcas;
    } casos[] = {
        {"all right", "El niño vino.", "El niño vino.", "BBB"},
        {"missing", "El niño vino ayer.", "El vino ayer.", "BFBB"},
        {"missing at the end", "El niño vino ayer.", "El niño", "BBFF"},
        {"extra", "El niño vino.", "El niño no vino.", "BBSB"},
        {"accent only", "Él está aquí.", "El esta aquí.", "MMB"},
        {"letters", "Había hierba verde.", "Abía ierva verde.", "MMB"},
        {"case ignored", "La Ciudad de Valencia.", "la ciudad DE valencia", "BBBB"},
        {"punctuation not compared", "¿Vienes? Sí, ahora.", "Vienes sí ahora", "BBB"},
        {"repeated word missing", "Que que venga.", "Que venga.", "BFB"},
        {"repeated word extra", "Que venga.", "Que que venga.", "BSB"},
        {"nothing written", "Dos palabras.", "", "FF"},
        {"only extra", "", "hola", "S"},
        {"middle dot and apostrophe", "L'home col·labora.", "L'home colabora.", "BBM"},
    };
    for (const auto& caso : casos) {
        const std::vector<TPalabraDictada> palabras =
            ComparaDictado(W(caso.Texto), W(caso.Escrito));
        EXPECT_EQ(Marcas(palabras), caso.Marcas) << caso.Caso;
    }
}

TEST(ComparaDictado, KeepsBothSpellingsOfAWrongWord) {
    const std::vector<TPalabraDictada> palabras = ComparaDictado(W("Ya está."), W("ya esta tal"));
    ASSERT_EQ(palabras.size(), 3u);
    EXPECT_EQ(palabras[0], (TPalabraDictada{TEstado::Bien, "Ya", "ya"}));
    EXPECT_EQ(palabras[1], (TPalabraDictada{TEstado::Mal, W("está"), "esta"}));
    EXPECT_EQ(palabras[2], (TPalabraDictada{TEstado::Sobra, "", "tal"}));
    EXPECT_EQ(CuentaDictado(palabras), (TRecuentoDictado{1, 1, 0, 1}));
}

}  // namespace
