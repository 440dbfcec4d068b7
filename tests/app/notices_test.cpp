#include "notices.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

#include "core/base/io_error.h"
#include "qt_translations.h"

TEST(Notices, PartsStandSeparatedByBlankLines) {
    EXPECT_EQ(TextoAviso({"Fichero sin CheckSum:", "tema1.preg"}),
              "Fichero sin CheckSum:\n\ntema1.preg");
    EXPECT_EQ(TextoAviso({"a", "", "c"}), "a\n\nc");
    EXPECT_EQ(TextoAviso({"1", "2", "3", "4", "5", "6"}), "1\n\n2\n\n3\n\n4\n\n5");
    EXPECT_EQ(TextoAviso({}), "");
}

TEST(Notices, AFileErrorEndsTheHandlerAndIsReported) {
    QStringList avisos, errores;
    EstableceReceptorAvisos(
        {[&](const QString& t) { avisos << t; }, [&](const QString& t) { errores << t; }});
    bool despues = false;
    ProtegeManejador([&] {
        MuestraAviso(TAviso{"Fichero no encontrado:", "x.preg"});
        throw IoError("leer", "/tmp/x.preg");
        despues = true;
    });
    EstableceReceptorAvisos({});
    EXPECT_FALSE(despues);
    EXPECT_EQ(avisos, QStringList{"Fichero no encontrado:\n\nx.preg"});
    ASSERT_EQ(errores.size(), 1);
    EXPECT_TRUE(errores[0].contains("/tmp/x.preg"));
}

TEST(Notices, ANoticeIsCastellanoWholeWhileQtsOwnTextsFollowTheLanguage) {
    for (const TIdioma idioma : {TIdioma::Castellano, TIdioma::Valenciano}) {
        SCOPED_TRACE(static_cast<int>(idioma));
        TraduceQt(idioma);
        const QString okDeQt = QCoreApplication::translate("QPlatformTheme", "OK");
        QString boton, texto;
        QTimer::singleShot(0, [&] {
            auto* caja = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            ASSERT_NE(caja, nullptr);
            ASSERT_EQ(caja->buttons().size(), 1);
            boton = caja->buttons()[0]->text();
            texto = caja->text();
            caja->accept();
        });
        MuestraAviso(TAviso{"Fichero sin CheckSum:", "tema1.preg"});
        EXPECT_EQ(boton, "Aceptar");
        EXPECT_EQ(texto, "Fichero sin CheckSum:\n\ntema1.preg");

        // A box of Qt's own keeps Qt's translation.
        QMessageBox propia(QMessageBox::NoIcon, "", "", QMessageBox::Ok);
        EXPECT_EQ(propia.button(QMessageBox::Ok)->text(), okDeQt);
    }
    // Catalan's OK is not Castellano's: the translations were really loaded.
    EXPECT_NE(QCoreApplication::translate("QPlatformTheme", "OK"), "Aceptar");
    EXPECT_NE(QCoreApplication::translate("QPlatformTheme", "OK"), "OK");
    TraduceQt(TIdioma::Castellano);
}
