#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "core/base/binary_file.h"
#include "core/base/notice.h"

// The 12-byte trailer that ends question, index and settings files: an 8-byte magic and the
// little-endian 32-bit sum of every byte before it.
inline constexpr std::array<unsigned char, 8> kMagiaCheckSum = {0x1A, 'C', 'h', 'k',
                                                                'V',  'R', 'E', 'K'};
inline constexpr int kLongitudCola = 12;
inline constexpr int kBloqueSuma = 61440;

uint32_t SumaBytes(const unsigned char* bloque, uint32_t suma, uint16_t n);
// Any length; the same result as SumaBytes over successive blocks.
uint32_t SumaBytes(const unsigned char* bloque, uint32_t suma, size_t n);

struct TCheckSum {
    TFichero Fichero;
    uint16_t Atributos = 0;
    int32_t Fecha = 0;
    std::string Ruta;
    int64_t Tamano = 0;
    uint8_t LongitudCola = 0;
    uint8_t LongitudSuma = 0;
    bool ConCheckSum = false;
    bool Abierto = false;

    void Abre(const std::string& nombre);
    void Cierra();
    bool TieneCheckSum();
    uint32_t CheckSumGuardado();
    uint32_t CheckSumCalculado();
};

// True when the file exists, has a trailer and its stored sum is right; otherwise false,
// with the notice to show in aviso.
bool CompruebaCheckSum(const std::string& nombre, TAviso* aviso);
