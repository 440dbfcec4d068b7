#include "command_support.h"

#include <algorithm>
#include <filesystem>

#include "core/base/binary_file.h"
#include "core/base/io_error.h"

std::vector<TPregunta> LeePreguntasConjunto(const std::string& nombre, std::ostream& errores) {
    ValidaConjunto(nombre, errores);
    TFicherosPreguntas ficheros;
    ficheros.Abre(nombre);
    std::vector<TPregunta> preguntas;
    const int32_t usadas = std::clamp(ficheros.NumPreguntas(), 0, kMaximoPreguntas);
    for (int32_t n = 1; n <= usadas; ++n)
        preguntas.push_back(ficheros.LeePregunta(static_cast<uint16_t>(n)));
    return preguntas;
}

std::pair<std::string, std::string> LeeOrigenYConjunto(const std::vector<std::string>& argumentos,
                                                       const std::string& orden,
                                                       const std::string& queToma) {
    std::string origen, destino;
    for (size_t i = 0; i < argumentos.size(); ++i) {
        if (argumentos[i] == "-o" && i + 1 < argumentos.size() && destino.empty()) {
            destino = argumentos[++i];
        } else if (!argumentos[i].starts_with("-") && origen.empty()) {
            origen = argumentos[i];
        } else {
            throw TErrorUso("unexpected argument '" + argumentos[i] + "'", orden);
        }
    }
    if (origen.empty() || destino.empty())
        throw TErrorUso("'" + orden + "' takes " + queToma, orden);
    if (!destino.ends_with(".preg") || NombreSinExtension(destino).empty())
        throw TErrorUso("the question file must be named SOMETHING.preg", orden);
    return {origen, destino};
}

void CompruebaEntrada(const std::string& ruta) {
    std::error_code error;
    const std::filesystem::file_status estado = std::filesystem::status(ruta, error);
    if (std::filesystem::is_directory(estado))
        throw TFallo(ruta + ": a folder, not a file; nothing read");
    if (std::filesystem::exists(estado) && !std::filesystem::is_regular_file(estado))
        throw TFallo(ruta + ": not a regular file (a FIFO, socket or device); nothing read");
}

std::string LeeEntrada(const std::string& ruta) {
    CompruebaEntrada(ruta);
    try {
        return LeeFicheroCompleto(ruta);
    } catch (const IoError& e) {
        throw TFallo(ruta + ": cannot be read" + (e.Motivo().empty() ? "" : ": " + e.Motivo()));
    }
}
