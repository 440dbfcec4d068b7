#include <QApplication>

#include <gtest/gtest.h>

#include <cstdlib>

#include "temp_folder.h"

int main(int argc, char** argv) {
    // Never the real home: the program data folder, and what Qt's file dialog remembers, live
    // under these temporary folders.
    TCarpetaTemporal datos, configuracion;
    setenv("XDG_DATA_HOME", datos.Ruta().c_str(), 1);
    setenv("XDG_CONFIG_HOME", configuracion.Ruta().c_str(), 1);
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication aplicacion(argc, argv);
    aplicacion.setApplicationDisplayName(QStringLiteral("Tildora"));
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
