#pragma once

#include <optional>
#include <ostream>
#include <string>
#include <vector>

// "speak": the exit status of the command line, or nothing when it is another command.
std::optional<int> EjecutaOrdenVoz(const std::vector<std::string>& argumentos, std::ostream& salida,
                                   std::ostream& errores);
