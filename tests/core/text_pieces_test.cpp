#include "core/text/text_pieces.h"

#include <gtest/gtest.h>

#include <random>

#include "core/text/layout.h"

namespace {

using TTipo = TTrozo::TTipo;
TTrozo T(std::string texto) {
    return {TTipo::Texto, std::move(texto)};
}
TTrozo H(std::string respuesta) {
    return {TTipo::Hueco, std::move(respuesta)};
}
const TTrozo R{TTipo::Parrafo, ""};

}  // namespace

TEST(TextPieces, ReadsTextGapsAndParagraphs) {
    struct Caso {
        const char* nombre;
        std::string texto;
        std::vector<TTrozo> trozos;
    };
    const Caso casos[] = {
        {"empty", "", {}},
        {"plain words keep every blank", " a  b ", {T(" a  b ")}},
        {"gaps inside and between words",
         "El @v@erano y @b@arco.",
         {T("El "), H("v"), T("erano y "), H("b"), T("arco.")}},
        {"a gap may hold blanks", "x@a b@y", {T("x"), H("a b"), T("y")}},
        {"an empty gap", "@@echaban", {H(""), T("echaban")}},
        {"adjacent gaps", "@a@@b@", {H("a"), H("b")}},
        {"paragraphs, an empty one and a last break", "a\r\rb\r", {T("a"), R, R, T("b"), R}},
        // The program checks an open last gap with the blank it gives the last word.
        {"a mark left open takes the rest of its word", "a@bc d", {T("a"), H("bc d ")}},
        {"a last mark opens a gap of that blank", "a@", {T("a"), H(" ")}},
        {"a mark before a paragraph's end opens nothing", "a@\rb", {T("a"), R, T("b")}},
        {"an open mark stops at the paragraph's end", "a@b\rc", {T("a"), H("b"), R, T("c")}},
        {"a gap at the text's end", "la @h@", {T("la "), H("h")}},
    };
    for (const Caso& caso : casos)
        EXPECT_EQ(TrozosDeTexto(caso.texto), caso.trozos) << caso.nombre;
}

TEST(TextPieces, WritingThePiecesGivesTheTextBackWhenMarksPair) {
    for (const std::string texto : {"", "a", "El @v@erano\r\r@@y @a b@.\r", " @x@ "})
        EXPECT_EQ(TextoDeTrozos(TrozosDeTexto(texto)), texto) << texto;
}

// The pieces must give the gaps the program shows, whatever the text.
TEST(TextPieces, GapsAreThoseOfTheLayout) {
    std::mt19937 azar(7);
    const std::string letras = "ab @@ \r.";
    TMetricas metricas;
    metricas.AnchoTexto = [](std::string_view t) { return static_cast<int>(t.size()); };
    metricas.AnchoVentana = 1 << 30;
    for (int vuelta = 0; vuelta < 2000; ++vuelta) {
        std::string texto;
        const int largo = static_cast<int>(azar() % 20);
        for (int i = 0; i < largo; ++i)
            texto += letras[azar() % letras.size()];
        const TPlanPregunta plan = PlanificaPregunta({0, 0, "", texto}, 1, metricas);
        std::vector<std::string> esperadas, leidas;
        for (const THuecoPlan& hueco : plan.Huecos)
            esperadas.push_back(hueco.Respuesta);
        for (const TTrozo& trozo : TrozosDeTexto(texto))
            if (trozo.Tipo == TTipo::Hueco)
                leidas.push_back(trozo.Texto);
        ASSERT_EQ(leidas, esperadas) << texto;
    }
}
