#include "interface_text.h"

QString Texto(TIdioma idioma, const char* castellano, const char* valenciano) {
    return QString::fromUtf8(Elige(idioma, castellano, valenciano));
}
