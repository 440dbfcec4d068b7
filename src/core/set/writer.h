#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/set/pair_journal.h"
#include "core/set/question_files.h"

// Writers of the files the program only reads: the authoring tool and the tests make
// question file sets and settings files with them.

// The bytes followed by their checksum trailer.
std::string ConCheckSum(std::string bytes);
// One record, unscrambled: Modo, AnchoMinimo, topic, NUL, text, NUL.
std::string EmpaquetaPregunta(const TPregunta& pregunta);

struct TConjuntoEscrito {
    std::string Preguntas;  // the question file's bytes
    std::string Indice;     // the index file's bytes
};
TConjuntoEscrito ConstruyeConjunto(const std::vector<TPregunta>& preguntas,
                                   std::string_view clave = kClave);
// Writes SET.preg and its index beside it as one, replacing them (EscribePar).
void EscribeConjunto(const std::string& nombre, const std::vector<TPregunta>& preguntas,
                     std::string_view clave = kClave);
// A settings file that starts a learner on the marked topics: marcas[i] for topic i + 1 of the
// set's topic list, every other flag clear, the header as the defaults set it.
std::string ConstruyeConfiguracion(const std::vector<bool>& marcas);
