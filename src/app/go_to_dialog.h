#pragma once

#include <QDialog>
#include <QSpinBox>
#include "core/base/language.h"

class QLabel;
class QLineEdit;
class QPushButton;

// A spin field that takes a typed number above its maximum and holds it at the maximum, instead
// of refusing the keystroke that passes it; a text that is no number within its range (empty,
// 0) counts as 1 when confirmed, not as the number the field held before.
class TCampoNumero : public QSpinBox {
    Q_OBJECT
  public:
    using QSpinBox::QSpinBox;

  protected:
    QValidator::State validate(QString& texto, int& posicion) const override;
    int valueFromText(const QString& texto) const override;
    void fixup(QString& texto) const override;
};

// Sets the number from which the ordered walk goes on.
class TfrmLeeInicial : public QDialog {
    Q_OBJECT
  public:
    explicit TfrmLeeInicial(QWidget* parent = nullptr);

    TIdioma Idioma = TIdioma::Castellano;
    QLabel* lblTexto = nullptr;
    TCampoNumero* NumInicial = nullptr;
    QLabel* lblMaximo = nullptr;
    QPushButton* btnOk = nullptr;
    QPushButton* btnCancelar = nullptr;

    // The spin field's text box, which holds its maximum length.
    QLineEdit* CampoNumero() const;
    void FormActivate();

  protected:
    void showEvent(QShowEvent* evento) override;
    bool event(QEvent* evento) override;

  private:
    // Start of the range line in the language in force.
    QString InicioMaximo;
};
