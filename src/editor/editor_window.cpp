#include "editor_window.h"

#include <QAction>
#include <QCloseEvent>
#include <QFileInfo>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QSplitter>
#include <QStatusBar>
#include <QTabWidget>
#include <QTableView>

#include "checks_panel.h"
#include "command_table.h"
#include "editor_settings.h"
#include "exchange_flow.h"
#include "interface_text.h"
#include "notices.h"
#include "preview_panel.h"
#include "qt_translations.h"
#include "question_form.h"
#include "question_list.h"
#include "svg_picture.h"
#include "text_tools.h"
#include "topics_panel.h"

namespace {

const QString kClaveIdioma = QStringLiteral("idioma");

using W = TfrmEditor;

std::vector<TMenuOrdenes> MenusEditor(W& v) {
    return {
        {&v.menuFichero, {"&Fichero", "&Fitxer"}},
        {&v.menuEdicion, {"&Edición", "&Edició"}},
        {&v.menuIdioma, {"&Idioma", "&Idioma"}},
    };
}

// Undo and redo name the step they take back: their captions are composed with it.
constexpr TDosTextos kDeshacer{"&Deshacer", "&Desfer"};
constexpr TDosTextos kRehacer{"&Rehacer", "&Refer"};

// Every command of the menus, in their order.
std::vector<TOrden> OrdenesEditor(W& v) {
    return {
        {.Menu = &v.menuFichero,
         .Item = &v.menuNuevo,
         .Texto = {"&Nuevo", "&Nou"},
         .Atajos = {QKeySequence::New},
         .Manejador = [&v] { v.menuNuevoClick(); }},
        {.Menu = &v.menuFichero,
         .Item = &v.menuAbrir,
         .Texto = {"&Abrir...", "&Obrir..."},
         .Atajos = {QKeySequence::Open},
         .Manejador = [&v] { v.Ficheros->EligeYAbre(); }},
        {.Menu = &v.menuFichero,
         .Submenu = &v.menuRecientes,
         .Texto = {"Abiertos &recientemente", "Oberts &recentment"}},
        {.Menu = &v.menuFichero},
        {.Menu = &v.menuFichero,
         .Item = &v.menuGuardar,
         .Texto = {"&Guardar", "&Guardar"},
         .Atajos = {QKeySequence::Save},
         .Manejador = [&v] { v.Ficheros->Guarda(); }},
        {.Menu = &v.menuFichero,
         .Item = &v.menuGuardarComo,
         .Texto = {"Guardar &como...", "Guardar &com..."},
         .Atajos = {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S)},
         .Manejador = [&v] { v.Ficheros->GuardaComo(); }},
        {.Menu = &v.menuFichero,
         .Item = &v.menuExportar,
         .Texto = {"&Exportar texto fuente...", "&Exportar text font..."},
         .Manejador = [&v] { v.Ficheros->Exporta(); }},
        {.Menu = &v.menuFichero},
        {.Menu = &v.menuFichero,
         .Item = &v.menuTerminar,
         .Texto = {"&Terminar", "&Terminar"},
         .Atajos = {QKeySequence(Qt::CTRL | Qt::Key_Q)},
         .Manejador = [&v] { v.close(); }},
        {.Menu = &v.menuEdicion,
         .Item = &v.menuDeshacer,
         .Texto = kDeshacer,
         .Atajos = {QKeySequence::Undo},
         .Manejador = [&v] { v.Documento.Pila()->undo(); }},
        {.Menu = &v.menuEdicion,
         .Item = &v.menuRehacer,
         .Texto = kRehacer,
         .Atajos = {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z),
                    QKeySequence(Qt::CTRL | Qt::Key_Y)},
         .Manejador = [&v] { v.Documento.Pila()->redo(); }},
        {.Menu = &v.menuEdicion},
        {.Menu = &v.menuEdicion,
         .Item = &v.menuAnadir,
         .Texto = {"&Añadir pregunta", "&Afegir pregunta"},
         .Atajos = {QKeySequence(Qt::CTRL | Qt::Key_Return),
                    QKeySequence(Qt::CTRL | Qt::Key_Enter)},
         .Manejador = [&v] { v.menuAnadirClick(); }},
        {.Menu = &v.menuEdicion,
         .Item = &v.menuDuplicar,
         .Texto = {"D&uplicar pregunta", "D&uplicar pregunta"},
         .Atajos = {QKeySequence(Qt::CTRL | Qt::Key_D)},
         .Manejador = [&v] { v.menuDuplicarClick(); }},
        {.Menu = &v.menuEdicion,
         .Item = &v.menuBorrar,
         .Texto = {"&Borrar pregunta", "&Esborrar pregunta"},
         .Atajos = {QKeySequence(Qt::CTRL | Qt::Key_Delete)},
         .Manejador = [&v] { v.menuBorrarClick(); }},
        {.Menu = &v.menuEdicion,
         .Item = &v.menuSubir,
         .Texto = {"&Subir pregunta", "&Pujar pregunta"},
         .Atajos = {QKeySequence(Qt::ALT | Qt::Key_Up)},
         .Manejador = [&v] { v.menuSubirClick(); }},
        {.Menu = &v.menuEdicion,
         .Item = &v.menuBajar,
         .Texto = {"Ba&jar pregunta", "Ba&ixar pregunta"},
         .Atajos = {QKeySequence(Qt::ALT | Qt::Key_Down)},
         .Manejador = [&v] { v.menuBajarClick(); }},
        {.Menu = &v.menuEdicion},
        {.Menu = &v.menuEdicion,
         .Item = &v.menuBuscar,
         .Texto = {"Bu&scar...", "&Cercar..."},
         .Atajos = {QKeySequence::Find},
         .Manejador = [&v] { v.menuBuscarClick(); }},
        {.Menu = &v.menuEdicion,
         .Item = &v.menuHueco,
         .Texto = {"&Hacer un hueco", "&Fer un buit"},
         .Atajos = {QKeySequence(Qt::CTRL | Qt::Key_G)},
         .Manejador = [&v] { v.menuHuecoClick(); }},
        {.Menu = &v.menuIdioma,
         .Item = &v.menuCastellano,
         .Texto = {"&Castellano", "&Castellà"},
         .Manejador = [&v] { v.CambiaIdioma(TIdioma::Castellano); }},
        {.Menu = &v.menuIdioma,
         .Item = &v.menuValenciano,
         .Texto = {"&Valenciano", "&Valencià"},
         .Manejador = [&v] { v.CambiaIdioma(TIdioma::Valenciano); }},
    };
}

