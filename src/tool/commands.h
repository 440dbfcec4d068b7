#pragma once

#include <ostream>
#include <string>
#include <vector>

// Exit statuses of the tool.
inline constexpr int kSalidaBien = 0;
inline constexpr int kSalidaFallo = 1;
inline constexpr int kSalidaUsoErroneo = 2;

// Runs one command line of tildora-tool (without the program's name) and returns its exit status.
int EjecutaHerramienta(const std::vector<std::string>& argumentos, std::ostream& salida,
                       std::ostream& errores);
