#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

// A file of one-byte records: opened read-only or for appending, positioned by seek and
// read or written in blocks. Every failing operation throws IoError naming the file.
class TFichero {
  public:
    enum class TModo { Lectura, Anadir };

    TFichero() = default;
    TFichero(const TFichero&) = delete;
    TFichero& operator=(const TFichero&) = delete;
    TFichero(TFichero&& otro) noexcept;
    TFichero& operator=(TFichero&& otro) noexcept;
    ~TFichero();

    // Anadir creates the file empty when it is missing and keeps its contents otherwise.
    void Abre(const std::string& ruta, TModo modo);
    void Cierra();
    bool Abierto() const { return fichero_ != nullptr; }
    const std::string& Ruta() const { return ruta_; }

    int64_t Tamano();
    void Posiciona(int64_t posicion);
    // Reads up to n bytes; returns how many arrived.
    size_t LeeBloque(void* destino, size_t n);
    void EscribeBloque(const void* origen, size_t n);

  private:
    std::FILE* fichero_ = nullptr;
    std::string ruta_;
};

// Multi-byte integers in the files are little-endian.
inline uint32_t LeeEntero32(const unsigned char* p) {
    return uint32_t{p[0]} | uint32_t{p[1]} << 8 | uint32_t{p[2]} << 16 | uint32_t{p[3]} << 24;
}

// A whole file's bytes; throws IoError when it cannot be opened or read.
std::string LeeFicheroCompleto(const std::string& ruta);

bool ExisteFichero(const std::string& ruta);
bool ExisteCarpeta(const std::string& ruta);
// Creates the folder with all missing parents; throws IoError when it cannot.
void CreaCarpeta(const std::string& ruta);
// The part of a path after its last separator.
std::string NombreDesnudo(const std::string& ruta);
// One rule for a name's extension everywhere (caption, index, settings, history): it is the
// bare name's part from its last point on, so "x.y.preg" is "x.y" and ".preg" is "".
std::string NombreSinExtension(const std::string& ruta);
// The path with its last extension replaced (or added when it has none).
std::string CambiaExtension(const std::string& ruta, const std::string& extension);
