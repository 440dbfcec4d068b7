#pragma once

#include <QObject>
#include <QString>

#include <functional>
#include <optional>

#include "core/base/language.h"

class QAction;
class QMenu;
class QPrintPreviewDialog;
class QWidget;
class TDocumento;
class TFlujoFicheros;

// The document beyond Tildora: to and from a Moodle quiz file, and onto paper or a PDF as a
// worksheet. Its menu items go into the File menu after the given item.
class TFlujoIntercambio : public QObject {
    Q_OBJECT
  public:
    using TCreaItem = std::function<QAction*(QMenu* menu, std::function<void()> manejador)>;
    TFlujoIntercambio(TDocumento& documento, TFlujoFicheros& ficheros, QMenu* menuFichero,
                      QAction* despuesDe, const TCreaItem& creaItem, QWidget* ventana);

    void CambiaIdioma(TIdioma idioma);

    // File, Export, Moodle XML; File, Import; File, Print (with its preview); File, Export PDF.
    void ExportaMoodle();
    void Importa();
    void Imprime();
    void ExportaPdf();

    QMenu* menuExportarA = nullptr;
    QAction* menuMoodle = nullptr;
    QAction* menuImportar = nullptr;
    QAction* menuImprimir = nullptr;
    QAction* menuExportarPdf = nullptr;

    // The file dialogs: the chosen path, or empty when cancelled. Tests replace them.
    enum class TDialogo { ExportarMoodle, Importar, ExportarPdf };
    std::function<QString(TDialogo dialogo, const QString& propuesta)> EligeFichero;
    // Whether the sheet ends with its answer key; none when cancelled. Tests replace it.
    std::function<std::optional<bool>()> PreguntaSoluciones;
    // Shows the print preview; tests replace it to look at the dialog and close it.
    std::function<void(QPrintPreviewDialog& dialogo)> MuestraVistaPrevia;

  private:
    QString Texto(const char* castellano, const char* valenciano) const;
    QString Propuesta(const QString& extension) const;
    // The spelling problems still open, in the window's status bar.
    void AvisaFaltas();

    TDocumento& documento_;
    TFlujoFicheros& ficheros_;
    QWidget* ventana_;
    TIdioma idioma_ = TIdioma::Valenciano;
};
