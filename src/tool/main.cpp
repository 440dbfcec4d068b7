#include <iostream>

#include "commands.h"
#include "speech_commands.h"
#include "spelling_commands.h"
#include "tool_language.h"

int main(int argc, char** argv) {
    IniciaIdiomaHerramienta(CarpetaLocaleDelPrograma());
    const std::vector<std::string> argumentos(argv + 1, argv + argc);
    if (const auto estado = EjecutaOrdenOrtografia(argumentos, std::cout, std::cerr))
        return *estado;
    if (const auto estado = EjecutaOrdenVoz(argumentos, std::cout, std::cerr))
        return *estado;
    return EjecutaHerramienta(argumentos, std::cout, std::cerr);
}
