#pragma once

#include <string>
#include <vector>

#include "core/base/language.h"
#include "core/set/question_files.h"

// A set as a Moodle quiz file: a category for the set and one below it per topic, one cloze
// question per question, each gap a case-insensitive short answer.

struct TPerdidaMoodle {
    enum class TTipo {
        PreRelleno,          // the accent-practice pre-fill: told in a hint and the feedback
        AnchoMinimo,         // a minimum gap width beyond an answer: told in the feedback
        RespuestaVacia,      // a gap to be left empty: Moodle has no such answer
        RespuestaConTilde,   // an answer with "~", which ends an answer whatever escapes it
        RespuestaConBarra,   // an answer ending in "\", which would escape the gap's end
        BlancosEnRespuesta,  // blanks at an answer's ends, which Moodle trims
        TemaCambiado,        // a topic no category name holds as it is (empty, blanks, "<")
        CaracterDeControl,   // control characters, which XML cannot carry
    };
    TTipo Tipo;
    int Pregunta = 0;  // 0-based

    bool operator==(const TPerdidaMoodle&) const = default;
};

struct TExportacionMoodle {
    std::string Xml;  // UTF-8
    // One entry per gap, or per question for what concerns the whole question. A gap whose
    // answer Moodle cannot hold is written as its answer in plain text.
    std::vector<TPerdidaMoodle> Perdidas;
};

// What Moodle has no field for travels in the question's tags, which Moodle keeps and gives
// back: "tildora-modo-N" for a Modo other than 0, "tildora-ancho-N" for a minimum width,
// "tildora-sin-tema" for a question without a topic (its category is the set's own).
std::vector<std::string> EtiquetasTildora(const TPregunta& pregunta);
// The settings the tags give back to a question; other tags are left alone. False when none
// of them is Tildora's.
bool AplicaEtiquetasTildora(const std::vector<std::string>& etiquetas, TPregunta& pregunta);

// nombreConjunto in UTF-8 names the top category; the notes for pupils are in idioma.
TExportacionMoodle ExportaMoodle(const std::vector<TPregunta>& preguntas,
                                 const std::string& nombreConjunto, TIdioma idioma);
