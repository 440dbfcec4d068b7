#pragma once

#include <sstream>
#include <string>
#include <vector>

#include "commands.h"

// One run of tildora-tool's command line, with what it printed.
struct TResultado {
    int Estado = -1;
    std::string Salida;
    std::string Errores;
};

inline TResultado Ejecuta(const std::vector<std::string>& argumentos) {
    std::ostringstream salida, errores;
    TResultado r;
    r.Estado = EjecutaHerramienta(argumentos, salida, errores);
    r.Salida = salida.str();
    r.Errores = errores.str();
    return r;
}
