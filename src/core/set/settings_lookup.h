#pragma once

#include <string>
#include <vector>

// The system's data folders that may hold settings for every learner: each entry of
// XDG_DATA_DIRS (by default /usr/local/share and /usr/share) with "/Tildora/" appended.
std::vector<std::string> CarpetasSistema();

// The settings file of a question file: the first that exists of the one in the learner's data
// folder, those in the system's data folders and the one beside the question file; where none
// exists, the learner's (empty without a data folder), which then gives the defaults.
std::string BuscaConfiguracion(const std::string& nombreFichero, const std::string& carpetaDatos);
