#include <QFile>
#include <QLineSeries>
#include <QListWidget>
#include <QMenu>
#include <QScatterSeries>
#include <QToolTip>

#include <cstdlib>
#include <ctime>

#include "core/base/atomic_write.h"
#include "core/learning/progress.h"
#include "history_window.h"
#include "main_window_fixture.h"

namespace {

void EscribeFichero(const QString& ruta, const std::string& bytes) {
    QFile fichero(ruta);
    ASSERT_TRUE(fichero.open(QIODevice::WriteOnly));
    fichero.write(bytes.data(), static_cast<qint64>(bytes.size()));
}

struct TVisto {
    bool abierto = false;
    QString titulo;
    QString resumen;
    QList<QPointF> sesiones;
    QList<QPointF> actual;
};

// Opens the history from the menu and reads what its window states.
TVisto MiraHistorial(TfrmTildora& v) {
    TVisto visto;
    AlAbrirseModal([&visto, &v](QWidget* modal) {
        auto* historial = qobject_cast<TfrmHistorial*>(modal);
        ASSERT_NE(historial, nullptr);
        visto.abierto = true;
        EXPECT_EQ(historial->parentWidget(), &v);
        EXPECT_EQ(historial->Idioma, v.Idioma);
        visto.titulo = historial->windowTitle();
        visto.resumen = historial->lblResumen->text();
        visto.sesiones = historial->Sesiones->points();
        visto.actual = historial->SesionActual->points();
        QTest::keyClick(historial, Qt::Key_Escape);
    });
    v.menuHistorial->trigger();
    EXPECT_TRUE(v.findChildren<TfrmHistorial*>().isEmpty());
    return visto;
}

}  // namespace

TEST_F(VentanaTest, HistoryStatesThePastSessionsAndThisOneWithoutChangingTheFile) {
    const std::string bytes("\xFE\x7F\x00\xCB", 4);  // 100, 50, 0 and 80 %
    QDir().mkpath(TfrmTildora::CarpetaDatos());
    EscribeFichero(TfrmTildora::CarpetaDatos() + "cuaderno.his", bytes);
    TfrmTildora& v = *ventana;
    EXPECT_FALSE(v.menuHistorial->isEnabled());
    const TPregunta pregunta = Legible("T", "Dos huecos, @uno@ y @dos@ en un texto normal");
    Abre(EscribeSet("cuaderno.preg", {pregunta, pregunta}));
    EXPECT_TRUE(v.menuHistorial->isEnabled());
    // Out of the File menu's fixed items: after the questions' own, past a separator.
    const QList<QAction*> preguntas = v.menuPreguntas->actions();
    EXPECT_EQ(v.menuFichero->actions().indexOf(v.menuHistorial), -1);
    EXPECT_EQ(preguntas.indexOf(v.menuRepasar), preguntas.indexOf(v.menuLetras) + 2);
    EXPECT_TRUE(preguntas[preguntas.indexOf(v.menuRepasar) - 1]->isSeparator());
    EXPECT_EQ(preguntas.indexOf(v.menuHistorial), preguntas.indexOf(v.menuRepasar) + 1);
    EXPECT_EQ(preguntas.indexOf(v.menuBarrejar), preguntas.indexOf(v.menuHistorial) + 1);

    v.menuCastellano->trigger();
    TVisto visto = MiraHistorial(v);
    ASSERT_TRUE(visto.abierto);
    EXPECT_EQ(visto.titulo, "Historial: cuaderno");
    // The mean of the bytes, 146, is 57.48 %.
    EXPECT_EQ(visto.resumen, "Sesiones: 4 · Media: 57 % · Mejor: 100 %");
    EXPECT_EQ(visto.sesiones, (QList<QPointF>{{1, 100}, {2, 50}, {3, 0}, {4, 80}}));
    EXPECT_TRUE(visto.actual.isEmpty());

    Siguiente();
    v.Huecos[1]->setText("uno");
    v.btnCorregir->click();
    v.menuValenciano->trigger();
    visto = MiraHistorial(v);
    EXPECT_EQ(visto.resumen, "Sessions: 4 · Mitjana: 57 % · Millor: 100 %\nAquesta sessió: 50 %");
    EXPECT_EQ(visto.actual, (QList<QPointF>{{5, 50}}));
    EXPECT_EQ(Historia("cuaderno.his"), bytes);

    // The set's own append still works after the reads.
    Abre(Ruta("cuaderno.preg"));
    EXPECT_EQ(Historia("cuaderno.his"), bytes + "\x7F");
    Abre(Ruta("no_existe.preg"));
    EXPECT_FALSE(v.menuHistorial->isEnabled());
}

