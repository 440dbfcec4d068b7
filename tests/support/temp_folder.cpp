#include "temp_folder.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace fs = std::filesystem;

TCarpetaTemporal::TCarpetaTemporal() {
    std::string plantilla = (fs::temp_directory_path() / "tildora-XXXXXX").string();
    if (!mkdtemp(plantilla.data()))
        throw std::runtime_error("mkdtemp");
    ruta_ = plantilla;
}

TCarpetaTemporal::~TCarpetaTemporal() {
    std::error_code error;
    fs::remove_all(ruta_, error);
}

std::string LeeFicheroEntero(const std::string& ruta) {
    std::ifstream f(ruta, std::ios::binary);
    return {std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>()};
}

TCasaTemporal::TCasaTemporal() {
    setenv("XDG_DATA_HOME", datos_.Ruta().c_str(), 1);
    setenv("XDG_CONFIG_HOME", configuracion_.Ruta().c_str(), 1);
    setenv("DICPATH", diccionarios_.Ruta().c_str(), 1);
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
}
