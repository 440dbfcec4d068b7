#include "history_window.h"

#include <QChart>
#include <QChartView>
#include <QCursor>
#include <QLabel>
#include <QLegendMarker>
#include <QLineSeries>
#include <QListWidget>
#include <QPushButton>
#include <QScatterSeries>
#include <QToolTip>
#include <QValueAxis>

#include <algorithm>

#include "core/learning/history.h"
#include "core/text/layout.h"
#include "dialog_setup.h"
#include "interface_text.h"
#include "text_bytes.h"

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

// Characters of a question's text that its entry in the list shows.
constexpr size_t kInicioTexto = 60;

QString InicioTexto(const std::string& texto) {
    QString inicio = TextoDeBytes(TextoSinRespuestas(texto)).simplified();
    if (inicio.size() > static_cast<qsizetype>(kInicioTexto)) {
        inicio.truncate(static_cast<qsizetype>(kInicioTexto));
        inicio = inicio.trimmed() + QChar(0x2026);
    }
    return inicio;
}

}  // namespace

TfrmHistorial::TfrmHistorial(QWidget* parent) : QDialog(parent) {
    PreparaDialogo(this, 560, 566);
    setWindowTitle(QStringLiteral("Historial"));

    auto* grafico = new QChart;
    grafico->setBackgroundRoundness(0);
    grafico->legend()->setAlignment(Qt::AlignBottom);
    Sesiones = new QLineSeries;
    SesionActual = new QScatterSeries;
    SesionActual->setMarkerShape(QScatterSeries::MarkerShapeRectangle);
    SesionActual->setMarkerSize(12);
    SesionActual->setColor(QColor(255, 0, 0));
    // The points of the line, apart: each one tells its session, score and date.
    PuntosSesiones = new QScatterSeries;
    PuntosSesiones->setMarkerSize(7);
    PuntosSesiones->setColor(Sesiones->color());
    grafico->addSeries(Sesiones);
    grafico->addSeries(PuntosSesiones);
    grafico->addSeries(SesionActual);
    EjeSesiones = new QValueAxis;
    EjePorCiento = new QValueAxis;
    // A little beyond 0 and 100, so that a point at either end is drawn whole.
    EjePorCiento->setRange(-5, 105);
    EjePorCiento->setTickType(QValueAxis::TicksDynamic);
    EjePorCiento->setTickAnchor(0);
    EjePorCiento->setTickInterval(20);
    EjePorCiento->setLabelFormat(QStringLiteral("%d"));
    grafico->addAxis(EjeSesiones, Qt::AlignBottom);
    grafico->addAxis(EjePorCiento, Qt::AlignLeft);
    for (QAbstractSeries* serie :
         std::initializer_list<QAbstractSeries*>{Sesiones, PuntosSesiones, SesionActual}) {
        serie->attachAxis(EjeSesiones);
        serie->attachAxis(EjePorCiento);
    }
    const auto cuenta = [this](const QPointF& punto, bool encima) {
        if (encima)
            QToolTip::showText(QCursor::pos(),
                               DescribeSesion(qRound64(punto.x()), qRound(punto.y())), Grafico);
        else
            QToolTip::hideText();
    };
    connect(Sesiones, &QLineSeries::hovered, this, cuenta);
    connect(PuntosSesiones, &QScatterSeries::hovered, this, cuenta);
    Grafico = new QChartView(grafico, this);
    Grafico->setRenderHint(QPainter::Antialiasing);
    Grafico->setGeometry(8, 8, 544, 320);
    Grafico->setFocusPolicy(Qt::NoFocus);

    lblResumen = new QLabel(this);
    lblResumen->setGeometry(16, 334, 528, 36);
    lblResumen->setAlignment(Qt::AlignCenter);
    lblResumen->setWordWrap(true);
    lblResumen->setTextFormat(Qt::PlainText);

    lblFalladas = new QLabel(this);
    lblFalladas->setGeometry(16, 376, 528, 18);
    lblFalladas->setTextFormat(Qt::PlainText);
    lstFalladas = new QListWidget(this);
    lstFalladas->setGeometry(16, 396, 528, 120);
    lblFalladas->setBuddy(lstFalladas);
    // A click, or Return and a double click on the current entry.
    const auto elige = [this](QListWidgetItem* entrada) {
        const auto numero = static_cast<uint16_t>(entrada->data(Qt::UserRole).toUInt());
        accept();
        emit PreguntaElegida(numero);
    };
    connect(lstFalladas, &QListWidget::itemClicked, this, elige);
    connect(lstFalladas, &QListWidget::itemActivated, this, [this, elige](QListWidgetItem* e) {
        if (isVisible())
            elige(e);
    });

    btnCerrar = new QPushButton(QStringLiteral("&Cerrar"), this);
    btnCerrar->setGeometry(232, 526, 96, 30);
    btnCerrar->setDefault(true);
    connect(btnCerrar, &QPushButton::clicked, this, &QDialog::accept);

    Idioma = TIdioma::Castellano;
    CentraEnPantalla(this);
}

