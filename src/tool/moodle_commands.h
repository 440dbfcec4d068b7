#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "tool_language.h"

// tildora-tool export and import: a set to a Moodle quiz file and back.

inline constexpr const char* kAyudaExportar = N_(
    "Usage: tildora-tool export SET.preg --format moodle -o FILE.xml [--language LANGUAGE]\n"
    "Writes the set as a Moodle quiz file (Moodle XML) for the question bank's import: a\n"
    "category for the set and one below it per topic, one cloze question per question, each gap\n"
    "a case-insensitive short answer. What Moodle cannot hold is listed with its counts: the\n"
    "accent-practice pre-fill and the minimum gap width are told to pupils in the question's\n"
    "hint and general feedback, in LANGUAGE (valenciano, the default, or castellano).\n");
inline constexpr const char* kAyudaImportar = N_(
    "Usage: tildora-tool import FILE.xml -o SET.preg\n"
    "Reads the cloze and short-answer questions of a Moodle quiz file (Moodle XML) into SET.preg\n"
    "and SET.ind. The last level of each question's category is its topic; a short answer's\n"
    "gap stands at its blank (\"___\") or at the end; a gap of another kind becomes its right\n"
    "answer as text. Other question types are left out, and every question concerned is named\n"
    "with the reason. A malformed file writes nothing.\n");

int ExportaOrden(const std::vector<std::string>& argumentos, std::ostream& salida,
                 std::ostream& errores);
int ImportaOrden(const std::vector<std::string>& argumentos, std::ostream& salida,
                 std::ostream& errores);
