#include "speech_player.h"

#include <QAudioDevice>
#include <QAudioFormat>
#include <QAudioSink>
#include <QCoreApplication>
#include <QIODevice>
#include <QMediaDevices>

#include <algorithm>
#include <cstring>

// The samples come sentence by sentence while the sink pulls them.
class TFuenteMuestras : public QIODevice {
  public:
    explicit TFuenteMuestras(QObject* parent) : QIODevice(parent) { open(QIODevice::ReadOnly); }
    bool isSequential() const override { return true; }
    qint64 bytesAvailable() const override {
        return static_cast<qint64>(bytes_.size() - leidos_) + QIODevice::bytesAvailable();
    }
    void Anade(const std::vector<int16_t>& muestras) {
        const char* datos = reinterpret_cast<const char*>(muestras.data());
        bytes_.append(datos, static_cast<qsizetype>(muestras.size() * sizeof(int16_t)));
        emit readyRead();
    }
    void Vacia() {
        bytes_.clear();
        leidos_ = 0;
    }

  protected:
    qint64 readData(char* destino, qint64 maximo) override {
        const qint64 n = std::min<qint64>(maximo, bytes_.size() - leidos_);
        std::memcpy(destino, bytes_.constData() + leidos_, static_cast<size_t>(n));
        leidos_ += n;
        return n;
    }
    qint64 writeData(const char*, qint64) override { return -1; }

  private:
    QByteArray bytes_;
    qsizetype leidos_ = 0;
};

namespace {

class TSalidaQt : public TSalidaSonido {
  public:
    bool Disponible() const override { return !QMediaDevices::audioOutputs().isEmpty(); }
    void Toca(QIODevice* fuente, int muestrasPorSegundo) override {
        QAudioFormat formato;
        formato.setSampleRate(muestrasPorSegundo);
        formato.setChannelCount(1);
        formato.setSampleFormat(QAudioFormat::Int16);
        frecuencia_ = muestrasPorSegundo;
        sumidero_ = std::make_unique<QAudioSink>(QMediaDevices::defaultAudioOutput(), formato);
        sumidero_->start(fuente);
    }
    void Para() override {
        if (sumidero_)
            sumidero_->stop();
        sumidero_.reset();
    }
    int64_t MuestrasTocadas() const override {
        return sumidero_ ? sumidero_->processedUSecs() * frecuencia_ / 1000000 : 0;
    }

  private:
    std::unique_ptr<QAudioSink> sumidero_;
    int frecuencia_ = 0;
};

// A word is lit this often while it is spoken: often enough for the eye.
constexpr int kMilisegundosReloj = 15;

}  // namespace

std::unique_ptr<TSalidaSonido> SalidaDelSistema() {
    return std::make_unique<TSalidaQt>();
}

TLectorVoz::TLectorVoz(QObject* parent, std::unique_ptr<TSalidaSonido> salida)
    : QObject(parent), salida_(std::move(salida)), fuente_(new TFuenteMuestras(this)) {
    reloj_.setInterval(kMilisegundosReloj);
    connect(&reloj_, &QTimer::timeout, this, &TLectorVoz::Sigue);
}

TLectorVoz::~TLectorVoz() {
    if (leyendo_)
        TVoz::DelProceso().Calla();
    salida_->Para();
}

bool TLectorVoz::Disponible() const {
    return salida_->Disponible() && TVoz::DelProceso().Disponible();
}

void TLectorVoz::Lee(std::string texto, TIdioma idioma, bool lento) {
    Calla();
    if (!Disponible())
        return;
    const uint64_t lectura = ++lectura_;
    leyendo_ = true;
    // The worker hands each sentence to the window's thread; a reading stopped or a reader
    // gone by then takes nothing.
    QPointer<TLectorVoz> lector(this);
    TVoz::DelProceso().Habla(std::move(texto), idioma, lento, [lector, lectura](TTrozoVoz&& t) {
        QMetaObject::invokeMethod(
            QCoreApplication::instance(),
            [lector, lectura, trozo = std::move(t)]() mutable {
                if (lector && lector->lectura_ == lectura && lector->leyendo_)
                    lector->Recibe(std::move(trozo));
            },
            Qt::QueuedConnection);
    });
}

void TLectorVoz::Recibe(TTrozoVoz&& trozo) {
    fuente_->Anade(trozo.Muestras);
    total_ += static_cast<int64_t>(trozo.Muestras.size());
    marcas_.insert(marcas_.end(), trozo.Marcas.begin(), trozo.Marcas.end());
    completa_ = trozo.Ultimo;
    if (!sonando_) {
        sonando_ = true;
        salida_->Toca(fuente_, TVoz::DelProceso().MuestrasPorSegundo());
        reloj_.start();
    }
    Sigue();
}

void TLectorVoz::Sigue() {
    const int64_t tocadas = salida_->MuestrasTocadas();
    while (siguienteMarca_ < marcas_.size() && marcas_[siguienteMarca_].Muestra <= tocadas) {
        const TMarcaPalabra& m = marcas_[siguienteMarca_++];
        emit Palabra(static_cast<qsizetype>(m.Inicio), static_cast<qsizetype>(m.Longitud));
    }
    if (completa_ && tocadas >= total_)
        Termina(true);
}

void TLectorVoz::Calla() {
    Termina(false);
}

void TLectorVoz::Termina(bool hastaElFinal) {
    if (!leyendo_)
        return;
    TVoz::DelProceso().Calla();
    reloj_.stop();
    salida_->Para();
    fuente_->Vacia();
    leyendo_ = sonando_ = completa_ = false;
    total_ = 0;
    marcas_.clear();
    siguienteMarca_ = 0;
    ++lectura_;
    emit Terminado(hastaElFinal);
}
