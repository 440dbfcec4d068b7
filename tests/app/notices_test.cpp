#include "notices.h"

#include <gtest/gtest.h>

#include "io_error.h"

TEST(Notices, PartsStandSeparatedByBlankLines) {
    EXPECT_EQ(TextoAviso({"Fichero sin CheckSum:", "tema1.preg"}),
              "Fichero sin CheckSum:\n\ntema1.preg");
    EXPECT_EQ(TextoAviso({"a", "", "c"}), "a\n\nc");
    EXPECT_EQ(TextoAviso({"1", "2", "3", "4", "5", "6"}), "1\n\n2\n\n3\n\n4\n\n5");
    EXPECT_EQ(TextoAviso({}), "");
}

TEST(Notices, AFileErrorEndsTheHandlerAndIsReported) {
    QStringList avisos, errores;
    EstableceReceptorAvisos(
        {[&](const QString& t) { avisos << t; }, [&](const QString& t) { errores << t; }});
    bool despues = false;
    ProtegeManejador([&] {
        MuestraAviso(TAviso{"Fichero no encontrado:", "x.preg"});
        throw IoError("leer", "/tmp/x.preg");
        despues = true;
    });
    EstableceReceptorAvisos({});
    EXPECT_FALSE(despues);
    EXPECT_EQ(avisos, QStringList{"Fichero no encontrado:\n\nx.preg"});
    ASSERT_EQ(errores.size(), 1);
    EXPECT_TRUE(errores[0].contains("/tmp/x.preg"));
}
