#pragma once

#include <QStatusBar>

#include <cstdint>
#include <optional>

#include "core/base/language.h"

class QLabel;
class QPushButton;

// The foot of the main window: how the latest reveal of the question went and the session's
// tallies, in the interface language.
class TLineaPuntuacion : public QStatusBar {
    Q_OBJECT
  public:
    explicit TLineaPuntuacion(QWidget* parent = nullptr);

    QLabel* lblPuntuacion = nullptr;
    // Offers the review while questions are due and none is running; it takes no focus from
    // the gap being typed in.
    QPushButton* btnRepasar = nullptr;

    // A reveal: the question's right gaps of all its gaps, and the tallies after it with their
    // per cent as the history keeps it.
    void PonResultado(int aciertos, int huecos, int32_t Acertadas, int32_t Contestadas,
                      int porCiento);
    // Another question is on screen, or none.
    void QuitaPregunta();
    // A set opened or closed: nothing to tell.
    void Limpia();
    void CambiaIdioma(TIdioma idioma);
    // The questions due for review within the selected topics; offered when there are any.
    void PonPendientes(int pendientes);
    // A review is showing question paso of its total; paso 0 when none is running.
    void PonRepaso(size_t paso, size_t total);
    // With no set open, the line tells a newcomer how to open one.
    void PonSinConjunto(bool sinConjunto);

  private:
    struct TCuenta {
        int Aciertos;
        int Total;
        int PorCiento = 0;
    };
    void Escribe();

    TIdioma Idioma = TIdioma::Valenciano;
    std::optional<TCuenta> Pregunta;
    std::optional<TCuenta> Sesion;
    int Pendientes = 0;
    size_t PasoRepaso = 0;
    size_t TotalRepaso = 0;
    bool SinConjunto = false;
};
