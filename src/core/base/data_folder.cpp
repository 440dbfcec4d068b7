#include "core/base/data_folder.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>

namespace {

std::string CarpetaCasa() {
    if (const char* casa = std::getenv("HOME"); casa && *casa)
        return casa;
    // A session started without HOME (a service, su -) still has the account's home.
    const passwd* cuenta = getpwuid(getuid());
    return cuenta && cuenta->pw_dir ? cuenta->pw_dir : "";
}

}  // namespace

std::string CarpetaDatosPrograma() {
    if (const char* datos = std::getenv("XDG_DATA_HOME"); datos && *datos)
        return std::string(datos) + "/Tildora";
    const std::string casa = CarpetaCasa();
    return casa.empty() ? "" : casa + "/.local/share/Tildora";
}

std::string CarpetaConfiguracionPrograma() {
    if (const char* configuracion = std::getenv("XDG_CONFIG_HOME"); configuracion && *configuracion)
        return std::string(configuracion) + "/Tildora";
    const std::string casa = CarpetaCasa();
    return casa.empty() ? "" : casa + "/.config/Tildora";
}
