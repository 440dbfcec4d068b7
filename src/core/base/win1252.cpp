#include "core/base/win1252.h"

#include <array>

namespace {

// 0x80..0x9F: the five holes (0x81, 0x8D, 0x8F, 0x90, 0x9D) map to the C1 controls.
constexpr std::array<char32_t, 32> kAltos = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

}  // namespace

void AnadeUtf8(std::string& salida, char32_t c) {
    if (c < 0x80) {
        salida += static_cast<char>(c);
    } else if (c < 0x800) {
        salida += static_cast<char>(0xC0 | (c >> 6));
        salida += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        salida += static_cast<char>(0xE0 | (c >> 12));
        salida += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        salida += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        salida += static_cast<char>(0xF0 | (c >> 18));
        salida += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        salida += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        salida += static_cast<char>(0x80 | (c & 0x3F));
    }
}

char32_t UnicodeDeByte(unsigned char byte) {
    return byte >= 0x80 && byte <= 0x9F ? kAltos[byte - 0x80] : char32_t{byte};
}

int ByteDeUnicode(char32_t codigo) {
    if (codigo < 0x80 || (codigo >= 0xA0 && codigo <= 0xFF))
        return static_cast<int>(codigo);
    for (size_t i = 0; i < kAltos.size(); ++i)
        if (kAltos[i] == codigo)
            return static_cast<int>(0x80 + i);
    return -1;
}

std::string Utf8DeWindows1252(std::string_view texto) {
    std::string salida;
    salida.reserve(texto.size() + texto.size() / 8);
    for (const char c : texto)
        AnadeUtf8(salida, UnicodeDeByte(static_cast<unsigned char>(c)));
    return salida;
}

std::optional<char32_t> LeeUtf8(std::string_view texto, size_t& i) {
    const auto b = static_cast<unsigned char>(texto[i]);
    int seguidos = 0;
    char32_t c = 0;
    if (b < 0x80) {
        c = b;
    } else if ((b & 0xE0) == 0xC0) {
        c = b & 0x1F;
        seguidos = 1;
    } else if ((b & 0xF0) == 0xE0) {
        c = b & 0x0F;
        seguidos = 2;
    } else if ((b & 0xF8) == 0xF0) {
        c = b & 0x07;
        seguidos = 3;
    } else {
        ++i;
        return std::nullopt;
    }
    for (int k = 1; k <= seguidos; ++k) {
        if (i + k >= texto.size() || (static_cast<unsigned char>(texto[i + k]) & 0xC0) != 0x80) {
            i += k;
            return std::nullopt;
        }
        c = (c << 6) | (static_cast<unsigned char>(texto[i + k]) & 0x3F);
    }
    i += seguidos + 1;
    constexpr char32_t kMinimo[] = {0, 0x80, 0x800, 0x10000};
    if (c < kMinimo[seguidos] || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF))
        return std::nullopt;  // overlong form, beyond Unicode or a surrogate
    return c;
}

std::optional<std::string> Windows1252DeUtf8(std::string_view texto) {
    std::string salida;
    salida.reserve(texto.size());
    size_t i = 0;
    while (i < texto.size()) {
        const std::optional<char32_t> c = LeeUtf8(texto, i);
        const int byte = c ? ByteDeUnicode(*c) : -1;
        if (byte < 0)
            return std::nullopt;
        salida += static_cast<char>(byte);
    }
    return salida;
}

bool ByteEscribible(unsigned char byte) {
    const bool hueco = byte == 0x81 || byte == 0x8D || byte == 0x8F || byte == 0x90 || byte == 0x9D;
    return byte >= 0x20 && byte != 0x7F && !hueco;
}
