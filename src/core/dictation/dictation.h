#pragma once

#include <string>
#include <string_view>
#include <vector>

// A dictation checked word by word: the text read against what the learner wrote, both
// Windows-1252. Words are compared as the gaps compare answers, case ignored; signs between
// words are not compared.

struct TPalabraDictada {
    enum class TEstado { Bien, Mal, Falta, Sobra };
    TEstado Estado = TEstado::Bien;
    std::string Esperada;  // empty for an extra word
    std::string Escrita;   // empty for a missing word

    bool operator==(const TPalabraDictada&) const = default;
};

// The words in the text's order, with the learner's extra words where they were written.
std::vector<TPalabraDictada> ComparaDictado(std::string_view texto, std::string_view escrito);

struct TRecuentoDictado {
    int Bien = 0;
    int Mal = 0;
    int Faltan = 0;
    int Sobran = 0;

    bool operator==(const TRecuentoDictado&) const = default;
};
TRecuentoDictado CuentaDictado(const std::vector<TPalabraDictada>& palabras);
