#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

// What a learner without dead keys uses to type the letters the sets teach: the accent cycle
// of a vowel, and where a letter given by a button goes in a gap.

// The next form of a vowel in its cycle: a → á → à → a, e → é → è → e, i → í → ï → i,
// o → ó → ò → o, u → ú → ü → u, capitals alike; 0 for any other character.
char32_t SiguienteAcento(char32_t letra);

// The vowel without its accent (ó → o, Ü → U); any other character as it is.
char32_t VocalSinAcento(char32_t letra);

enum class TColocacion {
    Inserta,            // at the caret, over the selection: there is room
    SustituyeAnterior,  // the gap is full: it takes the place of its plain vowel before the caret
    Rechaza             // nothing changes; the learner hears a beep
};

// Where letra goes in a gap holding texto with the caret at cursor, seleccionados characters
// selected and room for maximo characters. A gap's maximum length never grows.
TColocacion ColocaLetra(std::u32string_view texto, size_t cursor, size_t seleccionados,
                        size_t maximo, std::u32string_view letra);

// A gap after F2: its new text and caret.
struct TCambioForma {
    std::u32string Texto;
    size_t Cursor = 0;
};

// F2 in a gap holding texto with the caret at cursor and room for maximo characters: the
// character just before the caret turns into its next form (the vowels as SiguienteAcento,
// c → ç → c, n → ñ → n, l → l·l → l, ? → ¿ → ?, ! → ¡ → !, capitals alike). In a gap of accent
// practice (soloVocales) the last vowel before the caret turns, whatever follows it. Nothing,
// and the learner hears a beep, where no such character stands or the gap has no room.
std::optional<TCambioForma> SiguienteForma(std::u32string_view texto, size_t cursor, size_t maximo,
                                           bool soloVocales);
