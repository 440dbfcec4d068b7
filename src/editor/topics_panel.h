#pragma once

#include <QWidget>

#include <cstdint>
#include <functional>

#include "core/base/language.h"
#include "document.h"

class QLabel;
class QPushButton;
class QTimer;
class QTreeWidget;
class QTreeWidgetItem;

// The set's topics with their number of questions. A topic renamed here is renamed in every
// question; the ticked topics are the ones a learner starts with, written as the set's
// settings file.
class TPanelTemas : public QWidget {
    Q_OBJECT
  public:
    TPanelTemas(TDocumento& documento, QWidget* parent = nullptr);

    QTreeWidget* lstTemas = nullptr;
    QPushButton* btnRenombrar = nullptr;
    QPushButton* btnConfiguracion = nullptr;
    QLabel* lblConfiguracion = nullptr;
    // Where the last settings file went, once one was written.
    QLabel* lblGuardada = nullptr;

    // Where to write the settings file, proposing a path; empty when cancelled. Tests replace it.
    std::function<QString(const QString& propuesta)> EligeRutaConfiguracion;

    // Lists the document's topics now (edits list them a moment after they stop).
    void Actualiza();
    void btnConfiguracionClick();
    void CambiaIdioma(TIdioma idioma);

  private:
    void lstTemasChange(QTreeWidgetItem* elemento, int columna);

    TDocumento& documento_;
    // The names as listed, to tell a rename from a tick.
    QStringList nombres_;
    QStringList desmarcados_;
    QTimer* pendiente_ = nullptr;
    bool rellenando_ = false;
    TIdioma idioma_ = TIdioma::Valenciano;
    QString guardada_;
};
