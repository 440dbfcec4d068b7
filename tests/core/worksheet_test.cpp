#include "core/authoring/worksheet.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <tuple>

#include "test_questions.h"

namespace {

using TTipo = TPiezaHoja::TTipo;

// Every character 6 points wide, every line 20 points high with its baseline at 15.
TMedidasHoja Medidas() {
    TMedidasHoja medidas;
    medidas.AltoLinea = [](TEstiloHoja) { return 20.0; };
    medidas.Base = [](TEstiloHoja) { return 15.0; };
    medidas.AnchoTexto = [](std::string_view texto, TEstiloHoja) { return 6.0 * texto.size(); };
    return medidas;
}

TOpcionesHoja Opciones(bool respuestas = false, TIdioma idioma = TIdioma::Castellano) {
    return {"Mi conjunto", respuestas, idioma};
}

std::vector<std::string> Textos(const TPaginaHoja& pagina) {
    std::vector<std::string> textos;
    for (const TPiezaHoja& pieza : pagina.Piezas)
        if (pieza.Tipo == TTipo::Texto)
            textos.push_back(pieza.Texto);
    return textos;
}

bool Tiene(const std::vector<std::string>& textos, const std::string& texto) {
    return std::find(textos.begin(), textos.end(), texto) != textos.end();
}

}  // namespace

TEST(Worksheet, AHeadingWithTheSetsNameAndLinesForNameAndDateInEitherLanguage) {
    for (const auto& [idioma, nombre, fecha, pagina] :
         {std::tuple{TIdioma::Castellano, "Nombre:", "Fecha:", W("Página 1 de 1")},
          std::tuple{TIdioma::Valenciano, "Nom:", "Data:", W("Pàgina 1 de 1")}}) {
        const auto paginas = PlanificaHoja({{0, 0, "t", "x"}}, Opciones(false, idioma), Medidas());
        ASSERT_EQ(paginas.size(), 1u);
        const std::vector<std::string> textos = Textos(paginas[0]);
        ASSERT_GE(textos.size(), 3u);
        EXPECT_EQ(textos[0], "Mi conjunto");
        EXPECT_EQ(textos[1], nombre);
        EXPECT_EQ(textos[2], fecha);
        EXPECT_TRUE(Tiene(textos, pagina));
        const auto rayas = std::count_if(paginas[0].Piezas.begin(), paginas[0].Piezas.end(),
                                         [](const TPiezaHoja& p) { return p.Tipo == TTipo::Raya; });
        EXPECT_EQ(rayas, 2);
    }
}

TEST(Worksheet, QuestionsNumberedAndGroupedByTopicAsTopicsFirstCome) {
    const std::vector<TPregunta> preguntas = {
        {0, 0, "B", "uno"}, {0, 0, "A", "dos"}, {0, 0, "B", "tres"}, {0, 0, "", "cuatro"}};
    const std::vector<std::string> textos =
        Textos(PlanificaHoja(preguntas, Opciones(), Medidas())[0]);
    const std::vector<std::string> esperados = {"B", "1.", "uno", "2.", "tres",
                                                "A", "3.", "dos", "4.", "cuatro"};
    const std::vector<std::string> cuerpo(textos.begin() + 3, textos.end() - 1);
    EXPECT_EQ(cuerpo, esperados);
}

