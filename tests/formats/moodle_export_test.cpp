#include "moodle_export.h"

#include <gtest/gtest.h>

#include <QXmlStreamReader>

#include "html_entities.h"
#include "moodle_cloze.h"
#include "test_questions.h"

namespace {

using TTipo = TPerdidaMoodle::TTipo;

struct TPreguntaEscrita {
    std::string Tipo, Nombre, Texto, Comentario, Pista, Categoria;
};

// The quiz file's questions, read with no help from the code under test; Xml must be valid.
std::vector<TPreguntaEscrita> Lee(const std::string& xml) {
    QXmlStreamReader lector(QByteArray::fromStdString(xml));
    std::vector<TPreguntaEscrita> preguntas;
    std::vector<std::string> camino;
    while (!lector.atEnd()) {
        const auto token = lector.readNext();
        if (token == QXmlStreamReader::StartElement) {
            camino.push_back(lector.name().toString().toStdString());
            if (camino.size() == 2 && camino[1] == "question") {
                preguntas.emplace_back();
                preguntas.back().Tipo = lector.attributes().value("type").toString().toStdString();
            }
        } else if (token == QXmlStreamReader::EndElement) {
            camino.pop_back();
        } else if (token == QXmlStreamReader::Characters && camino.size() == 4 &&
                   camino[3] == "text") {
            const std::string texto = lector.text().toString().toStdString();
            TPreguntaEscrita& p = preguntas.back();
            (camino[2] == "name"              ? p.Nombre
             : camino[2] == "questiontext"    ? p.Texto
             : camino[2] == "generalfeedback" ? p.Comentario
             : camino[2] == "hint"            ? p.Pista
                                              : p.Categoria) += texto;
        }
    }
    EXPECT_FALSE(lector.hasError()) << lector.errorString().toStdString();
    return preguntas;
}

int Cuenta(const TExportacionMoodle& e, TTipo tipo) {
    return static_cast<int>(std::count_if(e.Perdidas.begin(), e.Perdidas.end(),
                                          [&](const TPerdidaMoodle& p) { return p.Tipo == tipo; }));
}

}  // namespace

TEST(MoodleExport, ACategoryPerSetAndTopicAndAClozeQuestionPerQuestion) {
    const std::vector<TPregunta> preguntas = {
        {0, 1, "b o v", W("El @v@erano pasado @b@arco.\rY al @b@osque.")},
        {0, 1, "b o v", "Otra @v@ez."},
        {0, 0, "a/b", "x @y@"},
        {0, 0, "", "Sin tema @z@."},
    };
    const TExportacionMoodle e = ExportaMoodle(preguntas,
                                               "Ortograf\xC3\xAD"
                                               "a",
                                               TIdioma::Castellano);
    ASSERT_TRUE(e.Xml.starts_with("<?xml version=\"1.0\" encoding=\"UTF-8\"?>"))
        << e.Xml.substr(0, 60);
    const std::vector<TPreguntaEscrita> leidas = Lee(e.Xml);
    const std::vector<std::pair<std::string, std::string>> esperadas = {
        {"category",
         "$course$/top/Ortograf\xC3\xAD"
         "a"},
        {"category",
         "$course$/top/Ortograf\xC3\xAD"
         "a/b o v"},
        {"cloze", "b o v 1"},
        {"cloze", "b o v 2"},
        {"category",
         "$course$/top/Ortograf\xC3\xAD"
         "a/a//b"},
        {"cloze", "a/b 3"},
        {"category",
         "$course$/top/Ortograf\xC3\xAD"
         "a"},
        {"cloze", "4"},
    };
    ASSERT_EQ(leidas.size(), esperadas.size());
    for (size_t i = 0; i < leidas.size(); ++i) {
        EXPECT_EQ(leidas[i].Tipo, esperadas[i].first) << i;
        EXPECT_EQ(leidas[i].Tipo == "category" ? leidas[i].Categoria : leidas[i].Nombre,
                  esperadas[i].second)
            << i;
    }
    EXPECT_EQ(leidas[2].Texto,
              "<p>El {1:SHORTANSWER:=v}erano pasado {1:SHORTANSWER:=b}arco.</p>"
              "<p>Y al {1:SHORTANSWER:=b}osque.</p>");
    EXPECT_EQ(e.Perdidas, (std::vector<TPerdidaMoodle>{{TTipo::TemaCambiado, 3}}));
}

