#include "tool_language.h"

#include <libintl.h>

#include <clocale>
#include <cstring>
#include <filesystem>

namespace {
constexpr const char* kDominio = "tildora-tool";
}  // namespace

void IniciaIdiomaHerramienta(const std::string& carpetaLocale) {
    std::setlocale(LC_ALL, "");
    bindtextdomain(kDominio, carpetaLocale.c_str());
    bind_textdomain_codeset(kDominio, "UTF-8");
}

std::string CarpetaLocaleDelPrograma() {
    std::error_code error;
    const std::filesystem::path programa = std::filesystem::read_symlink("/proc/self/exe", error);
    return (programa.parent_path().parent_path() / "share" / "locale").string();
}

const char* Tr(const char* ingles) {
    return dgettext(kDominio, ingles);
}

std::optional<TIdioma> IdiomaHerramienta() {
    // Each catalogue names its own language here, so the core's texts follow the same choice
    // gettext made among LANGUAGE's entries.
    const char* idioma = Tr("English");
    if (std::strcmp(idioma, "Castellano") == 0)
        return TIdioma::Castellano;
    if (std::strcmp(idioma, "Valenciano") == 0)
        return TIdioma::Valenciano;
    return std::nullopt;
}
