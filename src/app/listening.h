#pragma once

#include <QObject>
#include <QString>
#include <QTimer>

#include <functional>
#include <memory>

#include "core/base/language.h"
#include "core/spelling/spelling.h"
#include "question_reading.h"
#include "speech_player.h"

class QAction;
class QShortcut;
class QToolButton;
class TfrmTildora;
class TVistaDictado;

// The exercise window's voice: Escuchar reads the shown question with its answers in place, each
// word lit while it is spoken; F3 reads the sentence of the focused gap. F3, F4 and Ctrl+F4 are
// the window's own keys, shown on no menu item.
class TEscucha : public QObject {
    Q_OBJECT
  public:
    TEscucha(TfrmTildora* ventana, std::unique_ptr<TSalidaSonido> salida = SalidaDelSistema());

    QAction* menuEscuchar = nullptr;
    QAction* menuLento = nullptr;
    QAction* menuDictado = nullptr;
    // The dictation: the question's text hidden and read sentence by sentence.
    TVistaDictado* Dictado = nullptr;
    QToolButton* btnEscuchar = nullptr;
    QShortcut* AtajoPregunta = nullptr;  // F4
    QShortcut* AtajoFrase = nullptr;     // F3
    QShortcut* AtajoTodo = nullptr;      // Ctrl+F4
    TLectorVoz* Lector = nullptr;
    TLecturaPregunta Lectura;
    // Told once, the first time the learner asks for the voice and there is none. Tests replace it.
    std::function<void(const QString& texto)> AvisaSinVoz;

    // Puts the actions on the Preguntas menu and the button on the letter strip's bar.
    void CreaControles();
    // Tests play into a buffer.
    void PonSalida(std::unique_ptr<TSalidaSonido> salida);
    void CambiaIdioma(TIdioma idioma);
    // Enabled with a question on screen and a voice to read it.
    void Habilita(bool conPregunta);
    void Calla();
    void LeePregunta();
    void LeeFraseDelHueco();
    // F4: in a dictation, the sentence again; else the question.
    void Repite();
    // Ctrl+F4: the whole text.
    void LeeTodo();
    void menuDictadoClick();
    bool Dictando() const;
    void Comprueba();
    // Why the voice cannot be heard, or empty.
    QString PorQueSinVoz() const;
    // The language of the text read: the spelling check's guess, the interface's meanwhile.
    TIdioma IdiomaDe(const std::string& texto);

  private:
    void ConectaLector();
    void Lee(const std::string& texto);
    // The text with only one sentence left to read, the marks still in their places.
    std::string SoloFrase(const TFrase& frase) const;
    void LeeFraseDictado();
    void TerminaDictado();
    bool PuedeLeer();

    TfrmTildora* ventana_;
    TOrtografia ortografia_;
    bool conPregunta_ = false;
    bool avisado_ = false;
    std::vector<TFrase> frases_;
    size_t frase_ = 0;
    QTimer* pausa_ = nullptr;  // the learner's time to write the sentence heard
};