// Qt's own composition: the caption alone while there is no step to name.
QString Compuesto(const QString& orden, const QString& paso) {
    return paso.isEmpty() ? orden : orden + QLatin1Char(' ') + paso;
}

}  // namespace

TfrmEditor::TfrmEditor(QWidget* parent)
    : QMainWindow(parent),
      Ordenes(*this, MenusEditor(*this), OrdenesEditor(*this), TAtajos::EnItems,
              [this](const std::function<void()>& manejador) { Ejecuta(manejador); }) {
    setWindowIcon(IconoSvg(QStringLiteral(":/icons/tildora_editor.svg")));

    Lista = new TListaPreguntas(Documento);
    Problemas = new TPanelProblemas(Documento);
    Temas = new TPanelTemas(Documento);
    Pestanas = new QTabWidget;
    Pestanas->addTab(Problemas, QString());
    Pestanas->addTab(Temas, QString());
    Formulario = new TFormularioPregunta(Documento);
    VistaPrevia = new TPanelVistaPrevia;

    DivisorIzquierdo = new QSplitter(Qt::Vertical);
    DivisorIzquierdo->addWidget(Lista);
    DivisorIzquierdo->addWidget(Pestanas);
    DivisorIzquierdo->setStretchFactor(0, 3);
    DivisorIzquierdo->setStretchFactor(1, 1);
    DivisorDerecho = new QSplitter(Qt::Vertical);
    DivisorDerecho->addWidget(Formulario);
    DivisorDerecho->addWidget(VistaPrevia);
    DivisorDerecho->setStretchFactor(1, 1);
    DivisorPrincipal = std::make_unique<QSplitter>(Qt::Horizontal);
    DivisorPrincipal->addWidget(DivisorIzquierdo);
    DivisorPrincipal->addWidget(DivisorDerecho);
    DivisorPrincipal->setStretchFactor(1, 1);
    DivisorPrincipal->setChildrenCollapsible(false);
    setCentralWidget(DivisorPrincipal.get());
    resize(1240, 820);
    DivisorPrincipal->setSizes({430, 810});
    DivisorIzquierdo->setSizes({600, 220});
    DivisorDerecho->setSizes({250, 570});

    connect(Lista, &TListaPreguntas::FilaCambiada, this, &TfrmEditor::FilaCambiada);
    connect(&Documento, &TDocumento::PreguntaCambiada, this, &TfrmEditor::PreguntaCambiada);
    // A row that moves or appears elsewhere changes the number of the question shown.
    for (auto senal : {&QAbstractItemModel::rowsInserted, &QAbstractItemModel::rowsRemoved})
        connect(&Documento, senal, this, [this] { FilaCambiada(Lista->FilaActual()); });
    connect(&Documento, &QAbstractItemModel::rowsMoved, this,
            [this] { FilaCambiada(Lista->FilaActual()); });
    connect(&Documento, &TDocumento::DocumentoReemplazado, this, [this] {
        ActualizaTitulo();
        SeleccionaFila(0);
    });
    connect(Documento.Pila(), &QUndoStack::cleanChanged, this, &TfrmEditor::ActualizaTitulo);
    connect(Documento.Pila(), &QUndoStack::indexChanged, this, &TfrmEditor::ActualizaAcciones);
    connect(Problemas, &TPanelProblemas::ProblemaElegido, this, [this](int fila, int posicion) {
        SeleccionaFila(fila);
        if (posicion >= 0)
            Formulario->VeAPosicion(posicion);
    });
    connect(Problemas, &TPanelProblemas::Contados, this, &TfrmEditor::ActualizaPestanas);

    CreaMenu();
    HerramientasTexto = new THerramientasTexto(*this);
    const int idioma = AjustesEditor().value(kClaveIdioma, static_cast<int>(Idioma)).toInt();
    CambiaIdioma(idioma == static_cast<int>(TIdioma::Castellano) ? TIdioma::Castellano
                                                                 : TIdioma::Valenciano);
    DocumentoNuevo();
    Lista->Tabla->setFocus();
}

