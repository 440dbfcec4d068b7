#pragma once

#include <string>

// The program's data folder, where the program, the editor and the tool keep settings, history
// and progress files: $XDG_DATA_HOME/Tildora, or ~/.local/share/Tildora when XDG_DATA_HOME is
// unset or empty, home being $HOME or else the account's; empty when no home is known. No
// trailing separator.
std::string CarpetaDatosPrograma();
// The teacher's own folder (the spelling check's own words): $XDG_CONFIG_HOME/Tildora, or
// ~/.config/Tildora, as above.
std::string CarpetaConfiguracionPrograma();
