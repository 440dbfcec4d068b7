#pragma once

#include <optional>
#include <ostream>
#include <string>
#include <vector>

// "gaps" and "spell": the exit status of the command line, or nothing when it is neither.
std::optional<int> EjecutaOrdenOrtografia(const std::vector<std::string>& argumentos,
                                          std::ostream& salida, std::ostream& errores);
