#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>

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

// A translated template with %1, %2... replaced by the figures, in order: each language puts
// them where its sentence needs them.
inline std::string Rellena(std::string plantilla, std::initializer_list<std::string> cifras) {
    int n = 1;
    for (const std::string& cifra : cifras) {
        const std::string marca = "%" + std::to_string(n++);
        if (const size_t donde = plantilla.find(marca); donde != std::string::npos)
            plantilla.replace(donde, marca.size(), cifra);
    }
    return plantilla;
}
