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
