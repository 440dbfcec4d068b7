#include "moodle_cloze.h"

#include <array>
#include <cstdlib>
#include <cstring>
#include <string_view>

namespace {

std::string Reemplaza(const std::string& texto, const std::string& buscado,
                      const std::string& puesto) {
    std::string salida;
    size_t inicio = 0;
    for (size_t i; (i = texto.find(buscado, inicio)) != std::string::npos;
         inicio = i + buscado.size())
        salida += texto.substr(inicio, i - inicio) + puesto;
    return salida + texto.substr(inicio);
}

// The types of gap that the cloze parser knows, as a gap names them.
constexpr std::array<const char*, 28> kTipos = {"NUMERICAL",
                                                "NM",
                                                "MULTICHOICE",
                                                "MC",
                                                "MULTICHOICE_V",
                                                "MCV",
                                                "MULTICHOICE_H",
                                                "MCH",
                                                "SHORTANSWER",
                                                "SA",
                                                "MW",
                                                "SHORTANSWER_C",
                                                "SAC",
                                                "MWC",
                                                "MULTICHOICE_S",
                                                "MCS",
                                                "MULTICHOICE_VS",
                                                "MCVS",
                                                "MULTICHOICE_HS",
                                                "MCHS",
                                                "MULTIRESPONSE",
                                                "MR",
                                                "MULTIRESPONSE_H",
                                                "MRH",
                                                "MULTIRESPONSE_S",
                                                "MRS",
                                                "MULTIRESPONSE_HS",
                                                "MRHS"};

bool EsDigito(char c) {
    return c >= '0' && c <= '9';
}

// The end of the shortest run from desde, at least minimo bytes long, that is not left by a
// backslash and stands before one of fines or the end of the HTML.
size_t FinDeRun(const std::string& html, size_t desde, size_t minimo, const char* fines) {
    for (size_t fin = desde + minimo; fin <= html.size(); ++fin) {
        if (fin > desde && html[fin - 1] == '\\')
            continue;
        if (fin == html.size() || std::strchr(fines, html[fin]))
            return fin;
    }
    return html.size();
}

// "=" or "%n%" at i, moving i past it.
double LeeFraccion(const std::string& html, size_t& i) {
    if (i < html.size() && html[i] == '=') {
        ++i;
        return 1;
    }
    if (i >= html.size() || html[i] != '%')
        return 0;
    size_t j = i + 1;
    if (j < html.size() && html[j] == '-')
        ++j;
    const size_t digitos = j;
    while (j < html.size() && EsDigito(html[j]))
        ++j;
    if (j == digitos)
        return 0;
    if (j < html.size() && (html[j] == '.' || html[j] == ','))
        for (++j; j < html.size() && EsDigito(html[j]);)
            ++j;
    if (j >= html.size() || html[j] != '%')
        return 0;
    std::string numero = html.substr(i + 1, j - i - 1);
    for (char& c : numero)
        c = c == ',' ? '.' : c;
    i = j + 1;
    return std::strtod(numero.c_str(), nullptr) / 100;
}

enum class TLectura { Hueco, NoHueco, SinCierre };

// The end of the "{n:TYPE:" that opens a gap at inicio, or npos when none opens there.
size_t FinDeApertura(const std::string& html, size_t inicio, std::string& tipo) {
    size_t i = inicio + 1;
    while (i < html.size() && EsDigito(html[i]))
        ++i;
    if (i >= html.size() || html[i] != ':')
        return std::string::npos;
    // No type is longer than this, so the search for its colon stays short.
    constexpr size_t kLargoTipo = 16;
    const size_t finTipo = html.find(':', i + 1);
    if (finTipo == std::string::npos || finTipo - i - 1 > kLargoTipo)
        return std::string::npos;
    tipo = html.substr(i + 1, finTipo - i - 1);
    bool conocido = false;
    for (const char* conocida : kTipos)
        conocido = conocido || tipo == conocida;
    return conocido ? finTipo + 1 : std::string::npos;
}

// The gap that starts at inicio, read as the parser's pattern reads a well-formed one.
TLectura LeeHueco(const std::string& html, size_t inicio, THuecoCloze& hueco) {
    size_t i = FinDeApertura(html, inicio, hueco.Tipo);
    if (i == std::string::npos)
        return TLectura::NoHueco;
    // The alternatives are read again each with an optional "~" before it, so a first "~" is
    // no part of the first answer.
    if (i + 1 < html.size() && html[i] == '~' && html[i + 1] != '}')
        ++i;
    hueco.Alternativas.clear();
    while (true) {
        TAlternativaCloze alternativa;
        alternativa.Fraccion = LeeFraccion(html, i);
        const size_t fin = FinDeRun(html, i, 1, "~#}");
        if (fin >= html.size())
            return TLectura::SinCierre;
        alternativa.Respuesta = html.substr(i, fin - i);
        i = fin;
        if (html[i] == '#') {
            i = FinDeRun(html, i + 1, 0, "~}");
            if (i >= html.size())
                return TLectura::SinCierre;
        }
        hueco.Alternativas.push_back(std::move(alternativa));
        if (html[i] == '}') {
            hueco.Inicio = inicio;
            hueco.Fin = i + 1;
            return TLectura::Hueco;
        }
        ++i;  // past the "~"
    }
}

}  // namespace

