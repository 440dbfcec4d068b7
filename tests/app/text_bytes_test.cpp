#include "text_bytes.h"

#include <gtest/gtest.h>

TEST(TextBytes, EntriesComposeOnlyALetterWithItsCombiningMarks) {
    struct TCaso {
        const char* entrada;  // UTF-8
        std::optional<std::string> bytes;
    };
    const TCaso casos[] = {
        {"cami\xC3\xB3n", "cami\xF3n"},   // ó as one character
        {"camio\xCC\x81n", "cami\xF3n"},  // o + combining acute
        {"pla\xC3\xA7"
         "a",
         "pla\xE7"
         "a"},  // ç
        {"plac\xCC\xA7"
         "a",
         "pla\xE7"
         "a"},                                             // c + combining cedilla
        {"col\xC2\xB7lecci\xC3\xB3", "col\xB7lecci\xF3"},  // the middle dot itself
        {"u\xCC\x88", "\xFC"},                             // u + combining diaeresis
        {"\xE2\x82\xAC", "\x80"},                          // the euro sign
        {"", ""},
        // Lone signs that NFC would turn into other characters stay what they are.
        {"\xE2\x84\xAA", std::nullopt},              // Kelvin sign, not K
        {"\xE2\x84\xAB", std::nullopt},              // Ångström sign, not Å
        {"col\xCE\x87lecci\xC3\xB3", std::nullopt},  // Greek ano teleia, not the middle dot
        {"\xCD\xBE", std::nullopt},                  // Greek question mark, not ";"
        {"\xE1\xBF\xBD", std::nullopt},              // Greek oxia, not the acute accent
        {"\xE2\x84\xAA\xCC\x81", std::nullopt},      // Kelvin sign with an accent
        {"\xCC\x81", std::nullopt},                  // a combining mark alone
        {"o\xCC\x81\xCC\x81", std::nullopt},         // ó with a second accent left over
        {"\xF0\x9F\x98\x80", std::nullopt},          // beyond the basic plane
        {"a\xF0\x9F\x98\x80", std::nullopt},
    };
    for (const TCaso& caso : casos)
        EXPECT_EQ(BytesDeEntrada(QString::fromUtf8(caso.entrada)), caso.bytes) << caso.entrada;
}
