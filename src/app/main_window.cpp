#include "main_window.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCloseEvent>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFrame>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QSpinBox>
#include <QTime>
#include <QToolButton>

#include <algorithm>
#include <optional>

#include "about_box.h"
#include "data_folder.h"
#include "dedication_window.h"
#include "dialog_setup.h"
#include "folding.h"
#include "go_to_dialog.h"
#include "history.h"
#include "history_window.h"
#include "next_question.h"
#include "notices.h"
#include "qt_translations.h"
#include "score_line.h"
#include "text_zoom.h"
#include "topic_scan.h"
#include "topics_dialog.h"
#include "wait_notice.h"
#include "win1252.h"

namespace {

constexpr int kAltoBoton = 25;
constexpr int kAltoMinimo = 200;
QString ConSeparador(QString carpeta) {
    if (!carpeta.endsWith(QLatin1Char('/')))
        carpeta += QLatin1Char('/');
    return carpeta;
}

QString CarpetaPrograma() {
    return CarpetaProgramaDe(QCoreApplication::applicationDirPath());
}

// The set's history file, in the program data folder whatever the question file's folder.
std::string RutaHistoria(const std::string& nombre) {
    return RutaLocal(TfrmTildora::CarpetaDatos()) + NombreHistoria(nombre);
}

void CreaCarpetaDatos() {
    const std::string datos = RutaLocal(TfrmTildora::CarpetaDatos());
    if (!ExisteCarpeta(datos))
        CreaCarpeta(datos);
}

// Both sides as Windows-1252 bytes; an entry that the code page cannot hold never matches.
// Composed first: a letter typed or pasted with a combining accent is the accented letter.
bool EsCorrecta(const QString& respuesta, const QString& entrada) {
    const std::optional<std::string> esperada = BytesDeEntrada(respuesta);
    const std::optional<std::string> escrita = BytesDeEntrada(entrada);
    return esperada && escrita && Mayusculas(*esperada) == Mayusculas(*escrita);
}

QString SinFinalesDeControl(QString texto) {
    qsizetype fin = texto.size();
    while (fin > 0 && texto.at(fin - 1).unicode() <= 32)
        --fin;
    texto.truncate(fin);
    return texto;
}

template <typename Emisor, typename Senal>
void Conecta(Emisor* emisor, Senal senal, TfrmTildora* ventana, void (TfrmTildora::*manejador)()) {
    QObject::connect(emisor, senal, ventana, [ventana, manejador] {
        ProtegeManejador([ventana, manejador] { (ventana->*manejador)(); });
    });
}

QToolButton* CreaBotonBarra(QWidget* panel, int izquierda, int ancho, const QString& pista) {
    auto* boton = new QToolButton(panel);
    boton->setGeometry(izquierda, 1, ancho, kAltoBoton);
    boton->setToolTip(pista);
    boton->setFocusPolicy(Qt::NoFocus);
    return boton;
}

void PonIcono(QToolButton* boton, const char* icono, QSize tamano) {
    boton->setIcon(QIcon(QStringLiteral(":/icons/") + QLatin1String(icono)));
    boton->setIconSize(tamano);
}

QLabel* CreaContador(QWidget* panel, int izquierda, int ancho, const QString& texto) {
    auto* contador = new QLabel(texto, panel);
    contador->setGeometry(izquierda, 5, ancho, 15);
    contador->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    contador->setTextFormat(Qt::PlainText);
    return contador;
}

}  // namespace

