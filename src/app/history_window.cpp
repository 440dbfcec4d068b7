#include "history_window.h"

#include <QChart>
#include <QChartView>
#include <QLabel>
#include <QLegendMarker>
#include <QLineSeries>
#include <QPushButton>
#include <QScatterSeries>
#include <QValueAxis>

#include <algorithm>

#include "dialog_setup.h"
#include "history.h"
#include "interface_text.h"

namespace {

// Ticks on whole sessions, never more than about ten of them.
void PonEjeSesiones(QValueAxis* eje, int sesiones) {
    eje->setRange(0.5, std::max(sesiones, 1) + 0.5);
    eje->setTickType(QValueAxis::TicksDynamic);
    eje->setTickAnchor(1);
    eje->setTickInterval(std::max(1, (sesiones + 9) / 10));
    eje->setLabelFormat(QStringLiteral("%d"));
}

}  // namespace

TfrmHistorial::TfrmHistorial(QWidget* parent) : QDialog(parent) {
    PreparaDialogo(this, 560, 420);
    setWindowTitle(QStringLiteral("Historial"));

    auto* grafico = new QChart;
    grafico->setBackgroundRoundness(0);
    grafico->legend()->setAlignment(Qt::AlignBottom);
    Sesiones = new QLineSeries;
    Sesiones->setPointsVisible(true);
    SesionActual = new QScatterSeries;
    SesionActual->setMarkerShape(QScatterSeries::MarkerShapeRectangle);
    SesionActual->setMarkerSize(12);
    SesionActual->setColor(QColor(255, 0, 0));
    grafico->addSeries(Sesiones);
    grafico->addSeries(SesionActual);
    EjeSesiones = new QValueAxis;
    EjePorCiento = new QValueAxis;
    EjePorCiento->setRange(0, 100);
    EjePorCiento->setTickCount(6);
    EjePorCiento->setLabelFormat(QStringLiteral("%d"));
    grafico->addAxis(EjeSesiones, Qt::AlignBottom);
    grafico->addAxis(EjePorCiento, Qt::AlignLeft);
    for (QAbstractSeries* serie : std::initializer_list<QAbstractSeries*>{Sesiones, SesionActual}) {
        serie->attachAxis(EjeSesiones);
        serie->attachAxis(EjePorCiento);
    }
    Grafico = new QChartView(grafico, this);
    Grafico->setRenderHint(QPainter::Antialiasing);
    Grafico->setGeometry(8, 8, 544, 320);
    Grafico->setFocusPolicy(Qt::NoFocus);

    lblResumen = new QLabel(this);
    lblResumen->setGeometry(16, 334, 528, 36);
    lblResumen->setAlignment(Qt::AlignCenter);
    lblResumen->setWordWrap(true);
    lblResumen->setTextFormat(Qt::PlainText);

    btnCerrar = new QPushButton(QStringLiteral("&Cerrar"), this);
    btnCerrar->setGeometry(232, 380, 96, 30);
    btnCerrar->setDefault(true);
    connect(btnCerrar, &QPushButton::clicked, this, &QDialog::accept);

    Idioma = TIdioma::Castellano;
    CentraEnPantalla(this);
}

void TfrmHistorial::FormActivate() {
    const TResumenHistoria resumen = ResumeHistoria(Historia);
    QList<QPointF> puntos;
    for (size_t i = 0; i < resumen.PorCientos.size(); ++i)
        puntos.append(QPointF(static_cast<qreal>(i + 1), resumen.PorCientos[i]));
    Sesiones->replace(puntos);
    SesionActual->clear();
    std::optional<int> actual;
    if (PuntuacionActual) {
        actual = PorCientoHistoria(*PuntuacionActual);
        SesionActual->append(resumen.Sesiones + 1, *actual);
    }
    PonEjeSesiones(EjeSesiones, resumen.Sesiones + (actual ? 1 : 0));
    // The legend names only what the chart draws.
    const auto muestraEnLeyenda = [this](QAbstractSeries* serie, bool visible) {
        for (QLegendMarker* marca : Grafico->chart()->legend()->markers(serie))
            marca->setVisible(visible);
    };
    muestraEnLeyenda(Sesiones, resumen.Sesiones > 0);
    muestraEnLeyenda(SesionActual, actual.has_value());

    setWindowTitle(QStringLiteral("Historial: ") + NombreConjunto);
    if (!IdiomaConocido(Idioma))
        return;
    const auto texto = [this](const char* castellano, const char* valenciano) {
        return Texto(Idioma, castellano, valenciano);
    };
    Sesiones->setName(texto("Sesiones guardadas", "Sessions guardades"));
    SesionActual->setName(texto("Esta sesión", "Aquesta sessió"));
    EjeSesiones->setTitleText(texto("Sesión", "Sessió"));
    EjePorCiento->setTitleText(texto("Aciertos (%)", "Encerts (%)"));
    btnCerrar->setText(texto("&Cerrar", "&Tancar"));

    QStringList lineas;
    if (resumen.Sesiones == 0) {
        lineas << texto("Todavía no hay sesiones guardadas de este conjunto.",
                        "Encara no hi ha sessions guardades d'aquest conjunt.");
    } else {
        lineas << texto("Sesiones: ", "Sessions: ") + QString::number(resumen.Sesiones) +
                      texto(" · Media: ", " · Mitjana: ") + QString::number(resumen.Media) +
                      texto(" % · Mejor: ", " % · Millor: ") + QString::number(resumen.Mejor) +
                      QStringLiteral(" %");
    }
    if (actual)
        lineas << texto("Esta sesión: ", "Aquesta sessió: ") + QString::number(*actual) +
                      QStringLiteral(" %");
    lblResumen->setText(lineas.join(QLatin1Char('\n')));
}

void TfrmHistorial::showEvent(QShowEvent* evento) {
    QDialog::showEvent(evento);
    FormActivate();
}
