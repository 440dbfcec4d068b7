#include "core/authoring/set_checks.h"

#include <gtest/gtest.h>

#include <random>

#include "core/authoring/source_format.h"
#include "core/base/win1252.h"
#include "core/set/writer.h"

namespace {

using TTipo = TProblemaConjunto::TTipo;

TPregunta P(std::string tema, std::string texto, uint8_t modo = 0, uint8_t ancho = 0) {
    return {modo, ancho, std::move(tema), std::move(texto)};
}

// A layout that never wraps a line: only line breaks, gaps and the pools end a label.
TMetricas SinCortes() {
    TMetricas m;
    m.AnchoVentana = 1 << 30;
    m.AnchoTexto = [](std::string_view) { return 0; };
    return m;
}

}  // namespace

TEST(Comprobaciones, CountsAgreeWithTheLayout) {
    struct Caso {
        std::string Texto;
        int Huecos;
        int Piezas;
    };
    // clang-format off
    const std::vector<Caso> casos = {
        {"", 0, 0},
        {"una frase sin huecos", 0, 1},
        {"a@b@c", 1, 2},
        {"x @a@ y", 1, 3},               // the blank after the gap is a piece of its own
        {"a\r\rb", 0, 3},                // an empty paragraph takes a label too
        {"@a@\r@b@", 2, 2},              // the last word ends in a blank, a piece of its own
        {"@impar", 1, 0},                // an open mark makes a gap of the rest of its word
        {"@@", 1, 1},
        {"dos @pa la@bras", 1, 2},
    };
    // clang-format on
    for (const Caso& caso : casos) {
        EXPECT_EQ(CuentaHuecos(caso.Texto), caso.Huecos) << caso.Texto;
        EXPECT_EQ(CuentaPiezas(caso.Texto), caso.Piezas) << caso.Texto;
    }

    // Random texts below the pools' size: the counts are what the layout places.
    std::mt19937 azar(7);
    const std::string letras = "ab @@@\r\r ,.";
    for (int n = 0; n < 500; ++n) {
        std::string texto;
        for (int i = static_cast<int>(azar() % 80); i > 0; --i)
            texto += letras[azar() % letras.size()];
        const TPlanPregunta plan = PlanificaPregunta(P("t", texto), 1, SinCortes());
        const int piezas = plan.Textos.empty() ? 0 : plan.Textos.back().Indice;
        EXPECT_EQ(CuentaHuecos(texto), static_cast<int>(plan.Huecos.size())) << texto;
        EXPECT_EQ(CuentaPiezas(texto), piezas) << texto;
    }
}

TEST(Comprobaciones, ReadableShareIsWhatTheKeyCheckFinds) {
    std::string largo(kLongitudRegistro + 50, 'a');
    largo.replace(kLongitudRegistro - 10, 60, std::string(60, '\xE1'));
    const std::vector<TPregunta> primeras = {
        P("Primera", "Una pregunta sencilla, con letras y puntos. Nada mas."),
        P("\xE1\xE9", "@\xE1@ @\xE9@\r", 1),
        P("", ""),
        P("t", largo),  // only the first 32768 bytes are examined
        P("tema", "casi@todo@legible", 0, 3),
    };
    for (const TPregunta& primera : primeras) {
        // Each as the first of a set of one, then of two questions, as the program reads it.
        for (const bool dos : {false, true}) {
            std::vector<TPregunta> conjunto = {primera};
            if (dos)
                conjunto.push_back(P("b", "bien"));
            const int porcentaje = PorcentajeLegible(primera);
            EscribeConjunto(::testing::TempDir() + "/clave.preg", conjunto);
            EXPECT_EQ(CompruebaClave(::testing::TempDir() + "/clave.preg", kClave, nullptr),
                      porcentaje >= kPorcentajeLegibleMinimo)
                << primera.Texto.substr(0, 40) << " " << porcentaje;
        }
    }
    EXPECT_EQ(PorcentajeLegible(primeras[1]), 23);
    EXPECT_EQ(PorcentajeLegible(primeras[2]), 100);
}

TEST(Comprobaciones, MostReadableIsTheFirstOfTheBest) {
    const TPregunta mala = P("\xE1\xE9", "@\xE1@");
    const TPregunta buena = P("t", "bien escrita, sin signos");
    const TPregunta otra = P("t", "bien escrita, sin signos");
    EXPECT_EQ(MasLegible({mala, buena, otra}), 1);
    EXPECT_EQ(MasLegible({mala, mala}), -1);
    EXPECT_EQ(MasLegible(std::vector<TPregunta>{}), -1);
    EXPECT_EQ(MasLegible(std::vector<int>{50, 90, 95, 95}), 2);
    EXPECT_EQ(MasLegible(std::vector<int>{80, 23}), -1);
}

