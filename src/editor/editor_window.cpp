#include "editor_window.h"

#include <QAction>
#include <QCloseEvent>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QSettings>
#include <QSplitter>
#include <QStandardPaths>
#include <QTabWidget>
#include <QTableView>

#include "checks_panel.h"
#include "notices.h"
#include "preview_panel.h"
#include "qt_translations.h"
#include "question_form.h"
#include "question_list.h"
#include "svg_picture.h"
#include "text_tools.h"
#include "topics_panel.h"

namespace {

constexpr int kMaxRecientes = 8;
const QString kClaveRecientes = QStringLiteral("recientes");

// Kept under XDG_CONFIG_HOME, in the program's own folder.
QSettings Ajustes() {
    return QSettings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Tildora"),
                     QStringLiteral("tildora-editor"));
}

QString ConExtension(const QString& ruta, const QString& extension) {
    const QFileInfo fichero(ruta);
    return fichero.path() + QLatin1Char('/') + fichero.completeBaseName() + extension;
}

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
    DivisorPrincipal = new QSplitter(Qt::Horizontal);
    DivisorPrincipal->addWidget(DivisorIzquierdo);
    DivisorPrincipal->addWidget(DivisorDerecho);
    DivisorPrincipal->setStretchFactor(1, 1);
    DivisorPrincipal->setChildrenCollapsible(false);
    setCentralWidget(DivisorPrincipal);
    resize(1240, 820);
    DivisorPrincipal->setSizes({430, 810});
    DivisorIzquierdo->setSizes({600, 220});
    DivisorDerecho->setSizes({250, 570});

    EligeFichero = [this](TDialogo tipo, const QString& propuesta) {
        const bool castellano = Idioma == 0;
        QFileDialog dialogo(this);
        dialogo.setDirectory(QFileInfo(propuesta).path());
        if (tipo == TDialogo::Abrir) {
            dialogo.setWindowTitle(castellano ? QStringLiteral("Abrir") : QStringLiteral("Obrir"));
            dialogo.setNameFilters({castellano
                                        ? QStringLiteral("Preguntas y textos fuente (*.preg *.txt)")
                                        : QStringLiteral("Preguntes i textos font (*.preg *.txt)"),
                                    castellano ? QStringLiteral("Todos los ficheros (*)")
                                               : QStringLiteral("Tots els fitxers (*)")});
            dialogo.setAcceptMode(QFileDialog::AcceptOpen);
            dialogo.setFileMode(QFileDialog::ExistingFile);
        } else {
            const bool conjunto = tipo == TDialogo::GuardarConjunto;
            dialogo.setWindowTitle(conjunto ? (castellano ? QStringLiteral("Guardar como")
                                                          : QStringLiteral("Guardar com"))
                                            : menuExportar->text().remove(QLatin1Char('&')));
            dialogo.setNameFilter(conjunto ? QStringLiteral("Ficheros de test (*.preg)")
                                           : (castellano ? QStringLiteral("Texto fuente (*.txt)")
                                                         : QStringLiteral("Text font (*.txt)")));
            dialogo.setDefaultSuffix(conjunto ? QStringLiteral("preg") : QStringLiteral("txt"));
            dialogo.setAcceptMode(QFileDialog::AcceptSave);
            dialogo.selectFile(QFileInfo(propuesta).fileName());
        }
        return dialogo.exec() == QDialog::Accepted ? dialogo.selectedFiles().value(0) : QString();
    };
    PreguntaCambios = [this] {
        const QString nombre = windowTitle().section(QStringLiteral("[*]"), 0, 0);
        QMessageBox caja(QMessageBox::Warning, QStringLiteral("Editor de Tildora"),
                         Idioma == 0 ? QStringLiteral("«%1» tiene cambios sin guardar. ¿Quiere "
                                                      "guardarlos?")
                                           .arg(nombre)
                                     : QStringLiteral("«%1» té canvis sense guardar. Voleu "
                                                      "guardar-los?")
                                           .arg(nombre),
                         QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, this);
        caja.setDefaultButton(QMessageBox::Save);
        return static_cast<QMessageBox::StandardButton>(caja.exec());
    };

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
    CambiaIdioma(Idioma);
    DocumentoNuevo();
    Lista->Tabla->setFocus();
}

TfrmEditor::~TfrmEditor() {
    // The panels work on the document: they go first, before a last focus change reaches it,
    // and the stack's last signals, emitted as it is destroyed, find no one.
    delete DivisorPrincipal;
    Documento.Pila()->disconnect(this);
    Documento.disconnect(this);
}

