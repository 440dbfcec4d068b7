#pragma once

#include <QMainWindow>
#include <QString>

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "client_area.h"
#include "command_table.h"
#include "core/base/language.h"
#include "core/learning/session.h"
#include "core/text/layout.h"
#include "gap_hints.h"
#include "question_pool.h"

class QAction;
class QButtonGroup;
class QFrame;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QToolBar;
class QToolButton;
class TEscucha;
class TTiraLetras;
class TLineaPuntuacion;
class TZoomTexto;

// The program's own folder, with its trailing separator, for an executable in the given folder:
// that folder, or <prefix>/share/tildora/samples when the program runs installed in <prefix>/bin.
QString CarpetaProgramaDe(const QString& carpetaEjecutable);

// The exercise window: toolbar, menu, the pool in which questions are laid out, and the state
// of the open question file set.
class TfrmTildora : public QMainWindow {
    Q_OBJECT
  public:
    explicit TfrmTildora(QWidget* parent = nullptr);

    // Every command: its menu item, its toolbar button, its captions in both languages.
    TTablaOrdenes Ordenes;

    // The form's automatic scrolling: the heading and the question live in the scrolled client
    // area, at the client coordinates of the layout; the toolbar stands above it, unscrolled.
    TAreaCliente* AreaCliente = nullptr;
    QWidget* Cliente = nullptr;

    QFrame* PanelSuperior = nullptr;
    QToolButton* btnNuevo = nullptr;
    QToolButton* btnIrA = nullptr;
    QToolButton* btnSecuencial = nullptr;
    QToolButton* btnAleatorio = nullptr;
    QToolButton* btnTemas = nullptr;
    QToolButton* btnTerminar = nullptr;
    QToolButton* btnSobreProg = nullptr;
    QToolButton* btnRepasar = nullptr;
    QToolButton* btnCorregir = nullptr;
    QPushButton* btnSiguiente = nullptr;
    QLabel* lblNumPreguntas = nullptr;
    QLabel* lblNumTemas = nullptr;
    QButtonGroup* Grupo1 = nullptr;

    // The heading, the templates and the pools in which the question is laid out.
    TPoolPregunta Pool;
    QLabel*& lblTema = Pool.lblTema;
    QLabel*& Texto1 = Pool.Texto1;
    QLineEdit*& Hueco1 = Pool.Hueco1;

    QMenu* menuFichero = nullptr;
    QAction* menuNuevo = nullptr;
    QAction* menuIrA = nullptr;
    QAction* menuSecuencial = nullptr;
    QAction* menuAleatorio = nullptr;
    QAction* menuRepasar = nullptr;
    QAction* menuTemas = nullptr;
    QAction* menuHistorial = nullptr;
    QAction* menuLinea = nullptr;
    QAction* menuTerminar = nullptr;
    QMenu* menuPreguntas = nullptr;
    QAction* menuCorregir = nullptr;
    QAction* menuSiguiente = nullptr;
    QAction* menuLetras = nullptr;
    QAction* menuBarrejar = nullptr;
    QMenu* menuIdioma = nullptr;
    QAction* menuCastellano = nullptr;
    QAction* menuValenciano = nullptr;
    QMenu* menuAyuda = nullptr;
    QAction* menuSobreProg = nullptr;
    QAction* menuTeclas = nullptr;

    // The score at the foot, the gaps' accessible names and reasons, the text size.
    TLineaPuntuacion* LineaPuntuacion = nullptr;
    TPistasHuecos PistasHuecos{Pool};
    TZoomTexto* ZoomTexto = nullptr;
    // The letters a learner's keyboard may lack, at the foot; hidden until asked for.
    QToolBar* BarraLetras = nullptr;
    TTiraLetras* TiraLetras = nullptr;
    // The voice that reads the shown question aloud.
    TEscucha* Escucha = nullptr;

    // The open dialog: the chosen question file, or empty when cancelled. Tests replace it.
    std::function<QString(const QString& primeraCarpeta)> AbrePreguntas;

    // The open set, its order, tallies and current question.
    TSesion Sesion;
    std::array<QLabel*, kTamanoPool + 1>& Textos = Pool.Textos;  // 1-based
    std::array<QLineEdit*, kTamanoPool + 1>& Huecos = Pool.Huecos;
    std::array<QLabel*, kTamanoPool + 1>& Respuestas = Pool.Respuestas;
    uint16_t NumHuecos = 0;
    QString UltimaCarpeta;
    TIdioma Idioma = TIdioma::Valenciano;

    // The folder of the program's settings and history files, with its trailing separator.
    static QString CarpetaDatos();

    void FormCreate();
    void FormResize();
    void menuNuevoClick();
    // The open flow from the file's choice on: the file given on the command line, or the one
    // the dialog returned (empty: cancelled).
    void AbreFicheroElegido(const QString& elegido);
    void AbreFicheros(const std::string& nombre);
    void CierraFicheros();
    void ActivaTest();
    void DesactivaTest();
    void menuTerminarClick();
    void LimpiaPregunta();
    void MuestraPregunta(uint16_t numero);
    void menuSiguienteClick();
    void menuSecuencialClick();
    void menuAleatorioClick();
    void ActualizaOrden();
    void menuIrAClick();
    void menuCorregirClick();
    void ActualizaCorregir();
    // Correct while the answers are hidden, else Next: one key through a question.
    void CambiaIdioma(TIdioma idioma);
    void menuCastellanoClick();
    void menuValencianoClick();
    void menuTemasClick();
    void menuRepasarClick();
    void menuLetrasClick();
    void menuHistorialClick();
    void menuSobreProgClick();
    void menuTeclasClick();
    void menuBarrejarClick();
    // Ctrl+Return: presses Correct while the answers are hidden, else Next.
    void PasoTeclado();
    void lblNumPreguntasMouseDown(Qt::MouseButton boton, Qt::KeyboardModifiers teclas);
    // Runs an event handler; a file error ends it with a message in the interface language.
    void Protege(const std::function<void()>& manejador);

  protected:
    void resizeEvent(QResizeEvent* evento) override;
    void closeEvent(QCloseEvent* evento) override;
    bool eventFilter(QObject* objeto, QEvent* evento) override;

  private:
    void CreaBarra();
    void CreaMenu();
    void HabilitaControlesTest(bool habilitados);
    // Closing the open set, checking the chosen one and opening it: the heart of New.
    void AbreConjunto(const QString& elegido);
    // Closes whatever a failed file operation left open, without a score.
    void DescartaFicheros();
    void ActualizaPendientes();
    // Return in gap i: the next gap, or in the last one Correct while the button is up.
    void RetornoEnHueco(int i);
    // What is left when a review round ends, as a notice.
    void AvisaFinRepaso();
    // What the learner chose to see, kept between runs in the user's configuration folder.
    void RestauraPreferencias();
    void GuardaPreferencias() const;
    // Lets the scrolled client area reach the lowest shown control of the question.
    void AjustaAreaCliente();
};