QString TfrmHistorial::DescribeSesion(int64_t sesion, int porCiento) const {
    const int64_t total = Historia.Anteriores + static_cast<int64_t>(Historia.Puntuaciones.size());
    const std::string fecha = FechaSesionHistoria(SesionesFechadas, sesion, total);
    return Texto(Idioma, "Sesión ", "Sessió ") + QString::number(sesion) + QStringLiteral(": ") +
           QString::number(porCiento) + QStringLiteral(" %") +
           (fecha.empty() ? QString() : QStringLiteral(" · ") + QString::fromStdString(fecha));
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
    PuntosSesiones->replace(puntos);
    // Many points would hide the line they mark.
    PuntosSesiones->setMarkerSize(puntos.size() <= 100 ? 7 : 3);
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
    muestraEnLeyenda(PuntosSesiones, false);
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
        const std::string ultima = FechaSesionHistoria(
            SesionesFechadas, anteriores + resumen.Sesiones, anteriores + resumen.Sesiones);
        lineas << cuenta + texto(" · Media: ", " · Mitjana: ") + QString::number(resumen.Media) +
                      texto(" % · Mejor: ", " % · Millor: ") + QString::number(resumen.Mejor) +
                      QStringLiteral(" %") +
                      (ultima.empty()
                           ? QString()
                           : texto(" · Última: ", " · Darrera: ") + QString::fromStdString(ultima));
    }
    if (actual)
        lineas << texto("Esta sesión: ", "Aquesta sessió: ") + QString::number(*actual) +
                      QStringLiteral(" %");
    lblResumen->setText(lineas.join(QLatin1Char('\n')));
    ListaFalladas();
}

void TfrmHistorial::ListaFalladas() {
    lstFalladas->clear();
    const std::vector<uint16_t> numeros = PreguntasMasFalladas(Resultados, kPreguntasFalladas);
    lblFalladas->setText(
        numeros.empty() ? Texto(Idioma, "Todavía no se ha fallado ninguna pregunta.",
                                "Encara no s'ha errat cap pregunta.")
                        : Texto(Idioma, "&Preguntas más falladas:", "&Preguntes més errades:"));
    lstFalladas->setEnabled(!numeros.empty());
    for (const uint16_t numero : numeros) {
        const TPregunta pregunta =
            Ficheros != nullptr ? Ficheros->LeePregunta(numero) : TPregunta{};
        const uint32_t fallos = Resultados.at(numero).Fallos;
        auto* entrada = new QListWidgetItem(
            QString::number(numero) + QStringLiteral(". ") + TextoDeBytes(pregunta.Tema) +
                QStringLiteral(": ") + InicioTexto(pregunta.Texto) + QStringLiteral(" (") +
                QString::number(fallos) +
                (fallos == 1 ? Texto(Idioma, " fallo)", " errada)")
                             : Texto(Idioma, " fallos)", " errades)")),
            lstFalladas);
        entrada->setData(Qt::UserRole, numero);
    }
    // Return on the list shows its current entry: there is one from the start.
    if (lstFalladas->count() > 0)
        lstFalladas->setCurrentRow(0);
}

void TfrmHistorial::showEvent(QShowEvent* evento) {
    QDialog::showEvent(evento);
    FormActivate();
}
