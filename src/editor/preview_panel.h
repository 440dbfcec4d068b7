#pragma once

#include <QScrollArea>

#include "document.h"
#include "question_pool.h"

// The selected question as the learner will see it, laid out by the exercise window's own pool
// for a window of the exercise window's width, with every answer shown above its gap.
class TPanelVistaPrevia : public QScrollArea {
    Q_OBJECT
  public:
    // The exercise window's outer width when it opens.
    static constexpr int kAnchoVentana = 750;

    explicit TPanelVistaPrevia(QWidget* parent = nullptr);

    TPoolPregunta Pool;
    QWidget* Cliente = nullptr;

    // numero is the question's 1-based number, for the heading.
    void Muestra(const TPreguntaEditada& pregunta, int numero);
    void Limpia();
    // The gaps shown by the last Muestra.
    int NumHuecos() const { return numHuecos_; }

  protected:
    void resizeEvent(QResizeEvent* evento) override;

  private:
    void AjustaCliente();
    int numHuecos_ = 0;
};