TfrmTildora::TfrmTildora(QWidget* parent) : QMainWindow(parent) {
    setWindowTitle(QStringLiteral("Tildora"));
    setWindowIcon(QIcon(QStringLiteral(":/icons/tildora.svg")));
    setFont(FuenteVentana());
    QPalette colores = palette();
    colores.setColor(QPalette::Window, colores.color(QPalette::Button));
    setPalette(colores);
    resize(750, 550);
    move(screen()->availableGeometry().center() - rect().center());

    AreaCliente = new TAreaCliente(this);
    Cliente = new QWidget;
    Cliente->setAutoFillBackground(true);
    AreaCliente->setWidget(Cliente);
    setCentralWidget(AreaCliente);

    CreaBarra();
    CreaMenu();

    // After the toolbar: Hueco1 follows btnSiguiente in the tab order.
    Pool.CreaPlantillas(Cliente);

    // The window keeps its outer size: the client area gives up the score line's height.
    LineaPuntuacion = new TLineaPuntuacion(this);
    setStatusBar(LineaPuntuacion);
    ZoomTexto = new TZoomTexto(this, AreaCliente->viewport(), [this](int porCiento) {
        Pool.Escala(porCiento, frameGeometry().width());
        AjustaAreaCliente();
    });

    AbrePreguntas = [this](const QString& primeraCarpeta) {
        QFileDialog dialogo(this, QStringLiteral("Abrir ficheros con preguntas"), primeraCarpeta,
                            QStringLiteral("Ficheros de test (*.preg)"));
        // Qt's own dialog, so that its title and filter read as given and the filter's
        // "*.preg" also lists the TEMA1.PREG of sets made on Windows (a desktop's native
        // dialog matches the pattern's case exactly).
        dialogo.setOption(QFileDialog::DontUseNativeDialog);
        dialogo.setFilter(dialogo.filter() & ~QDir::CaseSensitive);
        dialogo.setAcceptMode(QFileDialog::AcceptOpen);
        dialogo.setFileMode(QFileDialog::ExistingFile);
        dialogo.setDefaultSuffix(QStringLiteral("preg"));
        return dialogo.exec() == QDialog::Accepted ? dialogo.selectedFiles().value(0) : QString();
    };

    FormCreate();
}

void TfrmTildora::CreaBarra() {
    // Over the client area, not in it: a long question scrolls beneath the toolbar.
    PanelSuperior = new QFrame(AreaCliente);
    PanelSuperior->setFrameStyle(QFrame::Panel | QFrame::Raised);
    PanelSuperior->setGeometry(0, 0, 742, 27);
    AreaCliente->FijaBarra(PanelSuperior);

    btnNuevo = CreaBotonBarra(PanelSuperior, 1, 25, QStringLiteral("Nuevo"));
    PonIcono(btnNuevo, "nuevo.svg", QSize(20, 20));
    Conecta(btnNuevo, &QToolButton::clicked, this, &TfrmTildora::menuNuevoClick);

    btnIrA = CreaBotonBarra(PanelSuperior, 27, 25, QStringLiteral("Ir a la pregunta..."));
    PonIcono(btnIrA, "ir_a.svg", QSize(18, 16));
    Conecta(btnIrA, &QToolButton::clicked, this, &TfrmTildora::menuIrAClick);

    btnSecuencial = CreaBotonBarra(PanelSuperior, 52, 25, QStringLiteral("Secuencial"));
    PonIcono(btnSecuencial, "secuencial.svg", QSize(21, 21));
    btnSecuencial->setCheckable(true);
    btnSecuencial->setChecked(true);
    Conecta(btnSecuencial, &QToolButton::clicked, this, &TfrmTildora::menuSecuencialClick);

    btnAleatorio = CreaBotonBarra(PanelSuperior, 78, 25, QStringLiteral("Aleatorio"));
    PonIcono(btnAleatorio, "aleatorio.svg", QSize(21, 21));
    btnAleatorio->setCheckable(true);
    Conecta(btnAleatorio, &QToolButton::clicked, this, &TfrmTildora::menuAleatorioClick);

    // Exclusive: pressing the button that is down leaves it down, and its handler still runs.
    Grupo1 = new QButtonGroup(this);
    Grupo1->addButton(btnSecuencial);
    Grupo1->addButton(btnAleatorio);

    btnTemas = CreaBotonBarra(PanelSuperior, 104, 25, QStringLiteral("Temas"));
    PonIcono(btnTemas, "temas.svg", QSize(21, 21));
    Conecta(btnTemas, &QToolButton::clicked, this, &TfrmTildora::menuTemasClick);

    btnTerminar = CreaBotonBarra(PanelSuperior, 130, 25, QStringLiteral("Terminar"));
    PonIcono(btnTerminar, "terminar.svg", QSize(20, 20));
    Conecta(btnTerminar, &QToolButton::clicked, this, &TfrmTildora::menuTerminarClick);

    btnSobreProg = CreaBotonBarra(PanelSuperior, 156, 25, QStringLiteral("Sobre el programa"));
    btnSobreProg->setText(QStringLiteral("?"));
    QFont interrogacion = FuenteVentana(10);
    interrogacion.setBold(true);
    btnSobreProg->setFont(interrogacion);
    Conecta(btnSobreProg, &QToolButton::clicked, this, &TfrmTildora::menuSobreProgClick);

    btnCorregir = CreaBotonBarra(PanelSuperior, 230, 100, QStringLiteral("Corregir el texto"));
    PonIcono(btnCorregir, "corregir.svg", QSize(16, 16));
    btnCorregir->setText(QStringLiteral("Corregir"));
    btnCorregir->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    btnCorregir->setCheckable(true);
    Conecta(btnCorregir, &QToolButton::clicked, this, &TfrmTildora::menuCorregirClick);

    btnSiguiente = new QPushButton(QStringLiteral("Siguiente   >>"), PanelSuperior);
    btnSiguiente->setGeometry(355, 1, 100, kAltoBoton);
    btnSiguiente->setToolTip(QStringLiteral("Siguiente texto"));
    Conecta(btnSiguiente, &QPushButton::clicked, this, &TfrmTildora::menuSiguienteClick);
    // Outside a dialog a push button answers only Space; Return and Enter press it too.
    btnSiguiente->installEventFilter(this);

    lblNumPreguntas = CreaContador(PanelSuperior, 560, 100, QStringLiteral("xx.xxx preguntas"));
    lblNumPreguntas->installEventFilter(this);
    lblNumTemas = CreaContador(PanelSuperior, 665, 70, QStringLiteral("xxx temas"));
}

