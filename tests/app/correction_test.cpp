#include "main_window_fixture.h"

namespace {

const QColor kRojo(255, 0, 0);

QColor Fondo(const QLineEdit* hueco) {
    return hueco->palette().color(QPalette::Base);
}

QColor FondoNormal() {
    return QGuiApplication::palette().color(QPalette::Base);
}

}  // namespace

class CorreccionTest : public VentanaTest {
  protected:
    // An open set enables the Correct button; the questions are then laid out directly.
    void SetUp() override {
        VentanaTest::SetUp();
        Abre(EscribeSet("base.preg", {Legible("Base")}));
        ASSERT_TRUE(ventana->btnCorregir->isEnabled());
    }

    // A set of two questions with two gaps each, shown through Next.
    void AbreDosHuecos(const std::string& nombre) {
        const TPregunta pregunta = Legible("T", "Dos huecos, @uno@ y @dos@ en un texto normal");
        Abre(EscribeSet(nombre, {pregunta, pregunta}));
        Siguiente();
        ASSERT_EQ(ventana->NumHuecos, 2);
    }

    // The Correct button as the learner presses it: the toolkit toggles it first.
    void PulsaCorregir() { ventana->btnCorregir->click(); }
};

// The verdict's table runs on the session; here, what the window adds: the entry trimmed in
// its gap, the colour, and the entry's text as typed.
TEST_F(CorreccionTest, EntriesAreComparedFoldingCaseAfterTrimmingTheirEnd) {
    struct Caso {
        const char* respuesta;
        QString entrada;
        bool correcta;
        QString queda;  // the entry once the answers are shown
    };
    const std::vector<Caso> casos = {
        {"también", "tambien", false, "tambien"},
        {"también", "también\t ", true, "también"},
        {"también", " también", false, " también"},
        {"euro", "eurΩ", false, "eurΩ"},  // no Windows-1252 byte: wrong, no crash
        // A letter followed by a combining accent is the accented letter.
        {"también", QStringLiteral("tambie\u0301n"), true, QStringLiteral("tambie\u0301n")},
        {"también", QStringLiteral("TAMBIE\u0301N"), true, QStringLiteral("TAMBIE\u0301N")},
        {"tambien", QStringLiteral("tambie\u0301n"), false, QStringLiteral("tambie\u0301n")},
    };
    for (const Caso& caso : casos) {
        SCOPED_TRACE(std::string(caso.respuesta) + " / " + caso.entrada.toStdString());
        Muestra({0, 12, "T", "Palabra @" + W(caso.respuesta) + "@ final"});
        ASSERT_EQ(ventana->NumHuecos, 1);
        ventana->Huecos[1]->setText(caso.entrada);
        PulsaCorregir();
        EXPECT_FALSE(ventana->Respuestas[1]->isHidden());
        EXPECT_EQ(Fondo(ventana->Huecos[1]), caso.correcta ? FondoNormal() : kRojo);
        EXPECT_EQ(ventana->Huecos[1]->text(), caso.queda);
        PulsaCorregir();
    }
}

TEST_F(CorreccionTest, APrefilledAccentGapIsWrongOnlyWhenAnAccentWasStripped) {
    Muestra({1, 0, "Acentos", W("El @camión@ y la @casa@")});
    ASSERT_EQ(ventana->Huecos[1]->text(), "camion");
    ASSERT_EQ(ventana->Huecos[2]->text(), "casa");
    PulsaCorregir();
    EXPECT_EQ(Fondo(ventana->Huecos[1]), kRojo);
    EXPECT_EQ(Fondo(ventana->Huecos[2]), FondoNormal());
}

TEST_F(CorreccionTest, SecondRunHidesEveryAnswerAndKeepsTheTrimmedText) {
    Muestra({0, 10, "T", W("Uno @sí@ y @no@\r@otro@ más")});
    TfrmTildora& v = *ventana;
    v.Huecos[1]->setText("si  ");
    v.Huecos[2]->setText("no ");
    v.Huecos[3]->setText("");
    PulsaCorregir();
    EXPECT_TRUE(v.btnCorregir->isChecked());
    EXPECT_EQ(v.btnCorregir->text(), "Ocultar");
    EXPECT_EQ(v.btnCorregir->toolTip(), "Ocultar correció");
    for (int i = 1; i <= 3; ++i)
        EXPECT_FALSE(v.Respuestas[i]->isHidden());
    EXPECT_EQ(v.Respuestas[1]->text(), "sí");
    EXPECT_EQ(v.Respuestas[1]->pos(), v.Huecos[1]->pos() - QPoint(0, 14));
    EXPECT_EQ(Fondo(v.Huecos[1]), kRojo);
    EXPECT_EQ(Fondo(v.Huecos[2]), FondoNormal());
    EXPECT_EQ(Fondo(v.Huecos[3]), kRojo);

    PulsaCorregir();
    EXPECT_FALSE(v.btnCorregir->isChecked());
    EXPECT_EQ(v.btnCorregir->text(), "Corregir");
    EXPECT_EQ(v.btnCorregir->toolTip(), "Corregir el texte");
    for (int i = 1; i <= 3; ++i) {
        EXPECT_TRUE(v.Respuestas[i]->isHidden());
        EXPECT_EQ(Fondo(v.Huecos[i]), FondoNormal());
    }
    EXPECT_EQ(v.Huecos[1]->text(), "si");
    EXPECT_EQ(v.Huecos[2]->text(), "no");
}

