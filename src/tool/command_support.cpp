#include "command_support.h"

#include <algorithm>

std::vector<TPregunta> LeePreguntasConjunto(const std::string& nombre, std::ostream& errores) {
    ValidaConjunto(nombre, errores);
    TFicherosPreguntas ficheros;
    ficheros.Abre(nombre);
    std::vector<TPregunta> preguntas;
    const int32_t usadas = std::clamp(ficheros.NumPreguntas(), 0, kMaximoPreguntas);
    for (int32_t n = 1; n <= usadas; ++n)
        preguntas.push_back(ficheros.LeePregunta(static_cast<uint16_t>(n)));
    return preguntas;
}
