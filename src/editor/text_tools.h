#pragma once

#include <QHash>
#include <QObject>
#include <QStringList>

#include <functional>
#include <optional>
#include <vector>

#include "core/base/language.h"
#include "core/spelling/spelling.h"
#include "document.h"

class QAction;
class QComboBox;
class QDialog;
class QLabel;
class QMenu;
class TfrmEditor;

// What turns a plain text into a checked set in the editor: importing a text, gaps by spelling
// rule, and the spelling check of the texts and the answers.
class THerramientasTexto : public QObject {
    Q_OBJECT
  public:
    // carpetasDiccionarios: where the dictionaries are looked for.
    explicit THerramientasTexto(TfrmEditor& ventana, std::vector<std::string> carpetasDiccionarios =
                                                         CarpetasDiccionarios());

    TOrtografia Ortografia;

    QAction* menuImportar = nullptr;
    QAction* menuPegar = nullptr;
    QAction* menuHacerHuecos = nullptr;
    QLabel* lblIdioma = nullptr;
    QComboBox* cbIdioma = nullptr;      // automatic, Castellano, Valenciano
    QLabel* lblDiccionarios = nullptr;  // says, once loaded, which dictionary is missing

    // The text file to import, or empty when cancelled; the dialogs' answer. Tests replace them.
    std::function<QString()> EligeTexto;
    std::function<int(QDialog& dialogo)> Ejecuta;

    void menuImportarClick();
    void menuPegarClick();
    void menuHacerHuecosClick();
    // A plain text (UTF-8 file or clipboard) to questions after the current one or at the end,
    // as the teacher chooses; one undo step.
    // False when nothing was imported.
    bool Importa(const QString& texto);

    // The language the spelling check uses for the question.
    TIdioma IdiomaDe(const TPreguntaEditada& pregunta);
    // The context menu of the question's text at a place of the edit: suggestions for the
    // unknown word there and "add to my words" above the edit's own entries.
    QMenu* MenuTexto(const QPoint& donde);

  signals:
    // Both dictionaries are loaded or known to be missing.
    void Cargados();

  private:
    TIdioma IdiomaInterfaz() const;
    void CambiaIdioma();
    void MuestraIdioma();
    void DiccionariosCargados();
    std::vector<TProblema> RevisaRespuestas(const TPreguntaEditada& pregunta);
    std::vector<std::pair<int, int>> DesconocidasParrafo(const QString& parrafo);
    QStringList Sugerencias(TIdioma idioma, const std::string& palabra);

    TfrmEditor& ventana_;
    QHash<QString, QStringList> sugerencias_;  // by language and word: suggesting takes time
};
