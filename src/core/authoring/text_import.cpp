#include "core/authoring/text_import.h"

#include <optional>

#include "core/authoring/set_checks.h"
#include "core/authoring/source_format.h"
#include "core/base/win1252.h"

namespace {

struct TFormaLlana {
    char32_t Codigo;
    const char* Forma;  // Windows-1252
};

// Characters with an obvious plain form; the code page's own dashes, quotes and spaces stay.
constexpr TFormaLlana kFormasLlanas[] = {
    {0x2010, "-"},    {0x2011, "-"},     {0x2012, "-"},     {0x2015, "\x97"}, {0x2043, "-"},
    {0x2212, "-"},    {0xFE63, "-"},     {0xFF0D, "-"},     {0x2000, " "},    {0x2001, " "},
    {0x2002, " "},    {0x2003, " "},     {0x2004, " "},     {0x2005, " "},    {0x2006, " "},
    {0x2007, " "},    {0x2008, " "},     {0x2009, " "},     {0x200A, " "},    {0x202F, " "},
    {0x205F, " "},    {0x3000, " "},     {0x1680, " "},     {0x200B, ""},     {0x200C, ""},
    {0x200D, ""},     {0x2060, ""},      {0xFEFF, ""},      {0x2264, "<="},   {0x2265, ">="},
    {0x2260, "/="},   {0x2192, "->"},    {0x2190, "<-"},    {0x2194, "<->"},  {0x21D2, "=>"},
    {0x2153, "1/3"},  {0x2154, "2/3"},   {0x2155, "1/5"},   {0x2159, "1/6"},  {0x215B, "1/8"},
    {0x215C, "3/8"},  {0x215D, "5/8"},   {0x215E, "7/8"},   {0x2032, "'"},    {0x2033, "\""},
    {0x201B, "\x91"}, {0x201F, "\x93"},  {0x2027, "\xB7"},  {0x2219, "\xB7"}, {0x22C5, "\xB7"},
    {0x0387, "\xB7"}, {0x013F, "L\xB7"}, {0x0140, "l\xB7"}, {0xFB01, "fi"},   {0xFB02, "fl"},
    {0x2024, "."},    {0x2044, "/"},     {0x2215, "/"},     {0x2217, "*"},    {0x2116, "N\xBA"},
};

// A combining accent after its letter: the letters it makes, in the order of kBases.
struct TAcentoCombinado {
    char32_t Codigo;
    const char* Bases;
    const char* Compuestas;  // Windows-1252
};
constexpr TAcentoCombinado kAcentosCombinados[] = {
    {0x0301, "AEIOUYaeiouy", "\xC1\xC9\xCD\xD3\xDA\xDD\xE1\xE9\xED\xF3\xFA\xFD"},
    {0x0300, "AEIOUaeiou", "\xC0\xC8\xCC\xD2\xD9\xE0\xE8\xEC\xF2\xF9"},
    {0x0308, "AEIOUaeiouy", "\xC4\xCB\xCF\xD6\xDC\xE4\xEB\xEF\xF6\xFC\xFF"},
    {0x0303, "ANOano", "\xC3\xD1\xD5\xE3\xF1\xF5"},
    {0x0327, "Cc", "\xC7\xE7"},
};

// Composes a combining accent with the letter before it; false when it does not apply.
bool ComponeAcento(char32_t codigo, std::string& linea) {
    if (linea.empty())
        return false;
    for (const TAcentoCombinado& acento : kAcentosCombinados) {
        if (acento.Codigo != codigo)
            continue;
        const std::string_view bases = acento.Bases;
        const size_t k = bases.find(linea.back());
        if (k == std::string_view::npos)
            return false;
        linea.back() = acento.Compuestas[k];
        return true;
    }
    return false;
}

std::optional<std::string_view> FormaLlana(char32_t codigo) {
    for (const TFormaLlana& forma : kFormasLlanas)
        if (forma.Codigo == codigo)
            return forma.Forma;
    return std::nullopt;
}

std::string_view Recorta(std::string_view s) {
    while (!s.empty() && s.front() == ' ')
        s.remove_prefix(1);
    while (!s.empty() && s.back() == ' ')
        s.remove_suffix(1);
    return s;
}

// One line in Windows-1252: tabs become blanks, what has a plain form takes it, the rest is
// recorded and left out.
std::string ConvierteLinea(std::string_view linea, int numero, TTextoImportado& importado) {
    std::string salida;
    size_t i = 0;
    for (int columna = 1; i < linea.size(); ++columna) {
        const size_t inicio = i;
        const std::optional<char32_t> codigo = LeeUtf8(linea, i);
        const int byte = codigo ? ByteDeUnicode(*codigo) : -1;
        if (codigo == U'\t') {
            salida += ' ';
        } else if (byte >= 0 && ByteEscribible(static_cast<unsigned char>(byte))) {
            salida += static_cast<char>(byte);
        } else if (const auto forma = codigo ? FormaLlana(*codigo) : std::nullopt) {
            salida += *forma;
            ++importado.Sustituidos;
        } else if (codigo && ComponeAcento(*codigo, salida)) {
            ++importado.Sustituidos;
        } else {
            importado.Rechazados.push_back(
                {numero, columna, std::string(linea.substr(inicio, i - inicio))});
        }
    }
    return salida;
}

bool CierraFrase(char c) {
    return c == '.' || c == '!' || c == '?' || c == '\x85';
}

bool CierraCita(char c) {
    return c == '"' || c == '\'' || c == ')' || c == '\x94' || c == '\x92' || c == '\xBB';
}

// Where a paragraph longer than capacidad is cut: after the last sentence end that fits, else
// at the last blank, else at capacidad itself.
size_t Corte(std::string_view parrafo, size_t capacidad) {
    size_t blanco = 0;
    for (size_t i = capacidad; i > 0; --i) {
        if (parrafo[i] != ' ')
            continue;
        if (blanco == 0)
            blanco = i;
        size_t j = i;
        while (j > 0 && CierraCita(parrafo[j - 1]))
            --j;
        if (j > 0 && CierraFrase(parrafo[j - 1]))
            return i;
    }
    return blanco > 0 ? blanco : capacidad;
}

void AnadeParrafo(std::string_view parrafo, const TPregunta& plantilla,
                  std::vector<TPregunta>& preguntas) {
    TPregunta vacia = plantilla;
    vacia.Texto.clear();
    const size_t capacidad = static_cast<size_t>(kLongitudRegistro - LongitudRegistro(vacia));
    while (!parrafo.empty()) {
        const size_t corte =
            parrafo.size() <= capacidad ? parrafo.size() : Corte(parrafo, capacidad);
        TPregunta pregunta = vacia;
        pregunta.Texto = Recorta(parrafo.substr(0, corte));
        preguntas.push_back(std::move(pregunta));
        parrafo = Recorta(parrafo.substr(corte));
    }
}

}  // namespace

TTextoImportado ImportaTexto(std::string_view texto, const TPregunta& plantilla) {
    TTextoImportado importado;
    if (texto.starts_with("\xEF\xBB\xBF"))
        texto.remove_prefix(3);
    std::string parrafo;
    int numero = 0;
    while (!texto.empty()) {
        ++numero;
        const size_t fin = texto.find_first_of("\r\n");
        const std::string_view bruta = texto.substr(0, fin);
        size_t salto = fin == std::string_view::npos ? texto.size() : fin + 1;
        if (fin != std::string_view::npos && texto[fin] == '\r' && salto < texto.size() &&
            texto[salto] == '\n')
            ++salto;
        texto.remove_prefix(salto);

        const std::string linea = ConvierteLinea(bruta, numero, importado);
        const std::string_view recortada = Recorta(linea);
        if (recortada.empty()) {
            AnadeParrafo(parrafo, plantilla, importado.Preguntas);
            parrafo.clear();
            continue;
        }
        if (!parrafo.empty())
            parrafo += ' ';
        parrafo += recortada;
    }
    AnadeParrafo(parrafo, plantilla, importado.Preguntas);
    return importado;
}
