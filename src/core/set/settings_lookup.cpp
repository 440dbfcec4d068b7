#include "core/set/settings_lookup.h"

#include <cstdlib>
#include <sstream>

#include "core/base/binary_file.h"
#include "core/set/settings.h"

std::vector<std::string> CarpetasSistema() {
    const char* variable = std::getenv("XDG_DATA_DIRS");
    const std::string lista =
        variable != nullptr && *variable != '\0' ? variable : "/usr/local/share/:/usr/share/";
    std::vector<std::string> carpetas;
    std::istringstream entradas(lista);
    std::string carpeta;
    while (std::getline(entradas, carpeta, ':')) {
        // Relative entries are invalid and ignored, as the base directory rules ask.
        if (carpeta.empty() || carpeta.front() != '/')
            continue;
        while (carpeta.size() > 1 && carpeta.back() == '/')
            carpeta.pop_back();
        carpetas.push_back(carpeta + "/Tildora/");
    }
    return carpetas;
}

std::string BuscaConfiguracion(const std::string& nombreFichero, const std::string& carpetaDatos) {
    const std::string nombre = NombreConfiguracion(nombreFichero);
    const std::string propia = carpetaDatos.empty() ? std::string() : carpetaDatos + nombre;
    std::vector<std::string> candidatas{propia};
    for (const std::string& carpeta : CarpetasSistema())
        candidatas.push_back(carpeta + nombre);
    const size_t separador = nombreFichero.find_last_of('/');
    candidatas.push_back(
        (separador == std::string::npos ? std::string() : nombreFichero.substr(0, separador + 1)) +
        nombre);
    for (const std::string& ruta : candidatas)
        if (!ruta.empty() && ExisteFichero(ruta))
            return ruta;
    return propia;
}
