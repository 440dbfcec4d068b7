#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/base/binary_file.h"
#include "core/base/notice.h"

// The key phrase that scrambles every question record (52 bytes).
inline constexpr std::string_view kClave = "Clau de prova, exercicis per a omplir buits de text.";
inline constexpr size_t kLongitudRegistro = 32768;
// Question numbers are 16-bit: a set is used up to its first 65535 questions.
inline constexpr int32_t kMaximoPreguntas = 65535;

struct TPregunta {
    uint8_t Modo = 0;  // 1: the gaps start filled with the unaccented answer
    uint8_t AnchoMinimo = 0;
    std::string Tema;
    std::string Texto;

    bool operator==(const TPregunta&) const = default;
};

// XORs the first n bytes with the key repeated from its first byte.
void AplicaClave(unsigned char* buffer, std::string_view clave, size_t n);

bool CaracterLegible(unsigned char byte);
// Index entries: (size of the index file - 12) div 4.
int32_t CuentaPreguntas(int64_t tamanoIndice);
// The index beside the question file: its name with the extension ".ind"; when that file is
// missing, ".ind" in the question file's extension's case (TEMA1.PREG: TEMA1.IND), then any
// existing case. Where none exists, the ".ind" name, which the notices then report.
std::string NombreIndice(const std::string& nombre);

// The key step: true when record 1 unscrambles to at least 81 per cent readable bytes.
bool CompruebaClave(const std::string& nombre, std::string_view clave, TAviso* aviso);
// Question file checksum, index checksum, then key; the notice is that of the first failure.
// A save of the pair that was cut short is undone first (CompletaEscrituraPendiente).
bool CompruebaFicheros(const std::string& nombre, std::string_view clave, TAviso* aviso);

// Splits an unscrambled record; a field without its NUL ends with the bytes.
TPregunta DesempaquetaPregunta(const unsigned char* registro, size_t longitud);

// The question and index files of an open set.
class TFicherosPreguntas {
  public:
    explicit TFicherosPreguntas(std::string_view clave = kClave);

    // Opens both files read-only; the index entries are read once, here.
    void Abre(const std::string& nombre);
    void Cierra();
    bool Abiertos() const { return FicheroPreguntas.Abierto(); }
    // The count rule of the index, whatever the number of questions that can be used.
    int32_t NumPreguntas() const { return numPreguntas_; }
    // Question n, 1 to NumPreguntas(); an entry at or beyond the records gives an empty one.
    TPregunta LeePregunta(uint16_t n);
    // Where question n's record starts, or -1 when it has none: equal places, equal questions.
    int64_t PosicionRegistro(uint16_t n) const;

  private:
    // Copies n record bytes from desde on into BufferPregunta, unscrambled, through a
    // read-ahead window: records stand back to back, so one block read serves many questions.
    size_t CopiaRegistro(int64_t posicion, size_t desde, size_t n);

    static constexpr size_t kVentana = 65536;
    // The key repeated over a whole record, so unscrambling is a plain XOR of two blocks.
    std::array<unsigned char, kLongitudRegistro> flujoClave_{};
    TFichero FicheroPreguntas;
    TFichero FicheroIndice;
    std::vector<uint32_t> entradas_;
    int32_t numPreguntas_ = 0;
    int64_t finRegistros_ = 0;  // bytes before the question file's trailer
    std::array<unsigned char, kLongitudRegistro> BufferPregunta{};
    std::vector<unsigned char> ventana_;
    int64_t inicioVentana_ = 0;
    size_t bytesVentana_ = 0;
    struct TUltima {
        int64_t Posicion;
        TPregunta Pregunta;
    };
    std::optional<TUltima> ultima_;  // the last record read
};
