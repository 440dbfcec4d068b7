#pragma once

#include <QMainWindow>
#include <QMessageBox>

#include <cstdint>
#include <functional>

#include "document.h"

class QAction;
class QMenu;
class QSplitter;
class QTabWidget;
class TFormularioPregunta;
class TListaPreguntas;
class TPanelProblemas;
class TPanelTemas;
class TPanelVistaPrevia;
class THerramientasTexto;

// The editor's main window: the question list beside the selected question's form and preview,
// the checks and the topics below the list.
class TfrmEditor : public QMainWindow {
    Q_OBJECT
  public:
    explicit TfrmEditor(QWidget* parent = nullptr);
    ~TfrmEditor() override;

    TDocumento Documento;

    TListaPreguntas* Lista = nullptr;
    TFormularioPregunta* Formulario = nullptr;
    TPanelVistaPrevia* VistaPrevia = nullptr;
    TPanelProblemas* Problemas = nullptr;
    TPanelTemas* Temas = nullptr;
    THerramientasTexto* HerramientasTexto = nullptr;
    QTabWidget* Pestanas = nullptr;
    QSplitter* DivisorPrincipal = nullptr;
    QSplitter* DivisorIzquierdo = nullptr;
    QSplitter* DivisorDerecho = nullptr;

    QMenu* menuFichero = nullptr;
    QAction* menuNuevo = nullptr;
    QAction* menuAbrir = nullptr;
    QMenu* menuRecientes = nullptr;
    QAction* menuGuardar = nullptr;
    QAction* menuGuardarComo = nullptr;
    QAction* menuExportar = nullptr;
    QAction* menuTerminar = nullptr;
    QMenu* menuEdicion = nullptr;
    QAction* menuDeshacer = nullptr;
    QAction* menuRehacer = nullptr;
    QAction* menuAnadir = nullptr;
    QAction* menuDuplicar = nullptr;
    QAction* menuBorrar = nullptr;
    QAction* menuSubir = nullptr;
    QAction* menuBajar = nullptr;
    QAction* menuBuscar = nullptr;
    QAction* menuHueco = nullptr;
    QMenu* menuIdioma = nullptr;
    QAction* menuCastellano = nullptr;
    QAction* menuValenciano = nullptr;

    uint16_t Idioma = 1;

    // The file dialogs: the chosen path, or empty when cancelled. Tests replace them.
    enum class TDialogo { Abrir, GuardarConjunto, ExportarFuente };
    std::function<QString(TDialogo dialogo, const QString& propuesta)> EligeFichero;
    // Unsaved changes: Save, Discard or Cancel. Tests replace it.
    std::function<QMessageBox::StandardButton()> PreguntaCambios;

    // Opens a set (.preg) or a question source; false when nothing was opened.
    bool Abre(const QString& ruta);
    // Save, Save As: false when nothing was saved.
    bool Guarda();
    bool GuardaComo();

    void menuNuevoClick();
    void menuAbrirClick();
    void menuExportarClick();
    void menuAnadirClick();
    void menuDuplicarClick();
    void menuBorrarClick();
    void menuSubirClick();
    void menuBajarClick();
    void menuBuscarClick();
    void menuHuecoClick();
    void CambiaIdioma(uint16_t idioma);

    int FilaActual() const;
    void SeleccionaFila(int fila);

  protected:
    void closeEvent(QCloseEvent* evento) override;

  private:
    void CreaMenu();
    void CreaDeshacer();
    // True when the changes were saved or may be dropped.
    bool ConfirmaCambios();
    bool GuardaEn(const QString& ruta);
    void DocumentoNuevo();
    void FilaCambiada(int fila);
    void PreguntaCambiada(int fila);
    void MuestraActual();
    void ActualizaTitulo();
    void ActualizaAcciones();
    void ActualizaPestanas();
    void AnadeReciente(const QString& ruta);
    void ActualizaRecientes();
    QString CarpetaDialogos() const;
};
