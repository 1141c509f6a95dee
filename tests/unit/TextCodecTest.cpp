#include <gtest/gtest.h>

#include <string>

#include "platform/TextCodec.h"

namespace {

struct Pair {
    std::string utf8;
    std::string bytes;
};

// The ordinary Japanese repertoire, and the places where code page 932 differs from plain Shift_JIS.
TEST(TextCodecTest, ConvertsJapaneseTextBothWays) {
    const Pair pairs[] = {
        {"@未登録", "\x40\x96\xA2\x93\x6F\x98\x5E"},
        {"C:\\Program Files\\", "C:\\Program Files\\"},  // 5C is the backslash, not the yen sign
        {"～", "\x81\x60"},
        {"ｱｲｳﾞ", "\xB1\xB2\xB3\xDE"},
        {"①Ⅰ㈱", "\x87\x40\x87\x54\x87\x8A"},
        {"ⅰ髙", "\xFA\x40\xFB\xFC"},
        {"表示", "\x95\x5C\x8E\xA6"},  // a trail byte equal to the backslash
        {"", ""},
        {"a,\"b\" c~", "a,\"b\" c~"},
    };
    for (const Pair& pair : pairs) {
        const platform::Outcome<std::string> encoded = platform::toCp932(pair.utf8);
        ASSERT_TRUE(encoded) << pair.utf8;
        EXPECT_EQ(*encoded, pair.bytes) << pair.utf8;
        const platform::Outcome<std::string> decoded = platform::fromCp932(pair.bytes);
        ASSERT_TRUE(decoded) << pair.utf8;
        EXPECT_EQ(*decoded, pair.utf8);
        EXPECT_TRUE(platform::fitsCp932(pair.utf8));
    }
}

TEST(TextCodecTest, ReadsBothCodesOfADuplicatedCharacterAsTheSameText) {
    const platform::Outcome<std::string> nec = platform::fromCp932("\xED\x40");
    const platform::Outcome<std::string> ibm = platform::fromCp932("\xFA\x5C");
    ASSERT_TRUE(nec);
    ASSERT_TRUE(ibm);
    EXPECT_EQ(*nec, "纊");
    EXPECT_EQ(*ibm, "纊");
    EXPECT_TRUE(platform::fitsCp932(*nec));
}

// Look-alikes that a converter might offer are refused: the text would come back changed.
TEST(TextCodecTest, RefusesWhatCodePage932CannotHold) {
    const Pair cases[] = {
        {"ab😀cd", "😀"}, {"𠮷野家", "𠮷"}, {"100¥", "¥"}, {"〜", "〜"},
        {"a−b", "−"},   {"‖", "‖"},       {"¬", "¬"},    {"한국어", "한"},
    };
    for (const Pair& c : cases) {
        const platform::Outcome<std::string> encoded = platform::toCp932(c.utf8);
        EXPECT_FALSE(encoded) << c.utf8;
        EXPECT_EQ(encoded.problem(), c.bytes) << c.utf8;
        EXPECT_FALSE(platform::fitsCp932(c.utf8)) << c.utf8;
    }
}

TEST(TextCodecTest, RefusesMalformedUtf8) {
    const Pair cases[] = {
        {"ab\xC3", "C3"}, {"\xC0\xAF", "C0"}, {"\xED\xA0\x80", "ED"}, {"\xF4\x90\x80\x80", "F4"}};
    for (const Pair& c : cases) {
        const platform::Outcome<std::string> encoded = platform::toCp932(c.utf8);
        EXPECT_FALSE(encoded);
        EXPECT_EQ(encoded.problem(), c.bytes);
    }
}

TEST(TextCodecTest, RefusesBytesThatAreNotCodePage932) {
    const Pair cases[] = {
        {"\x80", "80"},
        {"ok\xA0", "A0"},
        {"\xFF", "FF"},
        {"abc\x81", "81"},
        {"\x81\x7F", "81 7F"},
        {"\x81\x20x", "81 20"},
        {"\x85\x40", "85 40"},
        {"ab\x88\x9F"
         "cd\x81\x0D",
         "81 0D"},
    };
    for (const Pair& c : cases) {
        const platform::Outcome<std::string> decoded = platform::fromCp932(c.utf8);
        EXPECT_FALSE(decoded) << c.bytes;
        EXPECT_EQ(decoded.problem(), c.bytes);
    }
}

}  // namespace
