#include "main_window.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCloseEvent>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFrame>
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
#include <QSettings>
#include <QShortcut>
#include <QSpinBox>
#include <QToolBar>
#include <QToolButton>

#include <algorithm>
#include <optional>

#include "about_box.h"
#include "core/base/data_folder.h"
#include "core/base/win1252.h"
#include "core/learning/history.h"
#include "core/set/topic_scan.h"
#include "dedication_window.h"
#include "dialog_setup.h"
#include "file_error_text.h"
#include "go_to_dialog.h"
#include "history_window.h"
#include "interface_text.h"
#include "keys_card.h"
#include "letter_strip.h"
#include "listening.h"
#include "notices.h"
#include "qt_translations.h"
#include "score_line.h"
#include "svg_picture.h"
#include "text_zoom.h"
#include "topics_dialog.h"
#include "wait_notice.h"

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

QLabel* CreaContador(QWidget* panel, int izquierda, int ancho, const QString& texto) {
    auto* contador = new QLabel(texto, panel);
    contador->setGeometry(izquierda, 5, ancho, 15);
    contador->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    contador->setTextFormat(Qt::PlainText);
    return contador;
}

}  // namespace

namespace {

using W = TfrmTildora;

// The menu bar, in its order.
std::vector<TMenuOrdenes> MenusVentana(W& v) {
    return {
        {&v.menuFichero, {"&Fichero", "&Fitxer"}},
        {&v.menuPreguntas, {"&Preguntas", "&Preguntes"}},
        {&v.menuIdioma, {"&Idioma", "&Idioma"}},
        {&v.menuAyuda, {"&Ayuda", "&Ajuda"}},
    };
}

// Every command of the window, in the order of the menus; the buttons stand where their left
// puts them. Its shortcuts belong to the window: no menu item shows one.
std::vector<TOrden> OrdenesVentana(W& v) {
    return {
        {.Menu = &v.menuFichero,
         .Item = &v.menuNuevo,
         .Texto = {"&Nuevo...", "&Nou..."},
         .Boton = &v.btnNuevo,
         .Izquierda = 1,
         .Ancho = 25,
         .Pista = {"Nuevo", "Nou"},
         .Dibujo = "nuevo.svg",
         .TamanoDibujo = {20, 20},
         .Manejador = [&v] { v.menuNuevoClick(); }},
        {.Menu = &v.menuFichero,
         .Item = &v.menuIrA,
         .Texto = {"&Ir a...", "&Anar a..."},
         .Boton = &v.btnIrA,
         .Izquierda = 27,
         .Ancho = 25,
         .Pista = {"Ir a la pregunta...", "Anar a la pregunta..."},
         .Dibujo = "ir_a.svg",
         .TamanoDibujo = {18, 16},
         .Manejador = [&v] { v.menuIrAClick(); }},
        {.Menu = &v.menuFichero,
         .Item = &v.menuSecuencial,
         .Texto = {"&Secuencial", "&Seqüencial"},
         .Boton = &v.btnSecuencial,
         .Izquierda = 52,
         .Ancho = 25,
         .Pista = {"Secuencial", "Seqüencial"},
         .Dibujo = "secuencial.svg",
         .TamanoDibujo = {21, 21},
         .Manejador = [&v] { v.menuSecuencialClick(); }},
        {.Menu = &v.menuFichero,
         .Item = &v.menuAleatorio,
         .Texto = {"&Aleatorio", "&Aleatori"},
         .Boton = &v.btnAleatorio,
         .Izquierda = 78,
         .Ancho = 25,
         .Pista = {"Aleatorio", "Aleatori"},
         .Dibujo = "aleatorio.svg",
         .TamanoDibujo = {21, 21},
         .Manejador = [&v] { v.menuAleatorioClick(); }},
        {.Menu = &v.menuFichero,
         .Item = &v.menuTemas,
         .Texto = {"T&emas...", "T&emes..."},
         .Boton = &v.btnTemas,
         .Izquierda = 104,
         .Ancho = 25,
         .Pista = {"Temas", "Temes"},
         .Dibujo = "temas.svg",
         .TamanoDibujo = {21, 21},
         .Manejador = [&v] { v.menuTemasClick(); }},
        {.Menu = &v.menuFichero, .Item = &v.menuLinea},
        {.Menu = &v.menuFichero,
         .Item = &v.menuTerminar,
         .Texto = {"&Terminar", "&Terminar"},
         .Boton = &v.btnTerminar,
         .Izquierda = 130,
         .Ancho = 25,
         .Pista = {"Terminar", "Terminar"},
         .Dibujo = "terminar.svg",
         .TamanoDibujo = {20, 20},
         .Manejador = [&v] { v.menuTerminarClick(); }},
        // The button's caption and tool tip follow its state: ActualizaCorregir.
        {.Menu = &v.menuPreguntas,
         .Item = &v.menuCorregir,
         .Texto = {"&Corregir", "&Corregir"},
         .Boton = &v.btnCorregir,
         .Izquierda = 230,
         .Ancho = 100,
         .Dibujo = "corregir.svg",
         .TamanoDibujo = {16, 16},
         .Manejador = [&v] { v.menuCorregirClick(); }},
        {.Menu = &v.menuPreguntas,
         .Item = &v.menuSiguiente,
         .Texto = {"&Siguiente", "&Següent"},
         .Boton = &v.btnSiguiente,
         .Izquierda = 355,
         .Ancho = 100,
         .Pista = {"Siguiente texto", "Següent text"},
         .Rotulo = {"Siguiente   >>", "Següent   >>"},
         .Manejador = [&v] { v.menuSiguienteClick(); }},
        {.Menu = &v.menuPreguntas},
        {.Menu = &v.menuPreguntas,
         .Item = &v.menuLetras,
         .Texto = {"Mostrar &letras", "Mostrar &lletres"},
         .Manejador = [&v] { v.menuLetrasClick(); }},
        // What the window adds to the exercise, after the commands it always had.
        {.Menu = &v.menuPreguntas},
        {.Menu = &v.menuPreguntas,
         .Item = &v.menuRepasar,
         .Texto = {"&Repasar errores", "&Repassar errades"},
         .Boton = &v.btnRepasar,
         .Izquierda = 190,
         .Ancho = 25,
         .Pista = {"Repasar errores", "Repassar errades"},
         .Dibujo = "repasar.svg",
         .TamanoDibujo = {21, 21},
         .Manejador = [&v] { v.menuRepasarClick(); }},
        {.Menu = &v.menuPreguntas,
         .Item = &v.menuHistorial,
         .Texto = {"&Historial...", "&Historial..."},
         .Manejador = [&v] { v.menuHistorialClick(); }},
        {.Menu = &v.menuPreguntas,
         .Item = &v.menuBarrejar,
         .Texto = {"&Barajar el repaso", "&Barrejar el repàs"},
         .Manejador = [&v] { v.menuBarrejarClick(); }},
        {.Menu = &v.menuIdioma,
         .Item = &v.menuCastellano,
         .Texto = {"&Castellano", "&Castellà"},
         .Manejador = [&v] { v.menuCastellanoClick(); }},
        {.Menu = &v.menuIdioma,
         .Item = &v.menuValenciano,
         .Texto = {"&Valenciano", "&Valencià"},
         .Manejador = [&v] { v.menuValencianoClick(); }},
        {.Menu = &v.menuAyuda,
         .Item = &v.menuSobreProg,
         .Texto = {"&Sobre el programa...", "&Sobre el programa..."},
         .Boton = &v.btnSobreProg,
         .Izquierda = 156,
         .Ancho = 25,
         .Pista = {"Sobre el programa", "Sobre el programa"},
         .Manejador = [&v] { v.menuSobreProgClick(); }},
        {.Menu = &v.menuAyuda,
         .Item = &v.menuTeclas,
         .Texto = {"&Teclas", "&Tecles"},
         .Manejador = [&v] { v.menuTeclasClick(); }},
        // One key through a question: it presses the Correct button, as a click does, then,
        // with the answers shown, goes on.
        {.Atajos = {QKeySequence(Qt::CTRL | Qt::Key_Return),
                    QKeySequence(Qt::CTRL | Qt::Key_Enter)},
         .Manejador = [&v] { v.PasoTeclado(); }},
    };
}

}  // namespace

