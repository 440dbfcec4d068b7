#pragma once

#include <string>
#include <vector>

// A question's text as runs of text, gaps with their answers, and the carriage returns that
// start a new paragraph: what the Moodle formats write and read.

struct TTrozo {
    enum class TTipo { Texto, Hueco, Parrafo };
    TTipo Tipo = TTipo::Texto;
    std::string Texto;  // the run of text or the gap's answer; empty for Parrafo

    bool operator==(const TTrozo&) const = default;
};

// The walker's pieces of the text, adjacent runs of text joined.
std::vector<TTrozo> TrozosDeTexto(const std::string& texto);
// The text back: each gap between two marks, each paragraph break a carriage return.
std::string TextoDeTrozos(const std::vector<TTrozo>& trozos);
