#pragma once

#include <string>
#include <string_view>

// Windows-1252 letter foldings; each byte is replaced on its own, the length is kept.

// Strips accents and diaereses from vowels and y, keeping the case (ñ and ç keep theirs).
std::string QuitaAcentos(std::string_view texto);
// ASCII upper case plus the accented vowels and ñ; ã å æ ç ð õ ø ý þ ÿ stay lower case.
std::string Mayusculas(std::string_view texto);