TEST(Worksheet, GapsAreAsWideAsTheProgramsWithTheirPreFill) {
    struct Caso {
        const char* nombre;
        TPregunta pregunta;
        double ancho;
        std::string relleno;
    };
    // 8 mm per letter, room for a child's hand: a one-letter gap was 3.2 mm.
    const double mm = 8 * 72 / 25.4;
    const Caso casos[] = {
        {"the answer's characters", {0, 0, "", "@abc@"}, 3 * mm, ""},
        {"the minimum width", {0, 5, "", "@abc@"}, 5 * mm, ""},
        {"an empty answer still leaves room", {0, 0, "", "@@"}, mm, ""},
        {"accent practice shows the unaccented answer",
         {1, 0, "", W("@camión@")},
         6 * mm,
         "camion"},
    };
    for (const Caso& caso : casos) {
        const auto paginas = PlanificaHoja({caso.pregunta}, Opciones(), Medidas());
        std::vector<TPiezaHoja> rayas;
        for (const TPiezaHoja& p : paginas[0].Piezas)
            if (p.Tipo == TTipo::Raya)
                rayas.push_back(p);
        ASSERT_EQ(rayas.size(), 3u) << caso.nombre;  // name, date, the gap
        EXPECT_DOUBLE_EQ(rayas[2].Ancho, caso.ancho) << caso.nombre;
        EXPECT_EQ(Tiene(Textos(paginas[0]), caso.relleno), !caso.relleno.empty()) << caso.nombre;
    }
    // print --gap-width and the editor set another room per letter.
    TOpcionesHoja anchas = Opciones();
    anchas.MilimetrosPorLetra = 10;
    const auto paginas = PlanificaHoja({{0, 0, "", "@abc@"}}, anchas, Medidas());
    std::vector<double> anchos;
    for (const TPiezaHoja& p : paginas[0].Piezas)
        if (p.Tipo == TTipo::Raya)
            anchos.push_back(p.Ancho);
    ASSERT_EQ(anchos.size(), 3u);
    EXPECT_DOUBLE_EQ(anchos[2], 3 * 10 * 72 / 25.4);
    // However narrow the letters, a pre-fill never overflows its line.
    anchas.MilimetrosPorLetra = 1;
    const auto estrechas = PlanificaHoja({{1, 0, "", "@aaaaaaaaaa@"}}, anchas, Medidas());
    double raya = 0;
    for (const TPiezaHoja& p : estrechas[0].Piezas)
        if (p.Tipo == TTipo::Raya)
            raya = p.Ancho;
    EXPECT_DOUBLE_EQ(raya, 10 * 6 + 4);
}

// Three "és" in one question are matched to the key by their numbers, not by their order.
TEST(Worksheet, GapsAreNumberedOnTheSheetAndInTheKeyAndNoKeyLineStartsWithASeparator) {
    std::string texto = "a";
    for (int i = 0; i < 40; ++i)
        texto += " @palabra@";
    const auto paginas = PlanificaHoja({{0, 0, "", texto}}, Opciones(true), Medidas());
    ASSERT_EQ(paginas.size(), 2u);
    const std::vector<std::string> hoja = Textos(paginas[0]);
    EXPECT_TRUE(Tiene(hoja, "(1)"));
    EXPECT_TRUE(Tiene(hoja, "(40)"));
    const std::vector<std::string> clave = Textos(paginas[1]);
    EXPECT_TRUE(Tiene(clave, "(1) palabra;"));
    EXPECT_TRUE(Tiene(clave, "(40) palabra"));
    for (const TPiezaHoja& p : paginas[1].Piezas) {
        if (p.Tipo != TTipo::Texto)
            continue;
        EXPECT_FALSE(p.Texto.starts_with(";")) << p.Texto;
        EXPECT_FALSE(p.Texto.starts_with(",")) << p.Texto;
    }
}

// No question splits across pages unless it is longer than one; nothing leaves the margins.
TEST(Worksheet, QuestionsKeepTogetherWithinTheMargins) {
    std::vector<TPregunta> preguntas;
    for (int i = 0; i < 60; ++i) {
        std::string texto;
        for (int palabra = 0; palabra < 10 + (i * 37) % 90; ++palabra)
            texto += "q" + std::to_string(i) + (palabra % 7 == 0 ? " @gap@ " : " ");
        preguntas.push_back({0, 0, "T" + std::to_string(i / 20), texto});
    }
    std::string larga;
    for (int i = 0; i < 3000; ++i)
        larga += "largo ";
    preguntas.push_back({0, 0, "T9", larga});
    const TMedidasHoja medidas = Medidas();
    const auto paginas = PlanificaHoja(preguntas, Opciones(), medidas);
    std::map<std::string, std::set<size_t>> paginasDe;
    size_t paginasLargas = 0;
    for (size_t n = 0; n < paginas.size(); ++n) {
        bool larga = false;
        for (const TPiezaHoja& p : paginas[n].Piezas) {
            EXPECT_GE(p.X, medidas.Margen - 0.01);
            EXPECT_LE(p.X + (p.Tipo == TTipo::Raya ? p.Ancho : 6.0 * p.Texto.size()),
                      medidas.Ancho - medidas.Margen + 0.01)
                << p.Texto;
            EXPECT_LE(p.Y, medidas.Alto - medidas.Margen / 2 + 0.01);
            if (p.Texto.starts_with("q"))
                paginasDe[p.Texto].insert(n);
            larga = larga || p.Texto == "largo";
        }
        paginasLargas += larga ? 1 : 0;
    }
    ASSERT_EQ(paginasDe.size(), 60u);
    for (const auto& [palabra, enPaginas] : paginasDe)
        EXPECT_EQ(enPaginas.size(), 1u) << palabra;
    EXPECT_GT(paginasLargas, 1u);
}

