#include "svg_picture.h"

#include <QCoreApplication>
#include <QDir>
#include <QImage>
#include <QPixmap>

#include <gtest/gtest.h>

namespace {

bool TieneTinta(const QImage& imagen) {
    for (int y = 0; y < imagen.height(); ++y)
        for (int x = 0; x < imagen.width(); ++x)
            if (qAlpha(imagen.pixel(x, y)) != 0)
                return true;
    return false;
}

}  // namespace

// Qt's SVG image and icon plugins are packaged apart on some systems: with no plugin at hand,
// every picture of the program still draws, within its size and at twice it.
TEST(SvgPicture, EveryPictureDrawsWithoutAnyQtPlugin) {
    const QStringList rutas = QCoreApplication::libraryPaths();
    QCoreApplication::setLibraryPaths({});
    const QStringList dibujos = QDir(QStringLiteral(":/icons")).entryList({"*.svg"});
    ASSERT_FALSE(dibujos.isEmpty());
    for (const QString& nombre : dibujos) {
        for (const QSize tamano : {QSize(21, 21), QSize(18, 16), QSize(67, 61)}) {
            SCOPED_TRACE(nombre.toStdString() + " " + std::to_string(tamano.width()) + "x" +
                         std::to_string(tamano.height()));
            const QIcon icono = IconoSvg(QStringLiteral(":/icons/") + nombre, tamano);
            ASSERT_FALSE(icono.isNull());
            for (const QSize pedido : {tamano, tamano * 2}) {
                const QImage imagen = icono.pixmap(pedido).toImage();
                ASSERT_FALSE(imagen.isNull());
                EXPECT_LE(imagen.width(), pedido.width());
                EXPECT_LE(imagen.height(), pedido.height());
                // One side fills the size: the picture is as large as it fits.
                EXPECT_TRUE(imagen.width() == pedido.width() || imagen.height() == pedido.height());
                EXPECT_TRUE(TieneTinta(imagen));
            }
        }
    }
    QCoreApplication::setLibraryPaths(rutas);
}

TEST(SvgPicture, WhatIsNotAnSvgPictureGivesANullIcon) {
    for (const char* ruta : {":/icons/no_existe.svg", ":/images/foto.jpg", ""}) {
        SCOPED_TRACE(ruta);
        EXPECT_TRUE(IconoSvg(QString::fromUtf8(ruta), QSize(21, 21)).isNull());
    }
}
