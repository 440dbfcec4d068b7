#pragma once

#include <QWidget>

#include <vector>

#include "core/base/language.h"
#include "core/dictation/dictation.h"

class QLabel;
class QPlainTextEdit;
class QPushButton;

// The checked dictation: each word of the text in its place, the misspelt ones red with the right
// spelling above them, the missing ones in brackets, the extra ones struck out.
class TCorreccionDictado : public QWidget {
    Q_OBJECT
  public:
    explicit TCorreccionDictado(QWidget* parent = nullptr);
    void Muestra(std::vector<TPalabraDictada> palabras);
    const std::vector<TPalabraDictada>& Palabras() const { return palabras_; }
    QSize sizeHint() const override;
    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int ancho) const override;

  protected:
    void paintEvent(QPaintEvent* evento) override;

  private:
    // Each word's box, laid out in lines of the given width; the height used.
    int Coloca(int ancho, std::vector<QRect>* cajas) const;
    std::vector<TPalabraDictada> palabras_;
};

// The colours of a checked word.
QColor ColorDictado(TPalabraDictada::TEstado estado);

// Where the learner writes what is read: one box, a check button and the checked text.
class TVistaDictado : public QWidget {
    Q_OBJECT
  public:
    explicit TVistaDictado(QWidget* parent = nullptr);
    QLabel* lblInstrucciones = nullptr;
    QPlainTextEdit* Entrada = nullptr;
    QPushButton* btnComprobar = nullptr;
    TCorreccionDictado* Correccion = nullptr;

    void CambiaIdioma(TIdioma idioma);
    // A new dictation: nothing written, nothing checked.
    void Empieza();
};
