#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// Readers of outside bytes read files: each input is written to a scratch file first.
class TFicheroFuzz {
  public:
    explicit TFicheroFuzz(const std::string& nombre);
    ~TFicheroFuzz();
    const std::string& Ruta() const { return ruta_; }
    void Escribe(const uint8_t* datos, size_t n) const;
    void Escribe(const std::string& bytes) const;

  private:
    std::string carpeta_;
    std::string ruta_;
};

// The input as a set: the flags (FuzzedDataProvider takes them from the end), the index, then the
// records, written to `preguntas` and the index beside it. Flags 1 and 2 forge the key and the
// trailers, so that the readers behind the checks are reached. Returns the flags; the targets
// give meaning to the others.
uint8_t EscribeConjuntoFuzz(const uint8_t* datos, size_t n, const TFicheroFuzz& preguntas);
