#pragma once

#include <optional>
#include <string>

#include "core/base/fill_in.h"
#include "core/base/language.h"

// The tool speaks the user's language as every GNU tool does: LANGUAGE, LC_ALL, LC_MESSAGES and
// LANG choose the catalogue (po/), English without one. Only the tool's own texts are in the
// catalogues; what the core says in both languages comes from the core's tables.

// Takes the language from the environment, with the catalogues under carpetaLocale.
void IniciaIdiomaHerramienta(const std::string& carpetaLocale);
// The catalogues beside an installed or built program: its folder's ../share/locale.
std::string CarpetaLocaleDelPrograma();

// The text in the chosen language; the English given when the catalogue lacks it.
const char* Tr(const char* ingles);
// The language whose catalogue is in use, for the core's own texts; none: English.
std::optional<TIdioma> IdiomaHerramienta();
// Marks a text for the catalogue where it is defined; Tr translates it where it is shown.
constexpr const char* N_(const char* ingles) {
    return ingles;
}
