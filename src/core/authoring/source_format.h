#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/set/question_files.h"

// The question source a teacher writes in a plain text editor: UTF-8 lines, each question
// opened by "tema:", with optional "modo:" and "ancho:" lines and its text in lines that start
// with ">". Its full description is docs/question-source-format.md.

struct TErrorFuente {
    int Linea = 0;  // 1-based line of the source
    std::string Mensaje;
};

struct TFuenteLeida {
    std::vector<TPregunta> Preguntas;  // Windows-1252
    std::vector<int> Lineas;           // the "tema:" line of each question
    std::optional<TErrorFuente> Error;
};

TFuenteLeida LeeFuente(std::string_view texto);

// The first byte of the question that the source cannot carry, or -1: topics may hold printable
// bytes, texts printable bytes and carriage returns.
int ByteNoEscribible(const TPregunta& pregunta);

// The source of questions that ByteNoEscribible accepts; LeeFuente gives them back unchanged.
std::string EscribeFuente(const std::vector<TPregunta>& preguntas, const std::string& origen);
