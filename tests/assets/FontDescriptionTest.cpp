#include "assets/FontDescription.h"

#include "FontTestSupport.h"

#include <climits>
#include <gtest/gtest.h>
#include <vector>

using fonttest::describe;

namespace {

std::vector<std::uint32_t> cps(std::initializer_list<std::uint32_t> list) {
    return list;
}

} // namespace

TEST(FontDescriptionLines, CommentsBlanksTabsAndReturnsAreStripped) {
    const FontDescription d =
        describe("// a comment\n\nbegin\n\trowHeight 12\r\n\tcharacters \"AB CD\"\r\nend\n");
    ASSERT_EQ(d.sets.size(), 1u);
    EXPECT_EQ(d.sets[0].rowHeight, 12);
    EXPECT_EQ(d.sets[0].characters, cps({'A', 'B', ' ', 'C', 'D'}));
    EXPECT_EQ(d.name, "test");
}

TEST(FontDescriptionLines, SpaceIndentedKeyIsIgnored) {
    const FontDescription d = describe("begin\n  rowHeight 12\nend\n");
    ASSERT_EQ(d.sets.size(), 1u);
    EXPECT_EQ(d.sets[0].rowHeight, 9);
}

TEST(FontDescriptionLines, CharactersAreDecodedFromUtf8) {
    const FontDescription d = describe("begin\ncharacters \"a\xE2\x82\xAC\xC2\xA4\"\nend\n");
    ASSERT_EQ(d.sets.size(), 1u);
    EXPECT_EQ(d.sets[0].characters, cps({'a', 0x20AC, 0xA4}));
}

TEST(FontDescriptionBlocks, DefaultsAndEveryKey) {
    const FontDescription d = describe("begin\nend\nbegin\nrowHeight 7\nrowOffset -1\n"
                                       "lineOffset 2\nletterSpacing 3\nlineSpacing 4\n"
                                       "underlinePosition 5\nrowHeightBitmap 6\nend\n");
    ASSERT_EQ(d.sets.size(), 2u);
    const FontSet& a = d.sets[0];
    EXPECT_EQ(a.rowHeight, 9);
    EXPECT_EQ(a.rowOffset, 0);
    EXPECT_EQ(a.rowHeightBitmap, 0);
    EXPECT_TRUE(a.characters.empty());
    const FontSet& b = d.sets[1];
    EXPECT_EQ(std::vector<int>({b.rowHeight, b.rowOffset, b.lineOffset, b.letterSpacing,
                                b.lineSpacing, b.underlinePosition, b.rowHeightBitmap}),
              std::vector<int>({7, -1, 2, 3, 4, 5, 6}));
}

TEST(FontDescriptionBlocks, BeforeTheFirstBeginOnlyTheUnderlineCounts) {
    const FontDescription d =
        describe("underlinePosition 8\nrowHeight 3\ncharacters abc\nend\nbegin\nend\n");
    ASSERT_EQ(d.sets.size(), 1u);
    EXPECT_EQ(d.sets[0].underlinePosition, 8);
    EXPECT_EQ(d.sets[0].rowHeight, 9);
    EXPECT_TRUE(d.sets[0].characters.empty());
}

TEST(FontDescriptionBlocks, KeysAfterEndStillChangeTheAppendedSet) {
    const FontDescription d = describe("begin\nend\nrowHeight 4\nunknownKey 1\n");
    ASSERT_EQ(d.sets.size(), 1u);
    EXPECT_EQ(d.sets[0].rowHeight, 4);
}

TEST(FontDescriptionBlocks, UnclosedSetIsDropped) {
    const FontDescription d = describe("begin\nend\nbegin\nrowHeight 4\n");
    ASSERT_EQ(d.sets.size(), 1u);
    EXPECT_EQ(d.sets[0].rowHeight, 9);
}

TEST(FontDescriptionNumbers, ReadLikeAtoiAndSaturate) {
    const struct {
        const char* line;
        int expected;
    } cases[] = {
        {"rowHeight  -7x", 0}, // the empty second token is the value
        {"rowHeight -7x", -7},
        {"rowHeight +12", 12},
        {"rowHeight abc", 0},
        {"rowHeight", 0},
        {"rowHeight 99999999999", INT_MAX},
        {"rowHeight -99999999999", INT_MIN},
    };
    for (const auto& c : cases) {
        const FontDescription d = describe(std::string("begin\n") + c.line + "\nend\n");
        ASSERT_EQ(d.sets.size(), 1u) << c.line;
        EXPECT_EQ(d.sets[0].rowHeight, c.expected) << c.line;
    }
}

TEST(FontDescriptionFile, MissingFileGivesNoSets) {
    const FontDescription d = FontDescription::load("gone", "/nonexistent/fonts/gone.dat");
    EXPECT_EQ(d.name, "gone");
    EXPECT_TRUE(d.sets.empty());
}
