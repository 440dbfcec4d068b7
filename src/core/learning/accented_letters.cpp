#include "core/learning/accented_letters.h"

#include <array>

namespace {

// Each vowel's cycle, its plain form first.
constexpr std::array<std::u32string_view, 10> kCiclos = {
    U"aáà", U"eéè", U"iíï", U"oóò", U"uúü", U"AÁÀ", U"EÉÈ", U"IÍÏ", U"OÓÒ", U"UÚÜ",
};

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
