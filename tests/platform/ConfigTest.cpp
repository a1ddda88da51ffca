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
        {"width ", " 8"},        // no trimming
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

TEST(ConfigChange, SavingKeepsEntriesOnlyAndChangesEveryDuplicate) {
    TempFolder folder;
    Config config;
    config.load(folder.write("conf.dat", "// settings\nsfxEnabled=yes\r\nmusicEnabled=true\n\nx\n"
                                         "palette=0\npalette=1\n"));
    config.toggle("sfxEnabled");
    config.toggle("musicEnabled");
    config.setInt("palette", 3);
    config.set("absent", "x"); // never adds a key
    ASSERT_TRUE(config.save(folder.path() + "out.dat"));
    EXPECT_EQ(readFile(folder.path() + "out.dat"),
              "sfxEnabled=true\nmusicEnabled=false\npalette=3\npalette=3\n");
}

TEST(ConfigChange, MissingKeysComeFromTheShippedSettingsInTheirOrder) {
    Config shipped;
    shipped.loadText("a=1\nb=2\nc=3\nd=4\n");
    const std::pair<const char*, const char*> cases[] = {
        {"", "a=1\nb=2\nc=3\nd=4\n"},                     // empty: the shipped file
        {"c=9\nz=0\n", "c=9\nz=0\na=1\nb=2\nd=4\n"},      // kept, then the rest
        {"d=4\nb=x\nc=5\na=0\n", "d=4\nb=x\nc=5\na=0\n"}, // complete: nothing added
    };
    TempFolder folder;
    for (const auto& [stored, completed] : cases) {
        Config config;
        config.loadText(stored);
        config.addMissing(shipped);
        ASSERT_TRUE(config.save(folder.path() + "conf.dat"));
        EXPECT_EQ(readFile(folder.path() + "conf.dat"), completed) << stored;
    }
}

TEST(ConfigFiles, MissingOrUnwritableFiles) {
    Config config;
    config.load("/nonexistent/conf.dat");
    EXPECT_TRUE(config.entries().empty());
    EXPECT_FALSE(config.save("/nonexistent/folder/conf.dat"));
}
