#include "core/learning/history.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "core/base/io_error.h"
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

TEST(History, ReadingTheTailLeavesTheFileAsItWas) {
    TCarpetaTemporal carpeta;
    const std::string ruta = carpeta.En("set.his");
    const TColaHistoria ninguna = LeeColaHistoria(ruta, 10);
    EXPECT_EQ(ninguna.Puntuaciones, "");
    EXPECT_EQ(ninguna.Anteriores, 0);
    const std::string bytes("\x10\x00\xFE", 3);
    { std::ofstream(ruta, std::ios::binary) << bytes; }
    const struct {
        size_t maximo;
        std::string puntuaciones;
        int64_t anteriores;
    } casos[] = {
        {10, bytes, 0}, {3, bytes, 0}, {2, bytes.substr(1), 1}, {1, "\xFE", 2}, {0, "", 3}};
    for (const auto& caso : casos) {
        const TColaHistoria cola = LeeColaHistoria(ruta, caso.maximo);
        EXPECT_EQ(cola.Puntuaciones, caso.puntuaciones) << caso.maximo;
        EXPECT_EQ(cola.Anteriores, caso.anteriores) << caso.maximo;
    }
    EXPECT_EQ(LeeFicheroEntero(ruta), bytes);
    EXPECT_THROW(LeeColaHistoria(carpeta.Ruta(), 10), IoError);
}

TEST(History, TheTailOfAHistoryBeyondFourGigabytes) {
    // A sparse file: its sessions read 0, but for the last few written at the end.
    TCarpetaTemporal carpeta;
    const std::string ruta = carpeta.En("larga.his");
    const int64_t tamano = (int64_t{5} << 30) + 7;
    {
        std::ofstream fichero(ruta, std::ios::binary);
        fichero.seekp(tamano - 3);
        fichero << "\x01\x02\xFE";
    }
    ASSERT_EQ(static_cast<int64_t>(std::filesystem::file_size(ruta)), tamano);
    const TColaHistoria cola = LeeColaHistoria(ruta, 5);
    EXPECT_EQ(cola.Puntuaciones, std::string("\x00\x00\x01\x02\xFE", 5));
    EXPECT_EQ(cola.Anteriores, tamano - 5);
}
