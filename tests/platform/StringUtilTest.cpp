#include "platform/StringUtil.h"

#include <gtest/gtest.h>

using Fields = std::vector<std::string>;
using Codepoints = std::vector<std::uint32_t>;

TEST(Split, StreamStyleAndQuotedFields) {
    EXPECT_EQ(split("a,,c", ','), (Fields{"a", "", "c"}));
    EXPECT_EQ(split("a,b,", ','), (Fields{"a", "b"})); // trailing delimiter adds nothing
    EXPECT_EQ(split("", ','), Fields{});
    const std::pair<const char*, Fields> cases[] = {
        {"a \"b c\" d", {"a", "b c", "d"}},
        {"\"a b\" c \"d e\"", {"a b c d e"}}, // everything from first to last quote
        {"a#b c", {"a b", "c"}},              // '#' is the protected-space marker
        {"one \"open", {"one", "open"}},
    };
    for (const auto& [line, fields] : cases)
        EXPECT_EQ(splitQuoted(line, ' '), fields) << line;
}

TEST(HashName, ShiftXorOfSignedBytes) {
    EXPECT_EQ(hashName("ab"), 0xA0u);
    EXPECT_EQ(hashName("\xC3"), 0xFFFFFFC3u); // bytes above 0x7F widen as negative
}

TEST(Utf8, RoundTripsAndStopsAtBrokenInput) {
    const std::pair<std::string, Codepoints> cases[] = {
        {"a\xC3\xA9z", {'a', 0xE9, 'z'}},
        {"\xF0\x9F\x98\x80", {0x1F600}},
    };
    for (const auto& [text, codepoints] : cases) {
        EXPECT_EQ(utf8ToCodepoints(text), codepoints) << text;
        EXPECT_EQ(codepointsToUtf8(codepoints), text) << text;
    }
    EXPECT_EQ(utf8ToCodepoints(std::string("ab\0cd", 5)), (Codepoints{'a', 'b'}));
    EXPECT_EQ(codepointsToUtf8({0x110000, 'x'}), "\xEF\xBF\xBDx");
    // Sequences cut by the end or by a zero byte stop there instead of reading past it.
    EXPECT_EQ(utf8ToCodepoints("a\xE2\x82"), (Codepoints{'a', 0xFFFD}));
    EXPECT_EQ(utf8ToCodepoints(std::string("\xC3\0z", 3)), Codepoints{0xFFFD});
    EXPECT_EQ(utf8ToCodepoints("\xFF"), Codepoints{0xFFFD});
}
