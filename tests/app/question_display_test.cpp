#include <QScrollArea>
#include <QScrollBar>

#include "main_window_fixture.h"

namespace {

int Ancho(const TfrmTildora& v, const QString& texto) {
    return v.Texto1->fontMetrics().horizontalAdvance(texto);
}

QColor Fondo(const QLineEdit* hueco) {
    return hueco->palette().color(QPalette::Base);
}

QColor FondoNormal() {
    return QGuiApplication::palette().color(QPalette::Base);
}

}  // namespace

TEST_F(VentanaTest, PluralesExampleReachesThePooledControls) {
    Muestra({0, 4, "Plurales", "La casa@s@ es"}, 3);
    TfrmTildora& v = *ventana;
    EXPECT_EQ(v.lblTema->text(), "Plurales (Pregunta nº 3)");

    const int x2 = 32 + Ancho(v, "La ");
    const int xHueco = x2 + Ancho(v, "casa");
    struct Etiqueta {
        int indice;
        QString texto;
        int x;
    };
    for (const Etiqueta& e :
         {Etiqueta{1, "La ", 32}, Etiqueta{2, "casa", x2}, Etiqueta{3, " ", xHueco + 32},
          Etiqueta{4, "es ", xHueco + 32 + Ancho(v, " ")}}) {
        SCOPED_TRACE(e.indice);
        QLabel* texto = v.Textos[e.indice];
        EXPECT_EQ(texto->text(), e.texto);
        EXPECT_EQ(texto->geometry(), QRect(e.x, 61, Ancho(v, e.texto), 14));
        EXPECT_TRUE(texto->isVisible());
    }
    EXPECT_TRUE(v.Textos[5]->isHidden());

    QLineEdit* hueco = v.Huecos[1];
    EXPECT_TRUE(hueco->isVisible());
    EXPECT_EQ(hueco->geometry(), QRect(xHueco, 61, 32, 14));
    EXPECT_EQ(hueco->maxLength(), 4);
    EXPECT_EQ(hueco->text(), "");
    EXPECT_EQ(Fondo(hueco), FondoNormal());
    QLabel* respuesta = v.Respuestas[1];
    EXPECT_TRUE(respuesta->isHidden());
    EXPECT_EQ(respuesta->text(), "s");
    EXPECT_EQ(respuesta->pos(), QPoint(xHueco, 47));
    EXPECT_EQ(respuesta->height(), 14);
    EXPECT_TRUE(v.Huecos[2]->isHidden());
    EXPECT_EQ(v.NumHuecos, 1);
    EXPECT_EQ(v.focusWidget(), hueco);
}

TEST_F(VentanaTest, GapsTakeTheirLengthWidthAndPrefillFromThePlan) {
    struct Caso {
        std::string texto;
        uint8_t anchoMinimo;
        uint8_t modo;
        int longitud;
        int ancho;
        QString relleno;
        QString respuesta;
    };
    const std::vector<Caso> casos = {
        {"@casas@", 4, 0, 5, 40, "", "casas"},
        {"@@", 4, 0, 4, 32, "", ""},
        {"@@", 0, 0, 32767, 0, "", ""},  // no length limit
        {W("@camión@"), 0, 1, 6, 48, "camion", "camión"},
        {W("@camión@"), 0, 2, 6, 48, "", "camión"},
        {"@de la@", 3, 0, 5, 40, "", "de la"},
    };
    for (const Caso& caso : casos) {
        SCOPED_TRACE(caso.texto + " " + std::to_string(caso.modo));
        Muestra({caso.modo, caso.anchoMinimo, "T", caso.texto});
        QLineEdit* hueco = ventana->Huecos[1];
        EXPECT_EQ(ventana->NumHuecos, 1);
        EXPECT_FALSE(hueco->isHidden());
        EXPECT_EQ(hueco->geometry(), QRect(32, 61, caso.ancho, 14));
        EXPECT_EQ(hueco->maxLength(), caso.longitud);
        EXPECT_EQ(hueco->text(), caso.relleno);
        EXPECT_EQ(ventana->Respuestas[1]->text(), caso.respuesta);
    }
}

