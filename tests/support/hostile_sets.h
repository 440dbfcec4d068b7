#pragma once

#include "core/set/writer.h"

// A small set that passes every check and repeats one long topic through its whole index:
// 65535 entries, all but the second pointing at one readable record of 32768 bytes whose topic
// is 32000 bytes long (the second points at the trailer, an empty question). About 294 KB.
TConjuntoEscrito ConjuntoDeTemaRepetido();

// A set of 65535 questions whose records overlap: entry n points 52 bytes (the key's length)
// after entry n - 1 into one stream of letters, so every record unscrambles to a topic of its
// own of some 32 KB, with no NUL in it. About 3.4 MB.
TConjuntoEscrito ConjuntoDeTemasDistintos();

// Writes a built set as nombre and its index beside it.
void EscribeConjuntoEscrito(const std::string& nombre, const TConjuntoEscrito& conjunto);
