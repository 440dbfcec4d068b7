#pragma once

#include <random>
#include <string>
#include <vector>

#include "core/set/question_files.h"

// A realistic set: short sentences with a few gaps, a dozen topics, every fifth question for
// accent practice.
inline std::vector<TPregunta> ConjuntoRealista(int n) {
    std::vector<TPregunta> preguntas;
    std::mt19937 generador(7);
    const char* palabras[] = {"la",        "casa", "de",     "mi", "abuela",     "tiene", "un",
                              "jard\xEDn", "con",  "flores", "y",  "\xE1rboles", "muy",   "altos"};
    for (int i = 0; i < n; ++i) {
        TPregunta p{static_cast<uint8_t>(i % 5 == 0), 3, "Tema " + std::to_string(i % 12), ""};
        const int largo = 20 + static_cast<int>(generador() % 40);
        for (int w = 0; w < largo; ++w) {
            std::string palabra = palabras[generador() % 14];
            if (palabra.size() >= 3 && generador() % 6 == 0)
                palabra =
                    palabra.substr(0, 1) + "@" + palabra.substr(1, 1) + "@" + palabra.substr(2);
            p.Texto += palabra + (w % 15 == 14 ? "\r" : " ");
        }
        preguntas.push_back(p);
    }
    return preguntas;
}
