#include "file_error_text.h"

#include <gtest/gtest.h>

#include <cerrno>

TEST(FileErrorText, SaysWhatFailedAndWhyInTheInterfaceLanguage) {
    const struct {
        const char* operacion;
        int codigo;
        QString castellano, valenciano;
    } casos[] = {
        {"escribir", ENOSPC, "No se ha podido escribir «/d/x.his»: No queda espacio en el disco.",
         "No s'ha pogut escriure «/d/x.his»: No queda espai al disc."},
        {"escribir", EROFS,
         "No se ha podido escribir «/d/x.his»: No tiene permiso para escribir en «/d».",
         "No s'ha pogut escriure «/d/x.his»: No teniu permís per a escriure en «/d»."},
        {"crear la carpeta", EACCES,
         "No se ha podido crear la carpeta «/d/x.his»: No tiene permiso para escribir en «/d».",
         "No s'ha pogut crear la carpeta «/d/x.his»: No teniu permís per a escriure en «/d»."},
        {"abrir", EACCES, "No se ha podido abrir «/d/x.his»: No tiene permiso para leerlo.",
         "No s'ha pogut obrir «/d/x.his»: No teniu permís per a llegir-lo."},
        {"abrir", EISDIR,
         "No se ha podido abrir «/d/x.his»: Una carpeta o un fichero ocupa su lugar.",
         "No s'ha pogut obrir «/d/x.his»: Una carpeta o un fitxer ocupa el seu lloc."},
        {"leer", ENOENT, "No se ha podido leer «/d/x.his»: No existe.",
         "No s'ha pogut llegir «/d/x.his»: No existix."},
        {"leer", 0, "No se ha podido leer «/d/x.his».", "No s'ha pogut llegir «/d/x.his»."},
    };
    for (const auto& caso : casos) {
        SCOPED_TRACE(caso.castellano.toStdString());
        const IoError error(caso.operacion, "/d/x.his", caso.codigo);
        EXPECT_EQ(TextoErrorFichero(error, TIdioma::Castellano), caso.castellano);
        EXPECT_EQ(TextoErrorFichero(error, TIdioma::Valenciano), caso.valenciano);
    }
}
