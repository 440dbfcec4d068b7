#pragma once

#include <QMessageBox>
#include <QObject>
#include <QString>

#include <functional>

class QMenu;
class QWidget;
class TDocumento;
class TRecientes;

// Opening, saving and exporting the document, with their file dialogs, the question about
// unsaved changes, the error boxes and the recent files.
class TFlujoFicheros : public QObject {
    Q_OBJECT
  public:
    TFlujoFicheros(TDocumento& documento, QMenu* menuRecientes, QWidget* ventana);

    // The file dialogs: the chosen path, or empty when cancelled. Tests replace them.
    enum class TDialogo { Abrir, GuardarConjunto, ExportarFuente };
    std::function<QString(TDialogo dialogo, const QString& propuesta)> EligeFichero;
    // Unsaved changes: Save, Discard or Cancel. Tests replace it.
    std::function<QMessageBox::StandardButton()> PreguntaCambios;
    // Puts into the document what a field holds still (a topic being typed), before any
    // decision about saving.
    std::function<void()> ConfirmaEdicion = [] {};

    // Opens a set (.preg) or a question source; false when nothing was opened.
    bool Abre(const QString& ruta);
    // File, Open: asks about unsaved changes, then for the file.
    void EligeYAbre();
    // Save, Save As: false when nothing was saved.
    bool Guarda();
    bool GuardaComo();
    void Exporta();
    // True when the changes were saved or may be dropped.
    bool ConfirmaCambios();
    // The document's name for the title: its file's, or "Untitled".
    QString NombreDocumento() const;
    // The set's name for what is made of it (exported files, categories, worksheet titles):
    // the file's without its extension, the imported text's, or "Untitled".
    QString NombreConjunto() const;
    // A text imported into a document never saved: the first save proposes its folder and name.
    void TextoImportado(const QString& ruta);

  signals:
    void Guardado();

  private:
    bool GuardaEn(const QString& ruta);
    QString CarpetaDialogos() const;
    QString Propuesta(const char* castellano, const char* valenciano,
                      const QString& extension) const;
    QString DialogoFichero(TDialogo tipo, const QString& propuesta);

    TDocumento& documento_;
    TRecientes* recientes_;
    QWidget* ventana_;
    QString textoImportado_;
};