TEST_F(VentanaTest, LinesWrapAndParagraphsStartAgain) {
    TfrmTildora& v = *ventana;
    {
        SCOPED_TRACE("a text that begins with a carriage return");
        Muestra({0, 0, "T", "\rUno"});
        EXPECT_TRUE(v.Textos[1]->isHidden());
        EXPECT_EQ(v.Textos[2]->text(), "Uno ");
        EXPECT_EQ(v.Textos[2]->pos(), QPoint(32, 96));
    }
    {
        SCOPED_TRACE("two carriage returns leave an empty line");
        Muestra({0, 0, "T", "Uno\r\rDos"});
        EXPECT_EQ(v.Textos[1]->text(), "Uno");
        EXPECT_EQ(v.Textos[1]->pos(), QPoint(32, 61));
        EXPECT_EQ(v.Textos[3]->text(), "Dos ");
        EXPECT_EQ(v.Textos[3]->pos(), QPoint(32, 131));
    }
    {
        SCOPED_TRACE("a word that no longer fits starts a line at 2P");
        std::string texto;
        for (int i = 0; i < 30; ++i)
            texto += "palabra ";
        Muestra({0, 0, "T", texto});
        EXPECT_EQ(v.Textos[1]->pos(), QPoint(32, 61));
        EXPECT_EQ(v.Textos[2]->pos(), QPoint(16, 96));
        EXPECT_TRUE(v.Textos[2]->text().startsWith("palabra "));
        EXPECT_LE(v.Textos[1]->geometry().right(), 750 - 16);
        QString todo;
        for (int i = 1; i <= kTamanoPool; ++i)
            todo += v.Textos[i]->text();
        EXPECT_EQ(todo.count("palabra"), 30);
    }
    {
        SCOPED_TRACE("an empty text shows the heading alone");
        Muestra({0, 0, "Solo", ""}, 7);
        EXPECT_EQ(v.lblTema->text(), "Solo (Pregunta nº 7)");
        for (int i = 1; i <= kTamanoPool; ++i)
            ASSERT_TRUE(v.Textos[i]->isHidden());
        EXPECT_EQ(v.NumHuecos, 0);
    }
}

TEST_F(VentanaTest, TextsAreShownFromWindows1252Exactly) {
    Muestra({0, 0, W("Acentuación"), W("“Año” vale 5 €… y Œ")}, 12);
    EXPECT_EQ(ventana->lblTema->text(), "Acentuación (Pregunta nº 12)");
    EXPECT_EQ(ventana->Textos[1]->text(), "“Año” vale 5 €… y Œ ");
}

TEST_F(VentanaTest, ASecondQuestionLeavesNothingOfTheFirst) {
    TfrmTildora& v = *ventana;
    Muestra({1, 6, "Primera", W("Hay @tres@ huecos @aquí@\ren dos @líneas@ de texto")});
    ASSERT_EQ(v.NumHuecos, 3);
    v.Huecos[2]->setText("mal");
    v.menuCorregirClick();
    ASSERT_FALSE(v.Respuestas[1]->isHidden());
    ASSERT_EQ(Fondo(v.Huecos[2]), QColor(255, 0, 0));

    Muestra({0, 0, "Segunda", "Solo texto"}, 2);
    EXPECT_EQ(v.lblTema->text(), "Segunda (Pregunta nº 2)");
    EXPECT_EQ(v.Textos[1]->text(), "Solo texto ");
    EXPECT_TRUE(v.Textos[1]->isVisible());
    for (int i = 1; i <= kTamanoPool; ++i) {
        if (i > 1) {
            ASSERT_TRUE(v.Textos[i]->isHidden());
            ASSERT_EQ(v.Textos[i]->text(), "");
        }
        ASSERT_TRUE(v.Huecos[i]->isHidden());
        ASSERT_EQ(v.Huecos[i]->text(), "");
        ASSERT_EQ(Fondo(v.Huecos[i]), FondoNormal());
        ASSERT_TRUE(v.Respuestas[i]->isHidden());
        ASSERT_EQ(v.Respuestas[i]->text(), "");
    }
    EXPECT_EQ(v.NumHuecos, 0);
}

TEST_F(VentanaTest, TheSameQuestionAgainStartsAfresh) {
    // The pool only touches what differs from the question before; an entry always differs.
    TfrmTildora& v = *ventana;
    const TPregunta pregunta{1, 0, "Acentos", W("El cami@ó@n y la @canción@")};
    Muestra(pregunta);
    v.Huecos[1]->setText("x");
    // Typed and put back as it was: the gap's own undo would bring the entry back.
    QTest::keyClick(v.Huecos[2], Qt::Key_Backspace);
    QTest::keyClicks(v.Huecos[2], "n");
    ASSERT_EQ(v.Huecos[2]->text(), "cancion");
    ASSERT_TRUE(v.Huecos[2]->isUndoAvailable());
    v.menuCorregirClick();
    Muestra(pregunta, 2);
    EXPECT_EQ(v.Huecos[1]->text(), "o");
    EXPECT_FALSE(v.Huecos[2]->isUndoAvailable());
    for (int g = 1; g <= 2; ++g) {
        EXPECT_EQ(Fondo(v.Huecos[g]), FondoNormal());
        EXPECT_TRUE(v.Respuestas[g]->isHidden());
    }
}

