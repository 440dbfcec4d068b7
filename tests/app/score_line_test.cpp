#include "score_line.h"
#include "gap_hints.h"
#include "main_window_fixture.h"

namespace {

QColor Fondo(const QLineEdit* hueco) {
    return hueco->palette().color(QPalette::Base);
}

QString Linea(const TfrmTildora& v) {
    return v.LineaPuntuacion->lblPuntuacion->text();
}

}  // namespace

TEST_F(VentanaTest, ScoreLineShowsTheLatestRevealAndTheSessionInTheLanguage) {
    const TPregunta pregunta = Legible("T", "Tres huecos: @uno@, @dos@ y @tres@ en un texto");
    Abre(EscribeSet("puntos.preg", {pregunta, pregunta}));
    TfrmTildora& v = *ventana;
    EXPECT_EQ(v.statusBar(), v.LineaPuntuacion);
    EXPECT_EQ(v.size(), QSize(750, 550));
    EXPECT_EQ(Linea(v), "");
    Siguiente();
    EXPECT_EQ(Linea(v), "");

    v.Huecos[1]->setText("uno");
    v.Huecos[2]->setText("mal");
    v.btnCorregir->click();
    EXPECT_EQ(Linea(v), "Aquesta pregunta: 1 encert de 3 · Sessió: 1 de 3 (33 %)");
    v.btnCorregir->click();
    EXPECT_EQ(Linea(v), "Aquesta pregunta: 1 encert de 3 · Sessió: 1 de 3 (33 %)");

    // A second reveal tells the entries as they are now; the tallies counted the first.
    v.Huecos[2]->setText("dos");
    v.btnCorregir->click();
    EXPECT_EQ(Linea(v), "Aquesta pregunta: 2 encerts de 3 · Sessió: 1 de 3 (33 %)");
    v.menuCastellano->trigger();
    EXPECT_EQ(Linea(v), "Esta pregunta: 2 aciertos de 3 · Sesión: 1 de 3 (33 %)");

    Siguiente();
    EXPECT_EQ(Linea(v), "Sesión: 1 de 3 (33 %)");
    for (int i = 1; i <= 3; ++i)
        v.Huecos[i]->setText(QStringList{"uno", "dos", "TRES"}[i - 1]);
    v.menuCorregir->trigger();
    EXPECT_EQ(Linea(v), "Esta pregunta: 3 aciertos de 3 · Sesión: 4 de 6 (67 %)");
    v.menuValenciano->trigger();
    EXPECT_EQ(Linea(v), "Aquesta pregunta: 3 encerts de 3 · Sessió: 4 de 6 (67 %)");

    Abre("");  // cancelled: the question goes, the session stays
    EXPECT_EQ(Linea(v), "Sessió: 4 de 6 (67 %)");
    // Reopened, the question answered wrong is due for review.
    Abre(Ruta("puntos.preg"));
    EXPECT_EQ(Linea(v), "");
    EXPECT_EQ(v.LineaPuntuacion->btnRepasar->text(), "Repassar 1 ara");
    EXPECT_FALSE(v.LineaPuntuacion->btnRepasar->isHidden());
    EXPECT_EQ(v.size(), QSize(750, 550));
}

TEST_F(VentanaTest, ScoreLineWordsTheExamplesInBothLanguages) {
    TLineaPuntuacion linea;
    linea.CambiaIdioma(TIdioma::Castellano);
    linea.PonResultado(3, 5, 12, 15, 80);
    EXPECT_EQ(linea.lblPuntuacion->text(),
              "Esta pregunta: 3 aciertos de 5 · Sesión: 12 de 15 (80 %)");
    linea.CambiaIdioma(TIdioma::Valenciano);
    EXPECT_EQ(linea.lblPuntuacion->text(),
              "Aquesta pregunta: 3 encerts de 5 · Sessió: 12 de 15 (80 %)");
    linea.PonResultado(0, 1, 2, 3, 67);
    EXPECT_EQ(linea.lblPuntuacion->text(),
              "Aquesta pregunta: 0 encerts de 1 · Sessió: 2 de 3 (67 %)");
    linea.Limpia();
    EXPECT_EQ(linea.lblPuntuacion->text(), "");
}

