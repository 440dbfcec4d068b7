#pragma once

#include <QColor>
#include <QPointer>
#include <QString>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/speech/speech.h"

class QLabel;
class QLineEdit;
class QWidget;
class TPoolPregunta;

// A question as shown, read in order with its answers in place, and its words lit while they
// are spoken: the program and the editor's preview read what they show.
class TLecturaPregunta {
  public:
    // The shown labels and the first huecos gaps, in reading order.
    void Prepara(const TPoolPregunta& pool, uint16_t huecos);
    // Windows-1252.
    const std::string& Texto() const { return texto_; }
    // The sentence that holds gap i (1-based), or none.
    std::optional<TFrase> FraseDeHueco(int hueco) const;
    // Lights the shown words that hold characters of the text, the last one lit going out.
    void Ilumina(size_t inicio, size_t longitud);
    void Apaga();

  private:
    struct TPieza {
        size_t Inicio = 0;
        size_t Longitud = 0;
        QPointer<QWidget> Control;  // a text label or a gap
        int Hueco = 0;              // 1-based when a gap
        QString Texto;              // a label's own text
        QColor Color;               // a gap's own colour, while lit
    };
    std::string texto_;
    std::vector<TPieza> piezas_;
    std::vector<size_t> encendidas_;
};

// The background of a word being spoken.
QColor ColorPalabraDicha();
