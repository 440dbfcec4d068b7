#include "small_disk.h"

#include <sys/mount.h>

TDiscoPequeno::TDiscoPequeno(int kilobytes) {
    const std::string opciones = "size=" + std::to_string(kilobytes) + "k";
    montado_ = mount("tmpfs", carpeta_.Ruta().c_str(), "tmpfs", 0, opciones.c_str()) == 0;
}

TDiscoPequeno::~TDiscoPequeno() {
    if (montado_)
        umount2(carpeta_.Ruta().c_str(), MNT_DETACH);
}

bool TDiscoPequeno::SoloLectura() {
    return montado_ &&
           mount("tmpfs", carpeta_.Ruta().c_str(), "tmpfs", MS_REMOUNT | MS_RDONLY, nullptr) == 0;
}
