#include <QListWidget>
#include <QSpinBox>

#include "core/base/atomic_write.h"
#include "core/set/settings.h"
#include "go_to_dialog.h"
#include "main_window_fixture.h"
#include "topics_dialog.h"

namespace {

// Question n of these sets reads "<topic> (Pregunta nº n)" in the heading.
std::vector<TPregunta> Preguntas(const std::vector<std::string>& temas) {
    std::vector<TPregunta> preguntas;
    for (const std::string& tema : temas)
        preguntas.push_back(Legible(tema));
    return preguntas;
}

std::vector<TPregunta> Repetidas(int n, const std::string& tema = "T") {
    return Preguntas(std::vector<std::string>(static_cast<size_t>(n), tema));
}

QString Cabecera(const std::string& tema, int n) {
    return QString::fromStdString(tema) + " (Pregunta nº " + QString::number(n) + ")";
}

}  // namespace

class NavegacionTest : public VentanaTest {
  protected:
    // The number in the heading of the question Next shows.
    int SiguienteNumero() {
        Siguiente();
        const QString cabecera = ventana->lblTema->text();
        const qsizetype inicio = cabecera.lastIndexOf("nº ") + 3;
        return cabecera.mid(inicio, cabecera.size() - inicio - 1).toInt();
    }

    std::vector<int> Siguientes(int veces) {
        std::vector<int> numeros;
        for (int i = 0; i < veces; ++i)
            numeros.push_back(SiguienteNumero());
        return numeros;
    }

    // Go to, answered by accion on the open dialog.
    void IrA(std::function<void(TfrmLeeInicial*)> accion) {
        AlAbrirseModal([accion](QWidget* modal) {
            auto* dialogo = qobject_cast<TfrmLeeInicial*>(modal);
            ASSERT_NE(dialogo, nullptr);
            accion(dialogo);
            if (dialogo->isVisible())
                dialogo->reject();
        });
        ventana->btnIrA->click();
    }

    void Temas(std::function<void(TfrmTemas*)> accion) {
        AlAbrirseModal([accion](QWidget* modal) {
            auto* dialogo = qobject_cast<TfrmTemas*>(modal);
            ASSERT_NE(dialogo, nullptr);
            accion(dialogo);
            if (dialogo->isVisible())
                dialogo->reject();
        });
        ventana->btnTemas->click();
    }
};

TEST_F(NavegacionTest, NextWalksASetInOrderAndStartsAgain) {
    Abre(EscribeSet("orden.preg", Preguntas({"A", "B", "C"})));
    Siguiente();
    EXPECT_EQ(ventana->lblTema->text(), Cabecera("A", 1));
    EXPECT_FALSE(ventana->Huecos[1]->isHidden());
    EXPECT_EQ(Siguientes(4), (std::vector<int>{2, 3, 1, 2}));
    ventana->menuSiguiente->trigger();
    EXPECT_EQ(ventana->lblTema->text(), Cabecera("C", 3));
}

TEST_F(NavegacionTest, OrderButtonsAndItemsShowTheOrder) {
    Abre(EscribeSet("botones.preg", Repetidas(3)));
    TfrmTildora& v = *ventana;
    const auto espera = [&](bool secuencial) {
        EXPECT_EQ(v.Sesion.Secuencial(), secuencial);
        EXPECT_EQ(v.btnSecuencial->isChecked(), secuencial);
        EXPECT_EQ(v.btnAleatorio->isChecked(), !secuencial);
        EXPECT_EQ(v.menuSecuencial->isChecked(), secuencial);
        EXPECT_EQ(v.menuAleatorio->isChecked(), !secuencial);
    };
    v.btnSecuencial->click();  // already down: stays down
    espera(true);
    v.btnAleatorio->click();
    espera(false);
    v.btnAleatorio->click();
    espera(false);
    v.menuAleatorio->trigger();  // the checked item chosen again
    espera(false);
    v.menuSecuencial->trigger();
    espera(true);
    v.menuSecuencial->trigger();
    espera(true);
}

TEST_F(NavegacionTest, RandomOrderWithOneQuestionAlwaysShowsIt) {
    Abre(EscribeSet("una.preg", Repetidas(1)));
    ventana->btnAleatorio->click();
    EXPECT_EQ(Siguientes(5), (std::vector<int>{1, 1, 1, 1, 1}));
}

