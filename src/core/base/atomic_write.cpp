#include "core/base/atomic_write.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <optional>
#include <random>

#include "core/base/io_error.h"
#include "core/base/write_steps.h"

namespace fs = std::filesystem;

namespace {

TTestigoEscritura& Testigo() {
    static TTestigoEscritura testigo;
    return testigo;
}

std::string TemporalUnico(const std::string& ruta) {
    static std::mt19937_64 azar{std::random_device{}()};
    constexpr std::string_view kCifras = "0123456789abcdefghijklmnopqrstuvwxyz";
    std::string nombre = ruta + "-new-";
    for (int i = 0; i < 8; ++i)
        nombre += kCifras[azar() % kCifras.size()];
    return nombre;
}

}  // namespace

namespace pasos_escritura {

void Paso(TPasoEscritura paso, const std::string& fichero) {
    if (Testigo())
        Testigo()(paso, fichero);
}

void Falla(const char* operacion, const std::string& fichero) {
    const int codigo = errno;
    throw IoError(operacion, fichero, codigo);
}

TDescriptor::~TDescriptor() {
    if (fd_ >= 0)
        close(fd_);
}

void TDescriptor::Cierra(const std::string& fichero) {
    const int fd = fd_;
    fd_ = -1;
    if (close(fd) != 0)
        Falla("escribir", fichero);
}

std::string Resuelve(const std::string& ruta) {
    fs::path p = ruta;
    for (int saltos = 0;; ++saltos) {
        std::error_code error;
        if (!fs::is_symlink(fs::symlink_status(p, error)))
            return p.string();
        if (saltos == 40)
            throw IoError("escribir", ruta, ELOOP);
        const fs::path destino = fs::read_symlink(p, error);
        if (error)
            throw IoError("escribir", ruta, error.value());
        p = destino.is_absolute() ? destino : p.parent_path() / destino;
    }
}

std::string Carpeta(const std::string& ruta) {
    const std::string carpeta = fs::path(ruta).parent_path().string();
    return carpeta.empty() ? "." : carpeta;
}

void SincronizaCarpeta(const std::string& carpeta) {
    Paso(TPasoEscritura::Sincroniza, carpeta);
    TDescriptor fd(open(carpeta.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (fd.Fd() < 0)
        Falla("sincronizar", carpeta);
    // Some file systems cannot sync a folder; their renames are as durable as they get.
    if (fsync(fd.Fd()) != 0 && errno != EINVAL && errno != ENOTSUP)
        Falla("sincronizar", carpeta);
}

std::optional<struct stat> Anterior(const std::string& ruta) {
    struct stat estado {};
    if (stat(ruta.c_str(), &estado) != 0) {
        if (errno == ENOENT)
            return std::nullopt;
        Falla("escribir", ruta);
    }
    if (S_ISDIR(estado.st_mode))
        throw IoError("escribir", ruta, EISDIR);
    return estado;
}

void EscribeTodo(int fd, std::string_view bytes, const std::string& fichero) {
    while (!bytes.empty()) {
        const ssize_t escritos = write(fd, bytes.data(), bytes.size());
        if (escritos < 0 && errno == EINTR)
            continue;
        if (escritos < 0)
            Falla("escribir", fichero);
        bytes.remove_prefix(static_cast<size_t>(escritos));
    }
}

void EscribeTemporal(const std::string& temporal, std::string_view bytes,
                     const std::optional<struct stat>& anterior, const std::string& fichero) {
    Paso(TPasoEscritura::Temporal, fichero);
    TDescriptor fd(
        open(temporal.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0666));
    if (fd.Fd() < 0)
        Falla("escribir", fichero);
    try {
        if (anterior)
            (void)fchmod(fd.Fd(), anterior->st_mode & 07777);
        EscribeTodo(fd.Fd(), bytes, fichero);
        Paso(TPasoEscritura::Sincroniza, fichero);
        if (fsync(fd.Fd()) != 0)
            Falla("escribir", fichero);
        fd.Cierra(fichero);
    } catch (...) {
        unlink(temporal.c_str());
        throw;
    }
}

void Renombra(const std::string& desde, const std::string& hasta, const std::string& fichero) {
    if (rename(desde.c_str(), hasta.c_str()) != 0)
        Falla("renombrar", fichero);
}

void Borra(const std::string& ruta) {
    if (unlink(ruta.c_str()) != 0 && errno != ENOENT)
        Falla("borrar", ruta);
}

bool Existe(const std::string& ruta) {
    struct stat estado {};
    return lstat(ruta.c_str(), &estado) == 0;
}

}  // namespace pasos_escritura

using namespace pasos_escritura;

void PonTestigoEscritura(TTestigoEscritura testigo) {
    Testigo() = std::move(testigo);
}

void EscribeFichero(const std::string& ruta, std::string_view bytes) {
    const std::string destino = Resuelve(ruta);
    const std::optional<struct stat> anterior = Anterior(destino);
    std::string temporal;
    for (int intento = 0; temporal.empty() || Existe(temporal); ++intento) {
        if (intento == 100)
            throw IoError("escribir", destino, EEXIST);
        temporal = TemporalUnico(destino);
    }
    EscribeTemporal(temporal, bytes, anterior, destino);
    try {
        Paso(TPasoEscritura::Renombra, destino);
        Renombra(temporal, destino, destino);
    } catch (...) {
        unlink(temporal.c_str());
        throw;
    }
    SincronizaCarpeta(Carpeta(destino));
}
