#include "wait_notice.h"

#include <QLabel>

#include <gtest/gtest.h>

TEST(WaitNotice, ShowsTheTextsOfItsLanguage) {
    const struct {
        uint16_t idioma;
        const char *titulo, *aviso;
    } casos[] = {
        {0, "Atención",
         "Espere un momento mientras se comprueba \n\nel fichero con las preguntas. . ."},
        {1, "Atenció", "Espere un moment mentre es comprova \n\nel fitxer amb les preguntes. . ."},
        {3, "Aviso", "lblAviso"},
    };
    for (const auto& caso : casos) {
        SCOPED_TRACE(caso.idioma);
        TfrmAviso aviso;
        aviso.Idioma = static_cast<TIdioma>(caso.idioma);
        aviso.show();
        EXPECT_EQ(aviso.windowTitle(), QString::fromUtf8(caso.titulo));
        EXPECT_EQ(aviso.lblAviso->text(), QString::fromUtf8(caso.aviso));
    }
}

TEST(WaitNotice, HasTheDesignedWindowAndPicture) {
    TfrmAviso aviso;
    EXPECT_EQ(aviso.size(), QSize(404, 116));
    EXPECT_EQ(aviso.imgAviso->geometry(), QRect(16, 24, 73, 65));
    EXPECT_EQ(aviso.lblAviso->geometry(), QRect(96, 24, 289, 73));
    EXPECT_TRUE(aviso.lblAviso->wordWrap());
    EXPECT_EQ(aviso.lblAviso->alignment(), Qt::AlignCenter);
    const QPixmap dibujo = aviso.imgAviso->pixmap();
    ASSERT_FALSE(dibujo.isNull());
    EXPECT_EQ(dibujo.deviceIndependentSize().toSize(), QSize(67, 61));
    // Transparent around the triangle, red on its border.
    const QImage imagen = dibujo.toImage();
    EXPECT_EQ(imagen.pixelColor(1, 1).alpha(), 0);
    const QColor borde = imagen.pixelColor(imagen.width() / 2, imagen.height() - 4);
    EXPECT_GT(borde.red(), 180);
    EXPECT_LT(borde.green(), 60);
}