TEST_F(NavegacionTest, RandomOrderDrawsOnlyFromTheSet) {
    Abre(EscribeSet("azar.preg", Repetidas(4)));
    ventana->menuAleatorio->trigger();
    for (int n : Siguientes(40)) {
        EXPECT_GE(n, 1);
        EXPECT_LE(n, 4);
    }
}

TEST_F(NavegacionTest, GoToFiveThenNextShowsFiveAndSixInOrder) {
    Abre(EscribeSet("diez.preg", Repetidas(10)));
    ventana->btnAleatorio->click();
    IrA([](TfrmLeeInicial* dialogo) {
        EXPECT_EQ(dialogo->NumInicial->maximum(), 10);
        EXPECT_EQ(dialogo->NumInicial->value(), 1);
        // Typed over the selected number and confirmed at once with Enter.
        QLineEdit* campo = dialogo->NumInicial->findChild<QLineEdit*>();
        QTest::keyClicks(campo, "5");
        QTest::keyClick(campo, Qt::Key_Return);
    });
    EXPECT_EQ(ventana->Sesion.PreguntaActual(), 5);
    EXPECT_TRUE(ventana->Sesion.Secuencial());
    EXPECT_TRUE(ventana->btnSecuencial->isChecked());
    EXPECT_TRUE(ventana->menuSecuencial->isChecked());
    EXPECT_FALSE(ventana->menuAleatorio->isChecked());
    EXPECT_EQ(ventana->lblTema->text(), "");  // no question is read here
    EXPECT_EQ(Siguientes(2), (std::vector<int>{5, 6}));
}

TEST_F(NavegacionTest, GoToCancelledChangesNothing) {
    Abre(EscribeSet("cancela.preg", Repetidas(10)));
    EXPECT_EQ(SiguienteNumero(), 1);
    IrA([](TfrmLeeInicial* dialogo) {
        dialogo->NumInicial->setValue(7);
        QTest::keyClick(dialogo, Qt::Key_Escape);
    });
    EXPECT_EQ(ventana->Sesion.PreguntaActual(), 2);
    EXPECT_EQ(SiguienteNumero(), 2);
    ventana->btnAleatorio->click();
    IrA([](TfrmLeeInicial* dialogo) { dialogo->btnCancelar->click(); });
    EXPECT_FALSE(ventana->Sesion.Secuencial());
}

TEST_F(NavegacionTest, GoToDialogOfTwoHundredFiftyQuestions) {
    Abre(EscribeSet("muchas.preg", Repetidas(250)));
    ventana->menuCastellano->trigger();
    bool visto = false;
    IrA([&visto](TfrmLeeInicial* dialogo) {
        visto = true;
        EXPECT_EQ(dialogo->Idioma, TIdioma::Castellano);
        EXPECT_EQ(dialogo->NumInicial->minimum(), 1);
        EXPECT_EQ(dialogo->NumInicial->maximum(), 250);
        EXPECT_EQ(dialogo->NumInicial->value(), 1);
        EXPECT_EQ(dialogo->NumInicial->findChild<QLineEdit*>()->maxLength(), 3);
        EXPECT_EQ(dialogo->lblMaximo->text(), "(Desde 1 hasta 250)");
        dialogo->NumInicial->setValue(250);
        dialogo->btnOk->click();
    });
    EXPECT_TRUE(visto);
    EXPECT_EQ(ventana->Sesion.PreguntaActual(), 250);
    EXPECT_EQ(Siguientes(2), (std::vector<int>{250, 1}));
    EXPECT_TRUE(ventana->findChildren<TfrmLeeInicial*>().isEmpty());
}

TEST_F(NavegacionTest, GoToANumberAboveTheSetHoldsItAtTheLastQuestion) {
    Abre(EscribeSet("tope.preg", Repetidas(250)));
    IrA([](TfrmLeeInicial* dialogo) {
        QLineEdit* campo = dialogo->NumInicial->findChild<QLineEdit*>();
        QTest::keyClicks(campo, "300");
        EXPECT_EQ(campo->text(), "300");
        QTest::keyClick(campo, Qt::Key_Return);
    });
    EXPECT_EQ(ventana->Sesion.PreguntaActual(), 250);
    EXPECT_EQ(SiguienteNumero(), 250);
}

