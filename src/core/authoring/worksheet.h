#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "core/base/language.h"
#include "core/set/question_files.h"

// A worksheet on A4 paper: what goes where, in points from the page's top left corner. The
// painter only draws what the plan holds.

// Texto and Numero: a question's lines, tall enough to write in; Respuesta: the key's.
enum class TEstiloHoja { Titulo, Tema, Texto, Numero, Respuesta, Pie };

struct TMedidasHoja {
    double Ancho = 595.3;  // A4 in points
    double Alto = 841.9;
    double Margen = 56.7;  // 2 cm
    // Per style: the line's height and its baseline below the line's top.
    std::function<double(TEstiloHoja)> AltoLinea;
    std::function<double(TEstiloHoja)> Base;
    // Width of a Windows-1252 text in a style.
    std::function<double(std::string_view, TEstiloHoja)> AnchoTexto;
};

struct TPiezaHoja {
    enum class TTipo { Texto, Raya };
    TTipo Tipo = TTipo::Texto;
    double X = 0;
    double Y = 0;       // Texto: the baseline; Raya: the line drawn
    double Ancho = 0;   // Raya only
    std::string Texto;  // Windows-1252
    TEstiloHoja Estilo = TEstiloHoja::Texto;

    bool operator==(const TPiezaHoja&) const = default;
};

struct TPaginaHoja {
    std::vector<TPiezaHoja> Piezas;
};

// Room a child's hand needs to write one letter on a line.
inline constexpr double kMilimetrosPorLetra = 8;

struct TOpcionesHoja {
    std::string Titulo;  // Windows-1252: the set's name
    bool ConRespuestas = false;
    TIdioma Idioma = TIdioma::Valenciano;
    double MilimetrosPorLetra = kMilimetrosPorLetra;  // a gap's room per letter
};

// The questions numbered from 1 and grouped by topic in the order the topics first come; each
// gap a line of MilimetrosPorLetra for each of its letters (its answer's or the minimum width,
// the more, and at least one), numbered within its question, an accent-practice gap with its
// pre-fill; with answers, a key on pages of its own that numbers the answers the same way. A
// question moves whole to the next page unless it is longer than a page.
std::vector<TPaginaHoja> PlanificaHoja(const std::vector<TPregunta>& preguntas,
                                       const TOpcionesHoja& opciones, const TMedidasHoja& medidas);
