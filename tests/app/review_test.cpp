#include <QMenu>
#include <QSettings>
#include <QTableWidget>
#include <QToolBar>

#include "core/base/atomic_write.h"
#include "keys_card.h"
#include "letter_strip.h"
#include "main_window_fixture.h"
#include "score_line.h"
#include "text_zoom.h"

namespace {

QString Linea(const TfrmTildora& v) {
    return v.LineaPuntuacion->lblPuntuacion->text();
}

// Next, then the one gap of the question answered right or wrong and revealed.
uint16_t Contesta(TfrmTildora& v, bool bien) {
    v.btnSiguiente->click();
    v.Huecos[1]->setText(bien ? "hueco" : "mal");
    v.btnCorregir->click();
    return v.Sesion.PreguntaMostrada();
}

}  // namespace

TEST_F(VentanaTest, TheReviewBringsBackExactlyTheQuestionsAnsweredWrong) {
    const std::string ruta =
        EscribeSet("repaso.preg", {Legible("a"), Legible("b"), Legible("c"), Legible("d")});
    Abre(ruta);
    ventana->btnRepasar->click();
    EXPECT_EQ(avisos, QStringList{"No hi ha preguntes per repassar."});
    avisos.clear();
    EXPECT_EQ(Contesta(*ventana, true), 1);
    EXPECT_EQ(Contesta(*ventana, false), 2);
    EXPECT_EQ(Contesta(*ventana, false), 3);
    EXPECT_EQ(Contesta(*ventana, true), 4);

    // Closed and opened again: both are due, and the score line offers them, without a notice
    // and with the question area cleared.
    Abre(ruta);
    QPushButton* oferta = ventana->LineaPuntuacion->btnRepasar;
    EXPECT_TRUE(avisos.isEmpty());
    EXPECT_EQ(ventana->NumHuecos, 0);
    EXPECT_FALSE(oferta->isHidden());
    EXPECT_EQ(oferta->text(), "Repassar 2 ara");
    EXPECT_EQ(oferta->focusPolicy(), Qt::NoFocus);
    ventana->menuCastellano->trigger();
    EXPECT_EQ(oferta->text(), "Repasar 2 ahora");
    ventana->menuValenciano->trigger();
    oferta->click();
    EXPECT_EQ(ventana->Sesion.PreguntaMostrada(), 2);
    EXPECT_TRUE(oferta->isHidden());
    EXPECT_TRUE(Linea(*ventana).startsWith("Repàs 1 de 2")) << Linea(*ventana).toStdString();
    EXPECT_TRUE(ventana->lblTema->text().startsWith("b "))
        << ventana->lblTema->text().toStdString();
    EXPECT_FALSE(ventana->lblTema->text().contains("Repàs"));
    // Wrong again, then the other one: the round is over and says what waits, and when.
    ventana->Huecos[1]->setText("mal");
    ventana->btnCorregir->click();
    EXPECT_EQ(Contesta(*ventana, true), 3);
    EXPECT_TRUE(Linea(*ventana).startsWith("Repàs 2 de 2")) << Linea(*ventana).toStdString();
    EXPECT_TRUE(avisos.isEmpty());
    ventana->btnSiguiente->click();
    ASSERT_EQ(avisos.size(), 1);
    EXPECT_TRUE(
        avisos[0].startsWith("Repàs acabat. Encara en queden 1 per repassar: tornen "
                             "després de tres preguntes més i en la pròxima sessió."))
        << avisos[0].toStdString();
    EXPECT_TRUE(avisos[0].contains("Les encertades tornen a partir del "));
    EXPECT_TRUE(avisos[0].endsWith("Es continua amb l'ordre d'abans."));
    EXPECT_FALSE(ventana->Sesion.Repaso());
    EXPECT_FALSE(Linea(*ventana).startsWith("Repàs"));
    EXPECT_NE(ventana->Sesion.PreguntaMostrada(), 0);
    EXPECT_TRUE(ventana->menuRepasar->isEnabled());
}