TEST(MoodleExport, SpecialCharactersOfTheTextAreEscapedSoNoneReadsAsAGap) {
    const TExportacionMoodle e = ExportaMoodle(
        {{0, 0, "t", W("a<b>&c {1:SA:=x} \"q\" ' {#1} é @&lt;@")}}, "S", TIdioma::Valenciano);
    const std::string html = Lee(e.Xml).at(2).Texto;
    EXPECT_EQ(
        html,
        "<p>a&lt;b&gt;&amp;c &#123;1:SA:=x} \"q\" ' &#123;#1} é {1:SHORTANSWER:=&amp;lt;}</p>");
    const std::vector<THuecoCloze> huecos = BuscaHuecosCloze(html);
    ASSERT_EQ(huecos.size(), 1u);
    EXPECT_EQ(DesescapaRespuestaCloze(DecodificaEntidades(huecos[0].Alternativas[0].Respuesta)),
              "&lt;");
}

TEST(MoodleExport, WhatMoodleCannotHoldIsToldAndCounted) {
    const std::vector<TPregunta> preguntas = {
        {1, 0, "Acentos", W("@Mañana@ iremos de @excursión@.")},
        {0, 6, "Ancho", "Un @sol@ y una @estrella@."},
        {0, 0, "Huecos", "@@echaban, @a~b@, @a\\@, @ x @ y @ @."},
        {0, 0, "Control",
         std::string("a\x01"
                     "b @c\x02@")},
    };
    const TExportacionMoodle castellano = ExportaMoodle(preguntas, "S", TIdioma::Castellano);
    const std::vector<std::pair<TTipo, int>> cuentas = {
        {TTipo::PreRelleno, 1},        {TTipo::AnchoMinimo, 1},
        {TTipo::RespuestaVacia, 2},    {TTipo::RespuestaConTilde, 1},
        {TTipo::RespuestaConBarra, 1}, {TTipo::BlancosEnRespuesta, 1},
        {TTipo::CaracterDeControl, 1}, {TTipo::TemaCambiado, 0},
    };
    for (const auto& [tipo, cuenta] : cuentas)
        EXPECT_EQ(Cuenta(castellano, tipo), cuenta) << static_cast<int>(tipo);

    const std::vector<TPreguntaEscrita> leidas = Lee(castellano.Xml);
    const auto pregunta = [&](const std::string& nombre) {
        for (const TPreguntaEscrita& p : leidas)
            if (p.Nombre == nombre)
                return p;
        ADD_FAILURE() << nombre;
        return TPreguntaEscrita{};
    };
    EXPECT_NE(pregunta("Acentos 1").Comentario.find("sin tildes"), std::string::npos);
    EXPECT_EQ(pregunta("Acentos 1").Pista,
              "<p>Las respuestas, sin tildes: 1. Ma\xC3\xB1"
              "ana; 2. excursion</p>");
    EXPECT_NE(pregunta("Ancho 2").Comentario.find("al menos 6 letras"), std::string::npos);
    EXPECT_EQ(pregunta("Huecos 3").Texto, "<p>echaban, a~b, a\\, {1:SHORTANSWER:=x} y  .</p>");
    EXPECT_EQ(pregunta("Control 4").Texto, "<p>ab {1:SHORTANSWER:=c}</p>");

    const TExportacionMoodle valenciano = ExportaMoodle(preguntas, "S", TIdioma::Valenciano);
    const std::vector<TPreguntaEscrita> valencianas = Lee(valenciano.Xml);
    EXPECT_NE(valencianas.at(2).Comentario.find("sense accents"), std::string::npos);
    EXPECT_EQ(valencianas.at(2).Pista,
              "<p>Les respostes, sense accents: 1. Ma\xC3\xB1"
              "ana; 2. excursion</p>");
    EXPECT_EQ(valenciano.Perdidas, castellano.Perdidas);
}

TEST(MoodleExport, TopicsNoCategoryNameHolds) {
    for (const std::string& tema :
         std::vector<std::string>{" a", "a ", "<b>x", std::string(256, 'x')}) {
        const TExportacionMoodle e = ExportaMoodle({{0, 0, tema, "t"}}, "S", TIdioma::Castellano);
        EXPECT_EQ(e.Perdidas, (std::vector<TPerdidaMoodle>{{TTipo::TemaCambiado, 0}})) << tema;
    }
    EXPECT_TRUE(ExportaMoodle({{0, 0, std::string(255, 'x'), "t"}}, "S", TIdioma::Castellano)
                    .Perdidas.empty());
}
