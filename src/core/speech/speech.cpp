#include "core/speech/speech.h"

#include <espeak-ng/speak_lib.h>

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <cstring>
#include <future>
#include <mutex>
#include <optional>
#include <thread>

#include "core/base/win1252.h"

namespace {

bool CierraFrase(char c) {
    return c == '.' || c == '?' || c == '!' || c == '\r' || c == '\n';
}
bool SigueAlCierre(char c) {
    return CierraFrase(c) || c == ' ' || c == '\t' || c == '"' || c == '\'' || c == ')' ||
           static_cast<unsigned char>(c) == 0xBB;  // a closing angle quote
}

}  // namespace

std::vector<TFrase> Frases(std::string_view texto) {
    std::vector<TFrase> frases;
    size_t inicio = 0;
    bool conLetra = false;
    const auto cierra = [&](size_t fin) {
        if (conLetra)
            frases.push_back({inicio, fin - inicio});
        inicio = fin;
        conLetra = false;
    };
    for (size_t i = 0; i < texto.size();) {
        if (!CierraFrase(texto[i])) {
            conLetra = conLetra || static_cast<unsigned char>(texto[i]) > ' ';
            ++i;
            continue;
        }
        while (i < texto.size() && SigueAlCierre(texto[i]))
            ++i;
        cierra(i);
    }
    cierra(texto.size());
    return frases;
}

std::string VozPara(TIdioma idioma, const std::vector<std::string>& idiomasOfrecidos) {
    if (idioma == TIdioma::Castellano)
        return "es";
    const bool valenciano = std::find(idiomasOfrecidos.begin(), idiomasOfrecidos.end(), "ca-va") !=
                            idiomasOfrecidos.end();
    return valenciano ? "ca-va" : "ca";
}

namespace {

struct TPeticion {
    std::string Texto;
    TIdioma Idioma = TIdioma::Castellano;
    bool Lento = false;
    std::function<void(TTrozoVoz&&)> AlTrozo;
    uint64_t Numero = 0;
};

// What the engine's callback fills; only the worker touches it.
struct TFraseEnCurso {
    std::vector<int16_t>* Muestras = nullptr;
    std::vector<TMarcaPalabra>* Marcas = nullptr;
    size_t InicioFrase = 0;
    size_t LongitudFrase = 0;
    int64_t MuestrasAntes = 0;  // of the earlier sentences
    const std::atomic<uint64_t>* Vigente = nullptr;
    uint64_t Numero = 0;
};
TFraseEnCurso enCurso;

int AlSintetizar(short* muestras, int cuantas, espeak_EVENT* eventos) {
    for (; eventos->type != espeakEVENT_LIST_TERMINATED; ++eventos) {
        // Words of no characters are the pauses of a clause's signs.
        if (eventos->type != espeakEVENT_WORD || eventos->length <= 0 || eventos->text_position < 1)
            continue;
        const size_t inicio = static_cast<size_t>(eventos->text_position - 1);
        if (inicio >= enCurso.LongitudFrase)
            continue;
        const size_t longitud =
            std::min(static_cast<size_t>(eventos->length), enCurso.LongitudFrase - inicio);
        enCurso.Marcas->push_back(
            {enCurso.InicioFrase + inicio, longitud,
             enCurso.MuestrasAntes + static_cast<int64_t>(enCurso.Muestras->size())});
    }
    if (muestras && cuantas > 0)
        enCurso.Muestras->insert(enCurso.Muestras->end(), muestras, muestras + cuantas);
    // Non-zero stops the synthesis: a newer request has come.
    return enCurso.Vigente->load() == enCurso.Numero ? 0 : 1;
}

}  // namespace

struct TVoz::TMotor {
    std::mutex Cerrojo;
    std::condition_variable Aviso;
    std::optional<TPeticion> Pendiente;
    bool Terminar = false;
    std::atomic<uint64_t> Vigente{0};
    uint64_t Ultimo = 0;  // under Cerrojo

    std::promise<void> Arrancado;
    int Frecuencia = 0;
    std::vector<std::string> Idiomas;
    std::thread Hilo;

    void Arranca() {
        Frecuencia =
            espeak_Initialize(AUDIO_OUTPUT_SYNCHRONOUS, 100, nullptr, espeakINITIALIZE_DONT_EXIT);
        if (Frecuencia > 0) {
            espeak_SetSynthCallback(AlSintetizar);
            for (const espeak_VOICE** v = espeak_ListVoices(nullptr); v && *v; ++v)
                // Pairs of a priority byte and a language, up to an empty one.
                for (const char* l = (*v)->languages; l && *l; l += std::strlen(l + 1) + 2)
                    Idiomas.emplace_back(l + 1);
        }
        Arrancado.set_value();
    }