TfrmTildora::TfrmTildora(QWidget* parent)
    : QMainWindow(parent),
      Ordenes(*this, MenusVentana(*this), OrdenesVentana(*this), TAtajos::EnVentana,
              [this](const std::function<void()>& manejador) { Protege(manejador); }) {
    setWindowTitle(QStringLiteral("Tildora"));
    setWindowIcon(IconoSvg(QStringLiteral(":/icons/tildora.svg")));
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
        Pool.Escala(porCiento);
        AjustaAreaCliente();
        GuardaPreferencias();
    });
    BarraLetras = new QToolBar(this);
    BarraLetras->setMovable(false);
    BarraLetras->setFloatable(false);
    // Not a toolbar the context menu may hide: the Preguntas menu shows and hides it.
    BarraLetras->toggleViewAction()->setVisible(false);
    TiraLetras = new TTiraLetras(BarraLetras);
    BarraLetras->addWidget(TiraLetras);
    addToolBar(Qt::BottomToolBarArea, BarraLetras);
    BarraLetras->hide();
    InstalaAtajoAcento(this, [this] { return Sesion.Pregunta().Modo == 1; });
    connect(LineaPuntuacion->btnRepasar, &QPushButton::clicked, this,
            [this] { Protege([this] { menuRepasarClick(); }); });
    Escucha = new TEscucha(this);
    Escucha->CreaControles();

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
    RestauraPreferencias();
}