TfrmEditor::~TfrmEditor() = default;

void TfrmEditor::Ejecuta(const std::function<void()>& manejador) {
    ProtegeManejador([this, &manejador] {
        // A topic being typed is part of the document before any command.
        Formulario->ConfirmaTema();
        manejador();
    });
}

QAction* TfrmEditor::Item(QMenu* menu, std::function<void()> manejador) {
    QAction* accion = menu->addAction(QString());
    connect(accion, &QAction::triggered, this,
            [this, manejador = std::move(manejador)] { Ejecuta(manejador); });
    return accion;
}

void TfrmEditor::CreaMenu() {
    Ordenes.CreaMenus(menuBar());
    Ficheros = new TFlujoFicheros(Documento, menuRecientes, this);
    Ficheros->ConfirmaEdicion = [this] { Formulario->ConfirmaTema(); };
    connect(Ficheros, &TFlujoFicheros::Guardado, this, [this] {
        ActualizaTitulo();
        Temas->Actualiza();
        statusBar()->showMessage(Documento.AvisoFaltas());
    });
    Intercambio = new TFlujoIntercambio(
        Documento, *Ficheros, menuFichero, menuExportar,
        [this](QMenu* menu, auto manejador) { return Item(menu, manejador); }, this);
    // Only where the list has the focus: in the text, Ctrl+Delete deletes the next word.
    menuBorrar->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    Lista->Tabla->addAction(menuBorrar);

    QUndoStack* pila = Documento.Pila();
    menuDeshacer->setEnabled(pila->canUndo());
    menuRehacer->setEnabled(pila->canRedo());
    connect(pila, &QUndoStack::canUndoChanged, menuDeshacer, &QAction::setEnabled);
    connect(pila, &QUndoStack::canRedoChanged, menuRehacer, &QAction::setEnabled);
    connect(pila, &QUndoStack::undoTextChanged, this, &TfrmEditor::RotulaDeshacer);
    connect(pila, &QUndoStack::redoTextChanged, this, &TfrmEditor::RotulaDeshacer);
}

void TfrmEditor::RotulaDeshacer() {
    menuDeshacer->setText(Compuesto(kDeshacer.En(Idioma), Documento.Pila()->undoText()));
    menuRehacer->setText(Compuesto(kRehacer.En(Idioma), Documento.Pila()->redoText()));
}

void TfrmEditor::DocumentoNuevo() {
    Documento.Nuevo();
    // One empty question to start typing in; it is no change to save.
    Documento.Inserta(-1, {});
    Documento.Pila()->clear();
    SeleccionaFila(0);
}

void TfrmEditor::FilaCambiada(int fila) {
    Formulario->MuestraFila(fila);
    MuestraActual();
    ActualizaAcciones();
}

void TfrmEditor::PreguntaCambiada(int fila) {
    if (fila != Formulario->Fila())
        return;
    Formulario->Refresca();
    MuestraActual();
}

