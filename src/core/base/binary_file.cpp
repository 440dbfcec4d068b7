#include "core/base/binary_file.h"

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <system_error>
#include <utility>

#include "core/base/io_error.h"

namespace fs = std::filesystem;

namespace {

[[noreturn]] void Falla(const char* operacion, const std::string& ruta) {
    const int codigo = errno;
    throw IoError(operacion, ruta, codigo);
}

int Busca(std::FILE* f, int64_t posicion, int origen) {
#ifdef _WIN32
    return _fseeki64(f, posicion, origen);
#else
    return fseeko(f, static_cast<off_t>(posicion), origen);
#endif
}

int64_t Posicion(std::FILE* f) {
#ifdef _WIN32
    return _ftelli64(f);
#else
    return ftello(f);
#endif
}

}  // namespace

TFichero::TFichero(TFichero&& otro) noexcept
    : fichero_(std::exchange(otro.fichero_, nullptr)), ruta_(std::move(otro.ruta_)) {}

TFichero& TFichero::operator=(TFichero&& otro) noexcept {
    if (this != &otro) {
        if (fichero_)
            std::fclose(fichero_);
        fichero_ = std::exchange(otro.fichero_, nullptr);
        ruta_ = std::move(otro.ruta_);
    }
    return *this;
}

TFichero::~TFichero() {
    if (fichero_)
        std::fclose(fichero_);
}

void TFichero::Abre(const std::string& ruta, TModo modo) {
    Cierra();
    ruta_ = ruta;
    // Opening a fifo would wait for its other end, with the window frozen.
    std::error_code error;
    const fs::file_status estado = fs::status(ruta, error);
    if (fs::is_directory(estado))
        throw IoError("abrir", ruta, EISDIR);
    if (fs::is_fifo(estado))
        throw IoError("abrir", ruta);
    fichero_ = std::fopen(ruta.c_str(), modo == TModo::Lectura ? "rb" : "ab");
    if (!fichero_)
        Falla("abrir", ruta);
    // Reads are whole blocks already; a stdio buffer would only copy them twice.
    if (modo == TModo::Lectura)
        std::setvbuf(fichero_, nullptr, _IONBF, 0);
}

void TFichero::Cierra() {
    if (!fichero_)
        return;
    std::FILE* f = std::exchange(fichero_, nullptr);
    if (std::fclose(f) != 0)
        Falla("cerrar", ruta_);
}

int64_t TFichero::Tamano() {
    if (!fichero_)
        throw IoError("tamaño", ruta_);
    const int64_t actual = Posicion(fichero_);
    if (actual < 0 || Busca(fichero_, 0, SEEK_END) != 0)
        Falla("tamaño", ruta_);
    const int64_t tamano = Posicion(fichero_);
    if (tamano < 0 || Busca(fichero_, actual, SEEK_SET) != 0)
        Falla("tamaño", ruta_);
    return tamano;
}

void TFichero::Posiciona(int64_t posicion) {
    if (!fichero_ || posicion < 0)
        throw IoError("posicionar", ruta_);
    if (Busca(fichero_, posicion, SEEK_SET) != 0)
        Falla("posicionar", ruta_);
}

size_t TFichero::LeeBloque(void* destino, size_t n) {
    if (!fichero_)
        throw IoError("leer", ruta_);
    const size_t leidos = std::fread(destino, 1, n, fichero_);
    if (leidos < n && std::ferror(fichero_)) {
        const int codigo = errno;
        std::clearerr(fichero_);
        throw IoError("leer", ruta_, codigo);
    }
    return leidos;
}

void TFichero::EscribeBloque(const void* origen, size_t n) {
    if (!fichero_)
        throw IoError("escribir", ruta_);
    if (std::fwrite(origen, 1, n, fichero_) != n || std::fflush(fichero_) != 0)
        Falla("escribir", ruta_);
}

std::string LeeFicheroCompleto(const std::string& ruta) {
    TFichero fichero;
    fichero.Abre(ruta, TFichero::TModo::Lectura);
    std::string bytes(static_cast<size_t>(fichero.Tamano()), '\0');
    bytes.resize(bytes.empty() ? 0 : fichero.LeeBloque(bytes.data(), bytes.size()));
    fichero.Cierra();
    return bytes;
}

bool ExisteFichero(const std::string& ruta) {
    std::error_code error;
    return fs::exists(ruta, error) && !fs::is_directory(ruta, error);
}

bool ExisteCarpeta(const std::string& ruta) {
    std::error_code error;
    return fs::is_directory(ruta, error);
}

void CreaCarpeta(const std::string& ruta) {
    std::error_code error;
    fs::create_directories(ruta, error);
    if (error)
        throw IoError("crear la carpeta", ruta, error.value());
    if (!fs::is_directory(ruta))
        throw IoError("crear la carpeta", ruta, ENOTDIR);
}

std::string NombreDesnudo(const std::string& ruta) {
#ifdef _WIN32
    const auto corte = ruta.find_last_of("\\/:");
#else
    const auto corte = ruta.find_last_of('/');
#endif
    return corte == std::string::npos ? ruta : ruta.substr(corte + 1);
}

std::string NombreSinExtension(const std::string& ruta) {
    // The extension starts at the name's last point, wherever it stands: ".preg" is an empty
    // name with the extension ".preg".
    const std::string nombre = NombreDesnudo(ruta);
    return nombre.substr(0, std::min(nombre.find_last_of('.'), nombre.size()));
}

std::string CambiaExtension(const std::string& ruta, const std::string& extension) {
    const std::string carpeta = ruta.substr(0, ruta.size() - NombreDesnudo(ruta).size());
    return carpeta + NombreSinExtension(ruta) + extension;
}
