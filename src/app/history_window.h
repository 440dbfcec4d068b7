#pragma once

#include <QDialog>
#include <QString>

#include <cstdint>
#include <optional>
#include <string>

#include "history.h"
#include "language.h"

class QChart;
class QChartView;
class QLabel;
class QLineSeries;
class QPushButton;
class QScatterSeries;
class QValueAxis;

// The scores of a set's past sessions, oldest first, with this session's score so far.
class TfrmHistorial : public QDialog {
    Q_OBJECT
  public:
    // Sessions drawn at most, the most recent ones: a history of any length opens at once, and
    // more points than this would not tell apart on the chart's width. The rest are counted.
    static constexpr size_t kSesionesDibujadas = 500;

    explicit TfrmHistorial(QWidget* parent = nullptr);

    TIdioma Idioma = TIdioma::Castellano;
    // Given before it is shown: the set's name, the tail of its history file (at most
    // kSesionesDibujadas sessions) and, when something was answered, the score of the session
    // still open, as the history would keep it.
    QString NombreConjunto;
    TColaHistoria Historia;
    std::optional<uint8_t> PuntuacionActual;

    QChartView* Grafico = nullptr;
    QLineSeries* Sesiones = nullptr;
    QScatterSeries* SesionActual = nullptr;
    QValueAxis* EjeSesiones = nullptr;
    QValueAxis* EjePorCiento = nullptr;
    QLabel* lblResumen = nullptr;
    QPushButton* btnCerrar = nullptr;

    void FormActivate();

  protected:
    void showEvent(QShowEvent* evento) override;
};
