#pragma once

#include <QDialog>
#include <QString>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/base/language.h"
#include "core/learning/history.h"
#include "core/learning/progress.h"
#include "core/set/question_files.h"

class QChart;
class QChartView;
class QLabel;
class QLineSeries;
class QListWidget;
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

    // Questions most often wrong that the list names.
    static constexpr size_t kPreguntasFalladas = 20;

    explicit TfrmHistorial(QWidget* parent = nullptr);

    TIdioma Idioma = TIdioma::Castellano;
    // Given before it is shown: the set's name, the tail of its history file (at most
    // kSesionesDibujadas sessions) and, when something was answered, the score of the session
    // still open, as the history would keep it.
    QString NombreConjunto;
    TColaHistoria Historia;
    // The session lines of the learner's progress file: the dates of the history's last sessions.
    std::vector<TSesionProgreso> SesionesFechadas;
    std::optional<uint8_t> PuntuacionActual;
    // The learner's results per question, and the open set's files their topic and text come from.
    std::map<uint16_t, TResultadoPregunta> Resultados;
    TFicherosPreguntas* Ficheros = nullptr;

    QChartView* Grafico = nullptr;
    QLineSeries* Sesiones = nullptr;
    QScatterSeries* PuntosSesiones = nullptr;
    QScatterSeries* SesionActual = nullptr;
    QValueAxis* EjeSesiones = nullptr;
    QValueAxis* EjePorCiento = nullptr;
    QLabel* lblResumen = nullptr;
    QLabel* lblFalladas = nullptr;
    QListWidget* lstFalladas = nullptr;
    QPushButton* btnCerrar = nullptr;

    void FormActivate();
    // What the chart says of a drawn session: its number, score and, when known, its date.
    QString DescribeSesion(int64_t sesion, int porCiento) const;

  private:
    void ListaFalladas();

  signals:
    // The learner chose a question of the list to see it again.
    void PreguntaElegida(uint16_t numero);

  protected:
    void showEvent(QShowEvent* evento) override;
};
