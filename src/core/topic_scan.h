#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "question_files.h"
#include "topic_list.h"

// Reads every usable question once: the distinct topics into the list (all selected) and each
// question's topic into TemaDePregunta, 1-based, grown beyond its 10000 slots when the set is
// larger. Returns NumTemas.
int32_t LeeTemas(TFicherosPreguntas& ficheros, TLista& ListaTemas,
                 std::vector<std::string>& TemaDePregunta);

inline constexpr size_t kRanurasTemaDePregunta = 10000;
