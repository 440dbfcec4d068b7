#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "core/base/language.h"

// Questions read aloud with espeak-ng: a text (Windows-1252) becomes 16-bit mono samples and the
// place of each spoken word, in the text and in the samples.

// The speed of the normal voice and of dictation, in words per minute.
inline constexpr int kPalabrasPorMinuto = 165;
inline constexpr int kPalabrasPorMinutoLento = 105;

struct TMarcaPalabra {
    size_t Inicio = 0;  // the word's characters in the text given
    size_t Longitud = 0;
    int64_t Muestra = 0;  // its first sample, from the start of the whole text

    bool operator==(const TMarcaPalabra&) const = default;
};

// The sentences of a text, each with the blanks and closing signs that follow it; a line end
// also ends one. Sentences of blanks alone are left out.
struct TFrase {
    size_t Inicio = 0;
    size_t Longitud = 0;

    bool operator==(const TFrase&) const = default;
};
std::vector<TFrase> Frases(std::string_view texto);

// The voice for a language among the languages espeak-ng offers: "es"; "ca-va" where it is
// offered, else "ca".
std::string VozPara(TIdioma idioma, const std::vector<std::string>& idiomasOfrecidos);

// One sentence's sound, as the worker hands it over.
struct TTrozoVoz {
    std::vector<int16_t> Muestras;
    std::vector<TMarcaPalabra> Marcas;
    TFrase Frase;
    bool Ultimo = false;  // the text's last sentence
};

// A whole text's sound.
struct TLocucion {
    std::string Voz;
    int MuestrasPorSegundo = 0;
    std::vector<int16_t> Muestras;
    std::vector<TMarcaPalabra> Marcas;
};

// espeak-ng is global to the process: one worker thread owns it, and every caller asks it.
class TVoz {
  public:
    // The process's voice, started on first use.
    static TVoz& DelProceso();
    ~TVoz();
    TVoz(const TVoz&) = delete;
    TVoz& operator=(const TVoz&) = delete;

    // False when espeak-ng or its voices could not be started.
    bool Disponible() const;
    int MuestrasPorSegundo() const;
    // The languages of the voices installed ("es", "ca", ...).
    std::vector<std::string> IdiomasOfrecidos() const;
    std::string Voz(TIdioma idioma) const { return VozPara(idioma, IdiomasOfrecidos()); }

    // Starts speaking on the worker, sentence by sentence; alTrozo runs there for each one, in
    // order, the last one marked. A later Habla or Calla cuts it short: no more calls.
    void Habla(std::string texto, TIdioma idioma, bool lento,
               std::function<void(TTrozoVoz&&)> alTrozo);
    void Calla();
    // The whole text, waiting for it.
    TLocucion Sintetiza(std::string texto, TIdioma idioma, bool lento);

  private:
    TVoz();
    struct TMotor;
    std::unique_ptr<TMotor> motor_;
};
