#pragma once

#include <cstdint>
#include <functional>
#include <optional>
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

// Makes the ticked proposals gaps: ponMarca puts one gap mark at a place of the text as it was
// before any, from the last place to the first so that each place still holds; returns the mode,
// accent practice once a ticked proposal gaps accents. The editor's text and the core's share it.
uint8_t PonHuecos(const std::vector<TPropuestaHueco>& propuestas, uint8_t modo,
                  const std::function<void(size_t)>& ponMarca);
// The question with the ticked proposals made gaps.
TPregunta AplicaHuecos(const TPregunta& pregunta, const std::vector<TPropuestaHueco>& propuestas);
