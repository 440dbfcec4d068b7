#include "command_support.h"

#include <algorithm>

#include "core/base/binary_file.h"
#include "tool_language.h"

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
            throw TErrorUso(Rellena(Tr("unexpected argument '%1'"), {argumentos[i]}), orden);
        }
    }
    if (origen.empty() || destino.empty())
        throw TErrorUso(Rellena(Tr("'%1' takes %2"), {orden, queToma}), orden);
    if (!destino.ends_with(".preg") || NombreSinExtension(destino).empty())
        throw TErrorUso(Tr("the question file must be named SOMETHING.preg"), orden);
    return {origen, destino};
}
