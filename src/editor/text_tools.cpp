#include "text_tools.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QFile>
#include <QFileDialog>
#include <QFormLayout>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QStatusBar>
#include <QTextBlock>
#include <QTimer>

#include "checks_panel.h"
#include "core/authoring/words.h"
#include "editor_window.h"
#include "file_flow.h"
#include "gaps_dialog.h"
#include "import_dialog.h"
#include "interface_text.h"
#include "notices.h"
#include "question_form.h"
#include "question_list.h"
#include "text_bytes.h"

namespace {

constexpr size_t kSugerenciasProblema = 2;
constexpr size_t kSugerenciasMenu = 6;

bool Vacia(const TPreguntaEditada& pregunta) {
    return pregunta.Tema.isEmpty() && pregunta.Texto.isEmpty();
}

}  // namespace

THerramientasTexto::THerramientasTexto(TfrmEditor& ventana,
                                       std::vector<std::string> carpetasDiccionarios)
    : QObject(&ventana), Ortografia(std::move(carpetasDiccionarios)), ventana_(ventana) {
    EligeTexto = [this] {
        return QFileDialog::getOpenFileName(
            &ventana_, Texto(IdiomaInterfaz(), "Importar texto", "Importar text"), QString(),
            Texto(IdiomaInterfaz(), "Textos (*.txt);;Todos los ficheros (*)",
                  "Textos (*.txt);;Tots els fitxers (*)"));
    };
    Ejecuta = [](QDialog& dialogo) { return dialogo.exec(); };

    const auto protegido = [this](void (THerramientasTexto::*manejador)()) {
        return [this, manejador] {
            ProtegeManejador([this, manejador] {
                ventana_.Formulario->ConfirmaTema();
                (this->*manejador)();
            });
        };
    };
    menuImportar = new QAction(this);
    ventana_.menuFichero->insertAction(ventana_.menuRecientes->menuAction(), menuImportar);
    connect(menuImportar, &QAction::triggered, this,
            protegido(&THerramientasTexto::menuImportarClick));
    menuPegar = new QAction(this);
    menuPegar->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_V));
    menuHacerHuecos = new QAction(this);
    menuHacerHuecos->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_G));
    ventana_.menuEdicion->insertAction(ventana_.menuHueco, menuPegar);
    ventana_.menuEdicion->addAction(menuHacerHuecos);
    connect(menuPegar, &QAction::triggered, this, protegido(&THerramientasTexto::menuPegarClick));
    connect(menuHacerHuecos, &QAction::triggered, this,
            protegido(&THerramientasTexto::menuHacerHuecosClick));

    lblIdioma = new QLabel;
    cbIdioma = new QComboBox;
    cbIdioma->addItems({QString(), QString(), QString()});
    if (auto* campos = qobject_cast<QFormLayout*>(ventana_.Formulario->layout()))
        campos->addRow(lblIdioma, cbIdioma);
    lblIdioma->setBuddy(cbIdioma);
    connect(cbIdioma, &QComboBox::activated, this, [this](int elegido) {
        const int fila = ventana_.Formulario->Fila();
        const std::optional<TIdioma> idioma =
            elegido == 0 ? std::nullopt
                         : std::optional(elegido == 1 ? TIdioma::Castellano : TIdioma::Valenciano);
        ventana_.Documento.CambiaIdiomaTexto(fila, idioma);
    });
    lblDiccionarios = new QLabel;
    ventana_.statusBar()->addPermanentWidget(lblDiccionarios);

    QPlainTextEdit* edicion = ventana_.Formulario->edTexto;
    edicion->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(edicion, &QWidget::customContextMenuRequested, this, [this, edicion](const QPoint& p) {
        QMenu* menu = MenuTexto(p);
        menu->exec(edicion->viewport()->mapToGlobal(p));
        delete menu;
    });

    ventana_.Documento.RevisaOrtografia = [this](const TPreguntaEditada& pregunta) {
        return RevisaRespuestas(pregunta);
    };
    ventana_.Formulario->Desconocidas = [this](const QString& parrafo) {
        return DesconocidasParrafo(parrafo);
    };
    connect(ventana_.Lista, &TListaPreguntas::FilaCambiada, this,
            &THerramientasTexto::MuestraIdioma);
    connect(&ventana_.Documento, &TDocumento::PreguntaCambiada, this, [this](int fila) {
        if (fila == ventana_.Formulario->Fila())
            MuestraIdioma();
    });
    for (QAction* idioma : {ventana_.menuCastellano, ventana_.menuValenciano})
        connect(idioma, &QAction::triggered, this, &THerramientasTexto::CambiaIdioma);
    connect(this, &THerramientasTexto::Cargados, this, &THerramientasTexto::DiccionariosCargados);
    // A set opened is checked without the spelling: it follows once the set is in.
    connect(&ventana_.Documento, &TDocumento::DocumentoReemplazado, this, [this] {
        if (Ortografia.Cargado(TIdioma::Castellano) && Ortografia.Cargado(TIdioma::Valenciano)) {
            ventana_.Documento.CompruebaDeNuevo();
            ventana_.Problemas->Actualiza();
        }
    });
    CambiaIdioma();

    // Loading takes a few tenths of a second: after the first paint, on a thread of its own.
    QTimer::singleShot(0, this, [this] {
        Ortografia.CargaEnSegundoPlano([this] {
            QMetaObject::invokeMethod(this, &THerramientasTexto::Cargados, Qt::QueuedConnection);
        });
    });
}