TEST_F(VentanaTest, HistoryWithoutSavedSessionsSaysSo) {
    TfrmTildora& v = *ventana;
    Abre(EscribeSet("nuevo.preg", {Legible("T")}));
    ASSERT_EQ(Historia("nuevo.his"), "");
    TVisto visto = MiraHistorial(v);
    ASSERT_TRUE(visto.abierto);
    EXPECT_EQ(visto.titulo, "Historial: nuevo");
    EXPECT_EQ(visto.resumen, "Encara no hi ha sessions guardades d'aquest conjunt.");
    EXPECT_TRUE(visto.sesiones.isEmpty());
    EXPECT_TRUE(visto.actual.isEmpty());

    Siguiente();
    v.Huecos[1]->setText("hueco");
    v.btnCorregir->click();
    v.menuCastellano->trigger();
    visto = MiraHistorial(v);
    EXPECT_EQ(visto.resumen,
              "Todavía no hay sesiones guardadas de este conjunto.\nEsta sesión: 100 %");
    EXPECT_EQ(visto.actual, (QList<QPointF>{{1, 100}}));
    EXPECT_EQ(Historia("nuevo.his"), "");
}

TEST_F(VentanaTest, AHistoryOfAnyLengthDrawsItsLastSessionsAndCountsTheRest) {
    TfrmTildora& v = *ventana;
    QDir().mkpath(TfrmTildora::CarpetaDatos());
    const QString ruta = TfrmTildora::CarpetaDatos() + "largo.his";
    const struct {
        qint64 tamano;
        const char* resumen;
    } casos[] = {
        {500, "Sessions: 500 · Mitjana: 0 % · Millor: 100 %"},
        {501, "Últimes 500 sessions (i 1 anterior sense dibuixar) · Mitjana: 0 % · Millor: 100 %"},
        // 100 MB, sparse: the sessions before the last three read 0 %.
        {100 << 20,
         "Últimes 500 sessions (i 104857100 anteriors sense dibuixar) · Mitjana: 0 % · "
         "Millor: 100 %"},
    };
    for (const auto& caso : casos) {
        SCOPED_TRACE(caso.tamano);
        {
            QFile fichero(ruta);
            ASSERT_TRUE(fichero.open(QIODevice::WriteOnly | QIODevice::Truncate));
            ASSERT_TRUE(fichero.resize(caso.tamano - 3));
            ASSERT_TRUE(fichero.seek(caso.tamano - 3));
            fichero.write("\x7F\x01\xFE", 3);
        }
        // The last round's closing dated its session; this history is written afresh without it.
        QFile::remove(TfrmTildora::CarpetaDatos() + "largo.prg");
        Abre(EscribeSet("largo.preg", {Legible("T")}));
        Siguiente();
        v.Huecos[1]->setText("hueco");
        v.btnCorregir->click();
        const TVisto visto = MiraHistorial(v);
        ASSERT_TRUE(visto.abierto);
        EXPECT_EQ(visto.resumen, QString::fromUtf8(caso.resumen) + "\nAquesta sessió: 100 %");
        ASSERT_EQ(visto.sesiones.size(), 500);
        // Each session keeps its number in the whole history.
        EXPECT_EQ(visto.sesiones.front(), QPointF(caso.tamano - 499, 0));
        EXPECT_EQ(visto.sesiones.back(), QPointF(caso.tamano, 100));
        EXPECT_EQ(visto.sesiones[497], QPointF(caso.tamano - 2, 50));
        EXPECT_EQ(visto.actual, (QList<QPointF>{{static_cast<qreal>(caso.tamano + 1), 100}}));
        v.CierraFicheros();
    }
}

TEST(HistoryWindow, DatedSessionsTellTheirDate) {
    const char* antes = std::getenv("TZ");
    const std::string guardado = antes ? antes : "";
    setenv("TZ", "UTC", 1);
    tzset();
    const struct {
        TIdioma idioma;
        const char *resumen, *primera, *segunda;
    } casos[] = {
        {TIdioma::Valenciano,
         "Sessions: 3 · Mitjana: 50 % · Millor: 100 % · Darrera: 2020-09-13 12:26",
         "Sessió 1: 50 %", "Sessió 2: 100 % · 2023-11-14 22:13"},
        {TIdioma::Castellano, "Sesiones: 3 · Media: 50 % · Mejor: 100 % · Última: 2020-09-13 12:26",
         "Sesión 1: 50 %", "Sesión 2: 100 % · 2023-11-14 22:13"},
    };
    for (const auto& caso : casos) {
        TfrmHistorial historial;
        historial.Idioma = caso.idioma;
        historial.Historia = {std::string("\x7F\xFE\x00", 3), 0};
        // The second date is earlier: a clock set back. Dates stay as written.
        historial.SesionesFechadas = {{1700000000, 4, 4}, {1600000000, 4, 0}};
        historial.show();
        EXPECT_EQ(historial.lblResumen->text(), QString::fromUtf8(caso.resumen));
        EXPECT_EQ(historial.DescribeSesion(1, 50), QString::fromUtf8(caso.primera));
        EXPECT_EQ(historial.DescribeSesion(2, 100), QString::fromUtf8(caso.segunda));
        emit historial.Sesiones->hovered(QPointF(2, 100), true);
        EXPECT_EQ(QToolTip::text(), QString::fromUtf8(caso.segunda));
        emit historial.Sesiones->hovered(QPointF(2, 100), false);
    }
    // Without dates the summary is as it was.
    TfrmHistorial sinFechas;
    sinFechas.Historia = {std::string("\x7F\xFE\x00", 3), 0};
    sinFechas.show();
    EXPECT_EQ(sinFechas.lblResumen->text(), "Sesiones: 3 · Media: 50 % · Mejor: 100 %");
    if (antes)
        setenv("TZ", guardado.c_str(), 1);
    else
        unsetenv("TZ");
    tzset();
}