TEST_F(VentanaTest, ACopiedAnswerLeavesTheQuestionDue) {
    Abre(EscribeSet("una.preg", {Legible("a")}));
    const QKeySequence paso(Qt::CTRL | Qt::Key_Return);
    Contesta(*ventana, false);
    // Ctrl+Return twice: the same question again, "hueco" just shown above the gap.
    QTest::keyClick(ventana->Huecos[1], Qt::Key_Return, Qt::ControlModifier);
    ASSERT_EQ(ventana->Sesion.PreguntaMostrada(), 1);
    ASSERT_TRUE(ventana->Huecos[1]->text().isEmpty());
    QTest::keyClicks(ventana->Huecos[1], "hueco");
    QTest::keyClick(ventana->Huecos[1], Qt::Key_Return, Qt::ControlModifier);
    EXPECT_EQ(ventana->Sesion.Contestadas(), 2);
    EXPECT_EQ(ventana->Sesion.Acertadas(), 1);
    EXPECT_EQ(ventana->Sesion.Progreso().Preguntas.at(1).Caja, 1);
    EXPECT_EQ(ventana->Sesion.CuentaPendientes(), 0);  // not before three others
    Abre(ventana->Sesion.NombreFichero().empty() ? Ruta("una.preg")
                                                 : ventana->Sesion.NombreFichero());
    EXPECT_EQ(ventana->Sesion.CuentaPendientes(), 1);
}

TEST_F(VentanaTest, CtrlReturnPressesCorrectThenNext) {
    Abre(EscribeSet("teclas.preg", {Legible("a"), Legible("b"), Legible("c")}));
    ventana->btnSiguiente->click();
    ASSERT_EQ(ventana->Sesion.PreguntaMostrada(), 1);
    // A window shortcut: no menu item shows one.
    for (QAction* item : {ventana->menuCorregir, ventana->menuSiguiente})
        EXPECT_TRUE(item->shortcut().isEmpty());
    ASSERT_TRUE(ventana->Huecos[1]->hasFocus());
    QTest::keyClicks(ventana->Huecos[1], "hueco");
    QTest::keyClick(ventana->Huecos[1], Qt::Key_Return, Qt::ControlModifier);
    // As a click on the button: down, "Ocultar", the answers shown.
    EXPECT_FALSE(ventana->Respuestas[1]->isHidden());
    EXPECT_TRUE(ventana->btnCorregir->isChecked());
    EXPECT_EQ(ventana->btnCorregir->text(), "Ocultar");
    EXPECT_EQ(ventana->Sesion.Acertadas(), 1);
    QTest::keyClick(ventana->Huecos[1], Qt::Key_Return, Qt::ControlModifier);
    EXPECT_EQ(ventana->Sesion.PreguntaMostrada(), 2);
    EXPECT_FALSE(ventana->btnCorregir->isChecked());
    EXPECT_EQ(ventana->btnCorregir->text(), "Corregir");
    // The menu item keeps its own path: the button stays up.
    ventana->menuCorregir->trigger();
    EXPECT_FALSE(ventana->Respuestas[1]->isHidden());
    EXPECT_FALSE(ventana->btnCorregir->isChecked());
    EXPECT_TRUE(ventana->menuCorregir->shortcut().isEmpty());
}

TEST_F(VentanaTest, ReturnWalksTheGapsAndCorrectsInTheLast) {
    Abre(EscribeSet("dos.preg", {Legible("a", "Dos @uno@ y @dos@ huecos")}));
    ventana->btnSiguiente->click();
    ASSERT_TRUE(ventana->Huecos[1]->hasFocus());
    QTest::keyClicks(ventana->Huecos[1], "uno");
    QTest::keyClick(ventana->Huecos[1], Qt::Key_Return);
    EXPECT_TRUE(ventana->Huecos[2]->hasFocus());
    EXPECT_TRUE(ventana->Respuestas[1]->isHidden());
    QTest::keyClicks(ventana->Huecos[2], "tres");
    QTest::keyClick(ventana->Huecos[2], Qt::Key_Return);
    EXPECT_TRUE(ventana->btnCorregir->isChecked());
    EXPECT_FALSE(ventana->Respuestas[2]->isHidden());
    // Corrected: Return leaves it so.
    QTest::keyClick(ventana->Huecos[2], Qt::Key_Return);
    EXPECT_TRUE(ventana->btnCorregir->isChecked());
    EXPECT_FALSE(ventana->Respuestas[2]->isHidden());
}

