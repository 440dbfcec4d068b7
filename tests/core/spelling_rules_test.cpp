#include "core/text/spelling_rules.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "core/base/win1252.h"

namespace {

// The places of the rule in each word of a row's example, as marks, back in UTF-8.
std::string Marcadas(TReglaHuecos regla, const std::string& ejemplo) {
    std::istringstream palabras(*Windows1252DeUtf8(ejemplo));
    std::string palabra, resultado;
    while (palabras >> palabra) {
        std::string limpia;
        for (const char c : palabra)
            if (c != '@')
                limpia += c;
        std::string marcada;
        size_t desde = 0;
        for (const TTramo& t : PosicionesRegla(regla, limpia)) {
            marcada += limpia.substr(desde, t.Inicio - desde) + "@" +
                       limpia.substr(t.Inicio, t.Longitud) + "@";
            desde = t.Fin();
        }
        marcada += limpia.substr(desde);
        resultado += (resultado.empty() ? "" : " ") + Utf8DeWindows1252(marcada);
    }
    return resultado;
}

}  // namespace

TEST(SpellingRules, EachRowGapsItsExamplesAndNotItsCounterExamples) {
    for (const TFilaRegla& fila : FilasReglas()) {
        SCOPED_TRACE(Descripcion(fila.Regla).Nombre + std::string(" ") + fila.Letras);
        EXPECT_TRUE(fila.Castellano || fila.Valenciano);
        EXPECT_EQ(*fila.EjemploCastellano != 0, fila.Castellano);
        EXPECT_EQ(*fila.EjemploValenciano != 0, fila.Valenciano);
        EXPECT_TRUE(fila.Castellano || Descripcion(fila.Regla).Valenciano);
        for (const char* ejemplo : {fila.EjemploCastellano, fila.EjemploValenciano,
                                    fila.NoCastellano, fila.NoValenciano})
            EXPECT_EQ(Marcadas(fila.Regla, ejemplo), ejemplo);
    }
}

TEST(SpellingRules, EveryRuleHasRowsInTheLanguagesItIsOfferedIn) {
    for (const TDescripcionRegla& d : DescripcionesReglas()) {
        SCOPED_TRACE(d.Nombre);
        bool castellano = false, valenciano = false;
        for (const TFilaRegla& fila : FilasReglas()) {
            castellano |= fila.Regla == d.Regla && fila.Castellano;
            valenciano |= fila.Regla == d.Regla && fila.Valenciano;
        }
        EXPECT_EQ(castellano, d.Castellano);
        EXPECT_EQ(valenciano, d.Valenciano);
    }
}

TEST(SpellingRules, ACapitalIsGappedOnlyAtASentenceStart) {
    const std::string valencia = "Valencia";
    EXPECT_EQ(PosicionesRegla(TReglaHuecos::BV, valencia, true), (std::vector<TTramo>{{0, 1}}));
    EXPECT_TRUE(PosicionesRegla(TReglaHuecos::BV, valencia, false).empty());
    // An accent gap takes the whole word, a name's too.
    EXPECT_EQ(PosicionesRegla(TReglaHuecos::Acentos, *Windows1252DeUtf8("Lucía"), false),
              (std::vector<TTramo>{{0, 5}}));
}

TEST(SpellingRules, AMistakeIsTheRuleWhoseOtherSpellingTheEntryUses) {
    using R = TReglaHuecos;
    struct Caso {
        const char* respuesta;
        const char* entrada;
        std::optional<R> regla;
        std::optional<TIdioma> lengua = std::nullopt;
    };
    const Caso casos[] = {
        {"también", "tambien", R::Acentos},
        {"Él", "EL", R::Acentos},
        {"está", "ESTÁ", std::nullopt},  // right: case never counts
        {"b", "v", R::BV},
        {"vivió", "bivio", R::BV},  // a letter mistake with an accent one: the letter's rule
        {"", "h", R::H},
        {"hola", "ola", R::H},
        {"g", "j", R::GJ},
        {"ll", "y", R::LlY},
        {"c", "z", R::CZS},
        {"c", "s", R::CZS, TIdioma::Castellano},
        {"c", "s", R::SSsZC, TIdioma::Valenciano},
        {"ch", "x", R::XCh},
        {"xiquet", "chiquet", R::XCh},
        {"ç", "c", R::Cedilla},
        {"l·l", "l", R::LGeminada},
        {"col·legi", "collegi", R::LGeminada},
        {"tz", "ts", R::TzTsIgTx},
        {"ig", "tx", R::TzTsIgTx},
        {"ss", "s", R::SSsZC},
        {"casa", "cassa", R::SSsZC},
        {"casas", "casa", std::nullopt},  // a missing plural is grammar, not spelling
        {"b", "p", std::nullopt},
        {"vaca", "baka", std::nullopt},  // two mistakes
    };
    for (const Caso& caso : casos) {
        SCOPED_TRACE(std::string(caso.respuesta) + " / " + caso.entrada);
        EXPECT_EQ(ReglaDelError(*Windows1252DeUtf8(caso.respuesta),
                                *Windows1252DeUtf8(caso.entrada), caso.lengua),
                  caso.regla);
    }
}
