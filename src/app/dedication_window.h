#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

// A photograph with a dedication line, reached by a hidden gesture on the question counter.
class TfrmDedicatoria : public QDialog {
    Q_OBJECT
  public:
    static const QString Titulo;

    explicit TfrmDedicatoria(QWidget* parent = nullptr);

    QLabel* ImgFoto = nullptr;
    QLabel* lblTexto1 = nullptr;
    QLabel* lblTexto2 = nullptr;
    QPushButton* btnOK = nullptr;

    // Shows the photograph fitted in ImgFoto; bytes that do not decode leave the box empty.
    void PonFoto(const QByteArray& jpeg);
    void lblTexto1DblClick();
    void btnOKClick();

  protected:
    bool eventFilter(QObject* objeto, QEvent* evento) override;
    // Esc presses OK.
    void keyPressEvent(QKeyEvent* evento) override;
};