TEST_F(VentanaTest, TabIntoAPrefilledGapLeavesTheCaretAtItsEndAndF2AccentsItsLastVowel) {
    Muestra({1, 0, "a", W("Un @camión@ y @también@ otro")});
    QLineEdit* segundo = ventana->Huecos[2];
    ASSERT_EQ(ventana->NumHuecos, 2);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    ASSERT_EQ(QApplication::focusWidget(), segundo)
        << QApplication::focusWidget()->objectName().toStdString();
    EXPECT_EQ(segundo->text(), "tambien");
    EXPECT_FALSE(segundo->hasSelectedText());
    EXPECT_EQ(segundo->cursorPosition(), 7);
    QTest::keyClick(segundo, Qt::Key_F2);
    EXPECT_EQ(segundo->text(), "también");
    QTest::keyClick(segundo, Qt::Key_Backtab, Qt::ShiftModifier);
    ASSERT_TRUE(ventana->Huecos[1]->hasFocus());
    EXPECT_FALSE(ventana->Huecos[1]->hasSelectedText());
    QTest::keyClick(ventana->Huecos[1], Qt::Key_F2);
    EXPECT_EQ(ventana->Huecos[1]->text(), "camión");
}

TEST_F(VentanaTest, TheFocusedWrongGapShowsItsRed) {
    Abre(EscribeSet("rojo.preg", {Legible("a")}));
    ventana->btnSiguiente->click();
    QLineEdit* hueco = ventana->Huecos[1];
    QTest::keyClicks(hueco, "mal");
    hueco->selectAll();
    ventana->btnCorregir->click();
    EXPECT_TRUE(hueco->hasFocus());
    EXPECT_FALSE(hueco->hasSelectedText());
    EXPECT_EQ(hueco->palette().color(QPalette::Base), QColor(255, 0, 0));
}

TEST_F(VentanaTest, AGapThatMustStayEmptySaysSo) {
    Abre(EscribeSet("vacio.preg", {Legible("a", "Ya @@echaban de menos el @pan@")}));
    ventana->btnSiguiente->click();
    ventana->Huecos[1]->setText("h");
    ventana->btnCorregir->click();
    EXPECT_EQ(ventana->Huecos[1]->toolTip(), "Este buit ha de quedar sense res: esborra'l");
    EXPECT_TRUE(
        ventana->Huecos[1]->accessibleDescription().contains("Este buit ha de quedar sense res"));
    ventana->menuCastellano->trigger();
    EXPECT_EQ(ventana->Huecos[1]->toolTip(), "Este hueco debe quedar vacío: bórralo");
}

