#pragma once

#include "writer.h"

// A small set that passes every check and repeats one long topic through its whole index:
// 65535 entries, all but the second pointing at one readable record of 32768 bytes whose topic
// is 32000 bytes long (the second points at the trailer, an empty question). About 294 KB.
TConjuntoEscrito ConjuntoDeTemaRepetido();
