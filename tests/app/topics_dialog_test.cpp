#include "topics_dialog.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include "modal_run.h"

namespace {

// A dialog filled as the main window fills it, ticks in list order.
void Llena(TfrmTemas& dialogo, const std::vector<bool>& marcas) {
    for (size_t k = 0; k < marcas.size(); ++k) {
        dialogo.AnadeTema(QStringLiteral("Tema %1").arg(k + 1), marcas[k]);
    }
}

// Clicks the check box of item k, where a learner clicks.
void PulsaCasilla(TfrmTemas& dialogo, int k) {
    const QRect fila = dialogo.chkLista->visualItemRect(dialogo.chkLista->item(k));
    QTest::mouseClick(dialogo.chkLista->viewport(), Qt::LeftButton, {},
                      QPoint(fila.left() + fila.height() / 2 + 2, fila.center().y()));
}

void PulsaEspacio(TfrmTemas& dialogo, int k) {
    dialogo.chkLista->setFocus();
    dialogo.chkLista->setCurrentRow(k);
    QTest::keyClick(dialogo.chkLista, Qt::Key_Space);
}

}  // namespace

TEST(TopicsDialog, OkIsEnabledExactlyWhileATopicIsTicked) {
    const struct {
        const char* caso;
        std::vector<bool> antes;
        std::function<void(TfrmTemas&)> accion;
        std::vector<bool> despues;
    } casos[] = {
        {"mouse unticks the last",
         {false, true, false},
         [](TfrmTemas& d) { PulsaCasilla(d, 1); },
         {false, false, false}},
        {"mouse ticks one",
         {false, false},
         [](TfrmTemas& d) { PulsaCasilla(d, 0); },
         {true, false}},
        {"space unticks the last",
         {true, false},
         [](TfrmTemas& d) { PulsaEspacio(d, 0); },
         {false, false}},
        {"space ticks one",
         {false, false},
         [](TfrmTemas& d) { PulsaEspacio(d, 1); },
         {false, true}},
        {"invert with all ticked",
         {true, true, true},
         [](TfrmTemas& d) { QTest::mouseClick(d.btnInvertir, Qt::LeftButton); },
         {false, false, false}},
        {"invert a mixture",
         {true, false, false},
         [](TfrmTemas& d) { QTest::mouseClick(d.btnInvertir, Qt::LeftButton); },
         {false, true, true}},
        {"select all with none ticked",
         {false, false, false},
         [](TfrmTemas& d) { QTest::mouseClick(d.btnTodo, Qt::LeftButton); },
         {true, true, true}},
        {"a tick set by the program",
         {true},
         [](TfrmTemas& d) { d.chkLista->item(0)->setCheckState(Qt::Unchecked); },
         {false}},
    };
    for (const auto& caso : casos) {
        SCOPED_TRACE(caso.caso);
        TfrmTemas dialogo;
        Llena(dialogo, caso.antes);
        dialogo.show();
        const bool alguna =
            std::find(caso.antes.begin(), caso.antes.end(), true) != caso.antes.end();
        EXPECT_EQ(dialogo.btnAceptar->isEnabled(), alguna);
        caso.accion(dialogo);
        EXPECT_EQ(dialogo.Marcas(), caso.despues);
        const bool quedan =
            std::find(caso.despues.begin(), caso.despues.end(), true) != caso.despues.end();
        EXPECT_EQ(dialogo.btnAceptar->isEnabled(), quedan);
    }
}

TEST(TopicsDialog, WithNothingTickedEnterDoesNothingAndCancelLeaves) {
    TfrmTemas dialogo;
    Llena(dialogo, {true, false});
    bool abiertoTrasIntro = false;
    const int resultado = EjecutaModal(dialogo, [&] {
        PulsaCasilla(dialogo, 0);
        dialogo.chkLista->setFocus();
        QTest::keyClick(dialogo.chkLista, Qt::Key_Return);
        abiertoTrasIntro = dialogo.isVisible();
        QTest::keyClick(DestinoTeclado(dialogo), Qt::Key_Escape);
    });
    EXPECT_TRUE(abiertoTrasIntro);
    EXPECT_EQ(resultado, QDialog::Rejected);
}

TEST(TopicsDialog, AnEmptyListLeavesOnlyCancel) {
    TfrmTemas dialogo;
    EXPECT_FALSE(dialogo.btnAceptar->isEnabled());
    const int resultado = EjecutaModal(dialogo, [&] {
        EXPECT_EQ(dialogo.chkLista->count(), 0);
        EXPECT_FALSE(dialogo.btnAceptar->isEnabled());
        dialogo.chkLista->setFocus();
        QTest::keyClick(dialogo.chkLista, Qt::Key_Return);
        EXPECT_TRUE(dialogo.isVisible());
        QTest::mouseClick(dialogo.btnCancelar, Qt::LeftButton);
    });
    EXPECT_EQ(resultado, QDialog::Rejected);
    EXPECT_TRUE(dialogo.Marcas().empty());
}

