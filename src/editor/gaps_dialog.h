#pragma once

#include <QDialog>

#include <vector>

#include "core/authoring/gap_rules.h"
#include "core/base/language.h"
#include "document.h"

class QCheckBox;
class QLabel;
class QPushButton;
class QDialogButtonBox;
class QListWidget;
class QListWidgetItem;
class QPlainTextEdit;
class QRadioButton;
class QSpinBox;
class TPanelVistaPrevia;

// Gaps proposed by spelling rule over the selected text, the question or every question: the
// teacher sees them in the text and the preview, unticks what should stay, and applies the rest
// as one undo step.
class TDialogoHuecos : public QDialog {
    Q_OBJECT
  public:
    // seleccion: the selected part of question fila's text, empty when none.
    TDialogoHuecos(TDocumento& documento, int fila, int inicioSeleccion, int finSeleccion,
                   TIdioma idioma, QWidget* parent = nullptr);

    QRadioButton* rbSeleccion = nullptr;
    QRadioButton* rbPregunta = nullptr;
    QRadioButton* rbTodas = nullptr;
    std::vector<QCheckBox*> chkReglas;  // in the order of DescripcionesReglas()
    QSpinBox* spDistractores = nullptr;
    QSpinBox* spAnchoMinimo = nullptr;  // given to every question the dialog changes
    QListWidget* lstPropuestas = nullptr;
    // Untick every proposal of the current one's word (all its occurrences), of its rule, or all.
    QPushButton* btnDesmarcaPalabra = nullptr;
    QPushButton* btnDesmarcaRegla = nullptr;
    QPushButton* btnDesmarcaTodas = nullptr;
    // Shown when accents and letters go to two questions.
    QLabel* lblSeparadas = nullptr;
    QPlainTextEdit* edResultado = nullptr;
    TPanelVistaPrevia* VistaPrevia = nullptr;
    QDialogButtonBox* botones = nullptr;

    // The question as it would be with the ticked proposals: two questions where accents and
    // letters are both ticked, accent practice first.
    std::vector<TPreguntaEditada> Resultado(int fila) const;
    // Every question with a ticked proposal, changed in one undo step; a split question's
    // letters go right after it.
    void Aplica();

  private:
    struct TPropuestasFila {
        int Fila;
        std::vector<TPropuestaHueco> Propuestas;
    };
    void Propone();
    void MuestraFila(int fila);
    void PropuestaMarcada(QListWidgetItem* elemento);
    // Unticks the proposals for which desmarca is true.
    template <typename Condicion>
    void Desmarca(Condicion desmarca);
    QString PalabraDe(int k, const TPropuestaHueco& propuesta) const;

    TDocumento& documento_;
    int fila_;
    int inicioSeleccion_, finSeleccion_;
    TIdioma idioma_;
    std::vector<TPropuestasFila> propuestas_;
};