namespace {

QSettings Preferencias() {
    // $XDG_CONFIG_HOME/Tildora/tildora.ini
    return QSettings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Tildora"),
                     QStringLiteral("tildora"));
}

const QString kTamanoTexto = QStringLiteral("TamanoTexto");
const QString kTiraLetras = QStringLiteral("TiraLetras");
const QString kBarrejaRepaso = QStringLiteral("BarrejaRepaso");

}  // namespace

void TfrmTildora::RestauraPreferencias() {
    const QSettings preferencias = Preferencias();
    const bool tira = preferencias.value(kTiraLetras, false).toBool();
    const int tamano = preferencias.value(kTamanoTexto, TZoomTexto::kMinimo).toInt();
    menuLetras->setChecked(tira);
    BarraLetras->setVisible(tira);
    Sesion.MezclaRepaso(preferencias.value(kBarrejaRepaso, false).toBool());
    menuBarrejar->setChecked(Sesion.BarrejaRepaso());
    while (ZoomTexto->PorCiento() < std::min(tamano, TZoomTexto::kMaximo))
        ZoomTexto->Amplia();
}

void TfrmTildora::GuardaPreferencias() const {
    QSettings preferencias = Preferencias();
    preferencias.setValue(kTiraLetras, menuLetras->isChecked());
    preferencias.setValue(kTamanoTexto, ZoomTexto->PorCiento());
    preferencias.setValue(kBarrejaRepaso, Sesion.BarrejaRepaso());
}

void TfrmTildora::menuBarrejarClick() {
    Sesion.MezclaRepaso(menuBarrejar->isChecked());
    GuardaPreferencias();
}

void TfrmTildora::menuLetrasClick() {
    BarraLetras->setVisible(menuLetras->isChecked());
    GuardaPreferencias();
}

void TfrmTildora::CreaBarra() {
    // Over the client area, not in it: a long question scrolls beneath the toolbar.
    PanelSuperior = new QFrame(AreaCliente);
    PanelSuperior->setFrameStyle(QFrame::Panel | QFrame::Raised);
    PanelSuperior->setGeometry(0, 0, 742, 27);
    AreaCliente->FijaBarra(PanelSuperior);
    Ordenes.CreaBotones(PanelSuperior, 1, kAltoBoton);

    for (QToolButton* boton : {btnSecuencial, btnAleatorio, btnCorregir})
        boton->setCheckable(true);
    btnSecuencial->setChecked(true);
    // Exclusive: pressing the button that is down leaves it down, and its handler still runs.
    Grupo1 = new QButtonGroup(this);
    Grupo1->addButton(btnSecuencial);
    Grupo1->addButton(btnAleatorio);

    btnSobreProg->setText(QStringLiteral("?"));
    QFont interrogacion = FuenteVentana(10);
    interrogacion.setBold(true);
    btnSobreProg->setFont(interrogacion);

    btnCorregir->setText(QStringLiteral("Corregir"));
    btnCorregir->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);

    // Outside a dialog a push button answers only Space; Return and Enter press it too.
    btnSiguiente->installEventFilter(this);

    lblNumPreguntas = CreaContador(PanelSuperior, 560, 100, QStringLiteral("xx.xxx preguntas"));
    lblNumPreguntas->installEventFilter(this);
    lblNumTemas = CreaContador(PanelSuperior, 665, 70, QStringLiteral("xxx temas"));
}

