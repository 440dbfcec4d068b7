#include "core/authoring/text_import.h"

#include <gtest/gtest.h>

#include "core/authoring/set_checks.h"

namespace {

std::vector<std::string> Textos(const TTextoImportado& importado) {
    std::vector<std::string> textos;
    for (const TPregunta& p : importado.Preguntas)
        textos.push_back(p.Texto);
    return textos;
}

}  // namespace

TEST(TextImport, OneQuestionPerParagraph) {
    struct Caso {
        const char* nombre;
        std::string texto;
        std::vector<std::string> preguntas;  // Windows-1252
        int sustituidos;
    };
    const Caso casos[] = {
        {"hard-wrapped lines are joined, a blank line ends a paragraph",
         "El verano pasado\nviajamos   \n  en barco.\n\nOtra vez.\n",
         {"El verano pasado viajamos en barco.", "Otra vez."},
         0},
        {"several blank lines, blanks on them, CRLF and lone CR",
         "\xEF\xBB\xBFUno\r\n \t \r\n\r\nDos\rtres\r",
         {"Uno", "Dos tres"},
         0},
        {"a tab becomes a blank", "a\tb", {"a b"}, 0},
        {"Windows-1252 signs stay as they are",
         "\xE2\x80\x99\xE2\x80\x9C\xE2\x80\x9D\xE2\x80\xA6 \xE2\x80\x93 \xE2\x80\x94 \xC2\xBD "
         "\xC2\xA0\xC3\xA7",
         {"\x92\x93\x94\x85 \x96 \x97 \xBD \xA0\xE7"},
         0},
        {"Unicode hyphens, spaces and signs take a plain form",
         "a\xE2\x80\x90"
         "b\xE2\x80\x89"
         "c \xE2\x89\xA4 \xE2\x89\xA5 \xE2\x86\x92 \xE2\x85\x93 x\xE2\x80\x8By",
         {"a-b c <= >= -> 1/3 xy"},
         7},
        {"l with a middle dot and decomposed accents are composed",
         "co\xC5\x80legi cancio\xCC\x81n pingu\xCC\x88ino",
         {"col\xB7legi canci\xF3n ping\xFCino"},
         3},
        {"no paragraph in an empty text", "\n\n  \n", {}, 0},
    };
    for (const Caso& caso : casos) {
        SCOPED_TRACE(caso.nombre);
        const TTextoImportado importado = ImportaTexto(caso.texto, TPregunta{});
        EXPECT_EQ(Textos(importado), caso.preguntas);
        EXPECT_EQ(importado.Sustituidos, caso.sustituidos);
        EXPECT_TRUE(importado.Rechazados.empty());
    }
}

TEST(TextImport, EveryQuestionTakesTheChosenTopicAndMode) {
    const TTextoImportado importado = ImportaTexto("uno\n\ndos", TPregunta{1, 3, "Acentos", ""});
    ASSERT_EQ(importado.Preguntas.size(), 2u);
    for (const TPregunta& p : importado.Preguntas) {
        EXPECT_EQ(p.Tema, "Acentos");
        EXPECT_EQ(p.Modo, 1);
        EXPECT_EQ(p.AnchoMinimo, 3);
    }
}

TEST(TextImport, ListsEveryCharacterItCannotHoldWithItsPlace) {
    const TTextoImportado importado = ImportaTexto(
        "a\xF0\x9F\x98\x80 b\n\xE2\x99\xA5\x01\n\nc \xFF\xF0\x9F\x98\x80", TPregunta{});
    const std::vector<TCaracterRechazado> esperados = {{1, 2, "\xF0\x9F\x98\x80"},
                                                       {2, 1, "\xE2\x99\xA5"},
                                                       {2, 2, "\x01"},
                                                       {4, 3, "\xFF"},
                                                       {4, 4, "\xF0\x9F\x98\x80"}};
    EXPECT_EQ(importado.Rechazados, esperados);
    EXPECT_EQ(Textos(importado), (std::vector<std::string>{"a b", "c"}));
}

TEST(TextImport, CutsAParagraphTooLongForOneQuestionAtSentenceEnds) {
    const std::string frase = "Esta es una frase bastante corta. ";
    std::string parrafo;
    while (parrafo.size() < 3 * kLongitudRegistro)
        parrafo += frase;
    const TPregunta plantilla{0, 0, "Un tema", ""};
    const TTextoImportado importado = ImportaTexto(parrafo, plantilla);
    ASSERT_GE(importado.Preguntas.size(), 3u);
    std::string unido;
    for (const TPregunta& p : importado.Preguntas) {
        EXPECT_LE(LongitudRegistro(p), kLongitudRegistro);
        EXPECT_TRUE(p.Texto.ends_with("corta.")) << p.Texto.substr(p.Texto.size() - 20);
        unido += p.Texto + " ";
    }
    EXPECT_EQ(unido, parrafo);

    // Without a sentence end, at a blank; without a blank, where it must.
    const std::string sinPunto = "uno " + std::string(kLongitudRegistro, 'a');
    const TTextoImportado cortado = ImportaTexto(sinPunto, TPregunta{});
    ASSERT_EQ(cortado.Preguntas.size(), 3u);
    EXPECT_EQ(cortado.Preguntas[0].Texto, "uno");
    EXPECT_EQ(LongitudRegistro(cortado.Preguntas[1]), kLongitudRegistro);
    EXPECT_EQ(cortado.Preguntas[1].Texto + cortado.Preguntas[2].Texto, sinPunto.substr(4));
}