TEST_F(NavegacionTest, GoToATextThatIsNotAWholeNumberCountsAsOne) {
    Abre(EscribeSet("teclas.preg", Repetidas(90)));
    const struct {
        const char* tecleado;  // '\b' is Backspace
        bool conIntro;         // confirmed with Enter, otherwise with OK
        int pregunta;
    } casos[] = {
        {"5\b0", false, 1}, {"7\b", false, 1},    {"7\b", true, 1},
        {"0", false, 1},    {"00", true, 1},      {"6\b4", false, 4},
        {"45", false, 45},  {"12\b\b3", true, 3}, {"95", false, 90},
    };
    for (const auto& caso : casos) {
        SCOPED_TRACE(caso.tecleado);
        ventana->Sesion.ContinuaDesde(20);
        IrA([&caso](TfrmLeeInicial* dialogo) {
            QLineEdit* campo = dialogo->NumInicial->findChild<QLineEdit*>();
            for (const char* c = caso.tecleado; *c; ++c)
                if (*c == '\b')
                    QTest::keyClick(campo, Qt::Key_Backspace);
                else
                    QTest::keyClicks(campo, QString(QChar(*c)));
            if (caso.conIntro)
                QTest::keyClick(campo, Qt::Key_Return);
            else
                QTest::mouseClick(dialogo->btnOk, Qt::LeftButton);
        });
        EXPECT_EQ(ventana->Sesion.PreguntaActual(), caso.pregunta);
        EXPECT_TRUE(ventana->Sesion.Secuencial());
    }
}

TEST_F(NavegacionTest, GoToInASetWithoutQuestionsChangesNothing) {
    // A readable first record, but an index that holds no entry.
    const std::string ruta = Ruta("vacio.preg");
    EscribeFichero(ruta, ConstruyeConjunto({Legible("T")}).Preguntas);
    EscribeFichero(NombreIndice(ruta), ConCheckSum(""));
    Abre(ruta);
    ASSERT_TRUE(ventana->Sesion.FicherosAbiertos());
    ASSERT_EQ(ventana->Sesion.NumPreguntas(), 0);
    ventana->Sesion.ContinuaDesde(7);
    ventana->btnAleatorio->click();
    for (const char* tecleado : {"", "1", "5"}) {
        SCOPED_TRACE(tecleado);
        IrA([tecleado](TfrmLeeInicial* dialogo) {
            QTest::keyClicks(dialogo->NumInicial->findChild<QLineEdit*>(), tecleado);
            dialogo->btnOk->click();
        });
        EXPECT_EQ(ventana->Sesion.PreguntaActual(), 7);
        EXPECT_FALSE(ventana->Sesion.Secuencial());
        EXPECT_TRUE(ventana->btnAleatorio->isChecked());
    }
}

TEST_F(NavegacionTest, PointerAndOrderSurviveOpeningAnotherSet) {
    Abre(EscribeSet("cien.preg", Repetidas(100)));
    IrA([](TfrmLeeInicial* dialogo) {
        dialogo->NumInicial->setValue(80);
        dialogo->btnOk->click();
    });
    Abre(EscribeSet("doscientas.preg", Repetidas(200)));
    EXPECT_EQ(ventana->Sesion.PreguntaActual(), 80);
    EXPECT_EQ(SiguienteNumero(), 80);
    ventana->Sesion.ContinuaDesde(80);
    Abre(EscribeSet("cincuenta.preg", Repetidas(50)));
    EXPECT_EQ(SiguienteNumero(), 1);
    ventana->btnAleatorio->click();
    Abre(EscribeSet("cincuenta.preg", Repetidas(50)));
    EXPECT_FALSE(ventana->Sesion.Secuencial());
    EXPECT_TRUE(ventana->btnAleatorio->isChecked());
}

TEST_F(NavegacionTest, NextSkipsUnselectedTopics) {
    Abre(EscribeSet("saltos.preg", Preguntas({"A", "B", "A"})));
    ventana->Sesion.SeleccionaTemas({true, false});
    EXPECT_EQ(Siguientes(4), (std::vector<int>{1, 3, 1, 3}));
    ventana->Sesion.SeleccionaTemas({false, false});
    EXPECT_EQ(SiguienteNumero(), 1);  // an empty selection becomes every topic
    EXPECT_EQ(ventana->Sesion.ListaTemas().CuentaMarcados(), 2);
}

