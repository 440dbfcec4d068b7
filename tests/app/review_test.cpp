#include <QSettings>
#include <QToolBar>

#include "core/base/atomic_write.h"
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
    return v.Sesion.PreguntaMostrada;
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

    // Closed and opened again: both are due from the next session on.
    Abre(ruta);
    EXPECT_EQ(Linea(*ventana), "2 per repassar");
    ventana->menuCastellano->trigger();
    EXPECT_EQ(Linea(*ventana), "2 por repasar");
    ventana->menuValenciano->trigger();
    ventana->btnRepasar->click();
    EXPECT_EQ(ventana->Sesion.PreguntaMostrada, 2);
    EXPECT_TRUE(ventana->lblTema->text().startsWith("b "))
        << ventana->lblTema->text().toStdString();
    ventana->Huecos[1]->setText("hueco");
    ventana->btnCorregir->click();
    EXPECT_TRUE(Linea(*ventana).endsWith("1 per repassar")) << Linea(*ventana).toStdString();
    EXPECT_EQ(Contesta(*ventana, true), 3);
    EXPECT_TRUE(avisos.isEmpty());
    // Nothing left: the review says so and the ordered walk goes on.
    ventana->btnSiguiente->click();
    EXPECT_EQ(avisos, QStringList{"Ja no queden preguntes per repassar: es continua amb l'ordre "
                                  "d'abans."});
    EXPECT_FALSE(ventana->Sesion.Repaso);
    EXPECT_NE(ventana->Sesion.PreguntaMostrada, 0);
    EXPECT_TRUE(ventana->menuRepasar->isEnabled());
}

TEST_F(VentanaTest, CtrlReturnCorrectsThenGoesToTheNextQuestion) {
    Abre(EscribeSet("teclas.preg", {Legible("a"), Legible("b"), Legible("c")}));
    ventana->btnSiguiente->click();
    ASSERT_EQ(ventana->Sesion.PreguntaMostrada, 1);
    ASSERT_TRUE(ventana->Huecos[1]->hasFocus());
    QTest::keyClicks(ventana->Huecos[1], "hueco");
    QTest::keyClick(ventana->Huecos[1], Qt::Key_Return, Qt::ControlModifier);
    // As the menu command: the answers shown, the button left as it was.
    EXPECT_FALSE(ventana->Respuestas[1]->isHidden());
    EXPECT_FALSE(ventana->btnCorregir->isChecked());
    EXPECT_EQ(ventana->Sesion.Acertadas, 1);
    QTest::keyClick(ventana->Huecos[1], Qt::Key_Return, Qt::ControlModifier);
    EXPECT_EQ(ventana->Sesion.PreguntaMostrada, 2);
    EXPECT_FALSE(ventana->btnCorregir->isChecked());
    EXPECT_TRUE(ventana->Respuestas[1]->isHidden());
}

TEST_F(VentanaTest, CtrlReturnDoesNothingWithoutASet) {
    QTest::keyClick(ventana->btnSiguiente, Qt::Key_Return, Qt::ControlModifier);
    EXPECT_EQ(ventana->Sesion.PreguntaMostrada, 0);
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
