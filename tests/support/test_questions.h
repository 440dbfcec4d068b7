#pragma once

#include <string>

#include "core/base/win1252.h"
#include "core/set/question_files.h"

// Windows-1252 bytes of a UTF-8 literal.
inline std::string W(const char* utf8) {
    return Windows1252DeUtf8(utf8).value();
}

// A question whose record passes the key check even when it comes first in its set.
inline TPregunta Legible(const std::string& tema, const std::string& texto =
                                                      "Una pregunta con "
                                                      "un @hueco@ y un "
                                                      "texto normal") {
    return {0, 10, tema, texto};
}
