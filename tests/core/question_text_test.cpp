#include "core/text/question_text.h"

#include <gtest/gtest.h>

#include <ostream>

void PrintTo(const TPiezaTexto& p, std::ostream* os) {
    *os << "{" << static_cast<int>(p.Tipo) << " \"" << p.Texto << "\" at " << p.Inicio
        << (p.BlancoAnadido ? " +blank" : "") << " mark " << p.Marca
        << (p.Cerrado ? " closed" : "") << " width " << p.Ancho << " prefill \"" << p.Relleno
        << "\"}";
}

namespace {

using TTipo = TPiezaTexto::TTipo;

TPiezaTexto T(std::string texto, size_t inicio, bool anadido = false) {
    TPiezaTexto p{TTipo::Texto, std::move(texto), inicio};
    p.BlancoAnadido = anadido;
    return p;
}
TPiezaTexto H(std::string respuesta, size_t inicio, bool cerrado, int ancho, bool anadido = false,
              std::string relleno = "") {
    TPiezaTexto p{TTipo::Hueco, std::move(respuesta), inicio};
    p.BlancoAnadido = anadido;
    p.Marca = inicio - 1;
    p.Cerrado = cerrado;
    p.Ancho = ancho;
    p.Relleno = std::move(relleno);
    return p;
}
TPiezaTexto R(size_t inicio) {
    return {TTipo::Parrafo, "", inicio};
}

// Every piece of every word, as the layout gets them.
std::vector<TPiezaTexto> Piezas(const TPregunta& pregunta) {
    std::vector<TPiezaTexto> piezas;
    TLectorTexto lector(pregunta);
    TPalabraTexto palabra;
    while (!lector.Terminado()) {
        lector.Siguiente(palabra);
        piezas.insert(piezas.end(), palabra.Piezas.begin(), palabra.Piezas.end());
    }
    return piezas;
}

}  // namespace

TEST(QuestionText, ReadsRunsGapsAndParagraphsWithTheirPlaces) {
    const struct {
        const char* nombre;
        TPregunta pregunta;
        std::vector<TPiezaTexto> piezas;
    } casos[] = {
        {"the last word gets a blank", {0, 4, "", "La casa@s@ es"},
         {T("La ", 0), T("casa", 3), H("s", 8, true, 4), T(" ", 10), T("es ", 11, true)}},
        {"a blank inside a gap", {0, 0, "", "@de la@ x"},
         {H("de la", 1, true, 5), T(" ", 7), T("x ", 8, true)}},
        {"a carriage return ends an open gap", {0, 0, "", "a@b\rc@d"},
         {T("a", 0), H("b", 2, false, 1), R(3), T("c", 4), H("d ", 6, false, 2, true)}},
        {"a mark before a carriage return opens nothing", {0, 0, "", "a@\r"},
         {T("a", 0), R(2)}},
        {"a last mark opens a gap of the added blank", {0, 0, "", "a@"},
         {T("a", 0), H(" ", 2, false, 1, true)}},
        {"an empty gap takes the minimum width", {0, 3, "", "@@"},
         {H("", 1, true, 3), T(" ", 2, true)}},
        {"accent practice pre-fills without accents", {1, 0, "", "@cami\xF3n@"},
         {H("cami\xF3n", 1, true, 6, false, "camion"), T(" ", 8, true)}},
        {"two blanks start a word with a blank", {0, 0, "", "a  b"},
         {T("a ", 0), T(" b ", 2, true)}},
    };
    for (const auto& caso : casos)
        EXPECT_EQ(Piezas(caso.pregunta), caso.piezas) << caso.nombre;
}

TEST(QuestionText, WordsKnowTheirMarks) {
    TLectorTexto lector("x @a b@ @c\r@");
    TPalabraTexto palabra;
    std::vector<std::tuple<size_t, size_t, bool, size_t>> palabras;
    while (!lector.Terminado()) {
        lector.Siguiente(palabra);
        palabras.emplace_back(palabra.Inicio, palabra.Largo(), palabra.ConMarcas,
                              palabra.MarcaAbierta);
    }
    constexpr size_t npos = std::string::npos;
    EXPECT_EQ(palabras, (std::vector<std::tuple<size_t, size_t, bool, size_t>>{
                            {0, 2, false, npos},
                            {2, 6, true, npos},
                            {8, 2, true, 8},
                            {10, 1, false, npos},
                            {11, 2, true, 11}}));
}

TEST(QuestionText, PagesLeaveTheAddedBlankOutOfTextOnly) {
    EXPECT_EQ(PiezasDeTexto("pega@dos@"), (std::vector<TPiezaTexto>{T("pega", 0), H("dos", 5, true, 3)}));
    EXPECT_EQ(PiezasDeTexto("la @h"), (std::vector<TPiezaTexto>{T("la ", 0), H("h ", 4, false, 2, true)}));
}
