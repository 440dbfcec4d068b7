#pragma once

#include <optional>
#include <string>
#include <string_view>

// Files and the core hold Windows-1252 bytes; these convert them at the boundary.

char32_t UnicodeDeByte(unsigned char byte);
// The Windows-1252 byte of a code point, or -1 when the code page has none.
int ByteDeUnicode(char32_t codigo);

// The code point that starts at byte i, moving i past it; empty for bytes that are not UTF-8
// (i then moves past them).
std::optional<char32_t> LeeUtf8(std::string_view texto, size_t& i);

// True when the byte can stand in a topic or a text line of a source.
bool ByteEscribible(unsigned char byte);

// Appends the UTF-8 bytes of a code point.
void AnadeUtf8(std::string& salida, char32_t codigo);
std::string Utf8DeWindows1252(std::string_view texto);
// Empty when the text is not valid UTF-8 or holds a character Windows-1252 cannot encode.
std::optional<std::string> Windows1252DeUtf8(std::string_view texto);