void TfrmTildora::CreaMenu() {
    Ordenes.CreaMenus(menuBar());
    menuSecuencial->setCheckable(true);
    menuSecuencial->setChecked(true);
    menuAleatorio->setCheckable(true);
    menuLetras->setCheckable(true);
    menuBarrejar->setCheckable(true);
    HabilitaControlesTest(false);
}

void TfrmTildora::FormCreate() {
    Sesion.SiembraGenerador();
    UltimaCarpeta = CarpetaPrograma();
    Idioma = TIdioma::Valenciano;
    Pool.CreaPool();
    for (int i = 1; i <= kTamanoPool; ++i)
        Huecos[i]->installEventFilter(this);
    lblNumTemas->clear();
    lblNumPreguntas->clear();
    LineaPuntuacion->PonSinConjunto(true);
    // The smallest width that still shows the toolbar up to the counters.
    setMinimumSize(btnSiguiente->x() + btnSiguiente->width() + lblNumPreguntas->width() +
                       lblNumTemas->width() + 20,
                   kAltoMinimo);
    CambiaIdioma(Idioma);
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
    const std::string carpeta = CarpetaDatosPrograma();
    return carpeta.empty() ? QString() : RutaDeBytes(carpeta) + QLatin1Char('/');
}

void TfrmTildora::menuNuevoClick() {
    if (!QFileInfo(UltimaCarpeta).isDir())
        UltimaCarpeta = CarpetaPrograma();
    AbreFicheroElegido(AbrePreguntas(UltimaCarpeta));
}