std::string EscapaRespuestaCloze(const std::string& respuesta) {
    std::string escrita;
    for (const char c : respuesta) {
        if (c == '}' || c == '#' || c == '*')
            escrita += '\\';
        escrita += c;
    }
    return escrita;
}

std::string DesescapaRespuestaCloze(const std::string& escrita) {
    return Reemplaza(Reemplaza(escrita, "\\}", "}"), "\\#", "#");
}

bool TieneComodin(const std::string& respuesta) {
    for (size_t i = 0; i < respuesta.size(); ++i)
        if (respuesta[i] == '*' && (i == 0 || respuesta[i - 1] != '\\'))
            return true;
    return false;
}

std::string QuitaEscapesComodin(const std::string& respuesta) {
    return Reemplaza(respuesta, "\\*", "*");
}

std::string RecortaComoMoodle(const std::string& texto) {
    constexpr const char kBlancos[] = " \t\n\r\v";
    const auto esBlanco = [&](char c) { return c == '\0' || std::strchr(kBlancos, c); };
    size_t inicio = 0, fin = texto.size();
    while (inicio < fin && esBlanco(texto[inicio]))
        ++inicio;
    while (fin > inicio && esBlanco(texto[fin - 1]))
        --fin;
    return texto.substr(inicio, fin - inicio);
}

TRespuestaImposible RespuestaImposible(const std::string& recortada) {
    if (recortada.empty())
        return TRespuestaImposible::Vacia;
    // The parser ends an answer at any "~", escaped or not, and never undoes "\~".
    if (recortada.find('~') != std::string::npos)
        return TRespuestaImposible::Tilde;
    // A last backslash would escape the gap's closing brace.
    if (recortada.back() == '\\')
        return TRespuestaImposible::BarraFinal;
    return TRespuestaImposible::Ninguna;
}

std::vector<THuecoCloze> BuscaHuecosCloze(const std::string& html, TDefectoCloze* defecto) {
    std::vector<THuecoCloze> huecos;
    THuecoCloze hueco;
    TDefectoCloze hallado = TDefectoCloze::Ninguno;
    for (size_t i = html.find('{'); i != std::string::npos; i = html.find('{', i)) {
        const TLectura lectura = LeeHueco(html, i, hueco);
        // A gap that never closes would be read again from every later brace.
        if (lectura == TLectura::SinCierre) {
            if (hallado == TDefectoCloze::Ninguno)
                hallado = TDefectoCloze::SinCerrar;
            break;
        }
        if (lectura == TLectura::Hueco) {
            const std::string_view marca = std::string_view(html).substr(0, hueco.Fin);
            std::string tipo;
            for (size_t j = marca.find('{', i + 1);
                 hallado == TDefectoCloze::Ninguno && j != std::string_view::npos;
                 j = marca.find('{', j + 1))
                if (FinDeApertura(html, j, tipo) != std::string::npos)
                    hallado = TDefectoCloze::Anidado;
            huecos.push_back(hueco);
            i = hueco.Fin;
        } else {
            ++i;
        }
    }
    if (defecto)
        *defecto = hallado;
    return huecos;
}

bool EsTipoRespuestaCorta(const std::string& tipo) {
    for (const char* corta : {"SHORTANSWER", "SA", "MW", "SHORTANSWER_C", "SAC", "MWC"})
        if (tipo == corta)
            return true;
    return false;
}

std::string UneRutaCategoria(const std::vector<std::string>& nombres) {
    std::string ruta;
    for (size_t i = 0; i < nombres.size(); ++i) {
        std::string nombre = Reemplaza(nombres[i], "/", "//");
        // Moodle trims each name, so a blank keeps a slash at either end from joining the
        // separator.
        if (nombre.starts_with('/'))
            nombre = ' ' + nombre;
        if (nombre.ends_with('/'))
            nombre += ' ';
        ruta += (i == 0 ? "" : "/") + nombre;
    }
    return ruta;
}

std::vector<std::string> DivideRutaCategoria(const std::string& ruta) {
    std::vector<std::string> nombres;
    size_t inicio = 0;
    for (size_t i = 0; i <= ruta.size(); ++i) {
        const bool separador = i < ruta.size() && ruta[i] == '/' &&
                               (i == 0 || ruta[i - 1] != '/') &&
                               (i + 1 == ruta.size() || ruta[i + 1] != '/');
        if (i == ruta.size() || separador) {
            nombres.push_back(
                RecortaComoMoodle(Reemplaza(ruta.substr(inicio, i - inicio), "//", "/")));
            inicio = i + 1;
        }
    }
    return nombres;
}
