#pragma once

#include <QString>

#include "io_error.h"
#include "language.h"

// A failed file operation as the learner reads it: what could not be done to which file, and
// why, in the interface language.
QString TextoErrorFichero(const IoError& error, TIdioma idioma);
