#include "core/text/layout.h"

#include <gtest/gtest.h>

#include <ostream>

void PrintTo(const TEtiquetaPlan& e, std::ostream* os) {
    *os << "{label " << e.Indice << " at (" << e.X << ", " << e.Y << ") \"" << e.Texto << "\"}";
}

void PrintTo(const THuecoPlan& h, std::ostream* os) {
    *os << "{gap at (" << h.X << ", " << h.Y << ") width " << h.Ancho << " max " << h.LongitudMaxima
        << " answer \"" << h.Respuesta << "\" at y " << h.YRespuesta << " prefill \"" << h.Relleno
        << "\"}";
}

namespace {

// Fixed pitch: 8 pixels per byte.
TMetricas Metricas(int anchoVentana = 750) {
    TMetricas m;
    m.AnchoVentana = anchoVentana;
    m.AnchoTexto = [](std::string_view texto) { return 8 * static_cast<int>(texto.size()); };
    return m;
}

std::vector<std::string> Palabras(std::string resto) {
    std::vector<std::string> palabras;
    std::string palabra = "sobrante";
    do {
        SiguientePalabra(resto, palabra);
        palabras.push_back(palabra);
    } while (!resto.empty());
    return palabras;
}

THuecoPlan Hueco(int x, int y, int ancho, int longitud, std::string respuesta,
                 std::string relleno = "") {
    return {x, y, ancho, longitud, std::move(respuesta), y - 14, std::move(relleno)};
}

}  // namespace

TEST(SiguientePalabra, CutsTokens) {
    const struct {
        std::string texto;
        std::vector<std::string> palabras;
    } casos[] = {
        {"La casa@s@ es", {"La ", "casa@s@ ", "es "}},
        {"@de la@ casa", {"@de la@ ", "casa "}},
        {"fin\rSigue", {"fin", "\r", "Sigue "}},
        {"a  b", {"a ", " b "}},
        {"", {""}},
        {"\r\r", {"\r", "\r"}},
        {"@a b\rc@ d", {"@a b", "\r", "c@ d "}},
        {"@", {"@ "}},
        {" ", {"  "}},
        {"x\n y", {"x\n ", "y "}},
        {"uno ", {"uno "}},
    };
    for (const auto& caso : casos)
        EXPECT_EQ(Palabras(caso.texto), caso.palabras) << caso.texto;
}

TEST(SiguientePalabra, EmptyRestGivesEmptyToken) {
    std::string resto;
    std::string palabra = "previa";
    SiguientePalabra(resto, palabra);
    EXPECT_EQ(palabra, "");
    EXPECT_EQ(resto, "");
}

