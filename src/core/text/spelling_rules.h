#pragma once

#include <optional>
#include <string_view>
#include <vector>

#include "core/base/language.h"
#include "core/text/letters.h"

// The spelling rules a gap practises, each as a table of the places in a word where the same
// sound could be written another way. The teacher's gaps and the learner's mistakes by rule
// both read these tables. Words are Windows-1252.

enum class TReglaHuecos {
    Acentos,    // whole words bearing an accent or a diaeresis
    BV,         // b, v
    H,          // h (not in ch)
    GJ,         // g before e or i, j
    LlY,        // ll, y before a vowel
    CZS,        // c before e or i, z, s
    XCh,        // x, ch
    Cedilla,    // ç
    LGeminada,  // l·l
    TzTsIgTx,   // tz, ts, tx, ig at a word's end
    SSsZC,      // s, ss, z, c before e or i
};

struct TDescripcionRegla {
    TReglaHuecos Regla;
    const char* Nombre;  // UTF-8, as the tool takes it: "accents", "b/v", "ç"...
    bool Castellano;
    bool Valenciano;
    bool ConDistractores;  // false where the gaps already cover every spelling of the sound
};

const std::vector<TDescripcionRegla>& DescripcionesReglas();
const TDescripcionRegla& Descripcion(TReglaHuecos regla);
std::optional<TReglaHuecos> ReglaDeNombre(std::string_view nombre);

// What may come just before the letters of a row, or just after them.
enum class TAntes { Cualquiera, NoTrasM, NoTrasC, NoTrasT, TrasVocal, TrasLetra };
enum class TDespues { Cualquiera, Vocal, EoI, FinOS };

// One row: letters (lower case) that a gap may take where their neighbours allow it, and the
// other spellings of the same sound there, which a learner may write instead.
struct TFilaRegla {
    TReglaHuecos Regla;
    const char* Letras;
    TAntes Antes;
    TDespues Despues;
    std::vector<const char*> Otras;
    bool Castellano;
    bool Valenciano;
    // UTF-8 words with every place of the row's rule between gap marks; words the row must not
    // gap come with no mark there. Empty where the language lacks the row.
    const char* EjemploCastellano;
    const char* EjemploValenciano;
    const char* NoCastellano;
    const char* NoValenciano;
};

// Every row, the rules in the order of DescripcionesReglas(), the longer letters first within
// a rule. The accent rule has one row whose letters are the accented vowels.
const std::vector<TFilaRegla>& FilasReglas();

// Where in the word the rule may gap. A capital letter is gapped only at a sentence's start
// (elsewhere it is a name's); a word with an accent or a diaeresis is one accent gap.
std::vector<TTramo> PosicionesRegla(TReglaHuecos regla, std::string_view palabra,
                                    bool inicioFrase = true);

// The rule that a learner broke by writing entrada where respuesta was expected: accents when
// only accents differ; otherwise the rule of a row whose letters, written one of the row's
// other ways once, make the entry of the answer (or the answer of the entry). Case never
// counts. nullopt for a right entry or any other mistake. With lengua, only its rows are tried.
std::optional<TReglaHuecos> ReglaDelError(std::string_view respuesta, std::string_view entrada,
                                          std::optional<TIdioma> lengua = std::nullopt);
