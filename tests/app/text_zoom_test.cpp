#include <QScrollArea>
#include <QScrollBar>
#include <QWheelEvent>

#include "main_window_fixture.h"
#include "text_zoom.h"

namespace {

QColor Fondo(const QLineEdit* hueco) {
    return hueco->palette().color(QPalette::Base);
}

// Where every control of the question stands, shown or not, with its font size.
struct TFoto {
    std::vector<QRect> lugares;
    std::vector<bool> visibles;
    std::vector<int> puntos;

    bool operator==(const TFoto&) const = default;
};

TFoto Fotografia(const TfrmTildora& v) {
    TFoto foto;
    for (int i = 1; i <= kTamanoPool; ++i)
        for (QWidget* control :
             std::initializer_list<QWidget*>{v.Textos[i], v.Huecos[i], v.Respuestas[i]}) {
            foto.lugares.push_back(control->geometry());
            foto.visibles.push_back(!control->isHidden());
            foto.puntos.push_back(control->font().pointSize());
        }
    foto.lugares.push_back(v.lblTema->geometry());
    foto.puntos.push_back(v.lblTema->font().pointSize());
    return foto;
}

void Teclas(TfrmTildora& v, Qt::Key tecla, int veces = 1) {
    for (int i = 0; i < veces; ++i)
        QTest::keyClick(&v, tecla, Qt::ControlModifier);
}

void Rueda(QWidget* sobre, int giro, Qt::KeyboardModifiers teclas) {
    const QPointF punto(20, 20);
    QWheelEvent evento(punto, sobre->mapToGlobal(punto), QPoint(), QPoint(0, giro), Qt::NoButton,
                       teclas, Qt::NoScrollPhase, false);
    QApplication::sendEvent(sobre, &evento);
}

}  // namespace

TEST_F(VentanaTest, ZoomLaysTheQuestionOutAgainKeepingWhatTheLearnerDid) {
    TfrmTildora& v = *ventana;
    Abre(
        EscribeSet("zoom.preg",
                   {Legible("Zoom", W("Un @camión@ pasa por la @plaza@ y\rel @río@ de siempre"))}));
    Siguiente();
    ASSERT_EQ(v.NumHuecos, 3);
    v.Huecos[1]->setText("camion");
    v.Huecos[2]->setText("plaza");
    v.btnCorregir->click();
    v.Huecos[3]->setFocus();
    QTest::keyClicks(v.Huecos[3], "ri");
    const TFoto normal = Fotografia(v);
    const QStringList entradas = {"camion", "plaza", "ri"};

    Teclas(v, Qt::Key_Plus, 2);
    EXPECT_EQ(v.ZoomTexto->PorCiento(), 150);
    // P 12 and H 21: the first line at 2P + 32 + 13, gaps of 10 letters at 12 pixels each.
    EXPECT_EQ(v.Texto1->font().pointSize(), 12);
    EXPECT_EQ(v.Texto1->height(), 21);
    EXPECT_EQ(v.Huecos[1]->geometry(), QRect(v.Huecos[1]->x(), 69, 10 * 12, 21));
    EXPECT_EQ(v.Respuestas[1]->geometry().bottom(), 68);
    EXPECT_EQ(v.Textos[1]->pos(), QPoint(48, 69));
    EXPECT_EQ(v.lblTema->font().pointSize(), normal.puntos.back());
    for (int i = 1; i <= 3; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(v.Huecos[i]->text(), entradas[i - 1]);
        EXPECT_EQ(v.Huecos[i]->font().pointSize(), 12);
        EXPECT_EQ(v.Respuestas[i]->font().pointSize(), 12);
        EXPECT_TRUE(v.Respuestas[i]->font().bold());
        EXPECT_FALSE(v.Respuestas[i]->isHidden());
    }
    EXPECT_EQ(Fondo(v.Huecos[1]), QColor(255, 0, 0));
    EXPECT_NE(Fondo(v.Huecos[2]), QColor(255, 0, 0));
    EXPECT_EQ(Fondo(v.Huecos[3]), QColor(255, 0, 0));
    EXPECT_EQ(v.Huecos[1]->toolTip(), "Revisa els accents");
    EXPECT_EQ(QApplication::focusWidget(), v.Huecos[3]);
    EXPECT_EQ(v.lblTema->text(), "Zoom (Pregunta nº 1)");

    Teclas(v, Qt::Key_Minus, 2);
    EXPECT_EQ(v.ZoomTexto->PorCiento(), 100);
    EXPECT_TRUE(Fotografia(v) == normal);
    for (int i = 1; i <= 3; ++i)
        EXPECT_EQ(v.Huecos[i]->text(), entradas[i - 1]);
    EXPECT_EQ(Fondo(v.Huecos[3]), QColor(255, 0, 0));

    // Hiding the answers at another size, then the next question, still work as ever.
    Teclas(v, Qt::Key_Equal);
    v.btnCorregir->click();
    EXPECT_TRUE(v.Respuestas[1]->isHidden());
    EXPECT_EQ(v.Sesion.Contestadas(), 3);
    Teclas(v, Qt::Key_0);
    const TFoto oculto = Fotografia(v);
    EXPECT_EQ(oculto.lugares, normal.lugares);
    EXPECT_EQ(oculto.puntos, normal.puntos);
}