TEST(PlanificaPregunta, Layouts) {
    const struct {
        const char* nombre;
        TPregunta pregunta;
        int anchoVentana;
        std::vector<TEtiquetaPlan> textos;
        std::vector<THuecoPlan> huecos;
    } casos[] = {
        {"Plurales",
         {0, 4, "Plurales", "La casa@s@ es"},
         750,
         {{1, 32, 61, "La "}, {2, 56, 61, "casa"}, {3, 120, 61, " "}, {4, 128, 61, "es "}},
         {Hueco(88, 61, 32, 4, "s")}},
        {"answer wider than the minimum",
         {0, 4, "T", "La @casas@ es"},
         750,
         {{1, 32, 61, "La "}, {2, 96, 61, " "}, {3, 104, 61, "es "}},
         {Hueco(56, 61, 40, 5, "casas")}},
        {"empty gap, minimum 4",
         {0, 4, "T", "a @@ b"},
         750,
         {{1, 32, 61, "a "}, {2, 80, 61, " "}, {3, 88, 61, "b "}},
         {Hueco(48, 61, 32, 4, "")}},
        {"empty gap, minimum 0",
         {0, 0, "T", "a @@ b"},
         750,
         {{1, 32, 61, "a "}, {2, 48, 61, " "}, {3, 56, 61, "b "}},
         {Hueco(48, 61, 0, 0, "")}},
        {"blanks inside a gap",
         {0, 0, "T", "@de la@ casa"},
         750,
         {{1, 72, 61, " "}, {2, 80, 61, "casa "}},
         {Hueco(32, 61, 40, 5, "de la")}},
        {"text starting with a carriage return",
         {0, 0, "T", "\rHola"},
         750,
         {{2, 32, 96, "Hola "}},
         {}},
        {"two carriage returns leave an empty line",
         {0, 0, "T", "a\r\rb"},
         750,
         {{1, 32, 61, "a"}, {3, 32, 131, "b "}},
         {}},
        {"carriage return inside a gap ends it",
         {0, 0, "T", "x @ab\rcd"},
         750,
         {{1, 32, 61, "x "}, {2, 32, 96, "cd "}},
         {Hueco(48, 61, 16, 2, "ab")}},
        {"the closing mark after a carriage return opens a gap of its own",
         {0, 0, "T", "@a\rb@ c"},
         750,
         {{2, 32, 96, "b"}},
         {Hueco(32, 61, 8, 1, "a"), Hueco(40, 96, 24, 3, " c ")}},
        {"empty text", {0, 4, "T", ""}, 750, {}, {}},
        {"wrapping at 2P, paragraph at 4P",
         {0, 0, "T", "aa bb cccc dd\ree"},
         96,
         {{1, 32, 61, "aa bb "}, {2, 16, 96, "cccc dd"}, {3, 32, 131, "ee "}},
         {}},
        {"token too long for the window",
         {0, 0, "T", "abcdefghijkl xy"},
         100,
         {{2, 16, 96, "abcdefghijkl "}, {3, 16, 131, "xy "}},
         {}},
        {"a token with gaps wraps as a whole, marks counted",
         {0, 0, "T", "abcdef g@h@"},
         120,
         {{1, 32, 61, "abcdef "}, {2, 16, 96, "g"}, {3, 32, 96, " "}},
         {Hueco(24, 96, 8, 1, "h")}},
        {"Modo 1 prefills without accents",
         {1, 0, "T", "el @cami\xF3n@"},
         750,
         {{1, 32, 61, "el "}, {2, 104, 61, " "}},
         {Hueco(56, 61, 48, 6, "cami\xF3n", "camion")}},
        {"Modo 2 behaves as 0",
         {2, 0, "T", "el @cami\xF3n@"},
         750,
         {{1, 32, 61, "el "}, {2, 104, 61, " "}},
         {Hueco(56, 61, 48, 6, "cami\xF3n")}},
    };
    for (const auto& caso : casos) {
        SCOPED_TRACE(caso.nombre);
        const TPlanPregunta plan = PlanificaPregunta(caso.pregunta, 3, Metricas(caso.anchoVentana));
        EXPECT_EQ(plan.Cabecera, caso.pregunta.Tema + " (Pregunta n\xBA 3)");
        EXPECT_EQ(plan.Textos, caso.textos);
        EXPECT_EQ(plan.Huecos, caso.huecos);
    }
}

TEST(PlanificaPregunta, HeadingNumberInDecimal) {
    const TPregunta pregunta{0, 0, "Acentuaci\xF3n", "x"};
    EXPECT_EQ(PlanificaPregunta(pregunta, 65535, Metricas()).Cabecera,
              "Acentuaci\xF3n (Pregunta n\xBA 65535)");
    EXPECT_EQ(PlanificaPregunta(pregunta, 1, Metricas()).Cabecera,
              "Acentuaci\xF3n (Pregunta n\xBA 1)");
}

TEST(PlanificaPregunta, GeometryFollowsTheMetrics) {
    TMetricas m = Metricas();
    m.P = 10;
    m.H = 15;  // advance (5 * 15) div 2 = 37
    m.AltoRespuesta = 16;
    m.TopeTema = 40;
    m.AltoTema = 20;
    m.PuntosHueco = 9;
    m.AnchoTexto = [](std::string_view texto) { return 7 * static_cast<int>(texto.size()); };
    const TPlanPregunta plan = PlanificaPregunta({0, 3, "T", "ab @c@\rd"}, 1, m);
    // First line top 2P + 40 + 20 = 80; paragraph at 4P = 40.
    const std::vector<TEtiquetaPlan> textos = {{1, 40, 80, "ab "}, {2, 40, 117, "d "}};
    const std::vector<THuecoPlan> huecos = {{61, 80, 27, 3, "c", 64, ""}};
    EXPECT_EQ(plan.Textos, textos);
    EXPECT_EQ(plan.Huecos, huecos);
}

