#include "platform/Config.h"

#include "platform/TestFolders.h"

#include <gtest/gtest.h>

namespace {

Config loaded(const TempFolder& folder, const std::string& contents) {
    Config config;
    config.load(folder.write("conf.dat", contents));
    return config;
}

} // namespace

TEST(ConfigLoad, LineRules) {
    TempFolder folder;
    const Config config = loaded(folder, "isFullscreen=true\r\n"
                                         "//palette=5\n"
                                         "a= \n"
                                         "b=\n"
                                         "width = 800\n"
                                         "noEquals\n"
                                         "url=http://x?a=b\n"
                                         "palette=2\n"
                                         "palette=6\n"
                                         "last=no newline");
    struct Case {
        const char* key;
        const char* value;
    };
    const Case cases[] = {
        {"isFullscreen", "true"}, // Windows line end
        {"a", " "},               // three characters are enough
        {"b", ""},                // two are not: skipped, reads empty
        {"width", ""},            // no trimming: the key is "width "
        {"width ", " 800"},       //
        {"noEquals", ""},         //
        {"url", "http://x?a=b"},  // only the first "=" splits
        {"palette", "2"},         // the first duplicate wins, not the comment
        {"last", "no newline"},   //
    };
    for (const Case& c : cases)
        EXPECT_EQ(config.get(c.key), c.value) << c.key;
    EXPECT_TRUE(config.is("isFullscreen", "true"));
    EXPECT_EQ(config.entries().size(), 8u);
}

TEST(ConfigLoad, MissingFileLeavesEverythingAbsent) {
    Config config;
    config.load("/nonexistent/conf.dat");
    EXPECT_TRUE(config.entries().empty());
    EXPECT_FALSE(config.is("musicEnabled", "true"));
    EXPECT_EQ(config.getInt("width"), 0);
    config.toggle("sfxEnabled");
    config.setInt("palette", 3);
    EXPECT_TRUE(config.entries().empty()); // set never adds keys
}

TEST(ConfigLoad, OverlongKeysAndValuesAreCutToTheirBuffers) {
    TempFolder folder;
    const std::string key(40, 'k');
    const std::string value(300, 'v');
    Config config = loaded(folder, key + "=" + value + "\nshort=" + value + "\n");
    ASSERT_EQ(config.entries().size(), 2u);
    EXPECT_EQ(std::string(config.entries()[0].key.data()), key.substr(0, 31));
    EXPECT_EQ(config.get(key.substr(0, 31)), value.substr(0, 127));
    config.set("short", std::string(500, 'x'));
    EXPECT_EQ(config.get("short"), std::string(127, 'x'));
}

TEST(ConfigChange, SetToggleAndSetInt) {
    TempFolder folder;
    Config config = loaded(folder, "sfxEnabled=yes\nmusicEnabled=true\npalette=0\npalette=1\n");
    config.toggle("sfxEnabled");
    EXPECT_EQ(config.get("sfxEnabled"), "true"); // unreadable values toggle to true
    config.toggle("musicEnabled");
    EXPECT_EQ(config.get("musicEnabled"), "false");
    config.setInt("palette", 3);
    EXPECT_EQ(config.entries()[2].value.data(), std::string("3")); // writes change all
    EXPECT_EQ(config.entries()[3].value.data(), std::string("3"));
    config.setInt("palette", -12);
    EXPECT_EQ(config.getInt("palette"), -12);
}

TEST(ConfigSave, RoundTripDropsCommentsAndKeepsOrder) {
    TempFolder folder;
    Config config = loaded(folder, "// settings\nwidth=1280\r\n\nheight=720\nx\npalette=4\n");
    const std::string out = folder.path() + "out.dat";
    ASSERT_TRUE(config.save(out));
    EXPECT_EQ(readFile(out), "width=1280\nheight=720\npalette=4\n");

    Config again;
    again.load(out);
    EXPECT_EQ(again.get("height"), "720");
    EXPECT_EQ(again.entries().size(), 3u);
}

TEST(ConfigSave, UnwritablePathReportsFailure) {
    Config config;
    EXPECT_FALSE(config.save("/nonexistent/folder/conf.dat"));
}