TIdioma THerramientasTexto::IdiomaInterfaz() const {
    return static_cast<TIdioma>(ventana_.Idioma);
}

void THerramientasTexto::CambiaIdioma() {
    const TIdioma idioma = IdiomaInterfaz();
    menuImportar->setText(Texto(idioma, "&Importar texto...", "&Importar text..."));
    menuPegar->setText(
        Texto(idioma, "&Pegar texto como preguntas", "&Apegar text com a preguntes"));
    menuHacerHuecos->setText(Texto(idioma, "Hacer hue&cos...", "Fer &buits..."));
    lblIdioma->setText(Texto(idioma, "&Idioma:", "&Idioma:"));
    cbIdioma->setItemText(1, Texto(idioma, "Castellano", "Castellà"));
    cbIdioma->setItemText(2, Texto(idioma, "Valenciano", "Valencià"));
    MuestraIdioma();
    if (Ortografia.Cargado(TIdioma::Castellano) && Ortografia.Cargado(TIdioma::Valenciano))
        DiccionariosCargados();
}

void THerramientasTexto::MuestraIdioma() {
    const int fila = ventana_.Formulario->Fila();
    cbIdioma->setEnabled(fila >= 0);
    const TIdioma interfaz = IdiomaInterfaz();
    const bool listos =
        Ortografia.Cargado(TIdioma::Castellano) && Ortografia.Cargado(TIdioma::Valenciano);
    QString automatico = Texto(interfaz, "Automático", "Automàtic");
    if (fila >= 0 && listos) {
        const TPreguntaEditada& pregunta = ventana_.Documento.Pregunta(fila);
        TPreguntaEditada adivinada = pregunta;
        adivinada.IdiomaTexto.reset();
        automatico += IdiomaDe(adivinada) == TIdioma::Castellano
                          ? Texto(interfaz, " (castellano)", " (castellà)")
                          : Texto(interfaz, " (valenciano)", " (valencià)");
    }
    cbIdioma->setItemText(0, automatico);
    const auto& fijado =
        fila >= 0 ? ventana_.Documento.Pregunta(fila).IdiomaTexto : std::optional<TIdioma>();
    cbIdioma->setCurrentIndex(!fijado ? 0 : *fijado == TIdioma::Castellano ? 1 : 2);
    ventana_.Formulario->RevisaDeNuevo();
}

void THerramientasTexto::DiccionariosCargados() {
    const TIdioma interfaz = IdiomaInterfaz();
    QStringList faltan, paquetes;
    for (const TIdioma idioma : {TIdioma::Castellano, TIdioma::Valenciano})
        if (!Ortografia.Disponible(idioma)) {
            faltan << QString::fromUtf8(NombreDiccionario(idioma)) + QStringLiteral(" (") +
                          (idioma == TIdioma::Castellano
                               ? Texto(interfaz, "castellano", "castellà")
                               : Texto(interfaz, "valenciano", "valencià")) +
                          QStringLiteral(")");
            paquetes << QString::fromUtf8(PaqueteDiccionario(idioma));
        }
    lblDiccionarios->setText(
        faltan.isEmpty()
            ? QString()
            : Texto(interfaz, "Sin corrección ortográfica: falta el diccionario %1; instale %2",
                    "Sense correcció ortogràfica: falta el diccionari %1; instal·leu %2")
                  .arg(faltan.join(QStringLiteral(", ")),
                       paquetes.join(Texto(interfaz, " y ", " i "))));
    ventana_.Documento.CompruebaDeNuevo();
    ventana_.Problemas->Actualiza();
    MuestraIdioma();
}

TIdioma THerramientasTexto::IdiomaDe(const TPreguntaEditada& pregunta) {
    if (pregunta.IdiomaTexto)
        return *pregunta.IdiomaTexto;
    return Ortografia.IdiomaDe(QuitaMarcas(BytesPorUnidad(pregunta.Texto)), IdiomaInterfaz());
}

