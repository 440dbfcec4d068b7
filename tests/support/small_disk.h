#pragma once

#include <string>

#include "temp_folder.h"

// A small file system of its own, to fill or to make read-only: a tmpfs mounted on a temporary
// folder where the tests may mount (they run as root), unmounted at the end. Montado() tells
// whether it could be made; tests without it skip.
class TDiscoPequeno {
  public:
    explicit TDiscoPequeno(int kilobytes);
    ~TDiscoPequeno();
    TDiscoPequeno(const TDiscoPequeno&) = delete;
    TDiscoPequeno& operator=(const TDiscoPequeno&) = delete;

    bool Montado() const { return montado_; }
    std::string En(const std::string& nombre) const { return carpeta_.En(nombre); }
    // Nothing can be written on it from now on.
    bool SoloLectura();

  private:
    TCarpetaTemporal carpeta_;
    bool montado_ = false;
};