TEST_F(CorreccionTest, CorrectWithNoQuestionPutsTheButtonUpAndNothingElse) {
    Abre(EscribeSet("vacio.preg", {Legible("T")}));
    TfrmTildora& v = *ventana;
    v.btnCorregir->click();
    EXPECT_FALSE(v.btnCorregir->isChecked());
    EXPECT_EQ(v.btnCorregir->text(), "Corregir");
    v.menuCorregir->trigger();
    EXPECT_FALSE(v.btnCorregir->isChecked());
    EXPECT_EQ(v.Sesion.Contestadas(), 0);
    for (int i = 1; i <= kTamanoPool; ++i)
        ASSERT_TRUE(v.Respuestas[i]->isHidden());
}

TEST_F(CorreccionTest, TheMenuCommandDoesNotMoveTheButton) {
    Muestra({0, 5, "T", "Un @hueco@ solo"});
    TfrmTildora& v = *ventana;
    v.Huecos[1]->setText("mal");
    v.menuCorregirClick();
    EXPECT_FALSE(v.Respuestas[1]->isHidden());
    EXPECT_EQ(Fondo(v.Huecos[1]), kRojo);
    EXPECT_FALSE(v.btnCorregir->isChecked());
    EXPECT_EQ(v.btnCorregir->text(), "Corregir");

    PulsaCorregir();
    EXPECT_TRUE(v.btnCorregir->isChecked());
    EXPECT_TRUE(v.Respuestas[1]->isHidden());
    EXPECT_EQ(Fondo(v.Huecos[1]), FondoNormal());
    EXPECT_EQ(v.btnCorregir->text(), "Ocultar");
}

TEST_F(CorreccionTest, LanguageSwitchWhileDownKeepsOcultarWithTheNewHint) {
    AbreDosHuecos("idioma.preg");
    TfrmTildora& v = *ventana;
    v.Huecos[1]->setText("uno");
    PulsaCorregir();
    v.menuCastellano->trigger();
    EXPECT_EQ(v.btnCorregir->text(), "Ocultar");
    EXPECT_EQ(v.btnCorregir->toolTip(), "Ocultar correción");
    EXPECT_EQ(v.Huecos[1]->text(), "uno");
    EXPECT_FALSE(v.Respuestas[1]->isHidden());
    EXPECT_EQ(v.lblTema->text(), "T (Pregunta nº 1)");
    v.menuValenciano->trigger();
    EXPECT_EQ(v.btnCorregir->toolTip(), "Ocultar correció");
    PulsaCorregir();
    v.menuCastellano->trigger();
    EXPECT_EQ(v.btnCorregir->text(), "Corregir");
    EXPECT_EQ(v.btnCorregir->toolTip(), "Corregir el texto");
}

TEST_F(CorreccionTest, OnlyTheFirstRevealOfAQuestionCounts) {
    AbreDosHuecos("cuenta.preg");
    TfrmTildora& v = *ventana;
    v.Huecos[1]->setText("uno");
    v.Huecos[2]->setText("mal");
    PulsaCorregir();
    EXPECT_EQ(v.Sesion.Contestadas(), 2);
    EXPECT_EQ(v.Sesion.Acertadas(), 1);
    v.Huecos[2]->setText("dos");
    PulsaCorregir();
    PulsaCorregir();
    v.menuCorregir->trigger();
    EXPECT_EQ(v.Sesion.Contestadas(), 2);
    EXPECT_EQ(v.Sesion.Acertadas(), 1);
    Siguiente();
    v.Huecos[1]->setText("uno");
    v.Huecos[2]->setText("dos");
    v.menuCorregir->trigger();
    EXPECT_EQ(v.Sesion.Contestadas(), 4);
    EXPECT_EQ(v.Sesion.Acertadas(), 3);
}

TEST_F(CorreccionTest, ClosingTheSetAppendsTheScoreOnlyWhenSomethingWasAnswered) {
    TfrmTildora& v = *ventana;
    {
        SCOPED_TRACE("no answers");
        AbreDosHuecos("historia.preg");
        AbreDosHuecos("historia.preg");
        EXPECT_EQ(Historia("historia.his"), "");
    }
    {
        SCOPED_TRACE("every answer right, then reopened");
        v.Huecos[1]->setText("uno");
        v.Huecos[2]->setText("DOS");
        PulsaCorregir();
        AbreDosHuecos("historia.preg");
        EXPECT_EQ(Historia("historia.his"), "\xFE");
        EXPECT_EQ(v.Sesion.Contestadas(), 0);
        EXPECT_EQ(v.Sesion.Acertadas(), 0);
    }
    {
        SCOPED_TRACE("half right, then the program closes");
        v.Huecos[1]->setText("uno");
        PulsaCorregir();
        v.btnTerminar->click();
        EXPECT_FALSE(v.isVisible());
        EXPECT_FALSE(v.Sesion.FicherosAbiertos());
        EXPECT_EQ(Historia("historia.his"), "\xFE\x7F");
    }
}

TEST_F(CorreccionTest, TheCloseBoxAlsoAppendsTheScore) {
    AbreDosHuecos("cierre.preg");
    ventana->Huecos[1]->setText("mal");
    ventana->menuCorregir->trigger();
    ventana->close();
    EXPECT_EQ(Historia("cierre.his"), std::string(1, '\0'));
}
