#include "core/base/win1252.h"

#include <gtest/gtest.h>

TEST(Windows1252, EveryByteRoundTripsThroughUnicode) {
    for (int b = 0; b < 256; ++b) {
        const char32_t codigo = UnicodeDeByte(static_cast<unsigned char>(b));
        EXPECT_EQ(ByteDeUnicode(codigo), b) << "byte " << b;
    }
}

TEST(Windows1252, TableEntriesThatDifferFromLatin1) {
    struct Caso {
        unsigned char byte;
        char32_t codigo;
    };
    const Caso casos[] = {{0x80, 0x20AC}, {0x81, 0x0081}, {0x8D, 0x008D}, {0x8F, 0x008F},
                          {0x90, 0x0090}, {0x9D, 0x009D}, {0x92, 0x2019}, {0x9F, 0x0178},
                          {0x8A, 0x0160}, {0xE9, 0x00E9}, {0xA0, 0x00A0}, {0x40, 0x0040}};
    for (const Caso& c : casos)
        EXPECT_EQ(UnicodeDeByte(c.byte), c.codigo) << int(c.byte);
    EXPECT_EQ(ByteDeUnicode(0x0080), -1);  // a C1 control that the code page puts elsewhere
    EXPECT_EQ(ByteDeUnicode(0x0100), -1);
    EXPECT_EQ(ByteDeUnicode(0x1F600), -1);
}

TEST(Windows1252, Utf8Conversions) {
    const std::string bytes =
        "cami\xF3n \x80 pla\xE7"
        "a";
    const std::string utf8 = Utf8DeWindows1252(bytes);
    EXPECT_EQ(utf8, "camión € plaça");
    EXPECT_EQ(Windows1252DeUtf8(utf8), bytes);
    EXPECT_FALSE(Windows1252DeUtf8("Ā").has_value());         // not in the code page
    EXPECT_FALSE(Windows1252DeUtf8("\xC3").has_value());      // cut short
    EXPECT_FALSE(Windows1252DeUtf8("\xC0\xAF").has_value());  // overlong
    EXPECT_FALSE(Windows1252DeUtf8("\xFF").has_value());
}