void TfrmTildora::CreaMenu() {
    const auto item = [this](QMenu* menu, const char* texto, void (TfrmTildora::*manejador)()) {
        QAction* accion = menu->addAction(QString::fromUtf8(texto));
        Conecta(accion, &QAction::triggered, this, manejador);
        return accion;
    };
    menuFichero = menuBar()->addMenu(QStringLiteral("&Fichero"));
    menuNuevo = item(menuFichero, "&Nuevo...", &TfrmTildora::menuNuevoClick);
    menuIrA = item(menuFichero, "&Ir a ...", &TfrmTildora::menuIrAClick);
    menuSecuencial = item(menuFichero, "&Secuencial", &TfrmTildora::menuSecuencialClick);
    menuSecuencial->setCheckable(true);
    menuSecuencial->setChecked(true);
    menuAleatorio = item(menuFichero, "&Aleatorio", &TfrmTildora::menuAleatorioClick);
    menuAleatorio->setCheckable(true);
    menuTemas = item(menuFichero, "T&emas...", &TfrmTildora::menuTemasClick);
    // The same caption in both languages.
    menuHistorial = item(menuFichero, "&Historial...", &TfrmTildora::menuHistorialClick);
    menuLinea = menuFichero->addSeparator();
    menuTerminar = item(menuFichero, "&Terminar", &TfrmTildora::menuTerminarClick);

    menuPreguntas = menuBar()->addMenu(QStringLiteral("&Preguntas"));
    menuCorregir = item(menuPreguntas, "&Corregir", &TfrmTildora::menuCorregirClick);
    menuSiguiente = item(menuPreguntas, "&Siguiente", &TfrmTildora::menuSiguienteClick);

    menuIdioma = menuBar()->addMenu(QStringLiteral("&Idioma"));
    menuCastellano = item(menuIdioma, "&Castellano", &TfrmTildora::menuCastellanoClick);
    menuValenciano = item(menuIdioma, "&Valenciano", &TfrmTildora::menuValencianoClick);

    menuAyuda = menuBar()->addMenu(QStringLiteral("&Ayuda"));
    menuSobreProg = item(menuAyuda, "&Sobre el programa...", &TfrmTildora::menuSobreProgClick);

    HabilitaControlesTest(false);
}

void TfrmTildora::FormCreate() {
    SiembraGenerador();
    UltimaCarpeta = CarpetaPrograma();
    FicherosAbiertos = false;
    Idioma = 1;
    Pool.CreaPool();
    TemaDePregunta.Referencias.assign(kRanurasTemaDePregunta + 1, TTemasDePregunta::kVacio);
    ListaTemas.Vacia();
    Secuencial = true;
    PreguntaActual = 1;
    NumPreguntas = 0;
    NumTemas = 0;
    lblNumTemas->clear();
    lblNumPreguntas->clear();
    // The smallest width that still shows the toolbar up to the counters.
    setMinimumSize(btnSiguiente->x() + btnSiguiente->width() + lblNumPreguntas->width() +
                       lblNumTemas->width() + 20,
                   kAltoMinimo);
    CambiaIdioma(Idioma);
}

