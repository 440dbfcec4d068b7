#include "history.h"

#include <gtest/gtest.h>

#include <fstream>

#include "io_error.h"
#include "temp_folder.h"

TEST(History, ScoreBytesAsPerCent) {
    const std::pair<int, int> casos[] = {{0, 0}, {254, 100}, {127, 50},  {1, 0},
                                         {2, 1}, {203, 80},  {255, 100}, {190, 75}};
    for (const auto& [byte, porCiento] : casos)
        EXPECT_EQ(PorCientoHistoria(static_cast<uint8_t>(byte)), porCiento) << byte;
}

TEST(History, SummaryOfTheSessions) {
    // 254, 127 and 0 average 127: 50 %.
    const TResumenHistoria resumen = ResumeHistoria(std::string("\xFE\x7F\x00", 3));
    EXPECT_EQ(resumen.PorCientos, (std::vector<int>{100, 50, 0}));
    EXPECT_EQ(resumen.Sesiones, 3);
    EXPECT_EQ(resumen.Media, 50);
    EXPECT_EQ(resumen.Mejor, 100);

    // The mean is taken over the bytes, then rounded once: (203 + 204) / 2 is 80.1 %.
    const TResumenHistoria dos = ResumeHistoria("\xCB\xCC");
    EXPECT_EQ(dos.PorCientos, (std::vector<int>{80, 80}));
    EXPECT_EQ(dos.Media, 80);
    EXPECT_EQ(dos.Mejor, 80);

    const TResumenHistoria vacio = ResumeHistoria("");
    EXPECT_TRUE(vacio.PorCientos.empty());
    EXPECT_EQ(vacio.Sesiones, 0);
    EXPECT_EQ(vacio.Media, 0);
    EXPECT_EQ(vacio.Mejor, 0);
}

TEST(History, ReadingLeavesTheFileAsItWas) {
    TCarpetaTemporal carpeta;
    const std::string ruta = carpeta.En("set.his");
    EXPECT_EQ(LeeHistoria(ruta), "");
    { std::ofstream(ruta, std::ios::binary) << std::string("\x10\x00\xFE", 3); }
    EXPECT_EQ(LeeHistoria(ruta), std::string("\x10\x00\xFE", 3));
    EXPECT_EQ(LeeFicheroEntero(ruta), std::string("\x10\x00\xFE", 3));
    EXPECT_THROW(LeeHistoria(carpeta.Ruta()), IoError);
}
