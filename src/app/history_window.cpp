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

// Ticks on whole sessions, never more than about ten of them, and half as many when their
// numbers grow long enough to crowd the axis; the first drawn session is primera, numbered as
// it stands in the whole history.
void PonEjeSesiones(QValueAxis* eje, int64_t primera, int sesiones) {
    const int marcas = primera + sesiones > 99999 ? 5 : 10;
    eje->setRange(static_cast<qreal>(primera) - 0.5,
                  static_cast<qreal>(primera + std::max(sesiones, 1)) - 0.5);
    eje->setTickType(QValueAxis::TicksDynamic);
    eje->setTickAnchor(static_cast<qreal>(primera));
    eje->setTickInterval(std::max(1, (sesiones + marcas - 1) / marcas));
    eje->setLabelFormat(QStringLiteral("%.0f"));
}

}  // namespace

TfrmHistorial::TfrmHistorial(QWidget* parent) : QDialog(parent) {
    PreparaDialogo(this, 560, 420);
    setWindowTitle(QStringLiteral("Historial"));

    auto* grafico = new QChart;
    grafico->setBackgroundRoundness(0);
    grafico->legend()->setAlignment(Qt::AlignBottom);
    Sesiones = new QLineSeries;
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
    // Never more than the bound, whoever filled the history in.
    const std::string& leidas = Historia.Puntuaciones;
    const std::string_view dibujadas = std::string_view(leidas).substr(
        leidas.size() - std::min(leidas.size(), kSesionesDibujadas));
    const int64_t anteriores =
        Historia.Anteriores + static_cast<int64_t>(leidas.size() - dibujadas.size());
    const TResumenHistoria resumen = ResumeHistoria(dibujadas);
    QList<QPointF> puntos;
    for (size_t i = 0; i < resumen.PorCientos.size(); ++i)
        puntos.append(QPointF(static_cast<qreal>(anteriores + static_cast<int64_t>(i) + 1),
                              resumen.PorCientos[i]));
    Sesiones->replace(puntos);
    // Many points would hide the line they mark.
    Sesiones->setPointsVisible(puntos.size() <= 100);
    SesionActual->clear();
    std::optional<int> actual;
    if (PuntuacionActual) {
        actual = PorCientoHistoria(*PuntuacionActual);
        SesionActual->append(static_cast<qreal>(anteriores + resumen.Sesiones + 1), *actual);
    }
    PonEjeSesiones(EjeSesiones, anteriores + 1, resumen.Sesiones + (actual ? 1 : 0));
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
        const QString cuenta =
            anteriores == 0
                ? texto("Sesiones: ", "Sessions: ") + QString::number(resumen.Sesiones)
                : texto("Últimas ", "Últimes ") + QString::number(resumen.Sesiones) +
                      texto(" sesiones (y ", " sessions (i ") + QString::number(anteriores) +
                      (anteriores == 1
                           ? texto(" anterior sin dibujar)", " anterior sense dibuixar)")
                           : texto(" anteriores sin dibujar)", " anteriors sense dibuixar)"));
        lineas << cuenta + texto(" · Media: ", " · Mitjana: ") + QString::number(resumen.Media) +
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