TEST(PlanificaPregunta, GapsBeyondThePoolAreDropped) {
    std::string texto;
    for (int i = 0; i < 201; ++i)
        texto += "@x@";
    texto += " fin";
    const TPlanPregunta plan = PlanificaPregunta({0, 0, "T", texto}, 1, Metricas());
    ASSERT_EQ(plan.Huecos.size(), 200u);
    // The long token starts a new line; gap 201 takes no room.
    EXPECT_EQ(plan.Huecos.front().X, 16);
    EXPECT_EQ(plan.Huecos.back().X, 16 + 199 * 8);
    // The blank after the gaps stays on the long line; "fin " wraps.
    const std::vector<TEtiquetaPlan> textos = {{2, 16 + 200 * 8, 96, " "}, {4, 16, 131, "fin "}};
    EXPECT_EQ(plan.Textos, textos);
}

TEST(PlanificaPregunta, TextBeyondThePoolIsDropped) {
    // 199 line breaks bring the current label to 200.
    const std::string saltos(199, '\r');
    const int tope = 61 + 199 * 35;
    {
        SCOPED_TRACE("pieces beside gaps");
        const TPlanPregunta plan =
            PlanificaPregunta({0, 0, "T", saltos + "a@x@b@y@c d"}, 1, Metricas());
        const std::vector<TEtiquetaPlan> textos = {{200, 32, tope, "a"}};
        // The dropped piece "b" does not move the pen.
        const std::vector<THuecoPlan> huecos = {Hueco(40, tope, 8, 1, "x"),
                                                Hueco(48, tope, 8, 1, "y")};
        EXPECT_EQ(plan.Textos, textos);
        EXPECT_EQ(plan.Huecos, huecos);
    }
    {
        SCOPED_TRACE("words on lines of their own");
        std::string texto;
        for (int i = 1; i <= 201; ++i)
            texto += "w" + std::to_string(i) + "\r";
        const TPlanPregunta plan = PlanificaPregunta({0, 0, "T", texto}, 1, Metricas());
        ASSERT_EQ(plan.Textos.size(), 200u);
        EXPECT_EQ(plan.Textos.back(), (TEtiquetaPlan{200, 32, tope, "w200"}));
    }
    {
        SCOPED_TRACE("a word after the pool is full");
        const TPlanPregunta plan =
            PlanificaPregunta({0, 0, "T", saltos + "a@x@ b @y@"}, 1, Metricas());
        // "a" fills label 200; the blank after gap 1 and the word "b " are dropped.
        const std::vector<TEtiquetaPlan> textos = {{200, 32, tope, "a"}};
        const std::vector<THuecoPlan> huecos = {Hueco(40, tope, 8, 1, "x"),
                                                Hueco(48, tope, 8, 1, "y")};
        EXPECT_EQ(plan.Textos, textos);
        EXPECT_EQ(plan.Huecos, huecos);
    }
}

TEST(PlanificaPregunta, IndicesStayInThePool) {
    std::string texto;
    for (int i = 0; i < 300; ++i)
        texto += "p@q@r@s@ t\r";
    const TPlanPregunta plan = PlanificaPregunta({1, 2, "T", texto}, 1, Metricas());
    EXPECT_EQ(plan.Huecos.size(), 200u);
    ASSERT_FALSE(plan.Textos.empty());
    int anterior = 0;
    for (const auto& etiqueta : plan.Textos) {
        EXPECT_GT(etiqueta.Indice, anterior);
        EXPECT_FALSE(etiqueta.Texto.empty());
        anterior = etiqueta.Indice;
    }
    EXPECT_LE(anterior, kTamanoPool);
}

TEST(TextoSinRespuestas, HidesTheAnswersAndJoinsTheLines) {
    const struct {
        const char *texto, *linea;
    } casos[] = {
        {"", ""},
        {"Sin huecos", "Sin huecos"},
        {"Un @cami\xF3n@ y @dos palabras@.", "Un ___ y ___."},
        {"@Al@ principio", "___ principio"},
        {"pega@dos@", "pega___"},
        {"Hueco vac\xEDo @@ aqu\xED", "Hueco vac\xEDo ___ aqu\xED"},
        {"L\xEDnea uno\rl\xEDnea dos\r\ntres", "L\xEDnea uno l\xEDnea dos  tres"},
        // A gap left open at the end hides the rest.
        {"Abierto @sin cerrar", "Abierto ___"},
        // A carriage return ends an open gap, as on screen.
        {"a@b\rc@d", "a___ c___"},
    };
    for (const auto& c : casos)
        EXPECT_EQ(TextoSinRespuestas(c.texto), c.linea) << c.texto;
}
