#include <QGuiApplication>

#include <gtest/gtest.h>

#include "temp_folder.h"

int main(int argc, char** argv) {
    // Never the real home.
    const TCasaTemporal casa;
    QGuiApplication aplicacion(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
