#pragma once

#include <cstdint>
#include <random>

#include "core/set/topic_list.h"
#include "core/set/topic_scan.h"

// State that Next reads and changes; the main window owns it.
struct TEstadoSiguiente {
    bool Secuencial = true;
    uint16_t& PreguntaActual;
    int32_t NumPreguntas = 0;
    const TTemasDePregunta& TemaDePregunta;
    TLista& ListaTemas;
    std::mt19937& Generador;
};

// The number of the question Next shows, or 0 when no question can qualify (it never loops
// without end). An empty selection is replaced by every topic; a candidate qualifies when its
// topic is listed and selected.
uint16_t EligeSiguiente(TEstadoSiguiente estado);