TEST(Worksheet, TheAnswerKeyOnPagesOfItsOwn) {
    const std::vector<TPregunta> preguntas = {{0, 0, "A", "x @h@ola @@y"},
                                              {0, 0, "A", "sin huecos"}};
    const auto sin = PlanificaHoja(preguntas, Opciones(false), Medidas());
    const auto con = PlanificaHoja(preguntas, Opciones(true), Medidas());
    ASSERT_EQ(sin.size(), 1u);
    ASSERT_EQ(con.size(), 2u);
    const std::vector<std::string> clave = Textos(con[1]);
    EXPECT_EQ(clave[0], "Mi conjunto \x97 Soluciones");
    EXPECT_EQ(std::vector<std::string>(clave.begin() + 1, clave.end() - 1),
              (std::vector<std::string>{"1.", "(1) h;", "(2) (en blanco)", "2."}));
    EXPECT_EQ(clave.back(), W("Página 2 de 2"));
    const auto valenciano =
        PlanificaHoja(preguntas, Opciones(true, TIdioma::Valenciano), Medidas());
    EXPECT_EQ(Textos(valenciano[1])[0], "Mi conjunto \x97 Solucions");
    EXPECT_TRUE(Tiene(Textos(valenciano[1]), "(2) (en blanc)"));
}

// A long address was once clipped at the right margin, and a long answer in the key.
TEST(Worksheet, LongWordsAndAnswersBreakAtTheMarginAndNothingIsLost) {
    std::string direccion = "https://ejemplo.org/";
    while (direccion.size() < 130)
        direccion += "ruta" + std::to_string(direccion.size()) + "/";
    std::string respuesta;
    while (respuesta.size() < 29000)
        respuesta += "x" + std::to_string(respuesta.size());
    const std::string tema = "Tema " + std::string(100, 't') + " con " + direccion;
    const std::vector<TPregunta> preguntas = {{0, 0, tema, "Mira " + direccion + " ya"},
                                              {0, 0, tema, "@" + respuesta + "@ fin"}};
    const TMedidasHoja medidas = Medidas();
    const std::string titulo = std::string(90, 'n') + " " + std::string(90, 'm');
    const auto paginas = PlanificaHoja(preguntas, {titulo, true, TIdioma::Castellano}, medidas);
    const auto sinBlancos = [](std::string s) {
        std::erase(s, ' ');
        return s;
    };
    std::string texto, clave, cabeceras;
    double raya = 0;
    int rayasDeCabecera = 2;  // the heading's, for the name and the date
    bool enClave = false;
    for (const TPaginaHoja& pagina : paginas) {
        for (const TPiezaHoja& p : pagina.Piezas) {
            EXPECT_GE(p.X, medidas.Margen - 0.01);
            EXPECT_LE(p.X + (p.Tipo == TTipo::Raya ? p.Ancho : 6.0 * p.Texto.size()),
                      medidas.Ancho - medidas.Margen + 0.01)
                << p.Texto;
            enClave = enClave || p.Texto.ends_with("Soluciones");
            if (p.Tipo == TTipo::Raya && rayasDeCabecera-- <= 0)
                raya += p.Ancho;
            else if (p.Estilo == TEstiloHoja::Texto && !enClave)
                texto += p.Texto.ends_with("-") ? p.Texto.substr(0, p.Texto.size() - 1) : p.Texto;
            else if (p.Estilo == TEstiloHoja::Respuesta)
                clave += p.Texto.ends_with("-") ? p.Texto.substr(0, p.Texto.size() - 1) : p.Texto;
            else if (p.Estilo == TEstiloHoja::Tema || p.Estilo == TEstiloHoja::Titulo)
                cabeceras += sinBlancos(p.Texto.ends_with("-") && p.Texto.size() > 1
                                            ? p.Texto.substr(0, p.Texto.size() - 1)
                                            : p.Texto);
        }
    }
    EXPECT_NE(texto.find("Mira" + direccion + "ya"), std::string::npos) << texto;
    EXPECT_EQ(clave, "(1) " + respuesta);
    EXPECT_EQ(cabeceras, sinBlancos(titulo + tema + titulo + " \x97 Soluciones")) << cabeceras;
    // A letter's room per character of the answer, over as many lines as it takes.
    EXPECT_NEAR(raya, kMilimetrosPorLetra * 72 / 25.4 * static_cast<double>(respuesta.size()), 0.5);
}
