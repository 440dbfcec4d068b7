#include "core/base/folding.h"

#include <array>

namespace {

using TTabla = std::array<unsigned char, 256>;

constexpr TTabla TablaSinAcentos() {
    TTabla t{};
    for (int i = 0; i < 256; ++i)
        t[i] = static_cast<unsigned char>(i);
    const auto pon = [&t](std::initializer_list<int> codigos, char base) {
        for (const int c : codigos)
            t[c] = static_cast<unsigned char>(base);
    };
    pon({192, 193, 194, 196}, 'A');
    pon({200, 201, 202, 203}, 'E');
    pon({204, 205, 206, 207}, 'I');
    pon({210, 211, 212, 214}, 'O');
    pon({217, 218, 219, 220}, 'U');
    pon({221}, 'Y');
    pon({224, 225, 226, 228}, 'a');
    pon({232, 233, 234, 235}, 'e');
    pon({236, 237, 238, 239}, 'i');
    pon({242, 243, 244, 246}, 'o');
    pon({249, 250, 251, 252}, 'u');
    pon({253, 255}, 'y');
    return t;
}

constexpr TTabla TablaMayusculas() {
    TTabla t{};
    for (int i = 0; i < 256; ++i)
        t[i] = static_cast<unsigned char>(i >= 'a' && i <= 'z' ? i - 32 : i);
    for (const int c : {224, 225, 226, 228, 232, 233, 234, 235, 236, 237, 238,
                        239, 241, 242, 243, 244, 246, 249, 250, 251, 252})
        t[c] = static_cast<unsigned char>(c - 32);
    return t;
}

constexpr TTabla kSinAcentos = TablaSinAcentos();
constexpr TTabla kMayusculas = TablaMayusculas();

std::string Aplica(std::string_view texto, const TTabla& tabla) {
    std::string salida(texto);
    for (char& c : salida)
        c = static_cast<char>(tabla[static_cast<unsigned char>(c)]);
    return salida;
}

}  // namespace

std::string QuitaAcentos(std::string_view texto) {
    return Aplica(texto, kSinAcentos);
}

std::string Mayusculas(std::string_view texto) {
    return Aplica(texto, kMayusculas);
}
