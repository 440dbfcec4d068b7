#include "hostile_sets.h"

#include "core/base/atomic_write.h"
#include "core/set/question_files.h"

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

TConjuntoEscrito ConjuntoDeTemasDistintos() {
    const size_t paso = kClave.size();
    const size_t longitud = (kMaximoPreguntas - 1) * paso + kLongitudRegistro;
    // Letters and blanks that never repeat with the key's period, scrambled in its phase.
    std::string flujo(longitud, ' ');
    uint32_t azar = 12345;
    for (size_t i = 0; i < longitud; ++i) {
        azar = azar * 1103515245u + 12345u;
        const unsigned letra = (azar >> 16) % 27;
        flujo[i] = letra == 26 ? ' ' : static_cast<char>('a' + letra);
        flujo[i] = static_cast<char>(flujo[i] ^ kClave[i % paso]);
    }
    std::string entradas;
    for (int32_t n = 0; n < kMaximoPreguntas; ++n) {
        const auto posicion = static_cast<uint32_t>(static_cast<size_t>(n) * paso);
        for (int i = 0; i < 4; ++i)
            entradas += static_cast<char>((posicion >> (8 * i)) & 0xFF);
    }
    return {ConCheckSum(flujo), ConCheckSum(entradas)};
}

void EscribeConjuntoEscrito(const std::string& nombre, const TConjuntoEscrito& conjunto) {
    EscribeFichero(nombre, conjunto.Preguntas);
    EscribeFichero(NombreIndice(nombre), conjunto.Indice);
}
