#pragma once

#include <cstdint>
#include <vector>

#include "core/set/question_files.h"
#include "core/set/topic_list.h"

// Each question's topic, 1-based, held as a reference to one stored name instead of a copy, so
// that a set whose questions repeat a long topic costs four bytes a question: the topic's index
// in the topic list, or, for a topic beyond the list's 200, a number above 200 shared by the
// questions of that topic. Nothing ever shows a name beyond the list, so those names are kept
// once each as a 64-bit fingerprint: a set of many long distinct topics stays small too.
struct TTemasDePregunta {
    static constexpr int32_t kVacio = 0;  // a slot without a question

    std::vector<int32_t> Referencias;  // slot 0 unused
    int32_t FueraDeLista = 0;          // distinct topics beyond the list

    size_t size() const { return Referencias.size(); }
    // The index of question n's topic in the list, as Busca gives it: -1 when it is beyond the
    // list, and for an empty slot.
    int32_t IndiceEnLista(size_t n) const;
};

// Reads every usable question once: the distinct topics into the list (all selected) and each
// question's topic into TemaDePregunta, grown beyond its 10000 slots when the set is larger.
// Returns NumTemas.
int32_t LeeTemas(TFicherosPreguntas& ficheros, TLista& ListaTemas,
                 TTemasDePregunta& TemaDePregunta);

inline constexpr size_t kRanurasTemaDePregunta = 10000;
