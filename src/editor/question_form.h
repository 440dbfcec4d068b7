#pragma once

#include <QWidget>

#include <cstdint>
#include <functional>
#include <utility>
#include <vector>

#include "core/base/language.h"
#include "document.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QPlainTextEdit;
class QSpinBox;
class QSyntaxHighlighter;

// The fields of the selected question. Every change the teacher makes goes to the document as
// an undoable command; a change that comes from the document (an undo, a redo) only refreshes
// the fields, so the two never echo each other.
class TFormularioPregunta : public QWidget {
    Q_OBJECT
  public:
    TFormularioPregunta(TDocumento& documento, QWidget* parent = nullptr);

    QLabel* lblTema = nullptr;
    QComboBox* cbTema = nullptr;
    QCheckBox* chkAcentos = nullptr;
    // Shows a Modo other than 0 and 1, which is kept until the teacher ticks or unticks.
    QLabel* lblModo = nullptr;
    QLabel* lblAncho = nullptr;
    QSpinBox* spAncho = nullptr;
    QLabel* lblTexto = nullptr;
    QPlainTextEdit* edTexto = nullptr;

    // The unknown words of one paragraph of the text, as (start, length), underlined as the
    // teacher types; RevisaDeNuevo underlines again when what it knows changed.
    std::function<std::vector<std::pair<int, int>>(const QString& parrafo)> Desconocidas;
    void RevisaDeNuevo();

    // The question shown; -1 shows nothing and disables the fields.
    void MuestraFila(int fila);
    int Fila() const { return fila_; }
    // Brings the fields up to date with the document after a change there.
    void Refresca();
    // A topic being typed reaches the document before anything else happens.
    void ConfirmaTema();
    // Wraps the selection in gap marks.
    void HazHueco();
    // Puts the text cursor at a position of the question's text and gives it the focus.
    void VeAPosicion(int posicion);
    void CambiaIdioma(TIdioma idioma);

    // The document's text (paragraphs split by carriage returns) in the edit, and back.
    static QString TextoEnEdicion(const QString& texto);
    static QString TextoDeEdicion(const QString& texto);

  protected:
    bool eventFilter(QObject* objeto, QEvent* evento) override;

  private:
    void OfreceTemas();
    void cbTemaElegido(int indice);
    void edTextoChange();
    void chkAcentosClick();
    void spAnchoChange();

    TDocumento& documento_;
    QSyntaxHighlighter* resaltador_ = nullptr;
    int fila_ = -1;
    // True while the fields are being filled from the document: no change goes back to it.
    bool refrescando_ = false;
    QStringList temas_;  // the topics offered, in full
};
