#pragma once

#include <QDialog>

#include <vector>

#include "core/authoring/text_import.h"
#include "core/base/language.h"
#include "document.h"

class QCheckBox;
class QComboBox;
class QDialogButtonBox;
class QLabel;
class QListWidget;
class QRadioButton;

// A plain text about to become questions, one per paragraph: the teacher picks the topic and
// the accent practice once for all of them and sees what cannot be kept.
class TDialogoImportar : public QDialog {
    Q_OBJECT
  public:
    // despuesDe: the selected question's number, offered as the place of the new questions
    // beside the end of the set; 0 when they simply go at the end.
    TDialogoImportar(const QString& texto, const QStringList& temas, const QString& tema,
                     TIdioma idioma, int despuesDe = 0, QWidget* parent = nullptr);

    QLabel* lblResumen = nullptr;
    QComboBox* cbTema = nullptr;
    QCheckBox* chkAcentos = nullptr;
    QRadioButton* rbDespues = nullptr;  // after the selected question
    QRadioButton* rbAlFinal = nullptr;
    QLabel* lblRechazados = nullptr;
    QListWidget* lstRechazados = nullptr;
    QDialogButtonBox* botones = nullptr;

    // The questions with the topic and the setting chosen.
    std::vector<TPreguntaEditada> Preguntas() const;
    const TTextoImportado& Importado() const { return importado_; }
    bool AlFinal() const;

  private:
    std::string texto_;  // UTF-8
    TTextoImportado importado_;
};
