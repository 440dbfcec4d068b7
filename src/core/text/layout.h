#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "core/set/question_files.h"
#include "core/text/question_text.h"

// The pools of the main window: no question uses more text labels, gaps or answer labels.
inline constexpr int kTamanoPool = 200;

// What the layout needs to know of the window and its fonts.
struct TMetricas {
    int P = 8;               // point size of the template label's font
    int H = 14;              // height of the template label
    int AltoRespuesta = 14;  // height of a bold answer label
    int TopeTema = 32;       // top of the heading
    int AltoTema = 13;       // height of the heading
    int AnchoVentana = 750;  // outer width of the main window
    int PuntosHueco = 8;     // point size of the gap font: pixels of gap per character
    // Width in pixels of a Windows-1252 text in the template font.
    std::function<int(std::string_view)> AnchoTexto;
};

struct TEtiquetaPlan {
    int Indice = 0;  // 1-based entry of the text label pool
    int X = 0;
    int Y = 0;
    std::string Texto;  // Windows-1252

    bool operator==(const TEtiquetaPlan&) const = default;
};

struct THuecoPlan {
    int X = 0;
    int Y = 0;
    int Ancho = 0;
    int LongitudMaxima = 0;  // 0: no limit
    std::string Respuesta;   // shown bold at (X, YRespuesta), hidden at first
    int YRespuesta = 0;
    std::string Relleno;  // the gap's text at first

    bool operator==(const THuecoPlan&) const = default;
};

// The layout of one question: gap i of the vector uses gap and answer label i + 1.
struct TPlanPregunta {
    std::string Cabecera;
    std::vector<TEtiquetaPlan> Textos;  // only the labels that are shown, in pool order
    std::vector<THuecoPlan> Huecos;     // at most kTamanoPool
};

TPlanPregunta PlanificaPregunta(const TPregunta& pregunta, uint16_t numero,
                                const TMetricas& metricas);

// The answers of the gaps the layout places, in order: what Correct compares the entries with.
std::vector<std::string> RespuestasPregunta(const TPregunta& pregunta);

// The gaps and the highest text label of a question's layout when no line wraps and the pools
// have no end: what the set's checks weigh against the pools.
struct TCuentaMaquetacion {
    int Huecos = 0;
    int Piezas = 0;
};
TCuentaMaquetacion CuentaMaquetacion(std::string_view texto);