TEST(Comprobaciones, EveryProblemWithItsFigure) {
    std::string muchosHuecos, muchasPiezas;
    for (int i = 0; i < 201; ++i) {
        muchosHuecos += "@a@";
        muchasPiezas += "x\r";
    }
    const std::vector<TPregunta> preguntas = {P("\xE1", "@\xE1@"), P("t", "@impar"),
                                              P("t", muchosHuecos), P("t", muchasPiezas),
                                              P("t", std::string(kLongitudRegistro, 'a'))};
    std::vector<int64_t> longitudes;
    for (const TPregunta& p : preguntas)
        longitudes.push_back(LongitudRegistro(p));
    const std::vector<TProblemaConjunto> esperados = {
        {TTipo::DemasiadasPreguntas, -1, 70000},
        {TTipo::ClaveIlegible, 0, PorcentajeLegible(preguntas[0])},
        {TTipo::MarcasImpares, 1, 1, 0},
        {TTipo::DemasiadosHuecos, 2, 201},
        {TTipo::DemasiadasPiezas, 3, 201},
        {TTipo::RegistroLargo, 4, static_cast<int64_t>(kLongitudRegistro) + 5},
    };
    EXPECT_EQ(CompruebaConjunto(preguntas, longitudes, 70000), esperados);

    std::vector<TPregunta> temas;
    for (int i = 0; i < kMaximoTemas + 1; ++i)
        temas.push_back(P("tema " + std::to_string(i), "una pregunta sencilla"));
    EXPECT_EQ(CompruebaConjunto(temas, {}, static_cast<int64_t>(temas.size())),
              (std::vector<TProblemaConjunto>{{TTipo::DemasiadosTemas, -1, kMaximoTemas + 1}}));
    temas.pop_back();
    EXPECT_TRUE(CompruebaConjunto(temas, {}, static_cast<int64_t>(temas.size())).empty());
    EXPECT_EQ(CompruebaConjunto({}, {}, 0),
              (std::vector<TProblemaConjunto>{{TTipo::ConjuntoVacio, -1, 0}}));
}

TEST(Comprobaciones, OneRuleForTheCharactersOfEveryFile) {
    // What the checks let through is what a source carries and unpack writes, byte for byte.
    for (int b = 0; b < 256; ++b) {
        const auto byte = static_cast<unsigned char>(b);
        const char32_t codigo = UnicodeDeByte(byte);
        EXPECT_EQ(CaracterGuardable(codigo, false), ByteEscribible(byte)) << b;
        EXPECT_EQ(CaracterGuardable(codigo, true), ByteEscribible(byte) || b == '\r') << b;
        const TPregunta pregunta = P("t", std::string(1, static_cast<char>(byte)));
        EXPECT_EQ(CaracterGuardable(codigo, true), ByteNoEscribible(pregunta) < 0) << b;
    }
    for (const char32_t fuera : std::u32string(U"\u2603\U0001F600\u2010\u2009"))
        EXPECT_FALSE(CaracterGuardable(fuera, true));
    EXPECT_TRUE(CaracterGuardable(U'\u20AC', false));  // the euro sign is on the code page
}

TEST(Comprobaciones, WhatATeacherMostLikelyDidNotMean) {
    struct Caso {
        std::string Texto;
        std::vector<TProblemaConjunto> Esperados;
    };
    // clang-format off
    const std::vector<Caso> casos = {
        {"", {}},                                             // nothing typed yet
        {"sin huecos", {{TTipo::SinHuecos, 0}}},
        {"la @casa@ es @blanca@", {}},
        {"un @ hueco@ y @otro @", {{TTipo::RespuestaConBlancos, 0, 0, 3},
                                   {TTipo::RespuestaConBlancos, 0, 0, 14}}},
        {"@tres palabras bien@", {}},
        {"@se olvid\xF3 una marca@ aqu\xED", {{TTipo::RespuestaLarga, 0, 4, 0}}},
        // Marks pair within a paragraph: an open one does not pair with the next line's.
        {"@abierta y mas palabras\r@b@", {}},
    };
    // clang-format on
    for (const Caso& caso : casos)
        EXPECT_EQ(CompruebaRedaccion(P("t", caso.Texto), 0), caso.Esperados) << caso.Texto;
}

// In accent practice a gap starts filled with its answer: a letter gap gives itself away.
TEST(Comprobaciones, ALetterGapInAccentPracticeIsNamed) {
    TPregunta acentos = P("t", "@V@iu a @Val\xE8ncia@ i @@ara, @b@");
    acentos.Modo = 1;
    const std::vector<TProblemaConjunto> esperados = {
        {TTipo::LetrasEnAcentos, 0, 0, 0, "V"},
        {TTipo::LetrasEnAcentos, 0, 0, 21, ""},
    };
    EXPECT_EQ(CompruebaRedaccion(acentos, 0), esperados);
    EXPECT_NE(esperados[0].Mensaje(TIdioma::Valenciano).find("(\u00ABV\u00BB)"), std::string::npos);
    EXPECT_FALSE(esperados[0].Bloquea());
    acentos.Modo = 0;
    EXPECT_TRUE(CompruebaRedaccion(acentos, 0).empty());
}
