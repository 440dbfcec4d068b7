#pragma once

#include <QWidget>

#include <cstdint>
#include <vector>

#include "core/base/language.h"
#include "document.h"

class QLabel;
class QListWidget;
class QPushButton;
class QTimer;

// Everything that would make the exercise program refuse the set or show a question badly,
// kept up to date as the teacher edits.
class TPanelProblemas : public QWidget {
    Q_OBJECT
  public:
    TPanelProblemas(TDocumento& documento, QWidget* parent = nullptr);

    QListWidget* lstProblemas = nullptr;
    // The key rule's fix: the most readable question to the front.
    QPushButton* btnAdelanta = nullptr;

    // Lists the document's problems now (edits list them a moment after they stop).
    void Actualiza();
    int NumProblemas() const { return static_cast<int>(problemas_.size()); }
    void CambiaIdioma(TIdioma idioma);

  signals:
    // A problem was chosen: its question and, where it has one, the position in the text.
    void ProblemaElegido(int fila, int posicion);
    // The number of problems changed.
    void Contados(int problemas);

  private:
    void lstProblemasClick();
    void btnAdelantaClick();

    // A list of thousands of lines helps no one and takes long to lay out.
    static constexpr int kMostrados = 500;

    TDocumento& documento_;
    std::vector<TProblema> problemas_;
    QTimer* pendiente_ = nullptr;
    TIdioma idioma_ = TIdioma::Valenciano;
};
