#include "assets/FontDescription.h"

#include "AssetTestSupport.h"

#include <climits>
#include <gtest/gtest.h>
#include <vector>

using assettest::describe;

TEST(FontDescriptionText, EveryKeyWithCommentsTabsReturnsAndUtf8) {
    const FontDescription d = describe(
        "// a comment\n\nbegin\n\trowHeight 7\r\n\tcharacters \"A \xE2\x82\xAC\xC2\xA4\"\r\n"
        "rowOffset -1\nlineOffset 2\nletterSpacing 3\nlineSpacing 4\n"
        "underlinePosition 5\nrowHeightBitmap 6\nend\n");
    ASSERT_EQ(d.sets.size(), 1u);
    const FontSet& s = d.sets[0];
    EXPECT_EQ(s.characters, std::vector<std::uint32_t>({'A', ' ', 0x20AC, 0xA4}));
    EXPECT_EQ(std::vector<int>({s.rowHeight, s.rowOffset, s.lineOffset, s.letterSpacing,
                                s.lineSpacing, s.underlinePosition, s.rowHeightBitmap}),
              std::vector<int>({7, -1, 2, 3, 4, 5, 6}));
}

// Each text yields one set; its row height (default 9) shows how the text was read.
TEST(FontDescriptionText, BlocksAndNumbers) {
    const struct {
        const char* text;
        int rowHeight;
    } cases[] = {
        {"begin\nend\n", 9},
        {"begin\n  rowHeight 12\nend\n", 9},     // a space-indented key is ignored
        {"rowHeight 3\nbegin\nend\n", 9},        // before the first begin
        {"begin\nend\nrowHeight 4\n", 4},        // after end: still the appended set
        {"begin\nend\nbegin\nrowHeight 4\n", 9}, // an unclosed set is dropped
        {"begin\nrowHeight  -7x\nend\n", 0},     // the empty second token is the value
        {"begin\nrowHeight -7x\nend\n", -7},
        {"begin\nrowHeight +12\nend\n", 12},
        {"begin\nrowHeight abc\nend\n", 0},
        {"begin\nrowHeight\nend\n", 0},
        {"begin\nrowHeight 99999999999\nend\n", INT_MAX},
        {"begin\nrowHeight -99999999999\nend\n", INT_MIN},
    };
    for (const auto& c : cases) {
        const FontDescription d = describe(c.text);
        ASSERT_EQ(d.sets.size(), 1u) << c.text;
        EXPECT_EQ(d.sets[0].rowHeight, c.rowHeight) << c.text;
    }
    // Only the underline counts before the first begin.
    EXPECT_EQ(describe("underlinePosition 8\nbegin\nend\n").sets[0].underlinePosition, 8);
    EXPECT_TRUE(FontDescription::load("gone", "/nonexistent/fonts/gone.dat").sets.empty());
}
