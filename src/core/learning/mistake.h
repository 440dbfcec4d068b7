#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

// The verdict on a learner's entry in a gap, both sides Windows-1252 bytes.

// Why the entry of a gap differs from its answer, for a learner who asks.
enum class TTipoFallo {
    Ninguno,      // right: equal once both are upper-cased
    SinRellenar,  // the entry is empty
    SobraTexto,   // the answer is empty: the gap must stay empty
    Acentos,      // only accents or diaereses differ, case aside
    Letras,       // anything else
};

// The length of an entry once Correct trims it: its trailing characters of code 32 or below
// (blanks and control characters) go, leading ones stay.
size_t LongitudRecortada(std::string_view entrada);

// The entry is already trimmed as Correct trims it.
TTipoFallo TipoDeFallo(std::string_view respuesta, std::string_view entrada);
// The same, for an entry the code page may not hold (none): such an entry is never right.
TTipoFallo Juzga(std::string_view respuesta, const std::optional<std::string>& entrada);
