#pragma once

#include <stdexcept>
#include <string>

// A failed open, seek, read, write or close on a named file. A short read is no error.
class IoError : public std::runtime_error {
  public:
    IoError(std::string operacion, std::string fichero);

    const std::string& Operacion() const { return operacion_; }
    const std::string& Fichero() const { return fichero_; }

  private:
    std::string operacion_;
    std::string fichero_;
};
