#include "dedication_window.h"

#include <QBuffer>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include "modal_run.h"

TEST(DedicationWindow, ADoubleClickOnTheLineShowsAndHidesTheSecondLine) {
    TfrmDedicatoria ventana;
    ventana.show();
    EXPECT_FALSE(ventana.lblTexto2->isVisible());
    QTest::mouseDClick(ventana.lblTexto1, Qt::LeftButton);
    EXPECT_TRUE(ventana.lblTexto2->isVisible());
    QTest::mouseDClick(ventana.lblTexto1, Qt::LeftButton);
    EXPECT_FALSE(ventana.lblTexto2->isVisible());
    QTest::mouseDClick(ventana.lblTexto1, Qt::RightButton);
    EXPECT_FALSE(ventana.lblTexto2->isVisible());
    QTest::mouseDClick(ventana.lblTexto1, Qt::LeftButton);
    EXPECT_TRUE(ventana.lblTexto2->isVisible());

    TfrmDedicatoria otra;
    otra.show();
    EXPECT_FALSE(otra.lblTexto2->isVisible());
}

TEST(DedicationWindow, OkAndEscCloseIt) {
    const std::function<void(TfrmDedicatoria&)> cierres[] = {
        [](TfrmDedicatoria& v) { QTest::mouseClick(v.btnOK, Qt::LeftButton); },
        [](TfrmDedicatoria& v) { QTest::keyClick(DestinoTeclado(v), Qt::Key_Escape); },
    };
    for (const auto& cierra : cierres) {
        TfrmDedicatoria ventana;
        EXPECT_NE(EjecutaModal(ventana, [&] { cierra(ventana); }), -1);
        EXPECT_FALSE(ventana.isVisible());
    }
}

TEST(DedicationWindow, ShowsThePhotographFittedInItsBox) {
    TfrmDedicatoria ventana;
    ventana.show();
    EXPECT_EQ(ventana.size(), QSize(230, 242));
    EXPECT_EQ(ventana.ImgFoto->geometry(), QRect(10, 10, 207, 175));
    EXPECT_EQ(ventana.lblTexto1->geometry(), QRect(10, 189, 207, 16));
    EXPECT_EQ(ventana.lblTexto2->geometry(), QRect(152, 209, 65, 30));
    EXPECT_EQ(ventana.btnOK->geometry(), QRect(73, 209, 80, 25));
    EXPECT_EQ(ventana.windowTitle(), TfrmDedicatoria::Titulo);
    EXPECT_FALSE(ventana.windowIcon().isNull());
    EXPECT_FALSE(ventana.lblTexto1->text().isEmpty());
    EXPECT_FALSE(ventana.lblTexto2->text().isEmpty());

    const QPixmap foto = ventana.ImgFoto->pixmap();
    ASSERT_FALSE(foto.isNull());
    const QSize caja = ventana.ImgFoto->size();
    EXPECT_TRUE(foto.width() == caja.width() || foto.height() == caja.height());
    EXPECT_LE(foto.width(), caja.width());
    EXPECT_LE(foto.height(), caja.height());
    EXPECT_EQ(ventana.ImgFoto->alignment(), Qt::AlignCenter);
}

TEST(DedicationWindow, APhotographThatDoesNotDecodeLeavesTheBoxEmpty) {
    TfrmDedicatoria ventana;
    ventana.PonFoto(QByteArray("\xFF\xD8\xFF\xE0 not a photograph", 22));
    ventana.show();
    EXPECT_TRUE(ventana.ImgFoto->pixmap().isNull());
    EXPECT_TRUE(ventana.isVisible());
    EXPECT_TRUE(ventana.btnOK->isEnabled());
}

TEST(DedicationWindow, ALargerPhotographIsScaledDownWithItsAspectKept) {
    // Twice as wide as high: it fills the box's width.
    QImage ancha(828, 412, QImage::Format_RGB888);
    ancha.fill(QColor(200, 30, 30));
    QByteArray jpeg;
    QBuffer destino(&jpeg);
    ASSERT_TRUE(destino.open(QIODevice::WriteOnly));
    ASSERT_TRUE(ancha.save(&destino, "JPG"));

    TfrmDedicatoria ventana;
    ventana.PonFoto(jpeg);
    const QPixmap foto = ventana.ImgFoto->pixmap();
    ASSERT_FALSE(foto.isNull());
    EXPECT_EQ(foto.size(), QSize(207, 103));
}
