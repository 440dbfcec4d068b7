#pragma once

#include <optional>
#include <string>

// HTML's character references in UTF-8 text, decoded as PHP's html_entity_decode does for the
// names a Windows-1252 text can use.

// The character of the reference at html[i] ("&"), moving i past it; none when it is none.
std::optional<char32_t> LeeEntidad(const std::string& html, size_t& i);
std::string DecodificaEntidades(const std::string& html);