TEST_F(VentanaTest, TheKeysCardListsEveryKeyInTheInterfaceLanguage) {
    const auto mira = [this] {
        QStringList filas;
        QString titulo;
        AlAbrirseModal([&](QWidget* modal) {
            auto* tarjeta = qobject_cast<TfrmTeclas*>(modal);
            ASSERT_NE(tarjeta, nullptr);
            titulo = tarjeta->windowTitle();
            for (int fila = 0; fila < tarjeta->tblTeclas->rowCount(); ++fila)
                filas << tarjeta->tblTeclas->item(fila, 0)->text() + " = " +
                             tarjeta->tblTeclas->item(fila, 1)->text();
            QTest::keyClick(tarjeta, Qt::Key_Escape);
        });
        ventana->menuTeclas->trigger();
        return std::make_pair(titulo, filas);
    };
    const QList<QAction*> ayuda = ventana->menuAyuda->actions();
    EXPECT_EQ(ayuda.indexOf(ventana->menuTeclas), ayuda.indexOf(ventana->menuSobreProg) + 1);
    EXPECT_EQ(ventana->menuTeclas->text(), "&Tecles");
    auto [titulo, filas] = mira();
    EXPECT_EQ(titulo, "Tecles");
    for (const char* tecla : {"F2 = ", "Ctrl+Retorn = ", "Retorn = ", "Tab = ", "F3 = Escoltar",
                              "F4 = Escoltar", "Ctrl+F4 = Escoltar"})
        EXPECT_EQ(std::count_if(filas.begin(), filas.end(),
                                [tecla](const QString& fila) { return fila.startsWith(tecla); }),
                  1)
            << tecla;
    ventana->menuCastellano->trigger();
    EXPECT_EQ(ventana->menuTeclas->text(), "&Teclas");
    std::tie(titulo, filas) = mira();
    EXPECT_EQ(titulo, "Teclas");
    EXPECT_EQ(filas.filter("Ctrl+Retorno = Corregir").size(), 1);
}

TEST_F(VentanaTest, MixingTheReviewIsOffUntilAsked) {
    EXPECT_TRUE(ventana->menuBarrejar->isCheckable());
    EXPECT_FALSE(ventana->menuBarrejar->isChecked());
    EXPECT_FALSE(ventana->Sesion.BarrejaRepaso());
    EXPECT_EQ(ventana->menuBarrejar->text(), "&Barrejar el repàs");
    ventana->menuBarrejar->trigger();
    EXPECT_TRUE(ventana->Sesion.BarrejaRepaso());
    ventana = std::make_unique<TfrmTildora>();
    EXPECT_TRUE(ventana->menuBarrejar->isChecked());
    EXPECT_TRUE(ventana->Sesion.BarrejaRepaso());
    ventana->menuBarrejar->trigger();
}

TEST_F(VentanaTest, TheLetterStripAndTheTextSizeAreRememberedBetweenRuns) {
    EXPECT_TRUE(ventana->BarraLetras->isHidden());
    EXPECT_FALSE(ventana->menuLetras->isChecked());
    ventana->menuLetras->trigger();
    EXPECT_FALSE(ventana->BarraLetras->isHidden());
    ventana->ZoomTexto->Amplia();
    ventana->ZoomTexto->Amplia();

    ventana = std::make_unique<TfrmTildora>();
    ventana->show();
    EXPECT_TRUE(ventana->menuLetras->isChecked());
    EXPECT_FALSE(ventana->BarraLetras->isHidden());
    EXPECT_EQ(ventana->ZoomTexto->PorCiento(), 150);
    // Kept in the user's configuration folder, which the tests point at a temporary one.
    const QSettings preferencias(QSettings::IniFormat, QSettings::UserScope, "Tildora", "tildora");
    EXPECT_TRUE(preferencias.fileName().startsWith(qEnvironmentVariable("XDG_CONFIG_HOME")));

    ventana->menuLetras->trigger();
    ventana->ZoomTexto->Restablece();
    ventana = std::make_unique<TfrmTildora>();
    EXPECT_TRUE(ventana->BarraLetras->isHidden());
    EXPECT_EQ(ventana->ZoomTexto->PorCiento(), 100);
}

TEST_F(VentanaTest, WithNoSetOpenTheScoreLineTellsHowToOpenOne) {
    EXPECT_EQ(Linea(*ventana), "Per a començar, obriu un conjunt de preguntes amb Fitxer, Nou...");
    ventana->menuCastellano->trigger();
    EXPECT_EQ(Linea(*ventana), "Para empezar, abra un conjunto de preguntas con Fichero, Nuevo...");
    Abre(EscribeSet("uno.preg", {Legible("a")}));
    EXPECT_EQ(Linea(*ventana), "");
    EscribeFichero(Ruta("roto.preg"), "no");
    Abre(Ruta("roto.preg"));
    EXPECT_EQ(Linea(*ventana), "Para empezar, abra un conjunto de preguntas con Fichero, Nuevo...");
}
