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
