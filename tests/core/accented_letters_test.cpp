#include "core/learning/accented_letters.h"

#include <gtest/gtest.h>

TEST(AccentedLetters, EachVowelCyclesThroughItsAccents) {
    const std::u32string_view ciclos[] = {U"aáà", U"eéè", U"iíï", U"oóò", U"uúü",
                                          U"AÁÀ", U"EÉÈ", U"IÍÏ", U"OÓÒ", U"UÚÜ"};
    for (const std::u32string_view ciclo : ciclos) {
        char32_t letra = ciclo[0];
        for (size_t paso = 1; paso <= ciclo.size(); ++paso) {
            letra = SiguienteAcento(letra);
            EXPECT_EQ(letra, ciclo[paso % ciclo.size()]) << static_cast<uint32_t>(ciclo[0]);
            EXPECT_EQ(VocalSinAcento(letra), ciclo[0]);
        }
    }
    for (const char32_t otra : {U'n', U'ñ', U'ç', U'l', U'·', U' ', U'¿', U'y', U'â', U'\0'}) {
        EXPECT_EQ(SiguienteAcento(otra), 0) << static_cast<uint32_t>(otra);
        EXPECT_EQ(VocalSinAcento(otra), otra);
    }
}

TEST(AccentedLetters, WhereALetterGoesInAGap) {
    const struct {
        std::u32string_view texto;
        size_t cursor, seleccionados, maximo;
        std::u32string_view letra;
        TColocacion esperada;
    } casos[] = {
        {U"cami", 4, 0, 6, U"ó", TColocacion::Inserta},
        {U"", 0, 0, 1, U"ç", TColocacion::Inserta},
        {U"co", 2, 0, 10, U"l·l", TColocacion::Inserta},
        {U"col", 3, 0, 5, U"l·l", TColocacion::Rechaza},  // three characters, room for two
        {U"camion", 5, 0, 6, U"ó", TColocacion::SustituyeAnterior},  // "camio|n"
        {U"camion", 6, 0, 6, U"ó", TColocacion::Rechaza},            // "n" before the caret
        {U"camion", 0, 0, 6, U"ó", TColocacion::Rechaza},
        {U"cami", 4, 0, 4, U"í", TColocacion::SustituyeAnterior},
        {U"cami", 4, 0, 4, U"ó", TColocacion::Rechaza},    // another vowel
        {U"camIon", 4, 0, 6, U"í", TColocacion::Rechaza},  // another case
        {U"CAMIO", 5, 0, 5, U"Ó", TColocacion::SustituyeAnterior},
        {U"camió", 5, 0, 5, U"ò", TColocacion::Rechaza},   // not a plain vowel
        {U"camion", 5, 0, 6, U"ñ", TColocacion::Rechaza},  // no accented vowel
        {U"camion", 5, 0, 6, U"¿", TColocacion::Rechaza},
        {U"camion", 5, 1, 6, U"ó", TColocacion::Inserta},  // over the selection
        {U"camion", 5, 1, 6, U"l·l", TColocacion::Rechaza},
        {U"abc", 3, 0, 3, U"", TColocacion::Rechaza},
        {U"abc", 4, 0, 9, U"á", TColocacion::Rechaza},  // a caret beyond the text
    };
    for (const auto& caso : casos) {
        SCOPED_TRACE(testing::Message() << caso.cursor << " " << caso.maximo);
        EXPECT_EQ(ColocaLetra(caso.texto, caso.cursor, caso.seleccionados, caso.maximo, caso.letra),
                  caso.esperada);
    }
}

TEST(AccentedLetters, F2TurnsTheCharacterBeforeTheCaretThroughItsForms) {
    const struct {
        std::u32string_view texto;
        size_t cursor, maximo;
        bool soloVocales;
        std::u32string_view esperado;  // empty: nothing changes, a beep
        size_t cursorEsperado;
    } casos[] = {
        {U"cami", 4, 9, false, U"camí", 4},
        {U"camï", 4, 9, false, U"cami", 4},
        {U"plac", 4, 9, false, U"plaç", 4},
        {U"plaç", 4, 9, false, U"plac", 4},
        {U"PLAC", 4, 9, false, U"PLAÇ", 4},
        {U"nin", 3, 9, false, U"niñ", 3},
        {U"niñ", 3, 9, false, U"nin", 3},
        {U"N", 1, 9, false, U"Ñ", 1},
        {U"?", 1, 9, false, U"¿", 1},
        {U"¿", 1, 9, false, U"?", 1},
        {U"!", 1, 9, false, U"¡", 1},
        {U"¡", 1, 9, false, U"!", 1},
        {U"col", 3, 9, false, U"col·l", 5},
        {U"col·l", 5, 9, false, U"col", 3},
        {U"COL", 3, 9, false, U"COL·L", 5},
        {U"COL·L", 5, 9, false, U"COL", 3},
        {U"colegi", 3, 9, false, U"col·legi", 5},
        {U"col", 3, 4, false, U"", 0},  // no room for the point and its l
        {U"cami", 0, 9, false, U"", 0},
        {U"camp", 4, 9, false, U"", 0},
        {U"", 0, 9, false, U"", 0},
        // Accent practice: the last vowel before the caret, whatever follows it.
        {U"tambien", 7, 7, true, U"también", 7},
        {U"también", 7, 7, true, U"tambièn", 7},
        {U"tambien", 3, 7, true, U"támbien", 3},
        {U"camion", 6, 6, true, U"camión", 6},
        {U"col", 3, 9, true, U"cól", 3},
        {U"pzz", 3, 9, true, U"", 0},
    };
    for (const auto& caso : casos) {
        SCOPED_TRACE(testing::Message() << "case " << &caso - casos);
        const std::optional<TCambioForma> cambio =
            SiguienteForma(caso.texto, caso.cursor, caso.maximo, caso.soloVocales);
        if (caso.esperado.empty()) {
            EXPECT_FALSE(cambio.has_value());
            continue;
        }
        ASSERT_TRUE(cambio.has_value());
        EXPECT_TRUE(cambio->Texto == caso.esperado);
        EXPECT_EQ(cambio->Cursor, caso.cursorEsperado);
    }
}
