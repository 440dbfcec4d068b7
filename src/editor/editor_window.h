#pragma once

#include <QMainWindow>

#include <functional>
#include <memory>

#include "command_table.h"
#include "core/base/language.h"
#include "document.h"
#include "file_flow.h"

class QAction;
class QMenu;
class QSplitter;
class QTabWidget;
class TFlujoIntercambio;
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

    // Every command of the menus: its item, captions in both languages, shortcuts, handler.
    TTablaOrdenes Ordenes;

    // Declared before the widgets that work on it, so that it outlives them.
    TDocumento Documento;
    TFlujoFicheros* Ficheros = nullptr;
    TFlujoIntercambio* Intercambio = nullptr;

    TListaPreguntas* Lista = nullptr;
    TFormularioPregunta* Formulario = nullptr;
    TPanelVistaPrevia* VistaPrevia = nullptr;
    TPanelProblemas* Problemas = nullptr;
    TPanelTemas* Temas = nullptr;
    THerramientasTexto* HerramientasTexto = nullptr;
    QTabWidget* Pestanas = nullptr;
    // The central widget, owned here so that it goes before the document.
    std::unique_ptr<QSplitter> DivisorPrincipal;
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

    TIdioma Idioma = TIdioma::Valenciano;

    void menuNuevoClick();
    void menuAnadirClick();
    void menuDuplicarClick();
    void menuBorrarClick();
    void menuSubirClick();
    void menuBajarClick();
    void menuBuscarClick();
    void menuHuecoClick();
    void CambiaIdioma(TIdioma idioma);

    int FilaActual() const;
    void SeleccionaFila(int fila);

  protected:
    void closeEvent(QCloseEvent* evento) override;

  private:
    void CreaMenu();
    // The captions of undo and redo, in the language, with the step they take back or again.
    void RotulaDeshacer();
    // Runs a command's handler with the topic being typed already in the document.
    void Ejecuta(const std::function<void()>& manejador);
    QAction* Item(QMenu* menu, std::function<void()> manejador);
    void DocumentoNuevo();
    void FilaCambiada(int fila);
    void PreguntaCambiada(int fila);
    void MuestraActual();
    void ActualizaTitulo();
    void ActualizaAcciones();
    void ActualizaPestanas();
};
