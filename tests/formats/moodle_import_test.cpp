#include "moodle_import.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QBuffer>
#include <QFile>

#include <chrono>

#include "core/base/io_error.h"
#include "temp_folder.h"
#include "test_questions.h"

namespace {

using TTipo = TNotaImportacion::TTipo;

TImportacionMoodle Importa(const std::string& xml) {
    QByteArray bytes = QByteArray::fromStdString(xml);
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    return ImportaMoodle(buffer);
}

const std::string kCabecera = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<quiz>\n";

std::string Quiz(const std::string& cuerpo) {
    return kCabecera + cuerpo + "</quiz>\n";
}

std::string Categoria(const std::string& ruta) {
    return "<question type=\"category\"><category><text>" + ruta +
           "</text></category></question>\n";
}

// A cloze question; html is XML text, so its "<" are written "&lt;" or inside CDATA.
std::string Cloze(const std::string& nombre, const std::string& html) {
    return "<question type=\"cloze\"><name><text>" + nombre +
           "</text></name><questiontext format=\"html\"><text><![CDATA[" + html +
           "]]></text></questiontext></question>\n";
}

std::string Corta(const std::string& html,
                  const std::vector<std::pair<int, std::string>>& respuestas,
                  bool mayusculas = false) {
    std::string xml =
        "<question type=\"shortanswer\"><name><text>c</text></name>"
        "<questiontext format=\"html\"><text><![CDATA[" +
        html + "]]></text></questiontext><usecase>" + (mayusculas ? "1" : "0") + "</usecase>";
    for (const auto& [fraccion, texto] : respuestas)
        xml += "<answer fraction=\"" + std::to_string(fraccion) +
               "\" format=\"moodle_auto_format\"><text>" + texto +
               "</text><feedback><text>ok</text></feedback></answer>";
    return xml + "</question>\n";
}

}  // namespace

TEST(MoodleImport, ClozeAndShortAnswerQuestionsComeInAsQuestions) {
    struct Caso {
        const char* nombre;
        std::string cuerpo;
        std::vector<TPregunta> preguntas;
    };
    const Caso casos[] = {
        {"short-answer gaps of every spelling, paragraphs from <p> and <br>",
         Categoria("$course$/top/Set/b o v") +
             Cloze("q",
                   "<p>El {1:SHORTANSWER:=v}erano</p>\n  <p>un {:SA:=b}arco<br>y {2:MW:=h}"
                   "ielo {1:SAC:=A} {1:SHORTANSWER_C:=B} {1:MWC:=c}</p>"),
         {{0, 0, "b o v", "El @v@erano\run @b@arco\ry @h@ielo @A@ @B@ @c@"}}},
        {"the first answer with 100 % is the gap's; feedback left out",
         Cloze("q", "{1:SA:%50%a#medio~=b#bien~=c~%0%d}"),
         {{0, 0, "", "@b@"}}},
        {"other gap types become their right answer as text",
         Cloze(
             "q",
             "<p>{1:MC:uno~=dos~tres} y {1:NUMERICAL:=3.5:0.1} y {1:MCH:=<b>s&iacute;</b>~no}</p>"),
         {{0, 0, "", W("dos y 3.5 y sí")}}},
        {"entities and escapes as Moodle's parser undoes them",
         Cloze("q", "<p>a&lt;b &amp;&nbsp;{1:SA:=&lt;x\\}y\\#z\\*&amp;}</p>"),
         {{0, 0, "", W("a<b &\xC2\xA0@<x}y#z*&@")}}},
        {"layout blanks of the HTML are one blank; plain blanks are the text's",
         Cloze("q", "\n<div>\n  <p>\n    dos\n    l&iacute;neas  con  blancos  \n  </p>\n</div>\n"),
         {{0, 0, "", W("dos líneas  con  blancos")}}},
        {"empty paragraphs stay",
         Cloze("q", "<p>a</p><p></p><p>b</p><p></p>"),
         {{0, 0, "", "a\r\rb\r"}}},
        {"the category's last level is the topic, a slash written twice",
         Categoria("$course$/top/Set/Tema 1") + Cloze("q", "x") +
             Categoria("$course$/top/Set/a//b") + Cloze("q", "y") + Categoria("$course$/top") +
             Cloze("q", "z"),
         {{0, 0, "Tema 1", "x"}, {0, 0, "a/b", "y"}, {0, 0, "", "z"}}},
        {"a short answer's gap at its blank, or at the end",
         Corta("<p>Yo ____ ido</p>", {{0, "x"}, {100, "he"}}) +
             Corta("<p>Escribe hola</p>", {{100, "hola"}}),
         {{0, 0, "", "Yo @he@ ido"}, {0, 0, "", "Escribe hola @hola@"}}},
        {"plain text keeps its marks and breaks lines",
         "<question type=\"cloze\"><name><text>p</text></name><questiontext format=\"plain_text\">"
         "<text>a &lt;b&gt; &amp;amp;\nc</text></questiontext></question>",
         {{0, 0, "", "a <b> &amp;\rc"}}},
    };
    for (const Caso& caso : casos) {
        const TImportacionMoodle importacion = Importa(Quiz(caso.cuerpo));
        ASSERT_FALSE(importacion.Error) << caso.nombre << ": " << importacion.Error->Mensaje;
        ASSERT_EQ(importacion.Preguntas.size(), caso.preguntas.size()) << caso.nombre;
        for (size_t i = 0; i < caso.preguntas.size(); ++i) {
            EXPECT_EQ(importacion.Preguntas[i].Tema, caso.preguntas[i].Tema) << caso.nombre;
            EXPECT_EQ(importacion.Preguntas[i].Texto, caso.preguntas[i].Texto) << caso.nombre;
        }
    }
}