TEST(TopicsDialog, OkAndEnterAcceptWithTheTicksAsLeft) {
    const std::function<void(TfrmTemas&)> confirmaciones[] = {
        [](TfrmTemas& d) { QTest::mouseClick(d.btnAceptar, Qt::LeftButton); },
        [](TfrmTemas& d) {
            d.chkLista->setFocus();
            QTest::keyClick(d.chkLista, Qt::Key_Return);
        },
    };
    for (const auto& confirma : confirmaciones) {
        TfrmTemas dialogo;
        Llena(dialogo, {true, false, true, false});
        const int resultado = EjecutaModal(dialogo, [&] {
            PulsaCasilla(dialogo, 0);
            PulsaEspacio(dialogo, 3);
            PulsaCasilla(dialogo, 1);
            confirma(dialogo);
        });
        EXPECT_EQ(resultado, QDialog::Accepted);
        EXPECT_EQ(dialogo.Marcas(), (std::vector<bool>{false, true, true, true}));
    }
}

TEST(TopicsDialog, CancelAndEscReject) {
    const std::function<void(TfrmTemas&)> salidas[] = {
        [](TfrmTemas& d) { QTest::mouseClick(d.btnCancelar, Qt::LeftButton); },
        [](TfrmTemas& d) { QTest::keyClick(DestinoTeclado(d), Qt::Key_Escape); },
    };
    for (const auto& sale : salidas) {
        TfrmTemas dialogo;
        Llena(dialogo, {true, true});
        EXPECT_EQ(EjecutaModal(dialogo, [&] { sale(dialogo); }), QDialog::Rejected);
    }
}

TEST(TopicsDialog, ShowsTheTextsOfItsLanguage) {
    const struct {
        uint16_t idioma;
        const char *titulo, *cancelar, *invertir, *todo, *temas;
    } casos[] = {
        {0, "Lista de temas", "&Cancelar", "&Invertir selección", "&Seleccionar todo",
         "Temas disponibles:"},
        {1, "Llista de temes", "&Cancel·lar", "&Invertir selecció", "&Seleccionar tot",
         "Temes disponibles:"},
        {2, "Lista de temas", "&Cancelar", "&Invertir selección", "&Seleccionar Todo",
         "Temas disponibles:"},
    };
    for (const auto& caso : casos) {
        SCOPED_TRACE(caso.idioma);
        TfrmTemas dialogo;
        dialogo.Idioma = static_cast<TIdioma>(caso.idioma);
        Llena(dialogo, {true});
        dialogo.show();
        EXPECT_EQ(dialogo.windowTitle(), QString::fromUtf8(caso.titulo));
        EXPECT_EQ(dialogo.btnAceptar->text(), "&Aceptar");
        EXPECT_EQ(dialogo.btnCancelar->text(), QString::fromUtf8(caso.cancelar));
        EXPECT_EQ(dialogo.btnInvertir->text(), QString::fromUtf8(caso.invertir));
        EXPECT_EQ(dialogo.btnTodo->text(), QString::fromUtf8(caso.todo));
        EXPECT_EQ(dialogo.lblTemas->text(), QString::fromUtf8(caso.temas));
        EXPECT_TRUE(dialogo.btnAceptar->isEnabled());
    }
}

TEST(TopicsDialog, OpensAtItsDesignedPlaceWithItsControls) {
    TfrmTemas dialogo;
    Llena(dialogo, {true, false});
    EXPECT_EQ(dialogo.pos(), QPoint(155, 93));
    EXPECT_EQ(dialogo.size(), QSize(575, 337));
    EXPECT_EQ(dialogo.minimumSize(), dialogo.maximumSize());
    EXPECT_EQ(dialogo.lblTemas->geometry(), QRect(16, 16, 385, 17));
    EXPECT_EQ(dialogo.chkLista->geometry(), QRect(16, 40, 401, 265));
    EXPECT_EQ(dialogo.btnAceptar->geometry(), QRect(450, 40, 110, 33));
    EXPECT_EQ(dialogo.btnCancelar->geometry(), QRect(450, 90, 110, 33));
    EXPECT_EQ(dialogo.btnTodo->geometry(), QRect(450, 140, 110, 33));
    EXPECT_EQ(dialogo.btnInvertir->geometry(), QRect(450, 190, 110, 33));
    EXPECT_TRUE(dialogo.btnAceptar->isDefault());
    EXPECT_EQ(dialogo.chkLista->item(1)->text(), "Tema 2");
    EXPECT_EQ(dialogo.chkLista->visualItemRect(dialogo.chkLista->item(0)).height(), 13);

    // Tab order: OK, Cancel, Select all, Invert, the list.
    EXPECT_EQ(dialogo.btnAceptar->nextInFocusChain(), dialogo.btnCancelar);
    EXPECT_EQ(dialogo.btnCancelar->nextInFocusChain(), dialogo.btnTodo);
    EXPECT_EQ(dialogo.btnTodo->nextInFocusChain(), dialogo.btnInvertir);
    EXPECT_EQ(dialogo.btnInvertir->nextInFocusChain(), dialogo.chkLista);
}
