#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/authoring/words.h"
#include "core/set/question_files.h"
#include "core/text/spelling_rules.h"

// Gaps proposed over a question text (Windows-1252) by the spelling rules' tables.

struct TPropuestaHueco {
    TTramo Tramo;  // the gap's answer in the text; empty for a gap to be left empty
    TReglaHuecos Regla = TReglaHuecos::Acentos;
    bool Distractor = false;  // a spelling without the rule's letter, so gaps alone do not tell
    bool Marcada = true;      // applied; the teacher may untick it

    bool operator==(const TPropuestaHueco&) const = default;
};

// The gaps of every rule, in text order and never overlapping (an earlier rule of the list wins);
// words already holding a gap mark are left alone. distractores: how many per rule that has
// them.
std::vector<TPropuestaHueco> ProponHuecos(std::string_view texto,
                                          const std::vector<TReglaHuecos>& reglas,
                                          int distractores);

// Where the ticked proposals put their gap marks, as places in the text before any is put,
// in order; a text takes them from the last to the first.
std::vector<size_t> PosicionesMarcas(const std::vector<TPropuestaHueco>& propuestas);
// True when a ticked proposal gaps accents: the question becomes accent practice.
bool HaceAcentos(const std::vector<TPropuestaHueco>& propuestas);
// The question with the ticked proposals made gaps.
TPregunta AplicaHuecos(const TPregunta& pregunta, const std::vector<TPropuestaHueco>& propuestas);
