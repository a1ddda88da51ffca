#include "platform/Config.h"

#include "platform/TestFolders.h"

#include <gtest/gtest.h>

TEST(ConfigLoad, LineRules) {
    TempFolder folder;
    Config config;
    config.load(folder.write("conf.dat", "isFullscreen=true\r\n//palette=5\na= \nb=\nwidth = 8\n"
                                         "url=http://x?a=b\npalette=2\npalette=6\nlast=end"));
    const std::pair<const char*, const char*> cases[] = {
        {"isFullscreen", "true"}, // Windows line end
        {"a", " "},               // three characters are enough, two ("b=") are not
        {"b", ""},
        {"width", ""}, // no trimming: the key is "width "
        {"width ", " 8"},
        {"url", "http://x?a=b"}, // only the first "=" splits
        {"palette", "2"},        // the first duplicate wins, not the comment
        {"last", "end"},
    };
    for (const auto& [key, value] : cases)
        EXPECT_EQ(config.get(key), value) << key;
    EXPECT_EQ(config.entries().size(), 7u);
}

TEST(ConfigLoad, OverlongKeysAndValuesAreCutToTheirBuffers) {
    TempFolder folder;
    const std::string key(40, 'k'), value(300, 'v');
    Config config;
    config.load(folder.write("conf.dat", key + "=" + value + "\n"));
    EXPECT_EQ(config.get(key.substr(0, 31)), value.substr(0, 127));
    config.set(key.substr(0, 31), std::string(500, 'x'));
    EXPECT_EQ(config.get(key.substr(0, 31)), std::string(127, 'x'));
}

TEST(ConfigChange, ToggleSetIntAndDuplicates) {
    TempFolder folder;
    Config config;
    config.load(
        folder.write("conf.dat", "sfxEnabled=yes\nmusicEnabled=true\npalette=0\npalette=1\n"));
    config.toggle("sfxEnabled");
    config.toggle("musicEnabled");
    config.setInt("palette", 3);
    config.set("absent", "x"); // never adds a key
    TempFolder out;
    ASSERT_TRUE(config.save(out.path() + "conf.dat"));
    EXPECT_EQ(readFile(out.path() + "conf.dat"),
              "sfxEnabled=true\nmusicEnabled=false\npalette=3\npalette=3\n");
}

TEST(ConfigSave, RoundTripDropsCommentsAndShortLines) {
    TempFolder folder;
    Config config;
    config.load(folder.write("conf.dat", "// settings\nwidth=1280\r\n\nheight=720\nx\n"));
    ASSERT_TRUE(config.save(folder.path() + "out.dat"));
    EXPECT_EQ(readFile(folder.path() + "out.dat"), "width=1280\nheight=720\n");
}

TEST(ConfigFiles, MissingOrUnwritableFiles) {
    Config config;
    config.load("/nonexistent/conf.dat");
    EXPECT_TRUE(config.entries().empty());
    EXPECT_EQ(config.getInt("width"), 0);
    EXPECT_FALSE(config.save("/nonexistent/folder/conf.dat"));
}
