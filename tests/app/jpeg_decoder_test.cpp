#include "jpeg_decoder.h"

#include <QFile>

#include <gtest/gtest.h>

#include <random>

namespace {

QByteArray FotoDelPrograma() {
    QFile fichero(QStringLiteral(":/images/foto.jpg"));
    EXPECT_TRUE(fichero.open(QIODevice::ReadOnly));
    return fichero.readAll();
}

QByteArray Azar(qsizetype longitud, const QByteArray& inicio = {}) {
    std::mt19937 generador(1234);
    QByteArray bytes = inicio;
    while (bytes.size() < longitud) {
        bytes.append(static_cast<char>(generador() & 0xFF));
    }
    return bytes;
}

void EsperaColor(const QImage& imagen, QPoint punto, QColor esperado) {
    const QColor color = imagen.pixelColor(punto);
    SCOPED_TRACE(::testing::Message() << punto.x() << "," << punto.y());
    EXPECT_NEAR(color.red(), esperado.red(), 16);
    EXPECT_NEAR(color.green(), esperado.green(), 16);
    EXPECT_NEAR(color.blue(), esperado.blue(), 16);
}

}  // namespace

TEST(JpegDecoder, DecodesTheProgramsPhotograph) {
    const QImage foto = DecodificaJpeg(FotoDelPrograma());
    ASSERT_FALSE(foto.isNull());
    EXPECT_EQ(foto.size(), QSize(207, 175));
    EsperaColor(foto, {10, 5}, QColor(54, 86, 159));      // evening sky
    EsperaColor(foto, {140, 78}, QColor(253, 240, 188));  // the sun
    EsperaColor(foto, {36, 72}, QColor(29, 68, 37));      // the tree
}

TEST(JpegDecoder, DataThatDoesNotDecodeGivesNoPicture) {
    const QByteArray foto = FotoDelPrograma();
    const struct {
        const char* caso;
        QByteArray bytes;
    } casos[] = {
        {"empty", {}},
        {"start marker only", QByteArray("\xFF\xD8", 2)},
        {"header cut", foto.left(100)},
        {"image data cut", foto.left(foto.size() / 2)},
        {"end marker missing", foto.left(foto.size() - 2)},
        {"random bytes", Azar(4000)},
        {"random bytes after the start marker", Azar(4000, QByteArray("\xFF\xD8\xFF\xE0", 4))},
        {"header followed by random bytes", Azar(foto.size(), foto.left(600))},
    };
    for (const auto& caso : casos) {
        SCOPED_TRACE(caso.caso);
        EXPECT_TRUE(DecodificaJpeg(caso.bytes).isNull());
    }
}
