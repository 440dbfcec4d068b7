#pragma once

#include "core/base/language.h"

// Qt's own texts (file dialogs, context menus, standard buttons) in the interface language:
// Spanish for Castellano, Catalan for Valenciano. Replaces what an earlier call loaded.
void TraduceQt(TIdioma idioma);
