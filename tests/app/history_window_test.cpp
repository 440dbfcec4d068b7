#include <QFile>
#include <QLineSeries>
#include <QMenu>
#include <QScatterSeries>

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
    EXPECT_EQ(v.menuFichero->actions().indexOf(v.menuHistorial),
              v.menuFichero->actions().indexOf(v.menuTemas) + 1);

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