TEST_F(VentanaTest, AQuestionWithoutGapsGivesTheFocusToNextWhichTheKeysPress) {
    const TPregunta sinHuecos = Legible("T", "Un texto sin ningun hueco dentro");
    Abre(EscribeSet("sin_huecos.preg", {sinHuecos, sinHuecos, sinHuecos, sinHuecos}));
    Siguiente();
    EXPECT_EQ(ventana->NumHuecos, 0);
    EXPECT_EQ(ventana->focusWidget(), ventana->btnSiguiente);
    for (const Qt::Key tecla : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Space}) {
        SCOPED_TRACE(tecla);
        const uint16_t antes = ventana->Sesion.PreguntaActual();
        QTest::keyClick(QApplication::focusWidget(), tecla);
        EXPECT_EQ(ventana->Sesion.PreguntaActual(), antes % 4 + 1);
        EXPECT_EQ(ventana->focusWidget(), ventana->btnSiguiente);
    }
}

TEST_F(VentanaTest, TabWalksTheVisibleGapsFromFirstToLast) {
    Abre(EscribeSet("tabulador.preg",
                    {Legible("T", "Uno @a@ dos @b@ tres\r y @c@ cuatro con mucho texto normal")}));
    Siguiente();
    TfrmTildora& v = *ventana;
    ASSERT_EQ(v.NumHuecos, 3);
    ASSERT_EQ(QApplication::focusWidget(), v.Huecos[1]);
    const std::vector<QWidget*> esperado = {v.Huecos[2], v.Huecos[3], v.btnSiguiente, v.Huecos[1]};
    for (QWidget* siguiente : esperado) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        EXPECT_EQ(QApplication::focusWidget(), siguiente);
    }
    // Typing stops at the gap's maximum length.
    QTest::keyClicks(v.Huecos[1], "abcdefghijklmnop");
    EXPECT_EQ(v.Huecos[1]->text(), "abcdefghij");
}

TEST_F(VentanaTest, LinesBelowTheWindowAreReachedByScrolling) {
    std::string texto;
    for (int i = 0; i < 40; ++i)
        texto += "Linea " + std::to_string(i) + " con un @hueco@\r";
    Abre(EscribeSet("largo.preg", {Legible("Largo", texto)}));
    Siguiente();
    TfrmTildora& v = *ventana;
    ASSERT_EQ(v.NumHuecos, 40);
    QCoreApplication::processEvents();
    QScrollBar* barra = v.AreaCliente->verticalScrollBar();
    EXPECT_GT(barra->maximum(), 0);
    EXPECT_EQ(v.Cliente->height(), v.Huecos[40]->geometry().bottom() + 1);
    EXPECT_EQ(barra->value(), 0);

    // Walking the gaps brings the focused one into view.
    for (int i = 1; i < 40; ++i)
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    ASSERT_EQ(QApplication::focusWidget(), v.Huecos[40]);
    QCoreApplication::processEvents();
    EXPECT_GT(barra->value(), 0);
    const QRect visible(QPoint(0, barra->value()), v.AreaCliente->viewport()->size());
    EXPECT_TRUE(visible.contains(v.Huecos[40]->geometry()));

    // The layout does not reflow on resize.
    const QPoint antes = v.Textos[1]->pos();
    v.resize(700, 500);
    EXPECT_EQ(v.Textos[1]->pos(), antes);

    Abre("");
    QCoreApplication::processEvents();
    EXPECT_EQ(barra->maximum(), 0);
}

TEST_F(VentanaTest, NextShowsTheTopOfTheNewQuestion) {
    std::string sinHuecos, conHuecos;
    for (int i = 0; i < 40; ++i) {
        sinHuecos += "Linea " + std::to_string(i) + " sin hueco\r";
        conHuecos += "Linea " + std::to_string(i) + " con un @hueco@\r";
    }
    Abre(EscribeSet("dos_largas.preg", {Legible("Largo", sinHuecos), Legible("Largo", conHuecos)}));
    Siguiente();
    TfrmTildora& v = *ventana;
    ASSERT_EQ(QApplication::focusWidget(), v.btnSiguiente);
    QCoreApplication::processEvents();
    // The learner scrolls down to read the end and presses Next, which keeps the focus.
    QScrollBar* barra = v.AreaCliente->verticalScrollBar();
    barra->setValue(barra->maximum());
    ASSERT_GT(barra->value(), 0);

    QTest::keyClick(v.btnSiguiente, Qt::Key_Space);
    ASSERT_EQ(v.NumHuecos, 40);
    QCoreApplication::processEvents();
    EXPECT_EQ(barra->value(), 0);
    const int alto = v.AreaCliente->viewport()->height();
    for (const QWidget* control : std::initializer_list<const QWidget*>{v.lblTema, v.Huecos[1]})
        EXPECT_LE(control->geometry().bottom(), alto) << control->objectName().toStdString();
    EXPECT_EQ(QApplication::focusWidget(), v.Huecos[1]);
}

TEST_F(VentanaTest, PoolLimitsDropTheExcess) {
    std::string texto;
    for (int i = 0; i < 201; ++i)
        texto += "@a@ ";
    Muestra({0, 0, "T", texto});
    EXPECT_EQ(ventana->NumHuecos, 200);
    EXPECT_FALSE(ventana->Huecos[200]->isHidden());
}
