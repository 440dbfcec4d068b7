#include "core/authoring/source_format.h"

#include <gtest/gtest.h>

namespace {

TPregunta P(std::string tema, std::string texto, uint8_t modo = 0, uint8_t ancho = 0) {
    return {modo, ancho, std::move(tema), std::move(texto)};
}

}  // namespace

TEST(SourceFormat, ReadsWhatATeacherWrites) {
    struct Caso {
        const char* nombre;
        std::string fuente;
        std::vector<TPregunta> preguntas;
    };
    const Caso casos[] = {
        {"fields, paragraphs, comments and blank lines",
         "# comentario\n\ntema: Acentos\nmodo: acentos\nancho: 6\n> El cami@\xC3\xB3@n\n>\n"
         ">  dos blancos\n\n# fin\n",
         {P("Acentos", "El cami@\xF3@n\r\r dos blancos", 1, 6)}},
        {"CRLF line ends, a byte order mark and indented keys",
         "\xEF\xBB\xBFtema: a\r\n  Modo: 7\r\n\tANCHO : 255\r\n   >x\r\n",
         {P("a", "x", 7, 255)}},
        {"carriage returns alone as line ends, and mixed with the others",
         "tema: a\r> x\r>\r> y\r\rtema: b\r\nmodo: acentos\r\r\ntema: c\n> z",
         {P("a", "x\r\ry"), P("b", "", 1), P("c", "z")}},
        {"empty topic and text, defaults", "tema:\ntema: b\n", {P("", ""), P("b", "")}},
        {"quoted topic keeps its blanks and quotes",
         "tema: \" a \"\ntema: \"\"b\"\"\ntema: \"\n",
         {P(" a ", ""), P("\"b\"", ""), P("\"", "")}},
        {"modo normal, text lines that look like keys",
         "tema: t\nmodo: normal\n> tema: no\n> # no\n> > no\n",
         {P("t", "tema: no\r# no\r> no")}},
        {"the euro sign and typographic quotes",
         "tema: \xE2\x82\xAC\n> \xE2\x80\x9C"
         "a\xE2\x80\x9D\n",
         {P("\x80",
            "\x93"
            "a\x94")}},
    };
    for (const Caso& c : casos) {
        const TFuenteLeida leida = LeeFuente(c.fuente);
        ASSERT_FALSE(leida.Error) << c.nombre << ": " << leida.Error->Mensaje;
        EXPECT_EQ(leida.Preguntas, c.preguntas) << c.nombre;
    }
}

TEST(SourceFormat, ErrorsNameTheLine) {
    struct Caso {
        std::string fuente;
        int linea;
        std::string mensaje;  // a part of the message
    };
    const std::string largo(kLongitudRegistro, 'a');
    std::string muchas = "# dos\n# comentarios\n";
    for (int i = 0; i < kMaximoPreguntas + 2; ++i)
        muchas += "tema:\n";
    const Caso casos[] = {
        {"tema: a\n> bien\n> mal \xFF\n", 3, "column 7: the bytes are not valid UTF-8"},
        {"tema: a\n> \xE2\x86\x92\n", 2, "U+2192"},
        {"tema: a\n> \xC3\n", 2, "not valid UTF-8"},
        {"tema: a\n> \xC0\x80\n", 2, "not valid UTF-8"},
        {"# nada\n\n", 2, "no question"},
        {"", 1, "no question"},
        {"> texto\n", 1, "before the first question"},
        {"ancho: 3\n", 1, "before the first question"},
        {"tema: a\nfoo\n", 2, "expected \"tema:\""},
        {"tema: a\nmodo: 256\n", 2, "\"modo:\" takes"},
        {"tema: a\nancho: -1\n", 2, "\"ancho:\" takes"},
        {"tema: a\nancho: 1\nancho: 2\n", 3, "given twice"},
        {"tema: a\n> a\tb\n", 2, "column 4: a tab"},
        {"tema: a\x01\n", 1, "control character in the topic"},
        {"tema: a\r> b\r\rfoo\r", 4, "expected \"tema:\""},
        {"tema: a\n\ntema: b\n> " + largo + "\n", 3, "32768"},
        {"tema: b\n> " + largo + "\ntema: c\n", 1, "32768"},
        {muchas, kMaximoPreguntas + 3,
         "question 65536 of 65537 starts here; a set holds at most 65535"},
    };
    for (const Caso& c : casos) {
        const TFuenteLeida leida = LeeFuente(c.fuente);
        ASSERT_TRUE(leida.Error) << c.fuente.substr(0, 40);
        EXPECT_EQ(leida.Error->Linea, c.linea) << c.fuente.substr(0, 40);
        EXPECT_NE(leida.Error->Mensaje.find(c.mensaje), std::string::npos) << leida.Error->Mensaje;
        EXPECT_TRUE(leida.Preguntas.empty());
    }
}

TEST(SourceFormat, LongestRecordFits) {
    // Topic and text fill a record of exactly 32768 bytes with Modo, AnchoMinimo and both NULs.
    const std::string texto(kLongitudRegistro - 5, 'a');
    const TFuenteLeida leida = LeeFuente("tema: t\n> " + texto + "\n");
    ASSERT_FALSE(leida.Error);
    EXPECT_EQ(leida.Preguntas.front().Texto, texto);
}

TEST(SourceFormat, RefusesUnwritableBytesOnly) {
    EXPECT_EQ(ByteNoEscribible(P("tema", "a\rb\xFF\x80 @")), -1);
    EXPECT_EQ(ByteNoEscribible(P("te\rma", "")), '\r');
    EXPECT_EQ(ByteNoEscribible(P("", "a\nb")), '\n');
    EXPECT_EQ(ByteNoEscribible(P("", "\x7F")), 0x7F);
    EXPECT_EQ(ByteNoEscribible(P("\x9D", "")), 0x9D);
}

TEST(SourceFormat, ASetOfTheMostQuestionsReads) {
    std::string fuente;
    for (int i = 0; i < kMaximoPreguntas; ++i)
        fuente += "tema:\n";
    const TFuenteLeida leida = LeeFuente(fuente);
    EXPECT_FALSE(leida.Error);
    EXPECT_EQ(leida.Preguntas.size(), static_cast<size_t>(kMaximoPreguntas));
}

TEST(SourceFormat, SurvivesArbitraryBytes) {
    // A cheap stand-in for the fuzzer: no input may crash the reader.
    uint32_t semilla = 12345;
    for (int vuelta = 0; vuelta < 2000; ++vuelta) {
        std::string fuente;
        const int largo = vuelta % 97;
        for (int i = 0; i < largo; ++i) {
            semilla = semilla * 1103515245 + 12345;
            const char alfabeto[] = "tema:>modo acentos ancho 1\n\r@#\"\xC3\xA9\xE2\x82\xAC\xFF\t";
            fuente += alfabeto[(semilla >> 16) % (sizeof alfabeto - 1)];
        }
        const TFuenteLeida leida = LeeFuente(fuente);
        EXPECT_NE(leida.Error.has_value(), !leida.Preguntas.empty());
    }
}