QStringList THerramientasTexto::Sugerencias(TIdioma idioma, const std::string& palabra) {
    const QString clave = QString::number(static_cast<int>(idioma)) + TextoDeBytes(palabra);
    const auto hallada = sugerencias_.constFind(clave);
    if (hallada != sugerencias_.constEnd())
        return *hallada;
    QStringList sugerencias;
    for (const std::string& s : Ortografia.Sugiere(idioma, palabra, kSugerenciasMenu))
        sugerencias << TextoDeBytes(s);
    sugerencias_.insert(clave, sugerencias);
    return sugerencias;
}

std::vector<TProblema> THerramientasTexto::RevisaRespuestas(const TPreguntaEditada& pregunta) {
    // Never waits for the dictionaries: the rows are checked again once they are loaded.
    if (!Ortografia.Cargado(TIdioma::Castellano) || !Ortografia.Cargado(TIdioma::Valenciano))
        return {};
    const TIdioma idioma = IdiomaDe(pregunta);
    const std::string bytes = BytesPorUnidad(pregunta.Texto);
    const std::vector<TPalabraDesconocida> respuestas =
        Ortografia.RespuestasDesconocidas(idioma, bytes, 0);
    std::vector<TPalabraDesconocida> todas = Ortografia.Desconocidas(idioma, bytes, 0);
    // A word holding a gap is told once, as an answer.
    std::erase_if(todas, [&](const TPalabraDesconocida& d) {
        return std::any_of(respuestas.begin(), respuestas.end(), [&](const auto& r) {
            return r.Tramo.Inicio <= d.Tramo.Inicio && d.Tramo.Inicio < r.Tramo.Fin();
        });
    });
    std::vector<TProblema> problemas;
    const auto anade = [&](const TPalabraDesconocida& d, TProblema::TTipo tipo) {
        TProblema problema{tipo};
        problema.Posicion = static_cast<int>(d.Tramo.Inicio);
        const QStringList sugerencias = Sugerencias(idioma, d.Palabra).mid(0, kSugerenciasProblema);
        QString detalle = TextoDeBytes(d.Palabra) + QStringLiteral(": ");
        // Valenciano asks without an opening mark.
        const QString apertura = idioma == TIdioma::Castellano ? QStringLiteral("¿") : QString();
        detalle += sugerencias.isEmpty()
                       ? QStringLiteral("?")
                       : apertura + sugerencias.join(QStringLiteral(", ")) + QStringLiteral("?");
        problema.Detalle = detalle.toStdString();
        problemas.push_back(problema);
    };
    for (const TPalabraDesconocida& d : respuestas)
        anade(d, TProblema::TTipo::RespuestaDesconocida);
    for (const TPalabraDesconocida& d : todas)
        anade(d, TProblema::TTipo::PalabraDesconocida);
    std::stable_sort(
        problemas.begin(), problemas.end(),
        [](const TProblema& a, const TProblema& b) { return a.Posicion < b.Posicion; });
    return problemas;
}

std::vector<std::pair<int, int>> THerramientasTexto::DesconocidasParrafo(const QString& parrafo) {
    const int fila = ventana_.Formulario->Fila();
    if (fila < 0 || !Ortografia.Cargado(TIdioma::Castellano) ||
        !Ortografia.Cargado(TIdioma::Valenciano))
        return {};
    const TIdioma idioma = IdiomaDe(ventana_.Documento.Pregunta(fila));
    std::vector<std::pair<int, int>> subrayados;
    for (const TPalabraDesconocida& d : Ortografia.Desconocidas(idioma, BytesPorUnidad(parrafo), 0))
        subrayados.emplace_back(static_cast<int>(d.Tramo.Inicio),
                                static_cast<int>(d.Tramo.Longitud));
    return subrayados;
}

