#include "about_box.h"

#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>

#include <gtest/gtest.h>

#include "modal_run.h"

namespace {

QStringList LineasMemo(const TfrmSobreElPrograma& caja) {
    return caja.Memo->toPlainText().split(QLatin1Char('\n'));
}

struct TCasoIdioma {
    uint16_t idioma;
    QString marca;  // words only the paragraph of this language holds
    QString linea4;
};

const TCasoIdioma CasosIdioma[] = {
    {0, QStringLiteral("idioma o dialecto"),
     QStringLiteral("   En estos momentos el programa dispone de los siguientes idiomas:")},
    {1, QStringLiteral("idioma o dialecte"),
     QStringLiteral("   En aquestos moments el programa disposa de els següents idiomes:")},
};

}  // namespace

TEST(AboutBox, ShowsTheFiveLinesOfEachLanguage) {
    for (const TCasoIdioma& caso : CasosIdioma) {
        SCOPED_TRACE(caso.idioma);
        TfrmSobreElPrograma caja;
        caja.Idioma = static_cast<TIdioma>(caso.idioma);
        caja.show();
        EXPECT_EQ(caja.windowTitle(), "Sobre el programa...");
        EXPECT_EQ(caja.btnOk->text(), "OK");
        const QStringList lineas = LineasMemo(caja);
        ASSERT_EQ(lineas.size(), 5);
        EXPECT_TRUE(lineas[0].startsWith("   ") && !lineas[0].startsWith("    "));
        EXPECT_TRUE(lineas[0].contains(caso.marca));
        EXPECT_TRUE(lineas[1].startsWith("   ") && !lineas[1].startsWith("    "));
        EXPECT_TRUE(lineas[1].endsWith(" ") && !lineas[1].endsWith("  "));
        EXPECT_EQ(lineas[2], "");
        EXPECT_EQ(lineas[3], caso.linea4);
        EXPECT_EQ(lineas[4], "- Valencià / Català.");
    }
}

TEST(AboutBox, TheLinesFollowTheCodeOfEachOpeningAndOfEachActivation) {
    TfrmSobreElPrograma valenciano;
    valenciano.Idioma = TIdioma::Valenciano;
    valenciano.show();
    TfrmSobreElPrograma castellano;
    castellano.Idioma = TIdioma::Castellano;
    castellano.show();
    EXPECT_EQ(LineasMemo(valenciano)[3], CasosIdioma[1].linea4);
    EXPECT_EQ(LineasMemo(castellano)[3], CasosIdioma[0].linea4);

    castellano.hide();
    castellano.Idioma = TIdioma::Valenciano;
    castellano.show();
    EXPECT_EQ(LineasMemo(castellano)[3], CasosIdioma[1].linea4);
}

TEST(AboutBox, AnotherCodeKeepsTheDesignCaptionAndEmptiesTheMemo) {
    TfrmSobreElPrograma caja;
    EXPECT_EQ(caja.Memo->toPlainText(), "Memo");
    caja.Idioma = static_cast<TIdioma>(7);
    caja.show();
    EXPECT_EQ(caja.windowTitle(), "frmSobreElPrograma");
    EXPECT_EQ(caja.Memo->toPlainText(), "\n\n\n\n");
}

TEST(AboutBox, HasTheDesignedWindowAndMemo) {
    TfrmSobreElPrograma caja;
    caja.Idioma = TIdioma::Valenciano;
    caja.show();
    EXPECT_EQ(caja.size(), QSize(366, 240));
    EXPECT_EQ(caja.minimumSize(), caja.maximumSize());
    EXPECT_EQ(caja.Memo->geometry(), QRect(8, 8, 353, 185));
    EXPECT_EQ(caja.btnOk->geometry(), QRect(144, 208, 77, 27));
    EXPECT_EQ(caja.font().family(), "MS Sans Serif");
    EXPECT_EQ(caja.font().pointSize(), 8);

    EXPECT_TRUE(caja.Memo->isReadOnly());
    EXPECT_EQ(caja.Memo->frameShape(), QFrame::NoFrame);
    EXPECT_EQ(caja.Memo->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    EXPECT_EQ(caja.Memo->lineWrapMode(), QPlainTextEdit::WidgetWidth);
    EXPECT_EQ(caja.Memo->palette().color(QPalette::Base), caja.palette().color(QPalette::Button));
    EXPECT_TRUE(caja.btnOk->isDefault());
    EXPECT_FALSE(caja.btnOk->icon().isNull());
}

TEST(AboutBox, OpensWithoutAnyQuestionSetAndEnterOrEscClosesItWithOk) {
    for (const Qt::Key tecla : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape}) {
        SCOPED_TRACE(tecla);
        TfrmSobreElPrograma caja;
        caja.Idioma = TIdioma::Valenciano;
        const int resultado =
            EjecutaModal(caja, [&] { QTest::keyClick(DestinoTeclado(caja), tecla); });
        EXPECT_EQ(resultado, QDialog::Accepted);
    }
}

TEST(AboutBox, TheMemoTakesAClickAndTheKeysButNotTab) {
    TfrmSobreElPrograma caja;
    caja.Idioma = TIdioma::Castellano;
    const int resultado = EjecutaModal(caja, [&] {
        // Tab walks the box without ever reaching the memo.
        for (int i = 0; i < 3; ++i) {
            QTest::keyClick(DestinoTeclado(caja), Qt::Key_Tab);
            EXPECT_NE(caja.focusWidget(), caja.Memo);
        }
        QTest::mouseClick(caja.Memo->viewport(), Qt::LeftButton, {}, QPoint(20, 10));
        ASSERT_EQ(caja.focusWidget(), caja.Memo);
        QTest::keyClick(caja.Memo, Qt::Key_End, Qt::ShiftModifier);
        EXPECT_FALSE(caja.Memo->textCursor().selectedText().isEmpty());
        QTest::keyClick(caja.Memo, Qt::Key_End, Qt::ControlModifier);
        EXPECT_TRUE(caja.Memo->textCursor().atEnd());
        EXPECT_EQ(caja.Memo->toPlainText().split('\n')[4], "- Valencià / Català.");
        // Enter in the memo still closes the box with OK.
        QTest::keyClick(caja.Memo, Qt::Key_Return);
    });
    EXPECT_EQ(resultado, QDialog::Accepted);
}
