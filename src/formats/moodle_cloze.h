#pragma once

#include <string>
#include <vector>

// Moodle's own rules for what it reads from a quiz file, in UTF-8: how its cloze parser finds a
// gap and undoes an answer's escapes, how its short-answer comparison reads "*", and how a
// category path splits into names.

// An answer as the cloze parser reads it back: HTML entities of the text are decoded by the
// caller first, then only "\}" and "\#" lose their backslash; "\*" stays for the comparison.
std::string EscapaRespuestaCloze(const std::string& respuesta);
std::string DesescapaRespuestaCloze(const std::string& escrita);
// The comparison reads an unescaped "*" as any text; "\*" is a "*".
bool TieneComodin(const std::string& respuesta);
std::string QuitaEscapesComodin(const std::string& respuesta);

// Why Moodle cannot hold an answer, or nothing when it can.
enum class TRespuestaImposible { Ninguna, Vacia, Tilde, BarraFinal };
// Moodle trims every answer it stores; this is the answer it keeps.
std::string RecortaComoMoodle(const std::string& texto);
TRespuestaImposible RespuestaImposible(const std::string& recortada);

// One gap of a cloze question's HTML, as the parser's pattern matches it.
struct TAlternativaCloze {
    double Fraccion = 0;    // 1 for "=", the per cent / 100 for "%n%"
    std::string Respuesta;  // as the HTML holds it: entities and escapes still in
};
struct THuecoCloze {
    size_t Inicio = 0;  // bytes of the HTML the gap takes
    size_t Fin = 0;
    std::string Tipo;  // SHORTANSWER, SA, MULTICHOICE...
    std::vector<TAlternativaCloze> Alternativas;
};
// What of a cloze question's markup the parser reads other than its writer meant.
enum class TDefectoCloze {
    Ninguno,
    Anidado,    // a gap's answers hold the start of another gap, so its brace closes both
    SinCerrar,  // a gap never closes (a last "\}" escapes its brace): the rest is no gap
};
// The gaps of a cloze question's HTML, in order, and where given its first defect.
std::vector<THuecoCloze> BuscaHuecosCloze(const std::string& html,
                                          TDefectoCloze* defecto = nullptr);
bool EsTipoRespuestaCorta(const std::string& tipo);

// A category path: names joined by "/", a "/" in a name written "//", as Moodle writes it.
std::string UneRutaCategoria(const std::vector<std::string>& nombres);
std::vector<std::string> DivideRutaCategoria(const std::string& ruta);
