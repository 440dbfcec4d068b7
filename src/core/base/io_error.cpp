#include "core/base/io_error.h"

#include <cerrno>
#include <cstring>

namespace {

std::string Mensaje(const std::string& operacion, const std::string& fichero, int codigo) {
    std::string mensaje = "Error de entrada/salida (" + operacion + "): " + fichero;
    if (codigo != 0)
        mensaje += std::string(": ") + std::strerror(codigo);
    return mensaje;
}

}  // namespace

IoError::IoError(std::string operacion, std::string fichero, int codigo)
    : std::runtime_error(Mensaje(operacion, fichero, codigo)),
      operacion_(std::move(operacion)),
      fichero_(std::move(fichero)),
      codigo_(codigo) {}

TCausaIo IoError::Causa() const {
    switch (codigo_) {
        case 0:
            return TCausaIo::Desconocida;
        case ENOSPC:
        case EDQUOT:
            return TCausaIo::DiscoLleno;
        case EACCES:
        case EPERM:
        case EROFS:
            return TCausaIo::SinPermiso;
        case EISDIR:
        case ENOTDIR:
            return TCausaIo::CarpetaEnMedio;
        case ENOENT:
            return TCausaIo::NoExiste;
        default:
            return TCausaIo::Otra;
    }
}

std::string IoError::Motivo() const {
    return codigo_ == 0 ? std::string() : std::strerror(codigo_);
}
