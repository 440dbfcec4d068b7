#include "core/learning/accented_letters.h"

#include <array>

namespace {

// Each vowel's cycle, its plain form first.
constexpr std::array<std::u32string_view, 10> kCiclos = {
    U"aáà", U"eéè", U"iíï", U"oóò", U"uúü", U"AÁÀ", U"EÉÈ", U"IÍÏ", U"OÓÒ", U"UÚÜ",
};

// The other letters a keyboard may lack, each with its one other form.
constexpr std::array<std::u32string_view, 8> kParejas = {
    U"cç", U"CÇ", U"nñ", U"NÑ", U"?¿", U"!¡", U"¿?", U"¡!",
};

char32_t Pareja(char32_t letra) {
    for (const std::u32string_view pareja : kParejas)
        if (pareja[0] == letra)
            return pareja[1];
    for (const std::u32string_view pareja : kParejas)
        if (pareja[1] == letra)
            return pareja[0];
    return 0;
}

}  // namespace

char32_t SiguienteAcento(char32_t letra) {
    for (const std::u32string_view ciclo : kCiclos) {
        const size_t i = ciclo.find(letra);
        if (i != std::u32string_view::npos)
            return ciclo[(i + 1) % ciclo.size()];
    }
    return 0;
}

char32_t VocalSinAcento(char32_t letra) {
    for (const std::u32string_view ciclo : kCiclos)
        if (ciclo.find(letra) != std::u32string_view::npos)
            return ciclo[0];
    return letra;
}

TColocacion ColocaLetra(std::u32string_view texto, size_t cursor, size_t seleccionados,
                        size_t maximo, std::u32string_view letra) {
    if (letra.empty() || cursor > texto.size() || seleccionados > texto.size())
        return TColocacion::Rechaza;
    if (texto.size() - seleccionados + letra.size() <= maximo)
        return TColocacion::Inserta;
    const bool vocalConAcento = letra.size() == 1 && VocalSinAcento(letra[0]) != letra[0];
    if (vocalConAcento && seleccionados == 0 && cursor > 0 &&
        texto[cursor - 1] == VocalSinAcento(letra[0]))
        return TColocacion::SustituyeAnterior;
    return TColocacion::Rechaza;
}

std::optional<TCambioForma> SiguienteForma(std::u32string_view texto, size_t cursor, size_t maximo,
                                           bool soloVocales) {
    if (cursor == 0 || cursor > texto.size())
        return std::nullopt;
    TCambioForma cambio{std::u32string(texto), cursor};
    if (soloVocales) {
        for (size_t i = cursor; i > 0; --i)
            if (const char32_t siguiente = SiguienteAcento(texto[i - 1]); siguiente != 0) {
                cambio.Texto[i - 1] = siguiente;
                return cambio;
            }
        return std::nullopt;
    }
    const char32_t letra = texto[cursor - 1];
    const char32_t vocal = SiguienteAcento(letra);
    if (const char32_t siguiente = vocal != 0 ? vocal : Pareja(letra); siguiente != 0) {
        cambio.Texto[cursor - 1] = siguiente;
        return cambio;
    }
    if (letra != U'l' && letra != U'L')
        return std::nullopt;
    // l·l back to l; a single l takes the point and its pair where there is room.
    const std::u32string geminada{letra, U'·', letra};
    if (cursor >= 3 && texto.substr(cursor - 3, 3) == geminada) {
        cambio.Texto.erase(cursor - 2, 2);
        cambio.Cursor = cursor - 2;
        return cambio;
    }
    if (texto.size() + 2 > maximo)
        return std::nullopt;
    cambio.Texto.insert(cursor, geminada.substr(1));
    cambio.Cursor = cursor + 2;
    return cambio;
}
