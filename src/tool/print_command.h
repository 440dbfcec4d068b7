#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "tool_language.h"

// tildora-tool print: a worksheet of the set as a PDF.

inline constexpr const char* kAyudaImprimir =
    N_("Usage: tildora-tool print SET.preg -o FILE.pdf [--answers] [--topics LIST]\n"
       "                          [--language LANGUAGE] [--gap-width MM]\n"
       "Lays the set's questions out on A4 as a worksheet: the set's name, a line for the pupil's\n"
       "name and the date, the questions numbered and grouped by topic, each gap a numbered line\n"
       "of MM millimetres (8 unless given, 3 to 30) for each letter of the program's gap, one at\n"
       "least (accent-practice gaps with their unaccented pre-fill). --answers adds an answer key\n"
       "on pages of its own, its answers numbered as the gaps; --topics takes topic numbers and\n"
       "ranges as 'check' numbers them (1,3-5). The sheet's own words are in LANGUAGE: valenciano\n"
       "(the default) or castellano.\n");

int ImprimeOrden(const std::vector<std::string>& argumentos, std::ostream& salida,
                 std::ostream& errores);
