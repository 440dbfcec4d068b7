#pragma once

#include <QDialog>
#include <QStringList>
#include "core/base/language.h"

class QPlainTextEdit;
class QPushButton;

class TfrmSobreElPrograma : public QDialog {
    Q_OBJECT
  public:
    explicit TfrmSobreElPrograma(QWidget* parent = nullptr);

    TIdioma Idioma = TIdioma::Castellano;
    QPlainTextEdit* Memo = nullptr;
    QPushButton* btnOk = nullptr;

    void FormActivate();

  protected:
    void showEvent(QShowEvent* evento) override;
    // Esc presses OK, as Enter does.
    void keyPressEvent(QKeyEvent* evento) override;

  private:
    QStringList Lineas;
};
