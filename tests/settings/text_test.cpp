#include <gtest/gtest.h>

#include "settings/text.h"

namespace sc {

TEST(Text, UmlautsMapToTheScreenFontCodes) {
    EXPECT_EQ(to_cp437("ÄÖÜäöü"), std::string("\x8E\x99\x9A\x84\x94\x81"));
    EXPECT_EQ(from_cp437("\x8E\x99\x9A\x84\x94\x81"), "ÄÖÜäöü");
    EXPECT_EQ(to_cp437("ß€"), std::string("\xE1?"));
    for (int c = 1; c < 256; ++c) {
        const std::string one(1, static_cast<char>(c));
        EXPECT_EQ(to_cp437(from_cp437(one)), one) << c;
    }
}

TEST(Text, CutsCountCharactersNotBytes) {
    EXPECT_EQ(utf8_length("Zurück"), 6u);
    EXPECT_EQ(utf8_tail("Zurück", 3), "ück");
    EXPECT_EQ(utf8_head("Zurück", 5), "Zurüc");
    EXPECT_EQ(pad_right("ä", 3), "ä  ");
    EXPECT_EQ(utf8_tail("abc", 10), "abc");
}

TEST(Text, PairPicksByLanguage) {
    constexpr TextPair p{"Fertig", "Ready"};
    EXPECT_EQ(p(LANGUAGE_DE), "Fertig");
    EXPECT_EQ(p(LANGUAGE_EN), "Ready");
}

}  // namespace sc