    void Atiende() {
        Arranca();
        for (;;) {
            TPeticion peticion;
            {
                std::unique_lock<std::mutex> cerrojo(Cerrojo);
                Aviso.wait(cerrojo, [this] { return Terminar || Pendiente.has_value(); });
                if (Terminar)
                    break;
                peticion = std::move(*Pendiente);
                Pendiente.reset();
            }
            Dice(peticion);
        }
        if (Frecuencia > 0)
            espeak_Terminate();
    }

    void Dice(TPeticion& peticion) {
        const std::vector<TFrase> frases = Frases(peticion.Texto);
        if (Frecuencia > 0) {
            espeak_SetVoiceByName(VozPara(peticion.Idioma, Idiomas).c_str());
            espeak_SetParameter(espeakRATE,
                                peticion.Lento ? kPalabrasPorMinutoLento : kPalabrasPorMinuto, 0);
        }
        int64_t muestrasAntes = 0;
        for (size_t i = 0; i < frases.size() || i == 0; ++i) {
            if (Vigente.load() != peticion.Numero)
                return;
            TTrozoVoz trozo;
            trozo.Ultimo = i + 1 >= frases.size();
            if (!frases.empty() && Frecuencia > 0) {
                trozo.Frase = frases[i];
                enCurso = {&trozo.Muestras, &trozo.Marcas, trozo.Frase.Inicio, trozo.Frase.Longitud,
                           muestrasAntes,   &Vigente,      peticion.Numero};
                const std::string utf8 =
                    Utf8DeWindows1252(std::string_view(peticion.Texto)
                                          .substr(trozo.Frase.Inicio, trozo.Frase.Longitud));
                espeak_Synth(utf8.c_str(), utf8.size() + 1, 0, POS_CHARACTER, 0,
                             espeakCHARS_UTF8 | espeakENDPAUSE, nullptr, nullptr);
                espeak_Synchronize();
            }
            if (Vigente.load() != peticion.Numero)
                return;
            muestrasAntes += static_cast<int64_t>(trozo.Muestras.size());
            peticion.AlTrozo(std::move(trozo));
        }
    }
};

TVoz::TVoz() : motor_(std::make_unique<TMotor>()) {
    std::future<void> arrancado = motor_->Arrancado.get_future();
    motor_->Hilo = std::thread([this] { motor_->Atiende(); });
    arrancado.wait();
}

TVoz::~TVoz() {
    {
        std::lock_guard<std::mutex> cerrojo(motor_->Cerrojo);
        motor_->Terminar = true;
        motor_->Vigente = 0;
    }
    motor_->Aviso.notify_one();
    motor_->Hilo.join();
}

TVoz& TVoz::DelProceso() {
    static TVoz voz;
    return voz;
}

bool TVoz::Disponible() const {
    return motor_->Frecuencia > 0;
}

int TVoz::MuestrasPorSegundo() const {
    return std::max(motor_->Frecuencia, 0);
}

std::vector<std::string> TVoz::IdiomasOfrecidos() const {
    return motor_->Idiomas;
}

void TVoz::Habla(std::string texto, TIdioma idioma, bool lento,
                 std::function<void(TTrozoVoz&&)> alTrozo) {
    {
        std::lock_guard<std::mutex> cerrojo(motor_->Cerrojo);
        const uint64_t numero = ++motor_->Ultimo;
        motor_->Vigente = numero;
        motor_->Pendiente = TPeticion{std::move(texto), idioma, lento, std::move(alTrozo), numero};
    }
    motor_->Aviso.notify_one();
}

void TVoz::Calla() {
    std::lock_guard<std::mutex> cerrojo(motor_->Cerrojo);
    motor_->Vigente = ++motor_->Ultimo;
    motor_->Pendiente.reset();
}

TLocucion TVoz::Sintetiza(std::string texto, TIdioma idioma, bool lento) {
    TLocucion locucion{Voz(idioma), MuestrasPorSegundo(), {}, {}};
    std::promise<void> hecho;
    std::future<void> final = hecho.get_future();
    Habla(std::move(texto), idioma, lento, [&locucion, &hecho](TTrozoVoz&& trozo) {
        locucion.Muestras.insert(locucion.Muestras.end(), trozo.Muestras.begin(),
                                 trozo.Muestras.end());
        locucion.Marcas.insert(locucion.Marcas.end(), trozo.Marcas.begin(), trozo.Marcas.end());
        if (trozo.Ultimo)
            hecho.set_value();
    });
    final.wait();
    return locucion;
}
