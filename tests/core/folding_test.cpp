#include "core/base/folding.h"

#include <gtest/gtest.h>

#include "core/base/win1252.h"

namespace {

std::string W(const char* utf8) {
    return *Windows1252DeUtf8(utf8);
}

}  // namespace

TEST(Folding, Examples) {
    struct Caso {
        const char* texto;
        const char* sinAcentos;
        const char* mayusculas;
    };
    const Caso casos[] = {
        {"Camión", "Camion", "CAMIÓN"},
        {"niño", "niño", "NIÑO"},
        {"pingüino", "pinguino", "PINGÜINO"},
        {"plaça", "plaça", "PLAçA"},
        {"Öl", "Ol", "ÖL"},
        {"öl", "ol", "ÖL"},
        {"ÀÁÂÄ ÈÉÊË ÌÍÎÏ ÒÓÔÖ ÙÚÛÜ Ý", "AAAA EEEE IIII OOOO UUUU Y", "ÀÁÂÄ ÈÉÊË ÌÍÎÏ ÒÓÔÖ ÙÚÛÜ Ý"},
        {"àáâä èéêë ìíîï òóôö ùúûü ý ÿ", "aaaa eeee iiii oooo uuuu y y",
         "ÀÁÂÄ ÈÉÊË ÌÍÎÏ ÒÓÔÖ ÙÚÛÜ ý ÿ"},
        {"ãåæçðõøþ", "ãåæçðõøþ", "ãåæçðõøþ"},  // neither table touches these
        {"ÃÅÆÇÐÑÕØÞß", "ÃÅÆÇÐÑÕØÞß", "ÃÅÆÇÐÑÕØÞß"},
        {"", "", ""},
    };
    for (const Caso& c : casos) {
        EXPECT_EQ(QuitaAcentos(W(c.texto)), W(c.sinAcentos)) << c.texto;
        EXPECT_EQ(Mayusculas(W(c.texto)), W(c.mayusculas)) << c.texto;
    }
}

TEST(Folding, BytesOutsideTheTablesPassThrough) {
    for (int b = 0; b < 256; ++b) {
        const std::string s(1, static_cast<char>(b));
        if (b < 192) {
            EXPECT_EQ(QuitaAcentos(s), s) << b;
        }
        if ((b < 'a' || b > 'z') && b < 224) {
            EXPECT_EQ(Mayusculas(s), s) << b;
        }
    }
}

TEST(Folding, LongStringsAreFoldedToTheEnd) {
    std::string texto;
    for (int i = 0; i < 100; ++i)
        texto += "\xE1z\xF1";  // á z ñ
    ASSERT_EQ(texto.size(), 300u);
    const std::string sin = QuitaAcentos(texto);
    const std::string may = Mayusculas(texto);
    ASSERT_EQ(sin.size(), 300u);
    EXPECT_EQ(sin.substr(297), "az\xF1");
    EXPECT_EQ(may.substr(297), "\xC1Z\xD1");
}
