#pragma once

#include <stdexcept>
#include <string>

// What the operating system said, in the kinds a message tells a user apart.
enum class TCausaIo {
    Desconocida,
    DiscoLleno,      // no space or quota left
    SinPermiso,      // no permission, or a read-only file system
    CarpetaEnMedio,  // a folder where a file must go, or a file where a folder must be
    NoExiste,
    Otra,
};

// A failed open, seek, read, write, sync, rename or close on a named file. A short read is no
// error. The errno of the failing call, when there was one, gives the reason.
class IoError : public std::runtime_error {
  public:
    IoError(std::string operacion, std::string fichero, int codigo = 0);

    const std::string& Operacion() const { return operacion_; }
    const std::string& Fichero() const { return fichero_; }
    int Codigo() const { return codigo_; }
    TCausaIo Causa() const;
    // The operating system's own words ("No space left on device"); empty without an errno.
    std::string Motivo() const;

  private:
    std::string operacion_;
    std::string fichero_;
    int codigo_;
};
