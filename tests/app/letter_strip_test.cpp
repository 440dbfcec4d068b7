#include "letter_strip.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QToolButton>
#include <QVBoxLayout>

#include <gtest/gtest.h>

#include <memory>

#include "notices.h"

namespace {

// A window with two gaps, a push button and the strip, as the exercise window holds them.
class TiraTest : public testing::Test {
  protected:
    void SetUp() override {
        ventana = std::make_unique<QWidget>();
        auto* columna = new QVBoxLayout(ventana.get());
        hueco = new QLineEdit(ventana.get());
        otro = new QLineEdit(ventana.get());
        boton = new QPushButton(QStringLiteral("Corregir"), ventana.get());
        tira = new TTiraLetras(ventana.get());
        for (QWidget* control : std::initializer_list<QWidget*>{hueco, otro, boton, tira})
            columna->addWidget(control);
        ventana->show();
        ASSERT_TRUE(QTest::qWaitForWindowActive(ventana.get()));
        hueco->setFocus();
        EstableceReceptorPitidos([this] { ++pitidos; });
    }
    void TearDown() override { EstableceReceptorPitidos({}); }

    void Hueco(const QString& texto, int maximo, int cursor) {
        hueco->setMaxLength(maximo);
        hueco->setText(texto);
        hueco->setCursorPosition(cursor);
        hueco->setFocus();
    }
    void Pulsa(const QString& letra, Qt::KeyboardModifiers teclas = Qt::NoModifier) {
        QToolButton* b = tira->Boton(letra);
        ASSERT_NE(b, nullptr) << letra.toStdString();
        QTest::mouseClick(b, Qt::LeftButton, teclas);
    }

    std::unique_ptr<QWidget> ventana;
    QLineEdit* hueco = nullptr;
    QLineEdit* otro = nullptr;
    QPushButton* boton = nullptr;
    TTiraLetras* tira = nullptr;
    int pitidos = 0;
};

}  // namespace

TEST_F(TiraTest, HoldsTheLettersTheSetsNeedAndNeverTakesTheFocus) {
    QStringList textos;
    for (QToolButton* b : tira->findChildren<QToolButton*>()) {
        textos << b->text();
        EXPECT_EQ(b->focusPolicy(), Qt::NoFocus);
    }
    EXPECT_EQ(textos, QString("á é í ó ú ü ñ à è ò ï ç l·l ¿ ¡").split(' '));
    Hueco("", 20, 0);
    for (const QString& letra : TTiraLetras::Letras()) {
        Pulsa(letra);
        EXPECT_EQ(QApplication::focusWidget(), hueco);
    }
    EXPECT_EQ(hueco->text(), "áéíóúüñàèòïçl·l¿¡");
    EXPECT_EQ(pitidos, 0);
}

TEST_F(TiraTest, ALetterGoesWhereTheLearnerTypes) {
    const struct {
        const char* texto;
        int maximo, cursor;
        const char* letra;
        const char* resultado;
        int cursorDespues;
        bool pitido;
    } casos[] = {
        {"cami", 6, 4, "ó", "camió", 5, false},
        {"camin", 6, 4, "ó", "camión", 5, false},   // in the middle of the entry
        {"camion", 6, 5, "ó", "camión", 5, false},  // full: over the plain vowel
        {"camion", 6, 6, "ó", "camion", 6, true},   // full, "n" before the caret
        {"camion", 6, 2, "ó", "camion", 2, true},
        {"plaa", 5, 3, "ç", "plaça", 4, false},
        {"co", 11, 2, "l·l", "col·l", 5, false},
        {"colecció", 10, 2, "l·l", "colecció", 2, true},  // room for two, not three
        {"pla", 3, 3, "ç", "pla", 3, true},
        {"Que", 5, 0, "¿", "¿Que", 1, false},
    };
    for (const auto& caso : casos) {
        SCOPED_TRACE(caso.texto);
        pitidos = 0;
        Hueco(QString::fromUtf8(caso.texto), caso.maximo, caso.cursor);
        Pulsa(QString::fromUtf8(caso.letra));
        EXPECT_EQ(hueco->text(), QString::fromUtf8(caso.resultado));
        EXPECT_EQ(hueco->cursorPosition(), caso.cursorDespues);
        EXPECT_EQ(hueco->maxLength(), caso.maximo);
        EXPECT_EQ(pitidos, caso.pitido ? 1 : 0);
        EXPECT_EQ(QApplication::focusWidget(), hueco);
    }
    // A selection is replaced, as typing would.
    Hueco("camian", 6, 0);
    hueco->setSelection(4, 1);
    Pulsa("ó");
    EXPECT_EQ(hueco->text(), "camión");
    // The letter goes to the gap that has the focus, and only to a gap.
    otro->setFocus();
    Pulsa("ñ");
    EXPECT_EQ(otro->text(), "ñ");
    EXPECT_EQ(hueco->text(), "camión");
    pitidos = 0;
    boton->setFocus();
    Pulsa("ñ");
    otro->setReadOnly(true);
    otro->setFocus();
    Pulsa("ñ");
    EXPECT_EQ(otro->text(), "ñ");
    EXPECT_EQ(pitidos, 2);
}

