#include "core/learning/mistake.h"

#include <gtest/gtest.h>

#include "core/base/win1252.h"

TEST(Mistake, EveryKindOfEntry) {
    struct Caso {
        const char* respuesta;
        const char* entrada;
        TTipoFallo tipo;
    };
    const Caso casos[] = {
        {"también", "también", TTipoFallo::Ninguno},
        {"también", "TAMBIÉN", TTipoFallo::Ninguno},
        {"", "", TTipoFallo::Ninguno},
        {"también", "", TTipoFallo::SinRellenar},
        {"", "h", TTipoFallo::SobraTexto},  // "@@echaban": the gap must stay empty
        {"también", "tambien", TTipoFallo::Acentos},
        {"también", "TAMBIEN", TTipoFallo::Acentos},
        {"camion", "camión", TTipoFallo::Acentos},  // an accent too many
        {"pingüino", "pinguino", TTipoFallo::Acentos},
        {"más", "màs", TTipoFallo::Acentos},
        {"Ýa", "ya", TTipoFallo::Acentos},
        {"también", "tambin", TTipoFallo::Letras},
        {"también", "tanbién", TTipoFallo::Letras},
        {"también", " también", TTipoFallo::Letras},
        {"también", "tambiénes", TTipoFallo::Letras},
        {"niño", "nino", TTipoFallo::Letras},  // ñ is a letter of its own
        {"niño", "NIÑO", TTipoFallo::Ninguno},
        {"plaça", "plaza", TTipoFallo::Letras},
        {"plaça", "placa", TTipoFallo::Letras},
        {"plaça", "PLAÇA", TTipoFallo::Letras},  // the upper-case table leaves ç alone
        {"plaça", "PLAçA", TTipoFallo::Ninguno},
        {"a ", "a", TTipoFallo::Letras},
    };
    for (const Caso& caso : casos) {
        SCOPED_TRACE(std::string(caso.respuesta) + " / " + caso.entrada);
        EXPECT_EQ(TipoDeFallo(*Windows1252DeUtf8(caso.respuesta), *Windows1252DeUtf8(caso.entrada)),
                  caso.tipo);
    }
}
