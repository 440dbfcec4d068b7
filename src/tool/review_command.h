#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "tool_language.h"

inline constexpr const char* kAyudaRepaso = N_(
    "Usage: tildora-tool review SET.preg\n"
    "Prints the numbers of the set's questions due for review now, one per line, in order, from\n"
    "the learner's progress file in the program data folder; nothing when none is due. The\n"
    "review schedule is described in docs/progress-file-format.md.\n");

// tildora-tool review SET.preg
int MuestraRepaso(const std::vector<std::string>& argumentos, std::ostream& salida,
                  std::ostream& errores);
