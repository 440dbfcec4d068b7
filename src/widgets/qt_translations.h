#pragma once

#include <cstdint>

// Qt's own texts (file dialogs, context menus, standard buttons) in the interface language:
// Spanish for Castellano (0), Catalan for Valenciano (1). Replaces what an earlier call loaded.
void TraduceQt(uint16_t idioma);
