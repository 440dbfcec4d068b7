#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "core/authoring/words.h"
#include "core/base/data_folder.h"
#include "core/base/language.h"

// The spelling check of question texts (Windows-1252) with Hunspell's Castellano (es_ES) and
// Valenciano (ca_ES-valencia) dictionaries, and the teacher's own words per language.

// Where the dictionaries are looked for: the folders of $DICPATH when it is set, else "hunspell"
// under each folder of $XDG_DATA_DIRS (/usr/local/share and /usr/share when unset or empty).
std::vector<std::string> CarpetasDiccionarios();
// The dictionary's name without its extensions: "es_ES", "ca_ES-valencia".
const char* NombreDiccionario(TIdioma idioma);
// The Debian package that installs it: "hunspell-es", "hunspell-ca".
const char* PaqueteDiccionario(TIdioma idioma);

struct TPalabraDesconocida {
    TTramo Tramo;  // in the text given
    std::string Palabra;
    std::vector<std::string> Sugerencias;  // the likeliest first

    bool operator==(const TPalabraDesconocida&) const = default;
};

class TOrtografia {
  public:
    explicit TOrtografia(std::vector<std::string> carpetasDiccionarios = CarpetasDiccionarios(),
                         std::string carpetaPalabras = CarpetaConfiguracionPrograma());
    ~TOrtografia();
    TOrtografia(const TOrtografia&) = delete;
    TOrtografia& operator=(const TOrtografia&) = delete;

    // Starts loading both dictionaries on a thread of their own, which calls alTerminar when
    // both are ready; any call below waits for the one it needs, loading it itself when this
    // was never called.
    void CargaEnSegundoPlano(std::function<void()> alTerminar = {});
    // Loaded, or known to be missing, without waiting.
    bool Cargado(TIdioma idioma) const;
    // False when the dictionary is not installed: then every word counts as known.
    bool Disponible(TIdioma idioma);

    bool Conoce(TIdioma idioma, std::string_view palabra);
    std::vector<std::string> Sugiere(TIdioma idioma, std::string_view palabra, size_t cuantas);
    // Known from now on and in later sessions: kept in the teacher's folder.
    void AnadePalabra(TIdioma idioma, std::string_view palabra);

    // The language whose dictionary knows more of the text's words; empate on a tie or when a
    // dictionary is missing.
    TIdioma IdiomaDe(std::string_view texto, TIdioma empate = TIdioma::Castellano);
    // The unknown words of the text as it reads without its gap marks, placed in the text given,
    // with up to sugerencias suggestions each; single letters are left alone.
    std::vector<TPalabraDesconocida> Desconocidas(TIdioma idioma, std::string_view texto,
                                                  size_t sugerencias);
    // The same for the words that hold a gap.
    std::vector<TPalabraDesconocida> RespuestasDesconocidas(TIdioma idioma, std::string_view texto,
                                                            size_t sugerencias);

  private:
    struct TDiccionario;
    TDiccionario& Diccionario(TIdioma idioma);
    TDiccionario& Cargada(TIdioma idioma);
    std::vector<TPalabraDesconocida> DesconocidasSinMarcas(TIdioma idioma, std::string_view texto);

    std::vector<std::string> carpetas_;
    std::string carpetaPalabras_;
    std::unique_ptr<TDiccionario> diccionarios_[2];
    struct TCarga;
    std::unique_ptr<TCarga> carga_;
};