void TfrmEditor::MuestraActual() {
    const int fila = Formulario->Fila();
    if (fila < 0) {
        VistaPrevia->Limpia();
        return;
    }
    VistaPrevia->Muestra(Documento.Pregunta(fila), fila + 1);
}

int TfrmEditor::FilaActual() const {
    return Lista->FilaActual();
}

void TfrmEditor::SeleccionaFila(int fila) {
    Lista->SeleccionaFila(fila);
}

void TfrmEditor::ActualizaTitulo() {
    setWindowTitle(Ficheros->NombreDocumento() + QStringLiteral("[*] - Editor de Tildora"));
    setWindowModified(Documento.Modificado());
}

void TfrmEditor::ActualizaAcciones() {
    const int fila = FilaActual();
    for (QAction* accion : {menuDuplicar, menuBorrar, menuHueco})
        accion->setEnabled(fila >= 0);
    menuSubir->setEnabled(fila > 0);
    menuBajar->setEnabled(fila >= 0 && fila < Documento.Cuenta() - 1);
}

void TfrmEditor::closeEvent(QCloseEvent* evento) {
    bool cerrar = false;
    ProtegeManejador([this, &cerrar] { cerrar = Ficheros->ConfirmaCambios(); });
    if (cerrar) {
        evento->accept();
    } else {
        evento->ignore();
    }
}

void TfrmEditor::menuNuevoClick() {
    if (Ficheros->ConfirmaCambios())
        DocumentoNuevo();
}

void TfrmEditor::menuAnadirClick() {
    const int fila = FilaActual();
    TPreguntaEditada nueva;
    if (fila >= 0) {
        // A new question usually goes on with the topic and settings of the one before.
        const TPreguntaEditada& actual = Documento.Pregunta(fila);
        nueva.Tema = actual.Tema;
        nueva.Modo = actual.Modo;
        nueva.AnchoMinimo = actual.AnchoMinimo;
    }
    SeleccionaFila(Documento.Inserta(fila, nueva));
    Formulario->edTexto->setFocus();
}

void TfrmEditor::menuDuplicarClick() {
    const int fila = FilaActual();
    if (fila >= 0)
        SeleccionaFila(Documento.Duplica(fila));
}

void TfrmEditor::menuBorrarClick() {
    const int fila = FilaActual();
    if (fila < 0)
        return;
    Documento.Borra(fila);
    SeleccionaFila(std::min(fila, Documento.Cuenta() - 1));
}

void TfrmEditor::menuSubirClick() {
    const int fila = FilaActual();
    if (fila <= 0)
        return;
    Documento.Mueve(fila, fila - 1);
    SeleccionaFila(fila - 1);
}

void TfrmEditor::menuBajarClick() {
    const int fila = FilaActual();
    if (fila < 0 || fila >= Documento.Cuenta() - 1)
        return;
    Documento.Mueve(fila, fila + 1);
    SeleccionaFila(fila + 1);
}

void TfrmEditor::menuBuscarClick() {
    Lista->edBuscar->setFocus();
    Lista->edBuscar->selectAll();
}

void TfrmEditor::menuHuecoClick() {
    Formulario->HazHueco();
}

void TfrmEditor::CambiaIdioma(TIdioma idioma) {
    Idioma = idioma;
    AjustesEditor().setValue(kClaveIdioma, static_cast<int>(idioma));
    const bool castellano = idioma == TIdioma::Castellano;
    TraduceQt(idioma);
    // The undo steps are named anew before the undo captions are made from their names.
    Documento.CambiaIdioma(idioma);
    Ordenes.CambiaIdioma(idioma);
    RotulaDeshacer();
    Intercambio->CambiaIdioma(idioma);
    menuCastellano->setEnabled(!castellano);
    menuValenciano->setEnabled(castellano);
    Lista->CambiaIdioma(idioma);
    Formulario->CambiaIdioma(idioma);
    Problemas->CambiaIdioma(idioma);
    Temas->CambiaIdioma(idioma);
    ActualizaPestanas();
    ActualizaTitulo();
}

void TfrmEditor::ActualizaPestanas() {
    const int problemas = Problemas->NumProblemas();
    const QString nombre = Texto(Idioma, "Problemas", "Problemes");
    Pestanas->setTabText(
        0, problemas > 0 ? QStringLiteral("%1 (%2)").arg(nombre).arg(problemas) : nombre);
    Pestanas->setTabText(1, Texto(Idioma, "Temas", "Temes"));
}
