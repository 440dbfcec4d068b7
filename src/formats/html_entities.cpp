#include "html_entities.h"

#include <map>
#include <string_view>

#include "core/base/win1252.h"

// HTML's named characters that Windows-1252 holds, and the few others a text may use.
namespace {

const std::map<std::string, char32_t>& Entidades() {
    static const std::map<std::string, char32_t> entidades = [] {
        std::map<std::string, char32_t> tabla = {
            {"amp", '&'},       {"lt", '<'},        {"gt", '>'},        {"quot", '"'},
            {"apos", '\''},     {"euro", 0x20AC},   {"sbquo", 0x201A},  {"fnof", 0x0192},
            {"bdquo", 0x201E},  {"hellip", 0x2026}, {"dagger", 0x2020}, {"Dagger", 0x2021},
            {"circ", 0x02C6},   {"permil", 0x2030}, {"Scaron", 0x0160}, {"lsaquo", 0x2039},
            {"OElig", 0x0152},  {"Zcaron", 0x017D}, {"lsquo", 0x2018},  {"rsquo", 0x2019},
            {"ldquo", 0x201C},  {"rdquo", 0x201D},  {"bull", 0x2022},   {"ndash", 0x2013},
            {"mdash", 0x2014},  {"tilde", 0x02DC},  {"trade", 0x2122},  {"scaron", 0x0161},
            {"rsaquo", 0x203A}, {"oelig", 0x0153},  {"zcaron", 0x017E}, {"Yuml", 0x0178},
            {"thinsp", 0x2009}, {"ensp", 0x2002},   {"emsp", 0x2003},
        };
        // Latin-1's names, 0xA0 to 0xFF in order.
        const char* latin1[] = {
            "nbsp",   "iexcl",  "cent",   "pound",  "curren", "yen",    "brvbar", "sect",
            "uml",    "copy",   "ordf",   "laquo",  "not",    "shy",    "reg",    "macr",
            "deg",    "plusmn", "sup2",   "sup3",   "acute",  "micro",  "para",   "middot",
            "cedil",  "sup1",   "ordm",   "raquo",  "frac14", "frac12", "frac34", "iquest",
            "Agrave", "Aacute", "Acirc",  "Atilde", "Auml",   "Aring",  "AElig",  "Ccedil",
            "Egrave", "Eacute", "Ecirc",  "Euml",   "Igrave", "Iacute", "Icirc",  "Iuml",
            "ETH",    "Ntilde", "Ograve", "Oacute", "Ocirc",  "Otilde", "Ouml",   "times",
            "Oslash", "Ugrave", "Uacute", "Ucirc",  "Uuml",   "Yacute", "THORN",  "szlig",
            "agrave", "aacute", "acirc",  "atilde", "auml",   "aring",  "aelig",  "ccedil",
            "egrave", "eacute", "ecirc",  "euml",   "igrave", "iacute", "icirc",  "iuml",
            "eth",    "ntilde", "ograve", "oacute", "ocirc",  "otilde", "ouml",   "divide",
            "oslash", "ugrave", "uacute", "ucirc",  "uuml",   "yacute", "thorn",  "yuml"};
        for (size_t i = 0; i < std::size(latin1); ++i)
            tabla[latin1[i]] = static_cast<char32_t>(0xA0 + i);
        return tabla;
    }();
    return entidades;
}

}  // namespace

std::optional<char32_t> LeeEntidad(const std::string& html, size_t& i) {
    // No reference is longer, so a text of "&" alone is read once, not searched from each.
    constexpr size_t kLargoMaximo = 12;
    const size_t fin = std::string_view(html).substr(0, i + kLargoMaximo + 1).find(';', i + 1);
    if (fin == std::string::npos)
        return std::nullopt;
    const std::string nombre = html.substr(i + 1, fin - i - 1);
    char32_t c = 0;
    if (nombre.size() > 1 && nombre[0] == '#') {
        const bool hexadecimal = nombre[1] == 'x' || nombre[1] == 'X';
        const std::string cifras = nombre.substr(hexadecimal ? 2 : 1);
        if (cifras.empty() ||
            cifras.find_first_not_of(hexadecimal ? "0123456789abcdefABCDEF" : "0123456789") !=
                std::string::npos)
            return std::nullopt;
        c = static_cast<char32_t>(std::stoul(cifras, nullptr, hexadecimal ? 16 : 10));
        if (c == 0 || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF))
            c = 0xFFFD;
    } else {
        const auto it = Entidades().find(nombre);
        if (it == Entidades().end())
            return std::nullopt;
        c = it->second;
    }
    i = fin + 1;
    return c;
}

std::string DecodificaEntidades(const std::string& html) {
    std::string texto;
    for (size_t i = 0; i < html.size();) {
        if (html[i] == '&') {
            if (const auto c = LeeEntidad(html, i)) {
                AnadeUtf8(texto, *c);
                continue;
            }
        }
        texto += html[i++];
    }
    return texto;
}
