#pragma once

#include <string_view>

// Why the entry of a gap differs from its answer, for a learner who asks.
enum class TTipoFallo {
    Ninguno,      // right: equal once both are upper-cased
    SinRellenar,  // the entry is empty
    SobraTexto,   // the answer is empty: the gap must stay empty
    Acentos,      // only accents or diaereses differ, case aside
    Letras,       // anything else
};

// Both sides are Windows-1252 bytes; the entry is already trimmed as Correct trims it.
TTipoFallo TipoDeFallo(std::string_view respuesta, std::string_view entrada);
