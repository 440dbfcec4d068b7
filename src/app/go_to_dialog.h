#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;

// Sets the number from which the ordered walk goes on.
class TfrmLeeInicial : public QDialog {
    Q_OBJECT
  public:
    explicit TfrmLeeInicial(QWidget* parent = nullptr);

    uint16_t Idioma = 0;
    QLabel* lblTexto = nullptr;
    QSpinBox* NumInicial = nullptr;
    QLabel* lblMaximo = nullptr;
    QPushButton* btnOk = nullptr;
    QPushButton* btnCancelar = nullptr;

    // The spin field's text box, which holds its maximum length.
    QLineEdit* CampoNumero() const;
    void FormActivate();

  protected:
    void showEvent(QShowEvent* evento) override;

  private:
    // Start of the range line in the language in force.
    QString InicioMaximo;
};
