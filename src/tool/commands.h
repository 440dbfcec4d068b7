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

// The program's data folder, where it looks for settings and history files: $XDG_DATA_HOME/Tildora,
// or $HOME/.local/share/Tildora when XDG_DATA_HOME is unset or empty; empty when HOME is unset too.
std::string CarpetaDatosPrograma();
