#include "core/authoring/gap_rules.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "core/base/win1252.h"

namespace {

// The text (UTF-8) with every proposal applied, back in UTF-8.
std::string Aplica(const std::string& texto, std::vector<TReglaHuecos> reglas,
                   int distractores = 0) {
    const std::string bytes = *Windows1252DeUtf8(texto);
    const TPregunta pregunta{0, 0, "", bytes};
    return Utf8DeWindows1252(
        AplicaHuecos(pregunta, ProponHuecos(bytes, reglas, distractores)).Texto);
}

}  // namespace

TEST(GapRules, WordsAreRunsOfLettersWithTheMiddleDotOfLGeminada) {
    const std::string texto = *Windows1252DeUtf8("l'àvia col·legi-nou, x·y l· 3d Œuvre");
    std::vector<std::string> palabras;
    for (const TTramo& t : Palabras(texto))
        palabras.push_back(Utf8DeWindows1252(texto.substr(t.Inicio, t.Longitud)));
    EXPECT_EQ(palabras, (std::vector<std::string>{"l", "àvia", "col·legi", "nou", "x", "y", "l",
                                                  "d", "Œuvre"}));
}

TEST(GapRules, EachRuleGapsTheLettersItIsAbout) {
    using R = TReglaHuecos;
    struct Caso {
        R regla;
        std::string texto, esperado;
    };
    const Caso casos[] = {
        {R::Acentos, "La canción de l'àvia: pingüino, Ítaca y raíz.",
         "La @canción@ de l'@àvia@: @pingüino@, @Ítaca@ y @raíz@."},
        {R::Acentos, "Él leyó el libro", "@Él@ @leyó@ el libro"},
        {R::BV, "Vivía bajo el Obvio", "@V@i@v@ía @b@ajo el Ob@v@io"},
        {R::H, "Hoy el chico ha hecho", "@H@oy el chico @h@a @h@echo"},
        {R::GJ, "Gente jugando al golf con ganas: gimnasio",
         "@G@ente jugando al golf con ganas: @g@imnasio"},
        {R::LlY, "Ya llueve y hoy mayo", "@Y@a @ll@ueve y hoy ma@y@o"},
        {R::CZS, "Cinco zapatos casi", "@C@inco @z@apatos ca@s@i"},
        {R::XCh, "Chico examen", "@Ch@ico e@x@amen"},
        {R::Cedilla, "Això és força", "Això és for@ç@a"},
        // A name's capital is no choice; a sentence's is.
        {R::BV, "Viu a València. Vol anar-hi", "@V@iu a València. @V@ol anar-hi"},
        {R::LGeminada, "El col·legi i la il·lusió", "El co@l·l@egi i la i@l·l@usió"},
        {R::TzTsIgTx, "Dotze fets, cotxe, mig i passeigs, igual",
         "Do@tz@e fets, co@tx@e, m@ig@ i passe@ig@s, igual"},
        {R::SSsZC, "Passa zero cel i casa", "Pa@ss@a @z@ero @c@el i ca@s@a"},
    };
    for (const Caso& caso : casos) {
        SCOPED_TRACE(Descripcion(caso.regla).Nombre + std::string(": ") + caso.texto);
        EXPECT_EQ(Aplica(caso.texto, {caso.regla}), caso.esperado);
    }
}

TEST(GapRules, AccentGapsRemovedGiveTheTextBackAndMakeAccentPractice) {
    const std::string texto =
        *Windows1252DeUtf8("Mañana iremos de excursión al lago, también Lucía; aquí está él.");
    const TPregunta pregunta{0, 0, "t", texto};
    const TPregunta hecha = AplicaHuecos(pregunta, ProponHuecos(texto, {TReglaHuecos::Acentos}, 0));
    EXPECT_EQ(hecha.Modo, 1);
    EXPECT_EQ(QuitaMarcas(hecha.Texto), texto);
    std::vector<TTramo> huecos;
    const std::string limpio = QuitaMarcas(hecha.Texto, &huecos);
    std::vector<std::string> respuestas;
    for (const TTramo& h : huecos)
        respuestas.push_back(Utf8DeWindows1252(limpio.substr(h.Inicio, h.Longitud)));
    EXPECT_EQ(respuestas,
              (std::vector<std::string>{"excursión", "también", "Lucía", "aquí", "está", "él"}));

    // Without accent gaps the mode stays.
    EXPECT_EQ(AplicaHuecos(pregunta, ProponHuecos(texto, {TReglaHuecos::BV}, 0)).Modo, 0);
}

