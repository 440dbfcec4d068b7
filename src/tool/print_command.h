#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "tool_language.h"

// tildora-tool print: a worksheet of the set as a PDF.

inline constexpr const char* kAyudaImprimir = N_(
    "Usage: tildora-tool print SET.preg -o FILE.pdf [--answers] [--topics LIST]\n"
    "                          [--language LANGUAGE]\n"
    "Lays the set's questions out on A4 as a worksheet: the set's name, a line for the pupil's\n"
    "name and the date, the questions numbered and grouped by topic, each gap a line as wide as\n"
    "the program's gap (accent-practice gaps with their unaccented pre-fill). --answers adds an\n"
    "answer key on pages of its own; --topics takes topic numbers and ranges as 'check' numbers\n"
    "them (1,3-5). The sheet's own words are in LANGUAGE: valenciano (the default) or\n"
    "castellano.\n");

int ImprimeOrden(const std::vector<std::string>& argumentos, std::ostream& salida,
                 std::ostream& errores);
