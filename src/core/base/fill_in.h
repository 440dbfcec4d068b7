#pragma once

#include <initializer_list>
#include <string>

// A translated template with %1, %2... replaced by the figures, in order: each language puts
// them where its sentence needs them.
inline std::string Rellena(std::string plantilla, std::initializer_list<std::string> cifras) {
    int n = 1;
    for (const std::string& cifra : cifras) {
        const std::string marca = "%" + std::to_string(n++);
        if (const size_t donde = plantilla.find(marca); donde != std::string::npos)
            plantilla.replace(donde, marca.size(), cifra);
    }
    return plantilla;
}
