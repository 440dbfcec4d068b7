#pragma once

#include <QDialog>
#include "core/base/language.h"

class QLabel;

// The notice shown, without modality, while a question file set is being opened.
class TfrmAviso : public QDialog {
    Q_OBJECT
  public:
    explicit TfrmAviso(QWidget* parent = nullptr);

    TIdioma Idioma = TIdioma::Castellano;
    QLabel* imgAviso = nullptr;
    QLabel* lblAviso = nullptr;

    void FormActivate();

  protected:
    void showEvent(QShowEvent* evento) override;
};