void TfrmTildora::SiembraGenerador() {
    Generador.seed(
        static_cast<std::mt19937::result_type>(QTime::currentTime().msecsSinceStartOfDay()));
}

void TfrmTildora::resizeEvent(QResizeEvent* evento) {
    QMainWindow::resizeEvent(evento);
    FormResize();
}

void TfrmTildora::FormResize() {
    // The minimum size itself is held by the window (set in FormCreate).
    const int ancho = width();
    PanelSuperior->resize(ancho - 8, PanelSuperior->height());
    lblNumPreguntas->move(ancho - lblNumPreguntas->width() - lblNumTemas->width() - 30,
                          lblNumPreguntas->y());
    lblNumTemas->move(ancho - lblNumTemas->width() - 30, lblNumTemas->y());
    lblTema->resize(ancho - 8, lblTema->height());
}

QString CarpetaProgramaDe(const QString& carpetaEjecutable) {
    const QString muestras =
        QDir::cleanPath(carpetaEjecutable + QStringLiteral("/../share/tildora/samples"));
    if (QDir(carpetaEjecutable).dirName() == QLatin1String("bin") && QFileInfo(muestras).isDir())
        return ConSeparador(muestras);
    return ConSeparador(carpetaEjecutable);
}

QString TfrmTildora::CarpetaDatos() {
    return RutaDeBytes(CarpetaDatosPrograma()) + QStringLiteral("/");
}

void TfrmTildora::menuNuevoClick() {
    if (!QFileInfo(UltimaCarpeta).isDir())
        UltimaCarpeta = CarpetaPrograma();
    const QString elegido = AbrePreguntas(UltimaCarpeta);
    if (!elegido.isEmpty()) {
        UltimaCarpeta = ConSeparador(QFileInfo(elegido).absolutePath());
        CreaCarpetaDatos();
        const QString caption = windowTitle();
        try {
            AbreConjunto(elegido);
        } catch (...) {
            // No set is left half open, and the window says so before the error is shown.
            setWindowTitle(caption);
            DescartaFicheros();
            LimpiaPregunta();
            CambiaIdioma(Idioma);
            throw;
        }
    }
    LimpiaPregunta();
    CambiaIdioma(Idioma);
}

void TfrmTildora::AbreConjunto(const QString& elegido) {
    CierraFicheros();
    NombreFichero = RutaLocal(QFileInfo(elegido).absoluteFilePath());
    TAviso aviso;
    if (!CompruebaFicheros(NombreFichero, Clave, &aviso)) {
        Pitido();
        MuestraAviso(aviso);
        FicherosAbiertos = false;
        return;
    }
    TfrmAviso espera(this);
    espera.Idioma = Idioma;
    espera.show();
    // The flow handles no events of its own until the notice is gone.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    espera.repaint();
    AbreFicheros(NombreFichero);
    setWindowTitle(QStringLiteral("Tildora: ") + RutaDeBytes(NombreSinExtension(NombreFichero)));
    NumTemas = LeeTemas(FicherosPreguntas, ListaTemas, TemaDePregunta);
    ActivaTest();
}

void TfrmTildora::AbreFicheros(const std::string& nombre) {
    FicherosPreguntas.Abre(nombre);
    CreaCarpetaDatos();
    FicheroHistoria.Abre(RutaHistoria(nombre), TFichero::TModo::Anadir);
    FicherosAbiertos = true;
    NumPreguntas = FicherosPreguntas.NumPreguntas();
}

void TfrmTildora::CierraFicheros() {
    if (!FicherosAbiertos)
        return;
    try {
        NombreFichero.clear();
        FicherosPreguntas.Cierra();
        if (Contestadas != 0) {
            const uint8_t puntuacion = PuntuacionHistoria(Acertadas, Contestadas);
            FicheroHistoria.Posiciona(FicheroHistoria.Tamano());
            FicheroHistoria.EscribeBloque(&puntuacion, 1);
        }
        FicheroHistoria.Cierra();
    } catch (...) {
        DescartaFicheros();
        throw;
    }
    FicherosAbiertos = false;
    DesactivaTest();
}

