#pragma once

#include <QString>

#include <array>
#include <cstdint>

#include "core/base/language.h"
#include "core/learning/mistake.h"
#include "core/text/layout.h"

class TPoolPregunta;

// What the gaps of the question tell a learner beyond their colour: each its place ("Hueco 2
// de 5") as its accessible name, and, while the answers are shown, the answer and why a red gap
// is wrong as its accessible description, the reason also as its tool tip.
class TPistasHuecos {
  public:
    explicit TPistasHuecos(TPoolPregunta& pool) : Pool(pool) {}

    // A new question on screen: no gap judged yet.
    void Olvida();
    // The reveal judged gap g (1-based): right, or why not.
    void Juzga(int g, TTipoFallo fallo);
    // Writes every shown gap's name, description and tool tip in the language; the answer and
    // the reason only while the answers are shown.
    void Aplica(uint16_t numHuecos, TIdioma idioma, bool respuestasVisibles) const;

  private:
    TPoolPregunta& Pool;
    std::array<TTipoFallo, kTamanoPool + 1> Fallos{};  // 1-based
};
