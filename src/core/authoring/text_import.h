#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/set/question_files.h"

// A plain UTF-8 text made into questions, one per paragraph.

// A character of the text that a question cannot hold and has no plain form.
struct TCaracterRechazado {
    int Linea = 0;         // 1-based
    int Columna = 0;       // 1-based, in characters
    std::string Caracter;  // as the text has it (UTF-8); the bytes themselves when not UTF-8

    bool operator==(const TCaracterRechazado&) const = default;
};

struct TTextoImportado {
    std::vector<TPregunta> Preguntas;  // Windows-1252
    int Sustituidos = 0;  // characters replaced by a plain form (a dash, a blank, "<=")
    std::vector<TCaracterRechazado> Rechazados;  // every occurrence, in text order; left out
};

// A blank line ends a paragraph and hard-wrapped lines are joined by one blank; a paragraph
// longer than a question can hold is cut at sentence ends. Every question copies the topic,
// modo and ancho of plantilla.
TTextoImportado ImportaTexto(std::string_view texto, const TPregunta& plantilla);
