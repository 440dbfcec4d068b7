#include "hostile_sets.h"

#include "question_files.h"

TConjuntoEscrito ConjuntoDeTemaRepetido() {
    std::string texto = "Un texto con un @hueco@ ";
    texto += std::string(kLongitudRegistro - 4 - 32000 - texto.size(), 'x');
    const TConjuntoEscrito uno = ConstruyeConjunto({{0, 10, std::string(32000, 't'), texto}});
    std::string entradas;
    for (int32_t n = 1; n <= kMaximoPreguntas; ++n) {
        // The second entry gives the key check the length of the first record.
        const uint32_t posicion = n == 2 ? static_cast<uint32_t>(kLongitudRegistro) : 0;
        for (int i = 0; i < 4; ++i)
            entradas += static_cast<char>((posicion >> (8 * i)) & 0xFF);
    }
    return {uno.Preguntas, ConCheckSum(entradas)};
}
