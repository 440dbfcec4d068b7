#include "io_error.h"

IoError::IoError(std::string operacion, std::string fichero)
    : std::runtime_error("Error de entrada/salida (" + operacion + "): " + fichero),
      operacion_(std::move(operacion)),
      fichero_(std::move(fichero)) {}