TEST(GapRules, WordsAlreadyHoldingGapsAreLeftAlone) {
    EXPECT_EQ(Aplica("@Había@ una @vez dos@ veces bien", {TReglaHuecos::BV}),
              "@Había@ una @vez dos@ @v@eces @b@ien");
    EXPECT_EQ(Aplica("@v@ivía y vivió", {TReglaHuecos::Acentos}), "@v@ivía y @vivió@");
}

TEST(GapRules, AnEarlierRuleWinsWhereTwoWouldOverlap) {
    EXPECT_EQ(Aplica("había vaca", {TReglaHuecos::Acentos, TReglaHuecos::BV}), "@había@ @v@aca");
    EXPECT_EQ(Aplica("había vaca", {TReglaHuecos::BV, TReglaHuecos::Acentos}), "ha@b@ía @v@aca");
}

TEST(GapRules, DistractorsAreWordsOfTheSameKindWithoutTheLetter) {
    struct Caso {
        TReglaHuecos regla;
        std::string texto;
        int cuantos;
        std::string esperado;
        int distractores;
    };
    const Caso casos[] = {
        // Words with an accented twin come first, then plain words that might be.
        {TReglaHuecos::Acentos, "Si el camión tiene ruedas grandes", 2,
         "@Si@ @el@ @camión@ tiene ruedas grandes", 2},
        {TReglaHuecos::Acentos, "Tiene ruedas rojas y canción", 1,
         "@Tiene@ ruedas rojas y @canción@", 1},
        {TReglaHuecos::Acentos, "Sin acento", 0, "Sin acento", 0},
        {TReglaHuecos::H, "Hola amigo, ola", 5, "@H@ola @@amigo, @@ola", 2},
        {TReglaHuecos::Cedilla, "Força cel", 3, "For@ç@a @c@el", 1},
        {TReglaHuecos::LGeminada, "col·legi vela", 1, "co@l·l@egi ve@l@a", 1},
        // Both spellings are gaps already: nothing to add.
        {TReglaHuecos::BV, "vaca bota", 4, "@v@aca @b@ota", 0},
    };
    for (const Caso& caso : casos) {
        SCOPED_TRACE(caso.texto);
        EXPECT_EQ(Aplica(caso.texto, {caso.regla}, caso.cuantos), caso.esperado);
        const auto propuestas =
            ProponHuecos(*Windows1252DeUtf8(caso.texto), {caso.regla}, caso.cuantos);
        EXPECT_EQ(std::count_if(propuestas.begin(), propuestas.end(),
                                [](const TPropuestaHueco& p) { return p.Distractor; }),
                  caso.distractores);
    }
}

TEST(GapRules, AnUntickedProposalIsNotApplied) {
    const std::string texto = "vaca bota";
    std::vector<TPropuestaHueco> propuestas = ProponHuecos(texto, {TReglaHuecos::BV}, 0);
    ASSERT_EQ(propuestas.size(), 2u);
    propuestas[0].Marcada = false;
    EXPECT_EQ(AplicaHuecos(TPregunta{0, 0, "", texto}, propuestas).Texto, "vaca @b@ota");
}

TEST(GapRules, RulesAreKnownByTheirNames) {
    for (const TDescripcionRegla& d : DescripcionesReglas()) {
        EXPECT_EQ(ReglaDeNombre(d.Nombre), d.Regla);
        EXPECT_TRUE(d.Castellano || d.Valenciano);
    }
    EXPECT_EQ(ReglaDeNombre("l\xC2\xB7l"), TReglaHuecos::LGeminada);
    EXPECT_FALSE(ReglaDeNombre("b"));
    EXPECT_FALSE(ReglaDeNombre(""));
}
