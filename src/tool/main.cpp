#include <iostream>

#include "commands.h"

int main(int argc, char** argv) {
    const std::vector<std::string> argumentos(argv + 1, argv + argc);
    return EjecutaHerramienta(argumentos, std::cout, std::cerr);
}
