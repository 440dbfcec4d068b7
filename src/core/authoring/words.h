#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/text/letters.h"

// Words and gaps of a question text (Windows-1252), as the gap rules and the spelling check
// see them.

// Maximal runs of letters; a middle dot between two l's belongs to its word, apostrophes,
// hyphens and every other sign end one.
std::vector<TTramo> Palabras(std::string_view texto);

// The text without its gap marks, and the answers of its gaps (as the text holds them) as places
// in that text. origen gets, for each byte of the result, its place in texto.
std::string QuitaMarcas(std::string_view texto, std::vector<TTramo>* huecos = nullptr,
                        std::vector<size_t>* origen = nullptr);

// The places of the text taken by words holding a gap mark, which no rule may gap again.
std::vector<TTramo> PalabrasConMarcas(std::string_view texto);
