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

}  // namespace

TfrmEditor::TfrmEditor(QWidget* parent) : QMainWindow(parent) {
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

QAction* TfrmEditor::Item(QMenu* menu, std::function<void()> manejador,
                          const QList<QKeySequence>& atajos) {
    QAction* accion = menu->addAction(QString());
    accion->setShortcuts(atajos);
    connect(accion, &QAction::triggered, this, [this, manejador = std::move(manejador)] {
        ProtegeManejador([this, &manejador] {
            // A topic being typed is part of the document before any command.
            Formulario->ConfirmaTema();
            manejador();
        });
    });
    return accion;
}

void TfrmEditor::CreaMenu() {
    const auto de = [this](void (TfrmEditor::*manejador)()) {
        return [this, manejador] { (this->*manejador)(); };
    };
    const auto item = [this](QMenu* menu, std::function<void()> manejador,
                             const QList<QKeySequence>& atajos = {}) {
        return Item(menu, std::move(manejador), atajos);
    };
    menuFichero = menuBar()->addMenu(QString());
    menuNuevo = item(menuFichero, de(&TfrmEditor::menuNuevoClick), {QKeySequence::New});
    menuAbrir = item(menuFichero, [this] { Ficheros->EligeYAbre(); }, {QKeySequence::Open});
    menuRecientes = menuFichero->addMenu(QString());
    Ficheros = new TFlujoFicheros(Documento, menuRecientes, this);
    Ficheros->ConfirmaEdicion = [this] { Formulario->ConfirmaTema(); };
    connect(Ficheros, &TFlujoFicheros::Guardado, this, [this] {
        ActualizaTitulo();
        Temas->Actualiza();
        statusBar()->showMessage(Documento.AvisoFaltas());
    });
    menuFichero->addSeparator();
    menuGuardar = item(menuFichero, [this] { Ficheros->Guarda(); }, {QKeySequence::Save});
    menuGuardarComo = item(menuFichero, [this] { Ficheros->GuardaComo(); },
                           {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S)});
    menuExportar = item(menuFichero, [this] { Ficheros->Exporta(); });
    Intercambio = new TFlujoIntercambio(
        Documento, *Ficheros, menuFichero, menuExportar,
        [item](QMenu* menu, auto manejador) { return item(menu, manejador); }, this);
    menuFichero->addSeparator();
    menuTerminar = menuFichero->addAction(QString());
    menuTerminar->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
    connect(menuTerminar, &QAction::triggered, this, &QWidget::close);

    menuEdicion = menuBar()->addMenu(QString());
    CreaDeshacer();
    menuEdicion->addSeparator();
    menuAnadir =
        item(menuEdicion, de(&TfrmEditor::menuAnadirClick),
             {QKeySequence(Qt::CTRL | Qt::Key_Return), QKeySequence(Qt::CTRL | Qt::Key_Enter)});
    menuDuplicar =
        item(menuEdicion, de(&TfrmEditor::menuDuplicarClick), {QKeySequence(Qt::CTRL | Qt::Key_D)});
    menuBorrar = item(menuEdicion, de(&TfrmEditor::menuBorrarClick),
                      {QKeySequence(Qt::CTRL | Qt::Key_Delete)});
    // Only where the list has the focus: in the text, Ctrl+Delete deletes the next word.
    menuBorrar->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    Lista->Tabla->addAction(menuBorrar);
    menuSubir =
        item(menuEdicion, de(&TfrmEditor::menuSubirClick), {QKeySequence(Qt::ALT | Qt::Key_Up)});
    menuBajar =
        item(menuEdicion, de(&TfrmEditor::menuBajarClick), {QKeySequence(Qt::ALT | Qt::Key_Down)});
    menuEdicion->addSeparator();
    menuBuscar = item(menuEdicion, de(&TfrmEditor::menuBuscarClick), {QKeySequence::Find});
    menuHueco =
        item(menuEdicion, de(&TfrmEditor::menuHuecoClick), {QKeySequence(Qt::CTRL | Qt::Key_G)});

    menuIdioma = menuBar()->addMenu(QString());
    menuCastellano = menuIdioma->addAction(QString());
    connect(menuCastellano, &QAction::triggered, this,
            [this] { CambiaIdioma(TIdioma::Castellano); });
    menuValenciano = menuIdioma->addAction(QString());
    connect(menuValenciano, &QAction::triggered, this,
            [this] { CambiaIdioma(TIdioma::Valenciano); });
}

void TfrmEditor::CreaDeshacer() {
    // Qt composes the captions with the command's name; they are made again in a new language.
    QAction* antesDeshacer = menuDeshacer;
    QAction* antesRehacer = menuRehacer;
    menuDeshacer = Documento.Pila()->createUndoAction(this, Texto(Idioma, "&Deshacer", "&Desfer"));
    menuDeshacer->setShortcut(QKeySequence::Undo);
    menuRehacer = Documento.Pila()->createRedoAction(this, Texto(Idioma, "&Rehacer", "&Refer"));
    menuRehacer->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});
    if (antesDeshacer == nullptr) {
        menuEdicion->addAction(menuDeshacer);
        menuEdicion->addAction(menuRehacer);
        return;
    }
    menuEdicion->insertAction(antesDeshacer, menuDeshacer);
    menuEdicion->insertAction(antesDeshacer, menuRehacer);
    delete antesDeshacer;
    delete antesRehacer;
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
    const auto texto = [idioma](const char* es, const char* va) { return Texto(idioma, es, va); };
    TraduceQt(idioma);
    // The undo steps are named anew before the undo captions are made from their names.
    Documento.CambiaIdioma(idioma);
    menuFichero->setTitle(texto("&Fichero", "&Fitxer"));
    menuNuevo->setText(texto("&Nuevo", "&Nou"));
    menuAbrir->setText(texto("&Abrir...", "&Obrir..."));
    menuRecientes->setTitle(texto("Abiertos &recientemente", "Oberts &recentment"));
    menuGuardar->setText(texto("&Guardar", "&Guardar"));
    menuGuardarComo->setText(texto("Guardar &como...", "Guardar &com..."));
    menuExportar->setText(texto("&Exportar texto fuente...", "&Exportar text font..."));
    Intercambio->CambiaIdioma(idioma);
    menuTerminar->setText(texto("&Terminar", "&Terminar"));
    menuEdicion->setTitle(texto("&Edición", "&Edició"));
    CreaDeshacer();
    menuAnadir->setText(texto("&Añadir pregunta", "&Afegir pregunta"));
    menuDuplicar->setText(texto("D&uplicar pregunta", "D&uplicar pregunta"));
    menuBorrar->setText(texto("&Borrar pregunta", "&Esborrar pregunta"));
    menuSubir->setText(texto("&Subir pregunta", "&Pujar pregunta"));
    menuBajar->setText(texto("Ba&jar pregunta", "Ba&ixar pregunta"));
    menuBuscar->setText(texto("Bu&scar...", "&Cercar..."));
    menuHueco->setText(texto("&Hacer un hueco", "&Fer un buit"));
    menuIdioma->setTitle(texto("&Idioma", "&Idioma"));
    menuCastellano->setText(texto("&Castellano", "&Castellà"));
    menuValenciano->setText(texto("&Valenciano", "&Valencià"));
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
