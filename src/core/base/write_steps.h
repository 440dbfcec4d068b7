#pragma once

#include <sys/stat.h>

#include <optional>
#include <string>
#include <string_view>

#include "core/base/atomic_write.h"

// The steps that a whole-file write is made of, shared by the single file's write and the pair's
// journalled save. Each failure throws IoError naming the file the user knows.
namespace pasos_escritura {

// Tells the test seam of the step about to be taken.
void Paso(TPasoEscritura paso, const std::string& fichero);
[[noreturn]] void Falla(const char* operacion, const std::string& fichero);

// A descriptor closed on every path out.
class TDescriptor {
  public:
    explicit TDescriptor(int fd) : fd_(fd) {}
    TDescriptor(const TDescriptor&) = delete;
    TDescriptor& operator=(const TDescriptor&) = delete;
    ~TDescriptor();
    int Fd() const { return fd_; }
    // Closing can report a write that failed late (a full disk on a network file system).
    void Cierra(const std::string& fichero);

  private:
    int fd_;
};

// The file a save replaces: a symbolic link's target, not the link.
std::string Resuelve(const std::string& ruta);
std::string Carpeta(const std::string& ruta);
void SincronizaCarpeta(const std::string& carpeta);
// The status of the file a save replaces, or nothing when there is none yet. A folder in its
// place stops the save before anything is written.
std::optional<struct stat> Anterior(const std::string& ruta);
void EscribeTodo(int fd, std::string_view bytes, const std::string& fichero);
// Writes and syncs a new file at temporal, which must not exist, with the replaced file's
// permissions; errors name fichero.
void EscribeTemporal(const std::string& temporal, std::string_view bytes,
                     const std::optional<struct stat>& anterior, const std::string& fichero);
void Renombra(const std::string& desde, const std::string& hasta, const std::string& fichero);
void Borra(const std::string& ruta);
bool Existe(const std::string& ruta);

}  // namespace pasos_escritura