void TfrmTildora::DescartaFicheros() {
    // The state first: a close that fails still leaves no set open.
    NombreFichero.clear();
    FicherosAbiertos = false;
    DesactivaTest();
    FicherosPreguntas.Cierra();
    FicheroHistoria.Cierra();
}

void TfrmTildora::ActivaTest() {
    Acertadas = 0;
    Contestadas = 0;
    LineaPuntuacion->Limpia();
    HabilitaControlesTest(true);
    const std::string datos = RutaLocal(CarpetaDatos());
    const std::string ruta =
        FicherosAbiertos ? datos + NombreConfiguracion(NombreFichero) : std::string();
    if (const std::optional<TAviso> aviso =
            RestauraConfiguracion(ruta, datos, NombreFichero, Configuracion, ListaTemas)) {
        Pitido();
        MuestraAviso(*aviso);
    }
}

void TfrmTildora::DesactivaTest() {
    HabilitaControlesTest(false);
    LineaPuntuacion->Limpia();
    NumPreguntas = 0;
    NumTemas = 0;
    lblNumPreguntas->clear();
    lblNumTemas->clear();
}

void TfrmTildora::HabilitaControlesTest(bool habilitados) {
    for (QWidget* control : std::initializer_list<QWidget*>{btnIrA, btnSecuencial, btnAleatorio,
                                                            btnTemas, btnCorregir, btnSiguiente})
        control->setEnabled(habilitados);
    for (QAction* item :
         {menuSecuencial, menuIrA, menuAleatorio, menuTemas, menuCorregir, menuSiguiente})
        item->setEnabled(habilitados);
    // Not an exercise control, but there is no history without a set.
    menuHistorial->setEnabled(habilitados);
}

void TfrmTildora::menuTerminarClick() {
    close();
}

void TfrmTildora::closeEvent(QCloseEvent* evento) {
    // The session's score is appended, not lost with the program.
    ProtegeManejador([this] { CierraFicheros(); });
    QMainWindow::closeEvent(evento);
}

void TfrmTildora::LimpiaPregunta() {
    SiembraGenerador();
    NumHuecos = 0;
    Pool.Limpia();
    LineaPuntuacion->QuitaPregunta();
    AjustaAreaCliente();
}

void TfrmTildora::MuestraPregunta(uint16_t numero) {
    SiembraGenerador();
    NumHuecos = Pool.Muestra(Pregunta, numero, frameGeometry().width());
    PreguntaPuntuada = false;
    LineaPuntuacion->QuitaPregunta();
    PistasHuecos.Olvida();
    PistasHuecos.Aplica(NumHuecos, Idioma);
    AjustaAreaCliente();
    // A new question starts at its top, whatever the last one left scrolled.
    AreaCliente->verticalScrollBar()->setValue(0);
    AreaCliente->horizontalScrollBar()->setValue(0);
    if (NumHuecos > 0) {
        AreaCliente->ensureWidgetVisible(Huecos[1]);
        Huecos[1]->setFocus();
    } else {
        btnSiguiente->setFocus();
    }
}

void TfrmTildora::AjustaAreaCliente() {
    Cliente->setMinimumSize(Pool.Ocupado());
}

void TfrmTildora::menuSiguienteClick() {
    const uint16_t numero = EligeSiguiente(
        {Secuencial, PreguntaActual, NumPreguntas, TemaDePregunta, ListaTemas, Generador});
    if (numero == 0)
        return;
    Pregunta = FicherosPreguntas.LeePregunta(numero);
    MuestraPregunta(numero);
    btnCorregir->setChecked(false);
    ActualizaCorregir();
}

void TfrmTildora::menuSecuencialClick() {
    Secuencial = true;
    ActualizaOrden();
}

void TfrmTildora::menuAleatorioClick() {
    Secuencial = false;
    ActualizaOrden();
}

void TfrmTildora::ActualizaOrden() {
    menuSecuencial->setChecked(Secuencial);
    menuAleatorio->setChecked(!Secuencial);
    // The group is exclusive: putting one down puts the other up.
    (Secuencial ? btnSecuencial : btnAleatorio)->setChecked(true);
}