TEST_F(VentanaTest, HistoryListsTheQuestionsMostOftenWrongAndShowsTheOneClicked) {
    TfrmTildora& v = *ventana;
    const std::vector<TPregunta> preguntas = {
        Legible("Acentos", "Primera @pregunta@\rcorta"),
        Legible("Bes", "Segunda @pregunta@"),
        Legible("Ces",
                "La tercera pregunta tiene un texto bastante largo, de m\xE1s de @sesenta@ "
                "letras, y un @hueco@ al final"),
        Legible("Des", "Cuarta @pregunta@"),
    };
    const auto resultado = [&preguntas](size_t n, uint32_t fallos) {
        TResultadoPregunta r;
        r.Huella = HuellaPregunta(preguntas[n - 1]);
        r.Fallos = fallos;
        r.Aciertos = 1;
        return r;
    };
    TProgreso progreso;
    progreso.Preguntas[1] = resultado(1, 1);
    progreso.Preguntas[2] = resultado(2, 0);
    progreso.Preguntas[3] = resultado(3, 4);
    // Edited since it went wrong, and beyond the set: both start afresh.
    progreso.Preguntas[4] = resultado(4, 7);
    progreso.Preguntas[4].Huella ^= 1;
    progreso.Preguntas[9] = resultado(1, 9);
    QDir().mkpath(TfrmTildora::CarpetaDatos());
    EscribeFichero(TfrmTildora::CarpetaDatos() + "lista.prg", BytesProgreso(progreso));
    Abre(EscribeSet("lista.preg", preguntas));

    const struct {
        TIdioma idioma;
        QString rotulo;
        QStringList entradas;
    } casos[] = {
        {TIdioma::Castellano,
         "&Preguntas más falladas:",
         {"3. Ces: La tercera pregunta tiene un texto bastante largo, de más de… (4 fallos)",
          "1. Acentos: Primera ___ corta (1 fallo)"}},
        {TIdioma::Valenciano,
         "&Preguntes més errades:",
         {"3. Ces: La tercera pregunta tiene un texto bastante largo, de más de… (4 errades)",
          "1. Acentos: Primera ___ corta (1 errada)"}},
    };
    for (const auto& caso : casos) {
        SCOPED_TRACE(static_cast<int>(caso.idioma));
        (caso.idioma == TIdioma::Castellano ? v.menuCastellano : v.menuValenciano)->trigger();
        QString rotulo;
        QStringList entradas;
        AlAbrirseModal([&](QWidget* modal) {
            auto* historial = qobject_cast<TfrmHistorial*>(modal);
            ASSERT_NE(historial, nullptr);
            rotulo = historial->lblFalladas->text();
            for (int i = 0; i < historial->lstFalladas->count(); ++i)
                entradas << historial->lstFalladas->item(i)->text();
            QTest::keyClick(historial, Qt::Key_Escape);
        });
        v.menuHistorial->trigger();
        EXPECT_EQ(rotulo, caso.rotulo);
        EXPECT_EQ(entradas, caso.entradas);
    }

    // Clicking an entry closes the history and shows that question, whatever was on screen.
    Siguiente();
    ASSERT_EQ(v.Sesion.Pregunta().Tema, "Acentos");
    AlAbrirseModal([](QWidget* modal) {
        auto* historial = qobject_cast<TfrmHistorial*>(modal);
        ASSERT_NE(historial, nullptr);
        QListWidget* lista = historial->lstFalladas;
        const QRect sitio = lista->visualItemRect(lista->item(0));
        QTest::mouseClick(lista->viewport(), Qt::LeftButton, {}, sitio.center());
    });
    v.menuHistorial->trigger();
    EXPECT_TRUE(v.findChildren<TfrmHistorial*>().isEmpty());
    EXPECT_EQ(v.Sesion.Pregunta(), preguntas[2]);
    EXPECT_EQ(v.lblTema->text(), QString::fromUtf8("Ces (Pregunta nº 3)"));
    EXPECT_FALSE(v.Respuestas[1]->isVisible());
    EXPECT_TRUE(v.Huecos[1]->isVisible());
}

TEST(HistoryWindow, NothingWrongYetSaysSo) {
    TfrmHistorial historial;
    historial.Resultados[5].Aciertos = 3;
    for (const auto& [idioma, texto] :
         {std::pair{TIdioma::Castellano, "Todavía no se ha fallado ninguna pregunta."},
          std::pair{TIdioma::Valenciano, "Encara no s'ha errat cap pregunta."}}) {
        historial.Idioma = idioma;
        historial.FormActivate();
        EXPECT_EQ(historial.lblFalladas->text(), QString::fromUtf8(texto));
        EXPECT_EQ(historial.lstFalladas->count(), 0);
        EXPECT_FALSE(historial.lstFalladas->isEnabled());
    }
}
