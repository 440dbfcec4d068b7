#pragma once

#include <string>
#include <vector>

// A question's text as the layout reads it: runs of text, gaps with their answers, and the
// carriage returns that start a new paragraph. The formats and the worksheet share this reading.

struct TTrozo {
    enum class TTipo { Texto, Hueco, Parrafo };
    TTipo Tipo = TTipo::Texto;
    std::string Texto;  // the run of text or the gap's answer; empty for Parrafo

    bool operator==(const TTrozo&) const = default;
};

// The pieces in order, with the layout's pairing of gap marks: a mark opens a gap and the next
// one in the same word closes it; a mark left open makes a gap of the rest of its word.
std::vector<TTrozo> TrozosDeTexto(const std::string& texto);
// The text back: each gap between two marks, each paragraph break a carriage return.
std::string TextoDeTrozos(const std::vector<TTrozo>& trozos);