void TfrmTildora::menuIrAClick() {
    TfrmLeeInicial dialogo(this);
    dialogo.Idioma = Idioma;
    const int maximo = std::min(NumPreguntas, kMaximoPreguntas);
    dialogo.NumInicial->setMaximum(maximo);
    // A set without questions has no number to go to.
    if (dialogo.exec() != QDialog::Accepted || maximo < 1)
        return;
    // A number typed and confirmed at once with Enter counts too.
    dialogo.NumInicial->interpretText();
    PreguntaActual = static_cast<uint16_t>(std::clamp(dialogo.NumInicial->value(), 1, maximo));
    Secuencial = true;
    ActualizaOrden();
}

void TfrmTildora::menuCorregirClick() {
    if (NumHuecos == 0) {
        btnCorregir->setChecked(false);
        return;
    }
    const bool puntua = !PreguntaPuntuada;
    int aciertos = 0;
    for (int i = 1; i <= NumHuecos; ++i) {
        QLabel* respuesta = Respuestas[i];
        QLineEdit* hueco = Huecos[i];
        respuesta->setHidden(!respuesta->isHidden());
        if (respuesta->isHidden()) {
            PintaHueco(hueco, ColorVentana());
            continue;
        }
        const QString entrada = SinFinalesDeControl(hueco->text());
        if (entrada != hueco->text())
            hueco->setText(entrada);
        const bool correcta = EsCorrecta(respuesta->text(), entrada);
        PintaHueco(hueco, correcta ? ColorVentana() : QColor(255, 0, 0));
        PistasHuecos.Juzga(i, respuesta->text(), entrada, correcta);
        if (correcta)
            ++aciertos;
        if (puntua) {
            ++Contestadas;
            if (correcta)
                ++Acertadas;
            PreguntaPuntuada = true;
        }
    }
    // The answers flip together: shown now means this was a reveal.
    if (!Respuestas[1]->isHidden())
        LineaPuntuacion->PonResultado(aciertos, NumHuecos, Acertadas, Contestadas);
    PistasHuecos.Aplica(NumHuecos, Idioma);
    ActualizaCorregir();
}

void TfrmTildora::ActualizaCorregir() {
    if (Idioma != 0 && Idioma != 1)
        return;
    const bool abajo = btnCorregir->isChecked();
    btnCorregir->setText(abajo ? QStringLiteral("Ocultar") : QStringLiteral("Corregir"));
    if (Idioma == 0) {
        btnCorregir->setToolTip(abajo ? QStringLiteral("Ocultar correción")
                                      : QStringLiteral("Corregir el texto"));
    } else {
        btnCorregir->setToolTip(abajo ? QStringLiteral("Ocultar correció")
                                      : QStringLiteral("Corregir el texte"));
    }
}

void TfrmTildora::CambiaIdioma(uint16_t idioma) {
    Idioma = idioma;
    if (Idioma == 0 || Idioma == 1) {
        const bool castellano = Idioma == 0;
        const auto texto = [castellano](const char* enCastellano, const char* enValenciano) {
            return QString::fromUtf8(castellano ? enCastellano : enValenciano);
        };
        // Qt's own texts (dialog buttons, context menus) follow: Spanish or Catalan.
        TraduceQt(Idioma);
        menuCastellano->setEnabled(!castellano);
        menuValenciano->setEnabled(castellano);
        btnNuevo->setToolTip(texto("Nuevo", "Nou"));
        btnIrA->setToolTip(texto("Ir a la pregunta...", "Anar a la pregunta..."));
        btnSecuencial->setToolTip(texto("Secuencial", "Seqüencial"));
        btnAleatorio->setToolTip(texto("Aleatorio", "Aleatori"));
        btnTemas->setToolTip(texto("Temas", "Temes"));
        btnTerminar->setToolTip(texto("Terminar", "Terminar"));
        btnSobreProg->setToolTip(texto("Sobre el programa", "Sobre el programa"));
        btnSiguiente->setToolTip(texto("Siguiente texto", "Següent text"));
        btnSiguiente->setText(texto("Siguiente   >>", "Següent   >>"));
        lblNumPreguntas->setText(QString::number(NumPreguntas) + texto(" preguntas", " preguntes"));
        lblNumTemas->setText(QString::number(NumTemas) + texto(" temas", " temes"));
        menuFichero->setTitle(texto("&Fichero", "&Fitxer"));
        menuNuevo->setText(texto("&Nuevo...", "&Nou..."));
        menuIrA->setText(texto("&Ir a...", "&Anar a..."));
        menuSecuencial->setText(texto("&Secuencial", "&Seqüencial"));
        menuAleatorio->setText(texto("&Aleatorio", "&Aleatori"));
        menuTemas->setText(texto("T&emas...", "T&emes..."));
        menuTerminar->setText(texto("&Terminar", "&Terminar"));
        menuPreguntas->setTitle(texto("&Preguntas", "&Preguntes"));
        menuCorregir->setText(texto("&Corregir", "&Corregir"));
        menuSiguiente->setText(texto("&Siguiente", "&Següent"));
        menuIdioma->setTitle(texto("&Idioma", "&Idioma"));
        menuCastellano->setText(texto("&Castellano", "&Castellà"));
        menuValenciano->setText(texto("&Valenciano", "&Valencià"));
        menuAyuda->setTitle(texto("&Ayuda", "&Ajuda"));
        menuSobreProg->setText(texto("&Sobre el programa...", "&Sobre el programa..."));
    }
    LineaPuntuacion->CambiaIdioma(Idioma);
    PistasHuecos.Aplica(NumHuecos, Idioma);
    ActualizaCorregir();
}

