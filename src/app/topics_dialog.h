#pragma once

#include <QDialog>

#include <vector>
#include "core/base/language.h"

class QLabel;
class QListWidget;
class QPushButton;

// The learner ticks the topics Next may draw from.
class TfrmTemas : public QDialog {
    Q_OBJECT
  public:
    explicit TfrmTemas(QWidget* parent = nullptr);

    TIdioma Idioma = TIdioma::Castellano;
    QLabel* lblTemas = nullptr;
    QListWidget* chkLista = nullptr;
    QPushButton* btnAceptar = nullptr;
    QPushButton* btnCancelar = nullptr;
    QPushButton* btnTodo = nullptr;
    QPushButton* btnInvertir = nullptr;

    // Appends one item with its check mark.
    void AnadeTema(const QString& nombre, bool marcado);
    // The check mark of every item, in list order.
    std::vector<bool> Marcas() const;
    void ActualizaAceptar();
    void btnTodoClick();
    void btnInvertirClick();
    void FormActivate();

  protected:
    void showEvent(QShowEvent* evento) override;
};
