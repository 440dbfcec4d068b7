#include "command_support.h"

#include <algorithm>
#include <filesystem>
#include <map>

#include "commands.h"
#include "core/base/binary_file.h"
#include "core/base/io_error.h"
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

// "cannot write FILE: REASON", in the operating system's words.
std::string ExplicaErrorIo(const IoError& error) {
    static const std::map<std::string, const char*> kQueNoSePuede = {
        {"abrir", N_("cannot open %1")},
        {"leer", N_("cannot read %1")},
        {"escribir", N_("cannot write %1")},
        {"renombrar", N_("cannot rename %1")},
        {"sincronizar", N_("cannot sync %1")},
        {"borrar", N_("cannot remove %1")},
        {"cerrar", N_("cannot close %1")},
        {"tamaño", N_("cannot measure %1")},
        {"posicionar", N_("cannot seek in %1")},
        {"crear la carpeta", N_("cannot create the folder %1")},
    };
    const auto que = kQueNoSePuede.find(error.Operacion());
    std::string texto = Rellena(Tr(que == kQueNoSePuede.end() ? N_("cannot use %1") : que->second),
                                {error.Fichero()});
    if (!error.Motivo().empty())
        texto += ": " + error.Motivo();
    return texto;
}

int EjecutaConErrores(const std::function<int()>& orden, std::ostream& errores) {
    try {
        return orden();
    } catch (const TErrorUso& e) {
        errores << "tildora-tool " << e.Orden << ": " << e.what() << "\n"
                << Rellena(Tr("Run 'tildora-tool %1 --help' for its usage."), {e.Orden}) << "\n";
        return kSalidaUsoErroneo;
    } catch (const TFallo& e) {
        if (*e.what() != 0)
            errores << "tildora-tool: " << e.what() << "\n";
        return kSalidaFallo;
    } catch (const IoError& e) {
        errores << "tildora-tool: " << ExplicaErrorIo(e) << "\n";
        return kSalidaFallo;
    }
}