void TfrmTildora::menuCastellanoClick() {
    CambiaIdioma(0);
}

void TfrmTildora::menuValencianoClick() {
    CambiaIdioma(1);
}

void TfrmTildora::menuTemasClick() {
    TfrmTemas dialogo(this);
    dialogo.Idioma = Idioma;
    for (int32_t i = 1; i <= ListaTemas.Cuenta(); ++i)
        dialogo.AnadeTema(TextoDeBytes(ListaTemas.Nombre(i)), ListaTemas.Marcado(i));
    if (dialogo.exec() == QDialog::Accepted)
        AplicaSeleccion(dialogo.Marcas(), ListaTemas, Configuracion);
}

void TfrmTildora::menuHistorialClick() {
    TfrmHistorial dialogo(this);
    dialogo.Idioma = Idioma;
    dialogo.NombreConjunto = RutaDeBytes(NombreSinExtension(NombreFichero));
    // Apart from the open history file, read-only: reading never changes it.
    dialogo.Historia = LeeHistoria(RutaHistoria(NombreFichero));
    if (Contestadas != 0)
        dialogo.PuntuacionActual = PuntuacionHistoria(Acertadas, Contestadas);
    dialogo.exec();
}

void TfrmTildora::menuSobreProgClick() {
    TfrmSobreElPrograma dialogo(this);
    dialogo.Idioma = Idioma;
    dialogo.exec();
}

bool TfrmTildora::eventFilter(QObject* objeto, QEvent* evento) {
    if (objeto == btnSiguiente && evento->type() == QEvent::KeyPress) {
        const int tecla = static_cast<QKeyEvent*>(evento)->key();
        if (tecla == Qt::Key_Return || tecla == Qt::Key_Enter) {
            btnSiguiente->click();
            return true;
        }
    }
    // The second press of a double click arrives as a double-click event: a press too.
    if (objeto == lblNumPreguntas && (evento->type() == QEvent::MouseButtonPress ||
                                      evento->type() == QEvent::MouseButtonDblClick)) {
        const auto* raton = static_cast<QMouseEvent*>(evento);
        const Qt::MouseButton boton = raton->button();
        const Qt::KeyboardModifiers teclas = raton->modifiers();
        ProtegeManejador([this, boton, teclas] { lblNumPreguntasMouseDown(boton, teclas); });
    }
    return QMainWindow::eventFilter(objeto, evento);
}

void TfrmTildora::lblNumPreguntasMouseDown(Qt::MouseButton boton, Qt::KeyboardModifiers teclas) {
    const Qt::KeyboardModifiers tres = Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier;
    if (boton != Qt::RightButton || (teclas & tres) != tres)
        return;
    TfrmDedicatoria dedicatoria(this);
    dedicatoria.setWindowTitle(TfrmDedicatoria::Titulo);
    dedicatoria.exec();
}
