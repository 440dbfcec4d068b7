#include "core/base/data_folder.h"

#include <gtest/gtest.h>
#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <optional>

#include "temp_folder.h"

namespace {

// Sets or clears a variable for the test's length and puts the old value back.
class TVariable {
  public:
    TVariable(const char* nombre, std::optional<std::string> valor) : nombre_(nombre) {
        if (const char* antes = std::getenv(nombre))
            antes_ = antes;
        if (valor)
            setenv(nombre, valor->c_str(), 1);
        else
            unsetenv(nombre);
    }
    ~TVariable() {
        if (antes_)
            setenv(nombre_, antes_->c_str(), 1);
        else
            unsetenv(nombre_);
    }

  private:
    const char* nombre_;
    std::optional<std::string> antes_;
};

}  // namespace

TEST(DataFolder, XdgDataHomeThenHomeThenTheAccount) {
    TCarpetaTemporal carpeta;
    const passwd* cuenta = getpwuid(getuid());
    ASSERT_NE(cuenta, nullptr);
    struct Caso {
        std::optional<std::string> datos, casa;
        std::string esperada;
    };
    const Caso casos[] = {
        {carpeta.En("datos"), carpeta.En("casa"), carpeta.En("datos") + "/Tildora"},
        {"", carpeta.En("casa"), carpeta.En("casa") + "/.local/share/Tildora"},
        {std::nullopt, carpeta.En("casa"), carpeta.En("casa") + "/.local/share/Tildora"},
        {std::nullopt, "", std::string(cuenta->pw_dir) + "/.local/share/Tildora"},
        {std::nullopt, std::nullopt, std::string(cuenta->pw_dir) + "/.local/share/Tildora"},
    };
    for (const Caso& c : casos) {
        const TVariable datos("XDG_DATA_HOME", c.datos);
        const TVariable casa("HOME", c.casa);
        EXPECT_EQ(CarpetaDatosPrograma(), c.esperada) << c.esperada;
    }
}
