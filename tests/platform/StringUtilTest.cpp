#include "platform/StringUtil.h"

#include <gtest/gtest.h>

using Fields = std::vector<std::string>;
using Codepoints = std::vector<std::uint32_t>;

TEST(Split, StreamStyleFields) {
    struct Case {
        const char* line;
        Fields fields;
    };
    const Case cases[] = {
        {"a,b,c", {"a", "b", "c"}},
        {"a,,c", {"a", "", "c"}},        // empty field kept
        {"a,b,", {"a", "b"}},            // trailing delimiter adds nothing
        {",a", {"", "a"}},               //
        {"", {}},                        //
        {"\"x y\",z", {"\"x y\"", "z"}}, // no quote handling
    };
    for (const Case& c : cases)
        EXPECT_EQ(split(c.line, ','), c.fields) << c.line;
}

TEST(SplitQuoted, SpacesInsideQuotesStayInTheirField) {
    struct Case {
        const char* line;
        char delimiter;
        Fields fields;
    };
    const Case cases[] = {
        {"a \"b c\" d", ' ', {"a", "b c", "d"}},
        {"name=\"Big Font\" size=8", ' ', {"name=Big Font", "size=8"}},
        {"\"a b\" c \"d e\"", ' ', {"a b c d e"}}, // everything from first to last quote
        {"a#b c", ' ', {"a b", "c"}},              // '#' is the protected-space marker
        {"x,\"y z\",w", ',', {"x", "y z", "w"}},
        {"one \"open", ' ', {"one", "open"}}, // a lone quote protects nothing
        {"", ' ', {}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(splitQuoted(c.line, c.delimiter), c.fields) << c.line;
}

TEST(HashName, ShiftXorOfSignedBytes) {
    EXPECT_EQ(hashName(""), 0u);
    EXPECT_EQ(hashName("a"), 0x61u);
    EXPECT_EQ(hashName("ab"), 0xA0u);
    EXPECT_EQ(hashName("\xC3"), 0xFFFFFFC3u); // bytes above 0x7F widen as negative
    EXPECT_NE(hashName("closeWindow"), hashName("closewindow"));
}

TEST(Utf8, SequenceLengthFromLeadByte) {
    const std::pair<unsigned char, int> cases[] = {
        {0x00, 1}, {0x7F, 1}, {0xBF, 1}, {0xC0, 2}, {0xDF, 2}, {0xE0, 3}, {0xEF, 3},
        {0xF0, 4}, {0xF7, 4}, {0xF8, 5}, {0xFB, 5}, {0xFC, 6}, {0xFF, 6}};
    for (const auto& [byte, length] : cases)
        EXPECT_EQ(utf8SequenceLength(byte), length) << int(byte);
}

TEST(Utf8, RoundTrips) {
    struct Case {
        std::string text;
        Codepoints codepoints;
    };
    const Case cases[] = {
        {"Tap", {'T', 'a', 'p'}},         {"\xC3\xA9", {0xE9}}, // é
        {"\xE2\x82\xAC", {0x20AC}},                             // €
        {"\xF0\x9F\x98\x80", {0x1F600}},                        // four bytes
        {"\xF4\x8F\xBF\xBF", {0x10FFFF}},                       // the last code point
        {"a\xC3\xA9z", {'a', 0xE9, 'z'}}, {"", {}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(utf8ToCodepoints(c.text), c.codepoints) << c.text;
        EXPECT_EQ(codepointsToUtf8(c.codepoints), c.text) << c.text;
    }
}

TEST(Utf8, StopsAtZero) {
    EXPECT_EQ(utf8ToCodepoints(std::string("ab\0cd", 5)), (Codepoints{'a', 'b'}));
    EXPECT_EQ(codepointsToUtf8({'a', 0, 'b'}), "a");
}

TEST(Utf8, OutOfRangeCodepointsEncodeAsReplacement) {
    EXPECT_EQ(codepointsToUtf8({0x110000}), "\xEF\xBF\xBD");
    EXPECT_EQ(codepointsToUtf8({0xFFFFFFFF, 'x'}), "\xEF\xBF\xBD"
                                                   "x");
}

TEST(Utf8, TruncatedSequencesNeverReadPastTheText) {
    struct Case {
        std::string text;
        Codepoints codepoints;
    };
    const Case cases[] = {
        {"\xE2\x82", {0xFFFD}},                // cut by the end of the text
        {"a\xF0", {'a', 0xFFFD}},              //
        {std::string("\xC3\0z", 3), {0xFFFD}}, // cut by a zero byte
        {"\xFF", {0xFFFD}},                    // six-byte lead, nothing after it
    };
    for (const Case& c : cases)
        EXPECT_EQ(utf8ToCodepoints(c.text), c.codepoints);
}

TEST(Utf8, UncheckedContinuationBytesDecodeByOffsets) {
    // Stray continuation bytes count as single characters, as the converter always did.
    EXPECT_EQ(utf8ToCodepoints("\x80"), (Codepoints{0x80}));
    // A five-byte form decodes with the wide offsets rather than being rejected.
    EXPECT_EQ(utf8ToCodepoints("\xF8\x88\x80\x80\x80"), (Codepoints{0x200000}));
}