TEST_F(VentanaTest, ARedGapTellsWhyAsToolTipAndDescription) {
    struct Caso {
        const char* respuesta;
        QString entrada;
        QString porQue;  // empty: right
    };
    const std::vector<Caso> casos = {
        {"también", "tambien", "Revisa los acentos"},
        {"camión", "CAMION", "Revisa los acentos"},
        {"más", "màs", "Revisa los acentos"},
        {"también", "", "Hueco sin rellenar"},
        {"también", "   ", "Hueco sin rellenar"},  // blanks are trimmed away first
        {"también", "tanbién", "Revisa las letras"},
        {"también", " también", "Revisa las letras"},
        {"niño", "nino", "Revisa las letras"},
        {"plaça", "placa", "Revisa las letras"},
        {"plaça", "PLAÇA", "Revisa las letras"},  // red as ever: ç has no upper case here
        {"euro", "eurΩ", "Revisa las letras"},
        {"niño", "NIÑO", ""},
        {"también", "TAMBIÉN", ""},
        {"", "", ""},
    };
    TfrmTildora& v = *ventana;
    v.menuCastellano->trigger();
    for (const Caso& caso : casos) {
        SCOPED_TRACE(std::string(caso.respuesta) + " / " + caso.entrada.toStdString());
        Muestra({0, 12, "T", "Palabra @" + W(caso.respuesta) + "@ final"});
        QLineEdit* hueco = v.Huecos[1];
        hueco->setText(caso.entrada);
        v.menuCorregirClick();
        EXPECT_EQ(Fondo(hueco) == QColor(255, 0, 0), !caso.porQue.isEmpty());
        EXPECT_EQ(hueco->toolTip(), caso.porQue);
        QStringList descripcion;
        for (const QString& parte : {v.Respuestas[1]->text(), caso.porQue})
            if (!parte.isEmpty())
                descripcion << parte;
        EXPECT_EQ(hueco->accessibleDescription(), descripcion.join(". "));

        v.menuCorregirClick();
        EXPECT_EQ(hueco->toolTip(), "");
        EXPECT_EQ(hueco->accessibleDescription(), "");
    }

    // The reason follows the language while the answers are shown.
    Muestra({0, 0, "T", W("Uno @sí@, dos @no@ y @tres@")});
    v.Huecos[1]->setText("si");
    v.Huecos[3]->setText("tras");
    v.menuCorregirClick();
    v.menuValenciano->trigger();
    EXPECT_EQ(v.Huecos[1]->toolTip(), "Revisa els accents");
    EXPECT_EQ(v.Huecos[2]->toolTip(), "Buit sense omplir");
    EXPECT_EQ(v.Huecos[3]->toolTip(), "Revisa les lletres");
    EXPECT_EQ(v.Huecos[1]->accessibleDescription(), "sí. Revisa els accents");

    // Entries typed after the reveal change nothing until the next one.
    v.Huecos[1]->setText("sí");
    EXPECT_EQ(v.Huecos[1]->toolTip(), "Revisa els accents");
    Muestra({0, 0, "T", "Otra @cosa@"});
    EXPECT_EQ(v.Huecos[1]->toolTip(), "");
    EXPECT_EQ(v.Huecos[1]->accessibleDescription(), "");
}

TEST_F(VentanaTest, EveryShownGapIsNamedByItsPlace) {
    Abre(EscribeSet("nombres.preg",
                    {Legible("T", "Uno @a@ dos @b@ tres\r y @c@ con texto normal")}));
    Siguiente();
    TfrmTildora& v = *ventana;
    ASSERT_EQ(v.NumHuecos, 3);
    for (int i = 1; i <= 3; ++i) {
        ASSERT_EQ(QApplication::focusWidget(), v.Huecos[i]);
        EXPECT_EQ(v.Huecos[i]->accessibleName(), QString("Buit %1 de 3").arg(i));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    v.menuCastellano->trigger();
    EXPECT_EQ(v.Huecos[2]->accessibleName(), "Hueco 2 de 3");
    Muestra({0, 0, "T", "Solo @uno@"});
    EXPECT_EQ(v.Huecos[1]->accessibleName(), "Hueco 1 de 1");
}

// The line shows the per cent the history keeps, as the history window does: 1 of 8 is 12 %.
TEST_F(VentanaTest, ScoreLinePerCentIsTheOneTheHistoryStores) {
    Abre(EscribeSet("ocho.preg", {Legible("T",
                                          "Una pregunta larga y normal, con ocho huecos en "
                                          "un texto sencillo: @a@ @b@ @c@ @d@ @e@ @f@ @g@ "
                                          "@h@ para que se lea bien")}));
    Siguiente();
    ventana->Huecos[1]->setText("a");
    ventana->btnCorregir->click();
    EXPECT_EQ(Linea(*ventana), "Aquesta pregunta: 1 encert de 8 · Sessió: 1 de 8 (12 %)");
}
