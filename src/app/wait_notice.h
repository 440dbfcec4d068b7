#pragma once

#include <QDialog>

class QLabel;

// The notice shown, without modality, while a question file set is being opened.
class TfrmAviso : public QDialog {
    Q_OBJECT
  public:
    explicit TfrmAviso(QWidget* parent = nullptr);

    uint16_t Idioma = 0;
    QLabel* imgAviso = nullptr;
    QLabel* lblAviso = nullptr;

    void FormActivate();

  protected:
    void showEvent(QShowEvent* evento) override;
};
