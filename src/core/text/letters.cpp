#include "core/text/letters.h"

#include <string_view>

bool EsLetra(unsigned char byte) {
    if ((byte >= 'A' && byte <= 'Z') || (byte >= 'a' && byte <= 'z'))
        return true;
    if (byte >= 0xC0)
        return byte != 0xD7 && byte != 0xF7;
    return byte == 0x8A || byte == 0x8C || byte == 0x8E || byte == 0x9A || byte == 0x9C ||
           byte == 0x9E || byte == 0x9F;
}

unsigned char Minuscula(unsigned char byte) {
    if ((byte >= 'A' && byte <= 'Z') || (byte >= 0xC0 && byte <= 0xDE && byte != 0xD7))
        return static_cast<unsigned char>(byte + 0x20);
    return byte;
}

bool EsVocal(unsigned char byte) {
    constexpr std::string_view kVocales =
        "aeiou\xE0\xE1\xE2\xE3\xE4\xE5\xE8\xE9\xEA\xEB\xEC\xED\xEE\xEF\xF2\xF3\xF4\xF5\xF6\xF9\xFA"
        "\xFB\xFC";
    return byte != 0 && kVocales.find(static_cast<char>(byte)) != std::string_view::npos;
}

bool EsEoI(unsigned char byte) {
    constexpr std::string_view kSuaves = "ei\xE8\xE9\xEA\xEB\xEC\xED\xEE\xEF";
    return byte != 0 && kSuaves.find(static_cast<char>(byte)) != std::string_view::npos;
}