void TfrmEditor::CreaMenu() {
    const auto item = [this](QMenu* menu, std::function<void()> manejador,
                             const QList<QKeySequence>& atajos = {}) {
        QAction* accion = menu->addAction(QString());
        accion->setShortcuts(atajos);
        connect(accion, &QAction::triggered, this, [this, manejador] {
            ProtegeManejador([this, manejador] {
                // A topic being typed is part of the document before any command.
                Formulario->ConfirmaTema();
                manejador();
            });
        });
        return accion;
    };
    const auto de = [this](void (TfrmEditor::*manejador)()) {
        return [this, manejador] { (this->*manejador)(); };
    };
    menuFichero = menuBar()->addMenu(QString());
    menuNuevo = item(menuFichero, de(&TfrmEditor::menuNuevoClick), {QKeySequence::New});
    menuAbrir = item(menuFichero, de(&TfrmEditor::menuAbrirClick), {QKeySequence::Open});
    menuRecientes = menuFichero->addMenu(QString());
    menuFichero->addSeparator();
    menuGuardar = item(menuFichero, [this] { Guarda(); }, {QKeySequence::Save});
    menuGuardarComo = item(menuFichero, [this] { GuardaComo(); },
                           {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S)});
    menuExportar = item(menuFichero, de(&TfrmEditor::menuExportarClick));
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
    connect(menuCastellano, &QAction::triggered, this, [this] { CambiaIdioma(0); });
    menuValenciano = menuIdioma->addAction(QString());
    connect(menuValenciano, &QAction::triggered, this, [this] { CambiaIdioma(1); });
    ActualizaRecientes();
}

void TfrmEditor::CreaDeshacer() {
    // Qt composes the captions with the command's name; they are made again in a new language.
    QAction* antesDeshacer = menuDeshacer;
    QAction* antesRehacer = menuRehacer;
    const bool castellano = Idioma == 0;
    menuDeshacer = Documento.Pila()->createUndoAction(
        this, castellano ? QStringLiteral("&Deshacer") : QStringLiteral("&Desfer"));
    menuDeshacer->setShortcut(QKeySequence::Undo);
    menuRehacer = Documento.Pila()->createRedoAction(
        this, castellano ? QStringLiteral("&Rehacer") : QStringLiteral("&Refer"));
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
    const QString nombre =
        Documento.Ruta().isEmpty()
            ? (Idioma == 0 ? QStringLiteral("Sin título") : QStringLiteral("Sense títol"))
            : QFileInfo(Documento.Ruta()).fileName();
    setWindowTitle(nombre + QStringLiteral("[*] - Editor de Tildora"));
    setWindowModified(Documento.Modificado());
}

void TfrmEditor::ActualizaAcciones() {
    const int fila = FilaActual();
    for (QAction* accion : {menuDuplicar, menuBorrar, menuHueco})
        accion->setEnabled(fila >= 0);
    menuSubir->setEnabled(fila > 0);
    menuBajar->setEnabled(fila >= 0 && fila < Documento.Cuenta() - 1);
}

bool TfrmEditor::ConfirmaCambios() {
    Formulario->ConfirmaTema();
    if (!Documento.Modificado())
        return true;
    switch (PreguntaCambios()) {
        case QMessageBox::Save:
            return Guarda();
        case QMessageBox::Discard:
            return true;
        default:
            return false;
    }
}

void TfrmEditor::closeEvent(QCloseEvent* evento) {
    bool cerrar = false;
    ProtegeManejador([this, &cerrar] { cerrar = ConfirmaCambios(); });
    if (cerrar) {
        evento->accept();
    } else {
        evento->ignore();
    }
}

QString TfrmEditor::CarpetaDialogos() const {
    if (!Documento.Ruta().isEmpty())
        return QFileInfo(Documento.Ruta()).absolutePath();
    const QString documentos = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return QFileInfo(documentos).isDir() ? documentos : QDir::homePath();
}

bool TfrmEditor::Abre(const QString& ruta) {
    const bool esConjunto =
        QFileInfo(ruta).suffix().compare(QStringLiteral("preg"), Qt::CaseInsensitive) == 0;
    QStringList aviso;
    QString error;
    const bool abierto = esConjunto ? Documento.AbreConjunto(ruta, &aviso, &error)
                                    : Documento.AbreFuente(ruta, &error);
    if (!abierto) {
        if (!aviso.isEmpty()) {
            Pitido();
            MuestraAviso(aviso);
        } else {
            MuestraError(error);
        }
        return false;
    }
    AnadeReciente(ruta);
    return true;
}