TEST(MoodleImport, TheReportNamesEachQuestionConcernedAndWhy) {
    const std::string cuerpo =
        Cloze("bien", "{1:SA:=a}") +
        "<question type=\"essay\"><name><text>ensayo</text></name></question>\n"
        "<question type=\"truefalse\"><name><text>vf</text></name></question>\n" +
        Cloze("arroba", "mi@correo {1:SA:=a}") + Cloze("flecha", "\xE2\x86\x92 {1:SA:=a}") +
        Cloze("sin nota", "{1:SA:%0%a~%-50%b}") +
        Cloze("cambiada", "{1:MC:=x~y~z} {1:SAC:=A~b} {1:SA:=x*y}") +
        Corta("t ___", {{100, "ab\\*c"}}, true) +
        Cloze("anidada", "{1:SA:=casa y dos {1:SA:=perro}") +
        Cloze("abierta", "Fin {1:SA:=casa\\}") + Cloze("ultima", "{1:SA:=fin}");
    const TImportacionMoodle importacion = Importa(Quiz(cuerpo));
    ASSERT_FALSE(importacion.Error);
    EXPECT_EQ(importacion.Preguntas, (std::vector<TPregunta>{{0, 0, "", "@a@"},
                                                             {0, 0, "", "x @A@ @x*y@"},
                                                             {0, 0, "", "t @ab*c@"},
                                                             {0, 0, "", "@fin@"}}));
    const std::vector<TNotaImportacion> esperadas = {
        {TTipo::TipoSinUso, 2, "ensayo", "essay"},
        {TTipo::TipoSinUso, 3, "vf", "truefalse"},
        {TTipo::MarcaDeHueco, 4, "arroba", ""},
        {TTipo::CaracterImposible, 5, "flecha", "\xE2\x86\x92"},
        {TTipo::SinRespuestaCorrecta, 6, "sin nota", ""},
        {TTipo::HuecoComoTexto, 7, "cambiada", "MC"},
        {TTipo::MayusculasIgnoradas, 7, "cambiada", ""},
        {TTipo::Comodin, 7, "cambiada", ""},
        {TTipo::RespuestasDescartadas, 7, "cambiada", "", 3},
        {TTipo::MayusculasIgnoradas, 8, "c", ""},
        {TTipo::HuecoAnidado, 9, "anidada", ""},
        {TTipo::HuecoSinCerrar, 10, "abierta", ""},
    };
    ASSERT_EQ(importacion.Notas.size(), esperadas.size());
    for (size_t i = 0; i < esperadas.size(); ++i) {
        const TNotaImportacion& nota = importacion.Notas[i];
        EXPECT_EQ(nota.Tipo, esperadas[i].Tipo) << i;
        EXPECT_EQ(nota.Numero, esperadas[i].Numero) << i;
        EXPECT_EQ(nota.Nombre, esperadas[i].Nombre) << i;
        EXPECT_EQ(nota.Detalle, esperadas[i].Detalle) << i;
        EXPECT_EQ(nota.Cifra, esperadas[i].Cifra) << i;
    }
}

