#include <QApplication>

#include <gtest/gtest.h>

#include <cstdlib>

#include "temp_folder.h"

int main(int argc, char** argv) {
    // Never the real home: the program data folder and the recent files live under this folder.
    TCarpetaTemporal datos;
    setenv("XDG_DATA_HOME", (datos.Ruta() + "/datos").c_str(), 1);
    setenv("XDG_CONFIG_HOME", (datos.Ruta() + "/config").c_str(), 1);
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication aplicacion(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
