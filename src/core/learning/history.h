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

// The most recent sessions of a history file, read from its tail.
struct TColaHistoria {
    std::string Puntuaciones;  // the last score bytes, oldest first
    int64_t Anteriores = 0;    // sessions before them, counted from the file's size, not read
};

// The last maximo sessions of the history file at ruta, read-only and reading nothing before
// them, so a history of any length costs what is drawn; empty when the file does not exist.
// Throws IoError when it cannot be read.
TColaHistoria LeeColaHistoria(const std::string& ruta, size_t maximo);