TEST(MoodleImport, BadFilesAreRefusedWithTheirLineAndGiveNoQuestions) {
    struct Caso {
        const char* nombre;
        std::string xml;
        int64_t linea;
        const char* mensaje;
    };
    const Caso casos[] = {
        {"malformed", Quiz(Cloze("a", "x") + "<question type=\"cloze\">\n<name></question>"), 5,
         ""},
        {"a DOCTYPE with an internal entity",
         "<?xml version=\"1.0\"?>\n<!DOCTYPE quiz [<!ENTITY a \"aaaa\">]>\n<quiz>&a;</quiz>", 2,
         "DOCTYPE"},
        {"an external entity",
         "<?xml version=\"1.0\"?>\n<!DOCTYPE quiz [<!ENTITY x SYSTEM \"file:///etc/passwd\">]>\n"
         "<quiz><question "
         "type=\"cloze\"><questiontext><text>&x;</text></questiontext></question></quiz>",
         2, "DOCTYPE"},
        {"another root", "<?xml version=\"1.0\"?>\n\n<html><p>x</p></html>", 3, "<quiz>"},
        {"empty", "", 1, ""},
        {"an undeclared entity",
         Quiz(Cloze("a", "x") + "<question type=\"cloze\">&nope;</question>"), 4, ""},
    };
    for (const Caso& caso : casos) {
        const TImportacionMoodle importacion = Importa(caso.xml);
        ASSERT_TRUE(importacion.Error) << caso.nombre;
        EXPECT_EQ(importacion.Error->Linea, caso.linea)
            << caso.nombre << ": " << importacion.Error->Mensaje;
        EXPECT_NE(importacion.Error->Mensaje.find(caso.mensaje), std::string::npos)
            << caso.nombre << ": " << importacion.Error->Mensaje;
        EXPECT_TRUE(importacion.Preguntas.empty()) << caso.nombre;
        EXPECT_TRUE(importacion.Notas.empty()) << caso.nombre;
    }
    EXPECT_THROW(ImportaFicheroMoodle("/no/such/folder/quiz.xml"), IoError);
    // A FIFO once held the tool and the editor waiting for a writer that never came.
    TCarpetaTemporal carpeta;
    ASSERT_EQ(mkfifo(carpeta.En("fifo.xml").c_str(), 0600), 0);
    for (const std::string& ruta :
         {carpeta.Ruta(), carpeta.En("fifo.xml"), std::string("/dev/zero")})
        EXPECT_THROW(ImportaFicheroMoodle(ruta), IoError) << ruta;
}

TEST(MoodleImport, ATextBeyondARecordIsCutAtASentenceAndReported) {
    std::string largo = "Una frase con un {1:SA:=hueco largo de verdad}. ";
    while (largo.size() < 60000)
        largo += "Otra m&aacute;s! Y otra frase sin hueco. ";
    const TImportacionMoodle importacion =
        Importa(Quiz(Categoria("$course$/top/S/" + std::string(300, 't')) +
                     Cloze("larga", "<p>" + largo + "</p>")));
    ASSERT_EQ(importacion.Preguntas.size(), 1u);
    const TPregunta& pregunta = importacion.Preguntas[0];
    EXPECT_EQ(pregunta.Tema, std::string(kLargoTemaImportado, 't'));
    EXPECT_LE(pregunta.Tema.size() + pregunta.Texto.size() + 4, kLongitudRegistro);
    EXPECT_GT(pregunta.Texto.size() + 100, kLongitudRegistro - 4 - pregunta.Tema.size());
    EXPECT_TRUE(pregunta.Texto.ends_with("!") || pregunta.Texto.ends_with("."))
        << pregunta.Texto.substr(pregunta.Texto.size() - 20);
    EXPECT_TRUE(pregunta.Texto.starts_with("Una frase con un @hueco largo de verdad@."));
    ASSERT_EQ(importacion.Notas.size(), 2u);
    EXPECT_EQ(importacion.Notas[0].Tipo, TTipo::TemaCortado);
    EXPECT_EQ(importacion.Notas[1].Tipo, TTipo::TextoCortado);
    EXPECT_EQ(importacion.Notas[1].Cifra, static_cast<int64_t>(pregunta.Texto.size()));
}

// A cut that would leave gaps behind would bring in a question unlike the teacher's.
TEST(MoodleImport, ACutThatWouldDropAGapLeavesTheQuestionOut) {
    const struct {
        const char* nombre;
        std::string html;
        int64_t quitados;
    } casos[] = {
        {"a gap past the record", std::string(40000, 'a') + " {1:SA:=b}", 1},
        {"gaps on both sides", "{1:SA:=a} " + std::string(40000, 'a') + " {1:SA:=b} {1:SA:=c}", 2},
        {"a blank cut before every gap", std::string(32760, 'a') + " b {1:SA:=c} {1:SA:=d}", 2},
        {"a gap far past what is kept", std::string(400000, 'a') + " {1:SA:=b}", 1},
    };
    for (const auto& caso : casos) {
        const TImportacionMoodle importacion =
            Importa(Quiz(Cloze("larga", caso.html) + Cloze("corta", "{1:SA:=x}")));
        ASSERT_FALSE(importacion.Error) << caso.nombre;
        EXPECT_EQ(importacion.Preguntas, (std::vector<TPregunta>{{0, 0, "", "@x@"}}))
            << caso.nombre;
        ASSERT_EQ(importacion.Notas.size(), 1u) << caso.nombre;
        EXPECT_EQ(importacion.Notas[0].Tipo, TTipo::CorteQuitaHuecos) << caso.nombre;
        EXPECT_EQ(importacion.Notas[0].Numero, 1) << caso.nombre;
        EXPECT_EQ(importacion.Notas[0].Cifra, caso.quitados) << caso.nombre;
    }
}

