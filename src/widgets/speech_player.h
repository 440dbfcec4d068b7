#pragma once

#include <QObject>
#include <QPointer>
#include <QTimer>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "core/base/language.h"
#include "core/speech/speech.h"

class QIODevice;

// Where the samples go: the system's sound device, or a buffer in the tests.
class TSalidaSonido {
  public:
    virtual ~TSalidaSonido() = default;
    // False when there is no sound device.
    virtual bool Disponible() const = 0;
    // Plays 16-bit mono samples pulled from fuente.
    virtual void Toca(QIODevice* fuente, int muestrasPorSegundo) = 0;
    virtual void Para() = 0;
    // Samples played since Toca.
    virtual int64_t MuestrasTocadas() const = 0;
};
// Qt Multimedia's default output.
std::unique_ptr<TSalidaSonido> SalidaDelSistema();

class TFuenteMuestras;

// Reads a text aloud: the engine's sentences are played as they come, and each word is told
// when its sound starts.
class TLectorVoz : public QObject {
    Q_OBJECT
  public:
    explicit TLectorVoz(QObject* parent,
                        std::unique_ptr<TSalidaSonido> salida = SalidaDelSistema());
    ~TLectorVoz() override;

    // A sound device and the engine's voices.
    bool Disponible() const;
    bool Leyendo() const { return leyendo_; }
    // texto in Windows-1252; a reading under way stops first.
    void Lee(std::string texto, TIdioma idioma, bool lento);
    void Calla();

  signals:
    // The word being spoken: its characters in the text read.
    void Palabra(qsizetype inicio, qsizetype longitud);
    // The reading is over: heard to the end, or stopped.
    void Terminado(bool hastaElFinal);

  private:
    void Termina(bool hastaElFinal);
    void Recibe(TTrozoVoz&& trozo);
    void Sigue();

    std::unique_ptr<TSalidaSonido> salida_;
    TFuenteMuestras* fuente_ = nullptr;
    QTimer reloj_;
    uint64_t lectura_ = 0;  // the reading whose sentences are taken
    bool leyendo_ = false;
    bool sonando_ = false;
    bool completa_ = false;  // the last sentence has come
    int64_t total_ = 0;
    std::vector<TMarcaPalabra> marcas_;
    size_t siguienteMarca_ = 0;
};
