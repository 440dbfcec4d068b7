#include "moodle_cloze.h"

#include <gtest/gtest.h>

#include "html_entities.h"

namespace {

// What Moodle stores for the answer of a gap it reads: entities decoded, then "\}" and "\#".
std::string Guardada(const TAlternativaCloze& alternativa) {
    return DesescapaRespuestaCloze(DecodificaEntidades(alternativa.Respuesta));
}

}  // namespace

TEST(MoodleCloze, FindsGapsAsTheParsersPatternDoes) {
    struct Alternativa {
        double fraccion;
        std::string respuesta;
    };
    struct Caso {
        const char* nombre;
        std::string html;
        std::vector<std::pair<std::string, std::vector<Alternativa>>> huecos;
    };
    const Caso casos[] = {
        {"a short answer", "<p>El {1:SHORTANSWER:=v}erano</p>", {{"SHORTANSWER", {{1, "v"}}}}},
        {"alternatives, per cents and feedback",
         "{2:MC:~=b#bien~%50%c~d#mal}",
         {{"MC", {{1, "b"}, {0.5, "c"}, {0, "d"}}}}},
        {"escaped braces and marks stay in the answer",
         "{1:SA:=a\\}b\\#c}",
         {{"SA", {{1, "a\\}b\\#c"}}}}},
        {"a per cent with a decimal comma", "{:SAC:%33,5%x}", {{"SAC", {{0.335, "x"}}}}},
        {"an unknown type is text", "{1:ESSAY:=a} {1:SA:=b}", {{"SA", {{1, "b"}}}}},
        {"no number and colon is text", "{a} {x:SA:=a} {1:MW:=c}", {{"MW", {{1, "c"}}}}},
        {"a gap that never closes ends the search", "{1:SA:=a {1:SA:=b", {}},
        {"two gaps", "{1:SA:=a}{1:NM:=2:0.1}", {{"SA", {{1, "a"}}}, {"NM", {{1, "2:0.1"}}}}},
    };
    for (const Caso& caso : casos) {
        const std::vector<THuecoCloze> huecos = BuscaHuecosCloze(caso.html);
        ASSERT_EQ(huecos.size(), caso.huecos.size()) << caso.nombre;
        for (size_t i = 0; i < huecos.size(); ++i) {
            EXPECT_EQ(huecos[i].Tipo, caso.huecos[i].first) << caso.nombre;
            ASSERT_EQ(huecos[i].Alternativas.size(), caso.huecos[i].second.size()) << caso.nombre;
            for (size_t j = 0; j < huecos[i].Alternativas.size(); ++j) {
                EXPECT_DOUBLE_EQ(huecos[i].Alternativas[j].Fraccion,
                                 caso.huecos[i].second[j].fraccion)
                    << caso.nombre;
                EXPECT_EQ(huecos[i].Alternativas[j].Respuesta, caso.huecos[i].second[j].respuesta)
                    << caso.nombre;
            }
        }
    }
}

TEST(MoodleCloze, EscapedAnswersComeBackWholeThroughTheParserAndTheComparison) {
    const std::vector<std::string> respuestas = {"a}b",
                                                 "#",
                                                 "}#*",
                                                 "*",
                                                 "\\*",
                                                 "a\\#",
                                                 "\\}",
                                                 "a\\}b",
                                                 "{x}",
                                                 "=x",
                                                 "%50%x",
                                                 "a&",
                                                 "&amp;",
                                                 "<b>",
                                                 "\xC3\xB1"
                                                 "and\xC3\xBA",
                                                 "\\\\#",
                                                 "a\\b",
                                                 "**",
                                                 "\\x"};
    for (const std::string& respuesta : respuestas) {
        const std::string html = "<p>{1:SHORTANSWER:=" + EscapaRespuestaCloze(respuesta) + "}</p>";
        // Entities an export writes never hold "#"; the text here needs none but "&".
        std::string escrita;
        for (const char c : html)
            escrita += c == '&' ? std::string("&amp;") : std::string(1, c);
        const std::vector<THuecoCloze> huecos = BuscaHuecosCloze(escrita);
        ASSERT_EQ(huecos.size(), 1u) << respuesta;
        ASSERT_EQ(huecos[0].Alternativas.size(), 1u) << respuesta;
        const std::string guardada = Guardada(huecos[0].Alternativas[0]);
        EXPECT_FALSE(TieneComodin(guardada)) << respuesta;
        EXPECT_EQ(QuitaEscapesComodin(guardada), respuesta);
    }
}

TEST(MoodleCloze, AnswersMoodleCannotHold) {
    const std::pair<std::string, TRespuestaImposible> casos[] = {
        {"", TRespuestaImposible::Vacia},     {"a~b", TRespuestaImposible::Tilde},
        {"\\~", TRespuestaImposible::Tilde},  {"a\\", TRespuestaImposible::BarraFinal},
        {"a&", TRespuestaImposible::Ninguna}, {"a\\b", TRespuestaImposible::Ninguna},
        {"*", TRespuestaImposible::Ninguna},
    };
    for (const auto& [respuesta, motivo] : casos)
        EXPECT_EQ(RespuestaImposible(respuesta), motivo) << respuesta;
    EXPECT_EQ(RecortaComoMoodle(" \t a b \n"), "a b");
}

TEST(MoodleCloze, CategoryPathsSplitAsMoodleSplitsThem) {
    const std::vector<std::vector<std::string>> casos = {
        {"$course$", "top",
         "Ortograf\xC3\xAD"
         "a",
         "b o v"},
        {"$course$", "a/b", "/x", "y/", "//"},
        {"$course$", "top", "Tim's \"quoted\" <b>"},
    };
    for (const auto& nombres : casos)
        EXPECT_EQ(DivideRutaCategoria(UneRutaCategoria(nombres)), nombres)
            << UneRutaCategoria(nombres);
    EXPECT_EQ(UneRutaCategoria({"$course$", "a/b"}), "$course$/a//b");
    EXPECT_EQ(DivideRutaCategoria("$course$/ A /B"),
              (std::vector<std::string>{"$course$", "A", "B"}));
}

TEST(MoodleCloze, WildcardsAndEntities) {
    EXPECT_TRUE(TieneComodin("a*b"));
    EXPECT_FALSE(TieneComodin("a\\*b"));
    EXPECT_EQ(QuitaEscapesComodin("a\\*b\\\\*"), "a*b\\*");
    EXPECT_EQ(DecodificaEntidades("&lt;&amp;lt;&aacute;&#225;&#xE1;&euro;&nope;&"),
              "<&lt;\xC3\xA1\xC3\xA1\xC3\xA1\xE2\x82\xAC&nope;&");
}
