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

// A plain text about to become questions, one per paragraph: the teacher picks the topic and
// the accent practice once for all of them and sees what cannot be kept.
class TDialogoImportar : public QDialog {
    Q_OBJECT
  public:
    TDialogoImportar(const QString& texto, const QStringList& temas, const QString& tema,
                     TIdioma idioma, QWidget* parent = nullptr);

    QLabel* lblResumen = nullptr;
    QComboBox* cbTema = nullptr;
    QCheckBox* chkAcentos = nullptr;
    QLabel* lblRechazados = nullptr;
    QListWidget* lstRechazados = nullptr;
    QDialogButtonBox* botones = nullptr;

    // The questions with the topic and the setting chosen.
    std::vector<TPreguntaEditada> Preguntas() const;
    const TTextoImportado& Importado() const { return importado_; }

  private:
    std::string texto_;  // UTF-8
    TTextoImportado importado_;
};
