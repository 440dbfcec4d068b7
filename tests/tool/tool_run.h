#pragma once

#include <sstream>
#include <string>
#include <vector>

#include "commands.h"

// One command line of the tool, run as the executable runs it.
struct TSalida {
    int Estado = -1;
    std::string Salida, Errores;
};

inline TSalida Herramienta(const std::vector<std::string>& argumentos) {
    std::ostringstream salida, errores;
    const int estado = EjecutaHerramienta(argumentos, salida, errores);
    return {estado, salida.str(), errores.str()};
}
