#pragma once

#include <QDialog>

#include "core/base/language.h"

class QPushButton;
class QTableWidget;

// Every key of the exercise window and what it does, in the interface language.
class TfrmTeclas : public QDialog {
    Q_OBJECT
  public:
    explicit TfrmTeclas(QWidget* parent = nullptr);

    TIdioma Idioma = TIdioma::Castellano;
    QTableWidget* tblTeclas = nullptr;
    QPushButton* btnCerrar = nullptr;

    void FormActivate();

  protected:
    void showEvent(QShowEvent* evento) override;
    void keyPressEvent(QKeyEvent* evento) override;
};
