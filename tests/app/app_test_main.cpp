#include <QApplication>

#include <gtest/gtest.h>

#include "temp_folder.h"

int main(int argc, char** argv) {
    // Never the real home.
    const TCasaTemporal casa;
    QApplication aplicacion(argc, argv);
    aplicacion.setApplicationDisplayName(QStringLiteral("Tildora"));
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
