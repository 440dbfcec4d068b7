#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// The score bytes of a history file as a learner reads them: per cent, 254 being 100.
int PorCientoHistoria(uint8_t puntuacion);

struct TResumenHistoria {
    std::vector<int> PorCientos;  // oldest first
    int Sesiones = 0;
    int Media = 0;  // per cent of the mean score byte, rounded
    int Mejor = 0;
};

TResumenHistoria ResumeHistoria(std::string_view bytes);

// The whole history file, read-only; empty when it does not exist. Throws IoError when it
// cannot be read.
std::string LeeHistoria(const std::string& ruta);