// Each of these once never returned, or took minutes or gigabytes; now each reads to its end.
TEST(MoodleImport, HostileMarkupIsReadToItsEnd) {
    const struct {
        const char* nombre;
        std::string cuerpo;
        std::string texto;
    } casos[] = {
        {"a script that never closes its end tag", Cloze("s", "Antes {1:SA:=a}<script>x</script"),
         "Antes @a@"},
        {"a style left open", Cloze("s", "Antes {1:SA:=a}<style>x"), "Antes @a@"},
        {"a run of ampersands", Cloze("s", "{1:SA:=a} " + std::string(20000, '&')),
         "@a@ " + std::string(20000, '&')},
        {"elements inside the text",
         "<question type=\"cloze\"><name><text>b</text></name><questiontext "
         "format=\"html\"><text>x {1:SA:=a}" +
             [] {
                 std::string b;
                 for (int i = 0; i < 20000; ++i)
                     b += "<b/>";
                 return b;
             }() +
             " y</text><extra><b/><b/></extra></questiontext></question>\n",
         "x @a@ y"},
        {"many empty answers",
         [] {
             std::string xml =
                 "<question type=\"shortanswer\"><name><text>c</text></name>"
                 "<questiontext format=\"html\"><text>t ___</text></questiontext>";
             for (int i = 0; i < 20000; ++i)
                 xml += "<answer/>";
             return xml + "<answer fraction=\"100\"><text>r</text></answer></question>\n";
         }(),
         "t @r@"},
    };
    for (const auto& caso : casos) {
        const TImportacionMoodle importacion = Importa(Quiz(caso.cuerpo));
        ASSERT_FALSE(importacion.Error) << caso.nombre << ": " << importacion.Error->Mensaje;
        ASSERT_EQ(importacion.Preguntas.size(), 1u) << caso.nombre;
        EXPECT_EQ(importacion.Preguntas[0].Texto, caso.texto) << caso.nombre;
    }
}

TEST(MoodleImport, AGapWithAThousandAlternatives) {
    std::string hueco = "{1:SA:";
    for (int i = 0; i < 1000; ++i)
        hueco += (i == 0 ? "" : "~") + std::string(i == 700 ? "=" : "%10%") + "r" +
                 std::to_string(i) + "#fb";
    const TImportacionMoodle importacion = Importa(Quiz(Cloze("mil", hueco + "}")));
    ASSERT_EQ(importacion.Preguntas.size(), 1u);
    EXPECT_EQ(importacion.Preguntas[0].Texto, "@r700@");
    ASSERT_EQ(importacion.Notas.size(), 1u);
    EXPECT_EQ(importacion.Notas[0].Cifra, 999);
}

// A file of 100 MB and 100,000 questions is read as it streams, one bad question among them.
TEST(MoodleImport, AHundredMegabytesOfAHundredThousandQuestions) {
    TCarpetaTemporal carpeta;
    const std::string ruta = carpeta.En("grande.xml");
    {
        QFile fichero(QString::fromStdString(ruta));
        ASSERT_TRUE(fichero.open(QIODevice::WriteOnly));
        fichero.write(QByteArray::fromStdString(kCabecera));
        const std::string relleno(960, 'x');
        for (int i = 0; i < 100000; ++i) {
            const std::string pregunta =
                i == 5000 ? Cloze("mala", "{1:SA:%0%a}")
                          : Cloze(std::to_string(i),
                                  "<p>" + relleno + " {1:SA:=r" + std::to_string(i) + "}</p>");
            fichero.write(pregunta.data(), static_cast<qint64>(pregunta.size()));
        }
        fichero.write("</quiz>\n");
        ASSERT_GE(fichero.size(), 100'000'000);
    }
    const TImportacionMoodle importacion = ImportaFicheroMoodle(ruta);
    ASSERT_FALSE(importacion.Error) << importacion.Error->Mensaje;
    ASSERT_EQ(importacion.Preguntas.size(), 99999u);
    EXPECT_EQ(importacion.Preguntas.back().Texto, std::string(960, 'x') + " @r99999@");
    ASSERT_EQ(importacion.Notas.size(), 1u);
    EXPECT_EQ(importacion.Notas[0].Numero, 5001);
}
