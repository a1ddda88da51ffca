#include "platform/Folders.h"

#include "platform/TestFolders.h"

#include <algorithm>
#include <chrono>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <thread>

namespace fs = std::filesystem;

namespace {

class SupportFolder : public ::testing::Test {
protected:
    TempFolder home;
    ScopedEnv xdg{"XDG_DATA_HOME", home.path() + "data"};
};

std::vector<std::string> sorted(std::vector<std::string> names) {
    std::sort(names.begin(), names.end());
    return names;
}

} // namespace

TEST_F(SupportFolder, PathsFollowXdgDataHome) {
    EXPECT_EQ(supportPath(), home.path() + "data/Orlenvale/Tapburg/");
    EXPECT_EQ(savesPath(), home.path() + "data/Orlenvale/Tapburg/saves/");
}

TEST_F(SupportFolder, RelativeOrEmptyXdgFallsBackToHome) {
    ScopedEnv fakeHome("HOME", home.path() + "me");
    for (const char* value : {"", "relative/dir"}) {
        ScopedEnv relative("XDG_DATA_HOME", value);
        EXPECT_EQ(supportPath(), home.path() + "me/.local/share/Orlenvale/Tapburg/") << value;
    }
}

TEST_F(SupportFolder, CreatedWithSavesOnFirstRun) {
    ASSERT_TRUE(createSupportFolders());
    EXPECT_TRUE(fs::is_directory(savesPath()));
}

TEST_F(SupportFolder, ExistingFolderIsLeftAsItIs) {
    fs::create_directories(supportPath());
    ASSERT_TRUE(createSupportFolders());
    EXPECT_FALSE(fs::exists(savesPath()));
}

TEST_F(SupportFolder, UncreatableFolderFailsWithinBoundedTime) {
    home.write("data", "a file where the folder should be");
    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(createSupportFolders());
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(10));
}

TEST(ListFiles, SubstringMatchSkipsDsStore) {
    TempFolder folder;
    for (const char* name :
         {"1.sav", "2.sav", "1.sav.bak", "old.save", "sav", "x.txt", ".DS_Store", ".sav"})
        folder.write(name, "");
    EXPECT_EQ(sorted(listFiles(folder.path(), "sav")),
              (std::vector<std::string>{".sav", "1.sav", "1.sav.bak", "2.sav", "old.save"}));
    EXPECT_TRUE(listFiles(folder.path() + "missing/", "sav").empty());
}

TEST(WritableLocations, InstalledGameWritesToTheSupportFolder) {
    struct Case {
        bool resourceWritable;
        bool supportHasSettings;
        WritableLocations expected;
    };
    const Case cases[] = {
        {true, false, {"res/conf.dat", "res/conf.dat", "res/screenshots/"}},
        {true, true, {"res/conf.dat", "res/conf.dat", "res/screenshots/"}},
        {false, false, {"res/conf.dat", "sup/conf.dat", "sup/screenshots/"}},
        {false, true, {"sup/conf.dat", "sup/conf.dat", "sup/screenshots/"}},
    };
    for (const Case& c : cases) {
        const WritableLocations got =
            chooseWritableLocations("res/", "sup/", c.resourceWritable, c.supportHasSettings);
        EXPECT_EQ(got.settingsLoad, c.expected.settingsLoad);
        EXPECT_EQ(got.settingsSave, c.expected.settingsSave);
        EXPECT_EQ(got.screenshots, c.expected.screenshots);
    }
}

// A stand-in xdg-open records its arguments, so the test sees exactly what was run.
class FileBrowser : public ::testing::Test {
protected:
    void SetUp() override {
        const std::string script =
            bin.write("xdg-open", "#!/bin/sh\nprintf '%s\\n' \"$#\" \"$@\" > \"" + bin.path() +
                                      "args.tmp\"\n"
                                      "mv \"" +
                                      bin.path() + "args.tmp\" \"" + bin.path() + "args\"\n");
        chmod(script.c_str(), 0755);
    }

    std::string waitForArgs() const {
        for (int i = 0; i < 200 && !fs::exists(bin.path() + "args"); ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        return readFile(bin.path() + "args");
    }

    TempFolder bin;
    ScopedEnv path{"PATH", bin.path() + ":/usr/bin:/bin"};
};

TEST_F(FileBrowser, HostilePathIsPassedAsOneArgument) {
    const std::string hostile = bin.path() + "my saves; touch " + bin.path() + "pwned \"q\" $(id)";
    openInFileBrowser(hostile);
    EXPECT_EQ(waitForArgs(), "1\n" + hostile + "\n");
    EXPECT_FALSE(fs::exists(bin.path() + "pwned"));
}

TEST_F(FileBrowser, LeadingDashIsNotAnOption) {
    openInFileBrowser("--help");
    EXPECT_EQ(waitForArgs(), "1\n./--help\n");
}