TEST_F(NavegacionTest, NextPutsTheCorrectButtonUp) {
    Abre(EscribeSet("arriba.preg", Repetidas(2)));
    Siguiente();
    ventana->btnCorregir->click();
    ASSERT_TRUE(ventana->btnCorregir->isChecked());
    ASSERT_EQ(ventana->btnCorregir->text(), "Ocultar");
    Siguiente();
    EXPECT_FALSE(ventana->btnCorregir->isChecked());
    EXPECT_EQ(ventana->btnCorregir->text(), "Corregir");
    EXPECT_EQ(ventana->btnCorregir->toolTip(), "Corregir el texte");
    EXPECT_TRUE(ventana->Respuestas[1]->isHidden());
}

TEST_F(NavegacionTest, TopicDialogOkMakesNextDrawOnlyTheChosenTopics) {
    Abre(EscribeSet("temas.preg", Preguntas({"A", "B", "C", "A", "B", "C"})));
    const uint8_t sinTema = ventana->Sesion.Configuracion().TemasMarcados[4];
    Temas([](TfrmTemas* dialogo) {
        EXPECT_EQ(dialogo->Idioma, TIdioma::Valenciano);
        EXPECT_EQ(dialogo->windowTitle(), "Llista de temes");
        ASSERT_EQ(dialogo->chkLista->count(), 3);
        EXPECT_EQ(dialogo->chkLista->item(0)->text(), "A");
        EXPECT_EQ(dialogo->chkLista->item(2)->text(), "C");
        EXPECT_EQ(dialogo->Marcas(), (std::vector<bool>{true, true, true}));
        dialogo->chkLista->item(0)->setCheckState(Qt::Unchecked);
        dialogo->chkLista->item(2)->setCheckState(Qt::Unchecked);
        dialogo->btnAceptar->click();
    });
    EXPECT_FALSE(ventana->Sesion.ListaTemas().Marcado(1));
    EXPECT_TRUE(ventana->Sesion.ListaTemas().Marcado(2));
    EXPECT_FALSE(ventana->Sesion.ListaTemas().Marcado(3));
    EXPECT_EQ(ventana->Sesion.Configuracion().TemasMarcados[1], 0);
    EXPECT_EQ(ventana->Sesion.Configuracion().TemasMarcados[2], 1);
    EXPECT_EQ(ventana->Sesion.Configuracion().TemasMarcados[3], 0);
    EXPECT_EQ(ventana->Sesion.Configuracion().TemasMarcados[4], sinTema);
    for (int i = 0; i < 4; ++i) {
        Siguiente();
        EXPECT_TRUE(ventana->lblTema->text().startsWith("B ("));
    }
    EXPECT_TRUE(ventana->findChildren<TfrmTemas*>().isEmpty());

    // The dialog shows the earlier choice; cancelling keeps it.
    Temas([](TfrmTemas* dialogo) {
        EXPECT_EQ(dialogo->Marcas(), (std::vector<bool>{false, true, false}));
        dialogo->chkLista->item(0)->setCheckState(Qt::Checked);
        dialogo->btnCancelar->click();
    });
    EXPECT_FALSE(ventana->Sesion.ListaTemas().Marcado(1));
    EXPECT_EQ(ventana->Sesion.Configuracion().TemasMarcados[1], 0);
}

TEST_F(NavegacionTest, SettingsFileRestoresTheSelection) {
    TConfiguracion configuracion;
    ConfiguracionDefecto(configuracion);
    configuracion.TemasMarcados[1] = 0;
    configuracion.TemasMarcados[2] = 2;
    configuracion.TemasMarcados[3] = 0;
    QDir().mkpath(TfrmTildora::CarpetaDatos());
    EscribeFichero((TfrmTildora::CarpetaDatos() + "restaura.cfg").toStdString(),
                   ConCheckSum(BytesConfiguracion(configuracion)));
    Abre(EscribeSet("restaura.preg", Preguntas({"A", "B", "C"})));
    EXPECT_TRUE(avisos.isEmpty());
    EXPECT_EQ(Siguientes(3), (std::vector<int>{2, 2, 2}));
}