TEST_F(VentanaTest, ZoomStepsStayBetweenTheLimitsAndFollowTheWheel) {
    TfrmTildora& v = *ventana;
    Muestra({0, 4, "T", "La casa@s@ es"}, 3);
    const TFoto normal = Fotografia(v);
    Teclas(v, Qt::Key_Minus);
    EXPECT_EQ(v.ZoomTexto->PorCiento(), 100);
    EXPECT_TRUE(Fotografia(v) == normal);

    Teclas(v, Qt::Key_Plus, 10);
    EXPECT_EQ(v.ZoomTexto->PorCiento(), 300);
    EXPECT_EQ(v.Huecos[1]->font().pointSize(), 24);
    EXPECT_EQ(v.Huecos[1]->height(), 42);
    Teclas(v, Qt::Key_0);
    EXPECT_EQ(v.ZoomTexto->PorCiento(), 100);
    EXPECT_TRUE(Fotografia(v) == normal);

    QWidget* pregunta = v.AreaCliente->viewport();
    Rueda(pregunta, 120, Qt::NoModifier);
    EXPECT_EQ(v.ZoomTexto->PorCiento(), 100);
    Rueda(pregunta, 120, Qt::ControlModifier);
    EXPECT_EQ(v.ZoomTexto->PorCiento(), 125);
    // A fine-grained wheel steps once its turns add up to one notch.
    Rueda(pregunta, 60, Qt::ControlModifier);
    EXPECT_EQ(v.ZoomTexto->PorCiento(), 125);
    Rueda(pregunta, 60, Qt::ControlModifier);
    EXPECT_EQ(v.ZoomTexto->PorCiento(), 150);
    Rueda(pregunta, -240, Qt::ControlModifier);
    EXPECT_EQ(v.ZoomTexto->PorCiento(), 100);

    // A question shown later comes at the size in force.
    Teclas(v, Qt::Key_Plus);
    Muestra({0, 4, "T", "La casa@s@ es"}, 3);
    EXPECT_EQ(v.Huecos[1]->font().pointSize(), 10);
    EXPECT_EQ(v.Huecos[1]->width(), 4 * 10);
    v.LimpiaPregunta();
    Teclas(v, Qt::Key_Minus);
    Muestra({0, 4, "T", "La casa@s@ es"}, 3);
    EXPECT_TRUE(Fotografia(v) == normal);
}

TEST_F(VentanaTest, ZoomAfterAResizeKeepsTheWidthTheQuestionWasLaidOutFor) {
    TfrmTildora& v = *ventana;
    std::string texto;
    for (int i = 0; i < 30; ++i)
        texto += "palabra @hueco@ ";
    Muestra({0, 4, "T", texto}, 1);
    // The places of the question's shown controls; the heading spans the window.
    const auto lugares = [&v] {
        const TFoto foto = Fotografia(v);
        std::vector<QRect> lugares;
        for (size_t i = 0; i < foto.visibles.size(); ++i)
            lugares.push_back(foto.visibles[i] ? foto.lugares[i] : QRect());
        return lugares;
    };
    const std::vector<QRect> normal = lugares();
    const int ancho = v.width();
    for (const int otroAncho : {ancho + 300, ancho - 150}) {
        SCOPED_TRACE(otroAncho);
        v.resize(otroAncho, v.height());
        QCoreApplication::processEvents();
        // Resizing alone does not reflow the question.
        ASSERT_TRUE(lugares() == normal);
        Teclas(v, Qt::Key_Plus);
        EXPECT_EQ(v.ZoomTexto->PorCiento(), 125);
        Teclas(v, Qt::Key_0);
        EXPECT_TRUE(lugares() == normal);
    }
}

TEST_F(VentanaTest, TheToolbarStaysInViewWhileTheQuestionScrollsBeneathIt) {
    std::string texto;
    for (int i = 0; i < 40; ++i)
        texto += "Linea " + std::to_string(i) + " con un @hueco@\r";
    Abre(EscribeSet("largo.preg", {Legible("Largo", texto)}));
    Siguiente();
    TfrmTildora& v = *ventana;
    QCoreApplication::processEvents();
    QWidget* centro = v.centralWidget();
    QScrollBar* barra = v.AreaCliente->verticalScrollBar();
    ASSERT_GT(barra->maximum(), 0);
    // Nothing scrolled: the client coordinates are the window's.
    EXPECT_EQ(v.Textos[1]->mapTo(centro, QPoint(0, 0)), QPoint(32, 61));
    EXPECT_EQ(v.lblTema->mapTo(centro, QPoint(0, 0)), QPoint(0, 32));
    // The scroll bar starts under the toolbar.
    EXPECT_GE(barra->mapTo(centro, QPoint(0, 0)).y(), v.PanelSuperior->height());

    const QPoint siguiente = v.btnSiguiente->mapTo(centro, v.btnSiguiente->rect().center());
    for (int i = 1; i < 40; ++i)
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    ASSERT_EQ(QApplication::focusWidget(), v.Huecos[40]);
    QCoreApplication::processEvents();
    ASSERT_GT(barra->value(), 0);
    EXPECT_EQ(v.PanelSuperior->mapTo(centro, QPoint(0, 0)), QPoint(0, 0));
    EXPECT_EQ(centro->childAt(siguiente), v.btnSiguiente);
    EXPECT_TRUE(v.btnSiguiente->isVisible());

    // Walking back up, no gap stops under the toolbar.
    for (int i = 40; i > 1; --i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab, Qt::ShiftModifier);
        QCoreApplication::processEvents();
        QLineEdit* hueco = v.Huecos[i - 1];
        ASSERT_EQ(QApplication::focusWidget(), hueco);
        ASSERT_GE(hueco->mapTo(centro, QPoint(0, 0)).y(), v.PanelSuperior->height()) << i - 1;
    }
    // Tab from Next leads into the gaps as before.
    v.btnSiguiente->setFocus();
    QTest::keyClick(v.btnSiguiente, Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), v.Huecos[1]);
}
