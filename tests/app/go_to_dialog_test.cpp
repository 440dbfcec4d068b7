#include "go_to_dialog.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>

#include <gtest/gtest.h>

#include "modal_run.h"

TEST(GoToDialog, ShowsTheTextsAndTheRangeOfItsLanguage) {
    const struct {
        uint16_t idioma;
        const char *cancelar, *maximo;
    } casos[] = {
        {0, "&Cancelar", "(Desde 1 hasta 250)"},
        {1, "&Cancel·lar", "(Des de 1 fins 250)"},
    };
    for (const auto& caso : casos) {
        SCOPED_TRACE(caso.idioma);
        TfrmLeeInicial dialogo;
        dialogo.Idioma = static_cast<TIdioma>(caso.idioma);
        dialogo.NumInicial->setMaximum(250);
        dialogo.show();
        EXPECT_EQ(dialogo.windowTitle(), "Pregunta inicial");
        EXPECT_EQ(dialogo.lblTexto->text(), "&Número de la pregunta inicial:");
        EXPECT_EQ(dialogo.btnOk->text(), "&Ok");
        EXPECT_EQ(dialogo.btnCancelar->text(), QString::fromUtf8(caso.cancelar));
        EXPECT_EQ(dialogo.lblMaximo->text(), QString::fromUtf8(caso.maximo));
        EXPECT_EQ(dialogo.NumInicial->value(), 1);
        EXPECT_EQ(dialogo.CampoNumero()->maxLength(), 3);

        // Each activation starts the line again.
        dialogo.hide();
        dialogo.show();
        dialogo.hide();
        dialogo.show();
        EXPECT_EQ(dialogo.lblMaximo->text(), QString::fromUtf8(caso.maximo));
    }
}

TEST(GoToDialog, BeforeActivationAndForAnotherCodeKeepsTheDesign) {
    TfrmLeeInicial dialogo;
    EXPECT_EQ(dialogo.lblTexto->text(), "&Número de pregunta inicial:");
    EXPECT_EQ(dialogo.btnOk->text(), "&OK");
    EXPECT_EQ(dialogo.btnCancelar->text(), "&Cancelar");
    EXPECT_EQ(dialogo.lblMaximo->text(), "");
    EXPECT_EQ(dialogo.NumInicial->minimum(), 1);
    EXPECT_EQ(dialogo.NumInicial->maximum(), 1);
    EXPECT_EQ(dialogo.CampoNumero()->maxLength(), 5);

    dialogo.Idioma = static_cast<TIdioma>(9);
    dialogo.NumInicial->setMaximum(40);
    dialogo.show();
    dialogo.hide();
    dialogo.show();
    EXPECT_EQ(dialogo.lblTexto->text(), "&Número de pregunta inicial:");
    EXPECT_EQ(dialogo.btnOk->text(), "&OK");
    EXPECT_EQ(dialogo.lblMaximo->text(), "40)");
}

TEST(GoToDialog, TheFieldHoldsAsManyCharactersAsTheMaximumHasDigits) {
    const struct {
        int maximo;
        int caracteres;
        const char* tecleado;
        int valor;
    } casos[] = {
        {1, 1, "7", 1},
        {9, 1, "7", 7},
        {10, 2, "10", 10},
        {250, 3, "2500", 250},
        {250, 3, "300", 250},  // held at the maximum, not cut to 30
        {10000, 5, "100009", 10000},
    };
    for (const auto& caso : casos) {
        SCOPED_TRACE(caso.maximo);
        TfrmLeeInicial dialogo;
        dialogo.Idioma = TIdioma::Castellano;
        dialogo.NumInicial->setMaximum(caso.maximo);
        dialogo.show();
        EXPECT_EQ(dialogo.CampoNumero()->maxLength(), caso.caracteres);
        QTest::keyClicks(dialogo.CampoNumero(), caso.tecleado);
        EXPECT_LE(dialogo.CampoNumero()->text().size(), caso.caracteres);
        EXPECT_EQ(dialogo.NumInicial->value(), caso.valor);
        dialogo.NumInicial->interpretText();
        EXPECT_EQ(dialogo.CampoNumero()->text(), QString::number(caso.valor));
    }
}

TEST(GoToDialog, EnterAcceptsTheTypedNumberAndCancelOrEscReject) {
    const struct {
        const char* caso;
        std::function<void(TfrmLeeInicial&)> accion;
        int resultado;
    } casos[] = {
        {"enter", [](TfrmLeeInicial& d) { QTest::keyClick(DestinoTeclado(d), Qt::Key_Return); },
         QDialog::Accepted},
        {"ok", [](TfrmLeeInicial& d) { QTest::mouseClick(d.btnOk, Qt::LeftButton); },
         QDialog::Accepted},
        {"esc", [](TfrmLeeInicial& d) { QTest::keyClick(DestinoTeclado(d), Qt::Key_Escape); },
         QDialog::Rejected},
        {"cancel", [](TfrmLeeInicial& d) { QTest::mouseClick(d.btnCancelar, Qt::LeftButton); },
         QDialog::Rejected},
    };
    for (const auto& caso : casos) {
        SCOPED_TRACE(caso.caso);
        TfrmLeeInicial dialogo;
        dialogo.Idioma = TIdioma::Valenciano;
        dialogo.NumInicial->setMaximum(250);
        const int resultado = EjecutaModal(dialogo, [&] {
            EXPECT_EQ(dialogo.focusWidget(), dialogo.NumInicial);
            // The number is selected: typing replaces it.
            QTest::keyClicks(DestinoTeclado(dialogo), "42");
            caso.accion(dialogo);
        });
        EXPECT_EQ(resultado, caso.resultado);
        EXPECT_EQ(dialogo.NumInicial->value(), 42);
    }
}

TEST(GoToDialog, EveryActivationSelectsTheNumber) {
    TfrmLeeInicial dialogo;
    dialogo.Idioma = TIdioma::Valenciano;
    dialogo.NumInicial->setMaximum(90);
    for (const char* tecleado : {"5", "8", "63"}) {
        SCOPED_TRACE(tecleado);
        dialogo.show();
        EXPECT_EQ(dialogo.CampoNumero()->selectedText(), dialogo.CampoNumero()->text());
        QTest::keyClicks(dialogo.CampoNumero(), tecleado);
        EXPECT_EQ(dialogo.NumInicial->value(), QString(tecleado).toInt());
        dialogo.hide();
    }
}

TEST(GoToDialog, HasTheDesignedWindow) {
    TfrmLeeInicial dialogo;
    EXPECT_EQ(dialogo.size(), QSize(306, 133));
    EXPECT_EQ(dialogo.minimumSize(), dialogo.maximumSize());
    EXPECT_EQ(dialogo.lblTexto->geometry(), QRect(40, 22, 153, 16));
    EXPECT_EQ(dialogo.NumInicial->geometry(), QRect(192, 16, 73, 22));
    EXPECT_EQ(dialogo.lblMaximo->geometry(), QRect(8, 56, 289, 16));
    EXPECT_EQ(dialogo.btnOk->geometry(), QRect(40, 88, 89, 33));
    EXPECT_EQ(dialogo.btnCancelar->geometry(), QRect(168, 88, 89, 33));
    EXPECT_TRUE(dialogo.btnOk->isDefault());
    EXPECT_EQ(dialogo.lblTexto->buddy(), dialogo.NumInicial);
}
