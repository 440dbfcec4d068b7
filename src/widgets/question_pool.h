#pragma once

#include <QColor>
#include <QFont>
#include <QSize>
#include <QString>

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

#include "core/set/question_files.h"
#include "core/text/layout.h"
#include "text_bytes.h"

class QLabel;
class QLineEdit;
class QWidget;

// The controls in which a question is laid out, all children of one client widget: the heading,
// the never-shown templates Texto1 and Hueco1 from which the layout reads its metrics, and the
// pools of text labels, gaps and answer labels. The exercise window and the editor's preview
// both lay questions out through it, so the two cannot drift apart.
class TPoolPregunta {
  public:
    // Creates the heading and the templates in the client widget; the pools come later, with
    // CreaPool, so that the caller decides where the gaps stand in the tab order.
    void CreaPlantillas(QWidget* cliente);

    QLabel* lblTema = nullptr;
    QLabel* Texto1 = nullptr;
    QLineEdit* Hueco1 = nullptr;
    std::array<QLabel*, kTamanoPool + 1> Textos{};  // 1-based
    std::array<QLineEdit*, kTamanoPool + 1> Huecos{};
    std::array<QLabel*, kTamanoPool + 1> Respuestas{};

    void CreaPool();
    // Hides and empties every control of the pool and gives every gap the window colour.
    void Limpia();
    // Lays the question out for a window of the given outer width, the answers hidden unless
    // asked for, every gap in the window colour; the number of gaps shown.
    uint16_t Muestra(const TPregunta& pregunta, uint16_t numero, int anchoVentana,
                     bool respuestasVisibles = false);
    // The bottom-right corner of the lowest and rightmost shown control.
    QSize Ocupado() const;

    // Sizes the question's text (templates, text labels, gaps and answers, not the heading) at
    // porCiento of the size it was created with, and lays the question on screen, if any, out
    // again at the window width it was first laid out for (resizing the window does not reflow
    // it), keeping its entries, the visibility of its answers, its colours and the focus.
    void Escala(int porCiento);

  private:
    // The templates' fonts and heights, copied to every control of the pool.
    void CopiaPlantillas();

    QWidget* Cliente = nullptr;
    // What Muestra laid out last, for Escala; empty once the pool is cleared.
    std::optional<TPregunta> Mostrada;
    uint16_t NumeroMostrado = 0;
    uint16_t HuecosMostrados = 0;
    int AnchoMostrado = 0;
};

// The fixed-pitch font of the question text: "Courier New", or its metric stand-in.
QFont FuenteFija();
// The background of a gap that is not wrong.
QColor ColorVentana();
void PintaHueco(QLineEdit* hueco, const QColor& color);
