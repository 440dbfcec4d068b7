#pragma once

#include <cstddef>

// Letters of a question text (Windows-1252), as the spelling rules and the words see them.

struct TTramo {
    size_t Inicio = 0;
    size_t Longitud = 0;

    size_t Fin() const { return Inicio + Longitud; }
    bool operator==(const TTramo&) const = default;
};

bool EsLetra(unsigned char byte);
// Lower case of the letters the rules compare; other bytes unchanged.
unsigned char Minuscula(unsigned char byte);
// Lower-case vowels, accented ones included; e and i with or without their accents.
bool EsVocal(unsigned char byte);
bool EsEoI(unsigned char byte);