void TfrmTildora::AbreFicheroElegido(const QString& elegido) {
    if (!elegido.isEmpty()) {
        UltimaCarpeta = ConSeparador(QFileInfo(elegido).absolutePath());
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
    Sesion.PonCarpetaDatos(RutaLocal(CarpetaDatos()));
    const bool habiaConjunto = Sesion.FicherosAbiertos();
    TAviso aviso;
    const bool valido = [&] {
        try {
            return Sesion.CompruebaConjunto(RutaLocal(QFileInfo(elegido).absoluteFilePath()),
                                            &aviso);
        } catch (...) {
            DesactivaTest();
            throw;
        }
    }();
    if (habiaConjunto)
        DesactivaTest();
    if (!valido) {
        Pitido();
        MuestraAviso(aviso);
        return;
    }
    TfrmAviso espera(this);
    espera.Idioma = Idioma;
    espera.show();
    // The flow handles no events of its own until the notice is gone.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    espera.repaint();
    const TAvisosApertura avisos = Sesion.AbreConjunto();
    setWindowTitle(QStringLiteral("Tildora: ") +
                   RutaDeBytes(NombreSinExtension(Sesion.NombreFichero())));
    ActivaTest();
    if (avisos.Configuracion) {
        Pitido();
        MuestraAviso(*avisos.Configuracion);
    }
    ActualizaPendientes();
    if (avisos.ProgresoDanado)
        MuestraAviso(QStringList{Texto(
            Idioma,
            "El fichero con los errores por repasar de este conjunto estaba dañado: se ha "
            "guardado aparte y se empieza de nuevo.",
            "El fitxer amb les errades per repassar d'este conjunt estava danyat: s'ha guardat "
            "a banda i es comença de nou.")});
    if (avisos.SinHistoria)
        MuestraAviso(QStringList{
            Texto(Idioma,
                  "No se puede guardar la puntuación de esta sesión: se puede practicar, "
                  "pero la puntuación no quedará en el historial.",
                  "No es pot guardar la puntuació d'esta sessió: podeu practicar, però "
                  "la puntuació no quedarà en l'historial.")});
}

void TfrmTildora::CierraFicheros() {
    if (!Sesion.FicherosAbiertos())
        return;
    try {
        Sesion.CierraFicheros();
    } catch (...) {
        DesactivaTest();
        throw;
    }
    DesactivaTest();
}

void TfrmTildora::DescartaFicheros() {
    Sesion.DescartaFicheros();
    DesactivaTest();
}

void TfrmTildora::ActivaTest() {
    LineaPuntuacion->Limpia();
    LineaPuntuacion->PonSinConjunto(false);
    HabilitaControlesTest(true);
}

void TfrmTildora::DesactivaTest() {
    HabilitaControlesTest(false);
    LineaPuntuacion->Limpia();
    LineaPuntuacion->PonSinConjunto(true);
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
    // The review walks the same set: it comes and goes with the exercise controls.
    btnRepasar->setEnabled(habilitados);
    menuRepasar->setEnabled(habilitados);
    // Not an exercise control, but there is no history without a set.
    menuHistorial->setEnabled(habilitados);
}

void TfrmTildora::Protege(const std::function<void()>& manejador) {
    ProtegeManejador([this, &manejador] {
        try {
            manejador();
        } catch (const IoError& error) {
            MuestraError(TextoErrorFichero(error, Idioma));
        }
    });
}

void TfrmTildora::menuTerminarClick() {
    close();
}

void TfrmTildora::closeEvent(QCloseEvent* evento) {
    Escucha->Calla();
    // The session's score is appended, not lost with the program.
    Protege([this] { CierraFicheros(); });
    QMainWindow::closeEvent(evento);
}

void TfrmTildora::LimpiaPregunta() {
    Sesion.SiembraGenerador();
    NumHuecos = 0;
    Escucha->Habilita(false);
    Pool.Limpia();
    LineaPuntuacion->QuitaPregunta();
    AjustaAreaCliente();
}

void TfrmTildora::MuestraPregunta(uint16_t numero) {
    Escucha->Calla();
    Sesion.SiembraGenerador();
    NumHuecos = Pool.Muestra(Sesion.Pregunta(), numero, frameGeometry().width());
    Sesion.EmpiezaPregunta(numero);
    LineaPuntuacion->QuitaPregunta();
    PistasHuecos.Olvida();
    PistasHuecos.Aplica(NumHuecos, Idioma, Sesion.RespuestasVisibles());
    AjustaAreaCliente();
    Escucha->Habilita(true);
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

void TfrmTildora::menuRepasarClick() {
    if (!Sesion.EmpiezaRepaso()) {
        MuestraAviso(QStringList{
            Texto(Idioma, "No hay preguntas por repasar.", "No hi ha preguntes per repassar.")});
        return;
    }
    menuSiguienteClick();
}

void TfrmTildora::ActualizaPendientes() {
    LineaPuntuacion->PonPendientes(Sesion.CuentaPendientes());
    LineaPuntuacion->PonRepaso(Sesion.Repaso() ? Sesion.PasoRepaso() : 0,
                               Sesion.RondaRepaso().size());
}

void TfrmTildora::AvisaFinRepaso() {
    const TFinRepaso fin = Sesion.FinRepaso();
    const int quedan = fin.Pendientes + fin.EnEspera;
    QStringList partes;
    if (quedan == 0)
        partes << Texto(Idioma, "Repaso terminado: no queda ninguna pregunta por repasar ahora.",
                        "Repàs acabat: no en queda cap pregunta per repassar ara.");
    else
        partes << Texto(Idioma,
                        "Repaso terminado. Todavía quedan %1 por repasar: vuelven después de "
                        "tres preguntas más y en la próxima sesión.",
                        "Repàs acabat. Encara en queden %1 per repassar: tornen després de tres "
                        "preguntes més i en la pròxima sessió.")
                      .arg(quedan);
    if (fin.ProximoDia != 0)
        partes << Texto(Idioma, "Las acertadas vuelven a partir del %1.",
                        "Les encertades tornen a partir del %1.")
                      .arg(QString::fromStdString(FechaDia(fin.ProximoDia)));
    partes << Texto(Idioma, "Se sigue con el orden de antes.", "Es continua amb l'ordre d'abans.");
    MuestraAviso(partes);
}

void TfrmTildora::menuSiguienteClick() {
    const bool repasaba = Sesion.Repaso();
    const uint16_t numero = Sesion.Siguiente();
    if (repasaba && !Sesion.Repaso())
        AvisaFinRepaso();
    if (numero == 0) {
        ActualizaPendientes();
        return;
    }
    MuestraPregunta(numero);
    btnCorregir->setChecked(false);
    ActualizaCorregir();
    ActualizaPendientes();
}

void TfrmTildora::PasoTeclado() {
    if (!btnSiguiente->isEnabled())
        return;
    // The answers flip together: the first one tells whether they are shown.
    if (NumHuecos > 0 && Respuestas[1]->isHidden()) {
        // The menu may have left the button down with the answers hidden: the click shows them.
        btnCorregir->setChecked(false);
        btnCorregir->click();
    } else {
        btnSiguiente->click();
    }
}

void TfrmTildora::RetornoEnHueco(int i) {
    if (i < NumHuecos) {
        QLineEdit* siguiente = Huecos[i + 1];
        siguiente->setFocus(Qt::OtherFocusReason);
        siguiente->end(false);
        AreaCliente->ensureWidgetVisible(siguiente);
    } else if (!btnCorregir->isChecked() && btnCorregir->isEnabled()) {
        btnCorregir->click();
    }
}

void TfrmTildora::menuSecuencialClick() {
    Sesion.CambiaOrden(true);
    ActualizaOrden();
}

void TfrmTildora::menuAleatorioClick() {
    Sesion.CambiaOrden(false);
    ActualizaOrden();
}

void TfrmTildora::ActualizaOrden() {
    menuSecuencial->setChecked(Sesion.Secuencial());
    menuAleatorio->setChecked(!Sesion.Secuencial());
    // The group is exclusive: putting one down puts the other up.
    (Sesion.Secuencial() ? btnSecuencial : btnAleatorio)->setChecked(true);
}

void TfrmTildora::menuIrAClick() {
    TfrmLeeInicial dialogo(this);
    dialogo.Idioma = Idioma;
    const int maximo = std::min(Sesion.NumPreguntas(), kMaximoPreguntas);
    dialogo.NumInicial->setMaximum(maximo);
    // A set without questions has no number to go to.
    if (dialogo.exec() != QDialog::Accepted || maximo < 1)
        return;
    // A number typed and confirmed at once with Enter counts too.
    dialogo.NumInicial->interpretText();
    Sesion.ContinuaDesde(static_cast<uint16_t>(std::clamp(dialogo.NumInicial->value(), 1, maximo)));
    ActualizaOrden();
}

void TfrmTildora::menuCorregirClick() {
    if (NumHuecos == 0) {
        btnCorregir->setChecked(false);
        return;
    }
    const bool visibles = Sesion.AlternaRespuestas();
    std::vector<std::optional<std::string>> entradas;
    for (int i = 1; i <= NumHuecos; ++i) {
        Respuestas[i]->setVisible(visibles);
        if (!visibles) {
            PintaHueco(Huecos[i], ColorVentana());
            continue;
        }
        QLineEdit* hueco = Huecos[i];
        // One byte per UTF-16 unit: the trimmed length is the same in the text.
        const auto largo = static_cast<qsizetype>(LongitudRecortada(BytesPorUnidad(hueco->text())));
        if (largo != hueco->text().size())
            hueco->setText(hueco->text().left(largo));
        entradas.push_back(BytesDeEntrada(hueco->text()));
    }
    if (visibles) {
        const TSesion::TCorreccion correccion = Sesion.Corrige(entradas);
        for (int i = 1; i <= NumHuecos; ++i) {
            const TTipoFallo fallo = correccion.Fallos[static_cast<size_t>(i - 1)];
            PintaHueco(Huecos[i],
                       fallo == TTipoFallo::Ninguno ? ColorVentana() : QColor(255, 0, 0));
            // A selection would cover the red of the gap the learner is in.
            if (fallo != TTipoFallo::Ninguno)
                Huecos[i]->deselect();
            PistasHuecos.Juzga(i, fallo);
        }
        LineaPuntuacion->PonResultado(correccion.Aciertos, NumHuecos, Sesion.Acertadas(),
                                      Sesion.Contestadas(), Sesion.PorCiento());
        ActualizaPendientes();
    }
    PistasHuecos.Aplica(NumHuecos, Idioma, visibles);
    ActualizaCorregir();
}

void TfrmTildora::ActualizaCorregir() {
    const bool abajo = btnCorregir->isChecked();
    btnCorregir->setText(abajo ? QStringLiteral("Ocultar") : QStringLiteral("Corregir"));
    btnCorregir->setToolTip(abajo ? Texto(Idioma, "Ocultar correción", "Ocultar correció")
                                  : Texto(Idioma, "Corregir el texto", "Corregir el texte"));
}

void TfrmTildora::CambiaIdioma(TIdioma idioma) {
    Idioma = idioma;
    // Qt's own texts (dialog buttons, context menus) follow: Spanish or Catalan.
    TraduceQt(Idioma);
    const bool castellano = Idioma == TIdioma::Castellano;
    menuCastellano->setEnabled(!castellano);
    menuValenciano->setEnabled(castellano);
    Ordenes.CambiaIdioma(Idioma);
    lblNumPreguntas->setText(QString::number(Sesion.NumPreguntas()) +
                             Texto(Idioma, " preguntas", " preguntes"));
    lblNumTemas->setText(QString::number(Sesion.NumTemas()) + Texto(Idioma, " temas", " temes"));
    TiraLetras->PonIdioma(Idioma);
    LineaPuntuacion->CambiaIdioma(Idioma);
    PistasHuecos.Aplica(NumHuecos, Idioma, Sesion.RespuestasVisibles());
    ActualizaCorregir();
    Escucha->CambiaIdioma(Idioma);
}

void TfrmTildora::menuCastellanoClick() {
    CambiaIdioma(TIdioma::Castellano);
}

void TfrmTildora::menuValencianoClick() {
    CambiaIdioma(TIdioma::Valenciano);
}

void TfrmTildora::menuTemasClick() {
    TfrmTemas dialogo(this);
    dialogo.Idioma = Idioma;
    const TLista& temas = Sesion.ListaTemas();
    for (int32_t i = 1; i <= temas.Cuenta(); ++i)
        dialogo.AnadeTema(TextoDeBytes(temas.Nombre(i)), temas.Marcado(i));
    if (dialogo.exec() == QDialog::Accepted) {
        Sesion.SeleccionaTemas(dialogo.Marcas());
        ActualizaPendientes();
    }
}

void TfrmTildora::menuHistorialClick() {
    TfrmHistorial dialogo(this);
    dialogo.Idioma = Idioma;
    dialogo.NombreConjunto = RutaDeBytes(NombreSinExtension(Sesion.NombreFichero()));
    // Apart from the open history file, read-only: reading never changes it.
    dialogo.Historia = LeeColaHistoria(Sesion.RutaHistoria(), TfrmHistorial::kSesionesDibujadas);
    dialogo.PuntuacionActual = Sesion.PuntuacionActual();
    dialogo.SesionesFechadas = Sesion.Progreso().Sesiones;
    dialogo.Resultados = Sesion.Progreso().Preguntas;
    dialogo.Ficheros = &Sesion.FicherosPreguntas();
    // A question chosen there is shown at once; the learner's order stays as it was.
    connect(&dialogo, &TfrmHistorial::PreguntaElegida, this, [this](uint16_t numero) {
        Protege([this, numero] {
            Sesion.LeeElegida(numero);
            MuestraPregunta(numero);
            btnCorregir->setChecked(false);
            ActualizaCorregir();
        });
    });
    dialogo.exec();
}

void TfrmTildora::menuSobreProgClick() {
    TfrmSobreElPrograma dialogo(this);
    dialogo.Idioma = Idioma;
    dialogo.exec();
}

void TfrmTildora::menuTeclasClick() {
    TfrmTeclas dialogo(this);
    dialogo.Idioma = Idioma;
    dialogo.exec();
}

bool TfrmTildora::eventFilter(QObject* objeto, QEvent* evento) {
    if (auto* hueco = qobject_cast<QLineEdit*>(objeto); hueco != nullptr && hueco != Hueco1) {
        if (evento->type() == QEvent::FocusIn) {
            const auto razon = static_cast<QFocusEvent*>(evento)->reason();
            if (razon == Qt::TabFocusReason || razon == Qt::BacktabFocusReason) {
                // Tab would select a pre-filled word, and typing would replace it: the caret
                // goes to its end instead.
                hueco->event(evento);
                hueco->end(false);
                return true;
            }
        }
        if (evento->type() == QEvent::KeyPress) {
            const auto* tecla = static_cast<QKeyEvent*>(evento);
            if ((tecla->key() == Qt::Key_Return || tecla->key() == Qt::Key_Enter) &&
                (tecla->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
                const auto i = std::find(Huecos.begin() + 1, Huecos.end(), hueco) - Huecos.begin();
                Protege([this, i] { RetornoEnHueco(static_cast<int>(i)); });
                return true;
            }
        }
    }
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
        Protege([this, boton, teclas] { lblNumPreguntasMouseDown(boton, teclas); });
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
