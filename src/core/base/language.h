#pragma once

#include <cstdint>

// The interface languages, numbered as every window has always numbered them.
enum class TIdioma : uint16_t { Castellano = 0, Valenciano = 1 };

// The text of the interface language, from its Castellano and Valenciano forms.
template <typename Texto>
constexpr Texto Elige(TIdioma idioma, Texto castellano, Texto valenciano) {
    return idioma == TIdioma::Castellano ? castellano : valenciano;
}

// A code outside the two leaves a window's design texts, as every window has always done.
constexpr bool IdiomaConocido(TIdioma idioma) {
    return idioma == TIdioma::Castellano || idioma == TIdioma::Valenciano;
}
