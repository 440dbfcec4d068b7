#pragma once

#include <QObject>

#include <functional>

class QWidget;

// The size of the question's text, from 100 % to 300 % in steps of 25 %: Ctrl+plus (or Ctrl+=),
// Ctrl+minus and Ctrl+0 in the window, Ctrl with the mouse wheel over the question. It holds for
// the run and is stored nowhere.
class TZoomTexto : public QObject {
    Q_OBJECT
  public:
    static constexpr int kMinimo = 100;
    static constexpr int kMaximo = 300;
    static constexpr int kPaso = 25;

    // aplica lays the question out at a new size; it runs only when the size changes.
    TZoomTexto(QWidget* ventana, QWidget* pregunta, std::function<void(int porCiento)> aplica);

    int PorCiento() const { return PorCiento_; }
    void Amplia();
    void Reduce();
    void Restablece();

  protected:
    bool eventFilter(QObject* objeto, QEvent* evento) override;

  private:
    void Pon(int porCiento);

    std::function<void(int)> Aplica;
    int PorCiento_ = kMinimo;
    // What a fine-grained wheel turned short of one step.
    int GiroPendiente = 0;
};
