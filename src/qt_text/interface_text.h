#pragma once

#include <QString>

#include "core/base/language.h"

// The caption of the interface language, from UTF-8 literals.
QString Texto(TIdioma idioma, const char* castellano, const char* valenciano);