void TfrmEditor::menuNuevoClick() {
    if (ConfirmaCambios())
        DocumentoNuevo();
}

void TfrmEditor::menuAbrirClick() {
    if (!ConfirmaCambios())
        return;
    const QString ruta = EligeFichero(TDialogo::Abrir, CarpetaDialogos() + QLatin1Char('/'));
    if (!ruta.isEmpty())
        Abre(ruta);
}

bool TfrmEditor::Guarda() {
    Formulario->ConfirmaTema();
    return Documento.EsConjunto() ? GuardaEn(Documento.Ruta()) : GuardaComo();
}

bool TfrmEditor::GuardaComo() {
    Formulario->ConfirmaTema();
    const QString propuesta = Documento.Ruta().isEmpty()
                                  ? CarpetaDialogos() + QLatin1Char('/') +
                                        (Idioma == 0 ? QStringLiteral("preguntas.preg")
                                                     : QStringLiteral("preguntes.preg"))
                                  : ConExtension(Documento.Ruta(), QStringLiteral(".preg"));
    QString ruta = EligeFichero(TDialogo::GuardarConjunto, propuesta);
    if (ruta.isEmpty())
        return false;
    if (QFileInfo(ruta).suffix().isEmpty())
        ruta += QStringLiteral(".preg");
    return GuardaEn(ruta);
}

bool TfrmEditor::GuardaEn(const QString& ruta) {
    QString error;
    if (!Documento.GuardaConjunto(ruta, &error)) {
        MuestraError(error);
        return false;
    }
    AnadeReciente(ruta);
    ActualizaTitulo();
    Temas->Actualiza();
    return true;
}

void TfrmEditor::menuExportarClick() {
    const QString propuesta =
        Documento.Ruta().isEmpty()
            ? CarpetaDialogos() + QLatin1Char('/') +
                  (Idioma == 0 ? QStringLiteral("preguntas.txt") : QStringLiteral("preguntes.txt"))
            : ConExtension(Documento.Ruta(), QStringLiteral(".txt"));
    const QString ruta = EligeFichero(TDialogo::ExportarFuente, propuesta);
    if (ruta.isEmpty())
        return;
    QString error;
    if (!Documento.ExportaFuente(ruta, &error))
        MuestraError(error);
}

void TfrmEditor::AnadeReciente(const QString& ruta) {
    QSettings ajustes = Ajustes();
    QStringList recientes = ajustes.value(kClaveRecientes).toStringList();
    const QString absoluta = QFileInfo(ruta).absoluteFilePath();
    recientes.removeAll(absoluta);
    recientes.prepend(absoluta);
    ajustes.setValue(kClaveRecientes, recientes.mid(0, kMaxRecientes));
    ActualizaRecientes();
}

void TfrmEditor::ActualizaRecientes() {
    menuRecientes->clear();
    const QStringList recientes = Ajustes().value(kClaveRecientes).toStringList();
    for (qsizetype i = 0; i < recientes.size(); ++i) {
        const QString ruta = recientes[i];
        QAction* accion = menuRecientes->addAction(
            QStringLiteral("&%1 %2").arg(i + 1).arg(QFileInfo(ruta).fileName()));
        accion->setToolTip(ruta);
        connect(accion, &QAction::triggered, this, [this, ruta] {
            ProtegeManejador([this, ruta] {
                if (ConfirmaCambios())
                    Abre(ruta);
            });
        });
    }
    menuRecientes->setEnabled(!recientes.isEmpty());
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

void TfrmEditor::CambiaIdioma(uint16_t idioma) {
    Idioma = idioma;
    const bool castellano = idioma == 0;
    const auto texto = [castellano](const char* es, const char* va) {
        return QString::fromUtf8(castellano ? es : va);
    };
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
    const QString nombre = Idioma == 0 ? QStringLiteral("Problemas") : QStringLiteral("Problemes");
    Pestanas->setTabText(
        0, problemas > 0 ? QStringLiteral("%1 (%2)").arg(nombre).arg(problemas) : nombre);
    Pestanas->setTabText(1, Idioma == 0 ? QStringLiteral("Temas") : QStringLiteral("Temes"));
}
