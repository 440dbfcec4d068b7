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
// before any, from the last place to the first so that each place still holds. The editor's
// text and the core's share it.
void PonHuecos(const std::vector<TPropuestaHueco>& propuestas,
               const std::function<void(size_t)>& ponMarca);

// The ticked proposals grouped by the question they go to. An accent-practice question starts
// every gap filled with its answer, so accents and letter gaps never share one: with both, the
// accent gaps come first and the letters make a second question of the same text. A question
// already in accent practice takes no letter gap either. Empty when nothing is ticked.
struct TGrupoHuecos {
    std::vector<TPropuestaHueco> Propuestas;
    bool Acentos = false;  // the group's question is accent practice
};
std::vector<TGrupoHuecos> GruposHuecos(const std::vector<TPropuestaHueco>& propuestas,
                                       bool practicaAcentos);
// The Modo of a group's question made of a question whose Modo is modo.
uint8_t ModoDeGrupo(const TGrupoHuecos& grupo, uint8_t modo);
// The questions the ticked proposals make of the question: the question as it is when nothing
// is ticked, two where GruposHuecos splits.
std::vector<TPregunta> AplicaHuecos(const TPregunta& pregunta,
                                    const std::vector<TPropuestaHueco>& propuestas);
// An accent-practice question holding letter gaps made two, as GruposHuecos would have made
// it: the accent gaps alone, then the letter gaps alone out of accent practice. Any other
// question comes back as it is.
std::vector<TPregunta> SeparaHuecosDeLetras(const TPregunta& pregunta);
