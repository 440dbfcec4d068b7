#pragma once

#include <QString>

#include <string>
#include <vector>

#include "core/base/io_error.h"
#include "core/base/language.h"

// A failed file operation as a learner or a teacher reads it: what could not be done to which
// file, and why, in the interface language. A file named after one of propios (a temporary or
// journal of the atomic writer) is named as that file, the one the user knows.
QString TextoErrorFichero(const IoError& error, TIdioma idioma,
                          const std::vector<std::string>& propios = {});