TEST_F(TiraTest, CapitalsWhileShiftIsHeld) {
    Hueco("", 20, 0);
    QTest::keyPress(hueco, Qt::Key_Shift);
    EXPECT_TRUE(tira->Mayusculas());
    EXPECT_EQ(tira->Boton("á")->text(), "Á");
    EXPECT_EQ(tira->Boton("l·l")->text(), "L·L");
    EXPECT_EQ(tira->Boton("¿")->text(), "¿");
    Pulsa("ó", Qt::ShiftModifier);
    Pulsa("l·l", Qt::ShiftModifier);
    QTest::keyRelease(hueco, Qt::Key_Shift);
    EXPECT_FALSE(tira->Mayusculas());
    EXPECT_EQ(tira->Boton("á")->text(), "á");
    Pulsa("ç");
    EXPECT_EQ(hueco->text(), "ÓL·Lç");
    // A full capital gap takes its accent too.
    Hueco("CAMION", 6, 5);
    Pulsa("ó", Qt::ShiftModifier);
    EXPECT_EQ(hueco->text(), "CAMIÓN");
}

TEST_F(TiraTest, TheShortcutCyclesTheVowelBeforeTheCaret) {
    InstalaAtajoAcento(ventana.get());
    const struct {
        const char* texto;
        int maximo, cursor, veces;
        const char* resultado;
        int pitidos;
    } casos[] = {
        {"camio", 5, 5, 1, "camió", 0},
        {"camio", 5, 5, 2, "camiò", 0},
        {"camio", 5, 5, 3, "camio", 0},
        {"camion", 6, 5, 1, "camión", 0},
        {"pare", 4, 4, 2, "parè", 0},
        {"rai", 3, 3, 2, "raï", 0},
        {"pinguino", 8, 2, 1, "pínguino", 0},
        {"pu", 2, 2, 2, "pü", 0},
        {"CAMIO", 5, 5, 1, "CAMIÓ", 0},
        {"camion", 6, 6, 1, "camioñ", 0},
        {"camp", 4, 4, 1, "camp", 1},
        {"", 5, 0, 1, "", 1},
        {"o", 1, 0, 1, "o", 1},
    };
    for (const auto& caso : casos) {
        SCOPED_TRACE(caso.texto);
        pitidos = 0;
        Hueco(QString::fromUtf8(caso.texto), caso.maximo, caso.cursor);
        for (int i = 0; i < caso.veces; ++i)
            QTest::keyClick(hueco, kAtajoAcento);
        EXPECT_EQ(hueco->text(), QString::fromUtf8(caso.resultado));
        EXPECT_EQ(hueco->cursorPosition(), caso.cursor);
        EXPECT_EQ(hueco->maxLength(), caso.maximo);
        EXPECT_EQ(pitidos, caso.pitidos);
    }
    // Typed in full: a learner without dead keys never needs the mouse.
    Hueco("", 6, 0);
    QTest::keyClicks(hueco, "camio");
    QTest::keyClick(hueco, kAtajoAcento);
    QTest::keyClicks(hueco, "n");
    EXPECT_EQ(hueco->text(), "camión");
    pitidos = 0;
    boton->setFocus();
    QTest::keyClick(boton, kAtajoAcento);
    EXPECT_EQ(pitidos, 1);
}

TEST_F(TiraTest, TipsInTheInterfaceLanguage) {
    tira->PonIdioma(TIdioma::Castellano);
    EXPECT_EQ(tira->Boton("ñ")->toolTip(),
              "Escribe la letra en el hueco (Mayús: mayúscula; F2 cambia la letra antes del "
              "cursor)");
    tira->PonIdioma(TIdioma::Valenciano);
    EXPECT_EQ(tira->Boton("ñ")->toolTip(),
              "Escriu la lletra en el buit (Maj: majúscula; F2 canvia la lletra abans del cursor)");
}