QMenu* THerramientasTexto::MenuTexto(const QPoint& donde) {
    QPlainTextEdit* edicion = ventana_.Formulario->edTexto;
    QMenu* menu = edicion->createStandardContextMenu(donde);
    const QTextCursor cursor = edicion->cursorForPosition(donde);
    const QTextBlock bloque = cursor.block();
    const int enBloque = cursor.position() - bloque.position();
    const int fila = ventana_.Formulario->Fila();
    if (fila < 0 || !Ortografia.Cargado(TIdioma::Castellano) ||
        !Ortografia.Cargado(TIdioma::Valenciano))
        return menu;
    const TIdioma idioma = IdiomaDe(ventana_.Documento.Pregunta(fila));
    for (const TPalabraDesconocida& d :
         Ortografia.Desconocidas(idioma, BytesPorUnidad(bloque.text()), 0)) {
        const int inicio = static_cast<int>(d.Tramo.Inicio);
        const int largo = static_cast<int>(d.Tramo.Longitud);
        if (enBloque < inicio || enBloque > inicio + largo)
            continue;
        QAction* primera = menu->actions().value(0);
        const TIdioma interfaz = IdiomaInterfaz();
        const QString palabra = TextoDeBytes(d.Palabra);
        // A word split by gap marks keeps them: only a whole one is replaced.
        const bool entera = !bloque.text().mid(inicio, largo).contains(QLatin1Char('@'));
        const QStringList sugerencias = Sugerencias(idioma, d.Palabra);
        for (const QString& sugerencia : sugerencias) {
            QAction* accion = new QAction(sugerencia, menu);
            accion->setEnabled(entera);
            connect(
                accion, &QAction::triggered, edicion, [edicion, bloque, inicio, largo, sugerencia] {
                    QTextCursor cambio(edicion->document());
                    cambio.setPosition(bloque.position() + inicio);
                    cambio.setPosition(bloque.position() + inicio + largo, QTextCursor::KeepAnchor);
                    cambio.insertText(sugerencia);
                });
            menu->insertAction(primera, accion);
        }
        if (sugerencias.isEmpty()) {
            QAction* ninguna =
                new QAction(Texto(interfaz, "(sin sugerencias)", "(sense suggeriments)"), menu);
            ninguna->setEnabled(false);
            menu->insertAction(primera, ninguna);
        }
        QAction* anade = new QAction(
            Texto(interfaz, "Añadir «%1» a mis palabras", "Afegir «%1» a les meues paraules")
                .arg(palabra),
            menu);
        const std::string bytes = d.Palabra;
        connect(anade, &QAction::triggered, this, [this, idioma, bytes] {
            Ortografia.AnadePalabra(idioma, bytes);
            ventana_.Formulario->RevisaDeNuevo();
            ventana_.Documento.CompruebaDeNuevo();
            ventana_.Problemas->Actualiza();
        });
        menu->insertAction(primera, anade);
        menu->insertSeparator(primera);
        break;
    }
    return menu;
}

void THerramientasTexto::menuImportarClick() {
    const QString ruta = EligeTexto();
    if (ruta.isEmpty())
        return;
    QFile fichero(ruta);
    if (!fichero.open(QIODevice::ReadOnly)) {
        MuestraError(Texto(IdiomaInterfaz(), "No se ha podido leer «%1»: %2.",
                           "No s'ha pogut llegir «%1»: %2.")
                         .arg(ruta, fichero.errorString()));
        return;
    }
    if (Importa(QString::fromUtf8(fichero.readAll())))
        ventana_.Ficheros->TextoImportado(ruta);
}

void THerramientasTexto::menuPegarClick() {
    Importa(QApplication::clipboard()->text());
}

bool THerramientasTexto::Importa(const QString& texto) {
    TDocumento& documento = ventana_.Documento;
    QStringList temas;
    for (const TDocumento::TTemaContado& tema : documento.Temas())
        if (!tema.Nombre.isEmpty())
            temas << tema.Nombre;
    const int fila = ventana_.Lista->FilaActual();
    const QString tema = fila >= 0 ? documento.Pregunta(fila).Tema : QString();
    // A new set's one empty question gives way to the text.
    const bool sustituye = documento.Cuenta() == 1 && Vacia(documento.Pregunta(0));
    const bool ofreceSitio = !sustituye && fila >= 0 && fila + 1 < documento.Cuenta();
    TDialogoImportar dialogo(texto, temas, tema, IdiomaInterfaz(), ofreceSitio ? fila + 1 : 0,
                             &ventana_);
    if (Ejecuta(dialogo) != QDialog::Accepted)
        return false;
    const std::vector<TPreguntaEditada> preguntas = dialogo.Preguntas();
    if (preguntas.empty())
        return false;
    documento.CierraEscritura();
    documento.Pila()->beginMacro(Texto(IdiomaInterfaz(), "importar texto", "importar text"));
    int despues = sustituye ? 0 : !ofreceSitio || dialogo.AlFinal() ? documento.Cuenta() - 1 : fila;
    const int primera = despues + 1;
    for (const TPreguntaEditada& pregunta : preguntas)
        despues = documento.Inserta(despues, pregunta);
    if (sustituye)
        documento.Borra(0);
    documento.Pila()->endMacro();
    ventana_.Lista->SeleccionaFila(sustituye ? 0 : primera);
    return true;
}

void THerramientasTexto::menuHacerHuecosClick() {
    const int fila = ventana_.Formulario->Fila();
    const QTextCursor cursor = ventana_.Formulario->edTexto->textCursor();
    TDialogoHuecos dialogo(ventana_.Documento, fila, cursor.selectionStart(), cursor.selectionEnd(),
                           IdiomaInterfaz(), &ventana_);
    if (Ejecuta(dialogo) == QDialog::Accepted)
        dialogo.Aplica();
}
