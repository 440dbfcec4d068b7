#pragma once

#include <string>

// A fresh folder under the system's temporary folder, removed with its contents at the end.
class TCarpetaTemporal {
  public:
    TCarpetaTemporal();
    ~TCarpetaTemporal();
    TCarpetaTemporal(const TCarpetaTemporal&) = delete;
    TCarpetaTemporal& operator=(const TCarpetaTemporal&) = delete;

    const std::string& Ruta() const { return ruta_; }
    // The path of a file inside the folder.
    std::string En(const std::string& nombre) const { return ruta_ + "/" + nombre; }

  private:
    std::string ruta_;
};

std::string LeeFicheroEntero(const std::string& ruta);

// Points XDG_DATA_HOME, XDG_CONFIG_HOME and the spelling dictionaries' DICPATH at temporary
// folders for as long as it lives, so that nothing a test runs writes to the real home or spells
// with the system's dictionaries; Qt's platform is offscreen unless one is set.
class TCasaTemporal {
  public:
    TCasaTemporal();

  private:
    TCarpetaTemporal datos_;
    TCarpetaTemporal configuracion_;
    TCarpetaTemporal diccionarios_;
};
