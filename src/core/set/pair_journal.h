#pragma once

#include <string>
#include <string_view>

// Replaces a question file and its index (SET.ind beside it) as one: a journal beside the set,
// synced before the first rename and removed after the last, lets the next reader undo a save
// that was cut short. On failure both old files are left as they were.
void EscribePar(const std::string& rutaPreg, std::string_view preguntas, std::string_view indice);

// Undoes a save of the pair that a kill cut short, if its journal is there; call it before a set
// is checked or opened. Writes nothing when there is no journal. Returns whether it undid one.
bool CompletaEscrituraPendiente(const std::string& rutaPreg);

// The journal of the pair's save, beside the question file.
std::string NombreDiario(const std::string& rutaPreg);
