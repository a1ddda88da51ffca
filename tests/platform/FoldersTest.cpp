#include "platform/Folders.h"

#include "platform/TestFolders.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <thread>

namespace fs = std::filesystem;

class SupportFolder : public ::testing::Test {
protected:
    TempFolder home;
    ScopedEnv xdg{"XDG_DATA_HOME", home.path() + "data"};
};

TEST_F(SupportFolder, PathsFollowXdgDataHomeElseHome) {
    EXPECT_EQ(savesPath(), home.path() + "data/Orlenvale/Tapburg/saves/");
    ScopedEnv fakeHome("HOME", home.path() + "me");
    ScopedEnv relative("XDG_DATA_HOME", "relative/dir"); // XDG says ignore it
    EXPECT_EQ(supportPath(), home.path() + "me/.local/share/Orlenvale/Tapburg/");
}

TEST_F(SupportFolder, SavesAreCreatedOnlyWithANewFolder) {
    ASSERT_TRUE(createSupportFolders());
    EXPECT_TRUE(fs::is_directory(savesPath()));
    fs::remove(savesPath());
    ASSERT_TRUE(createSupportFolders());
    EXPECT_FALSE(fs::exists(savesPath()));
}

TEST_F(SupportFolder, UncreatableFolderFailsInsteadOfWaiting) {
    home.write("data", "a file where the folder should be");
    EXPECT_FALSE(createSupportFolders());
}

TEST(ListFiles, SubstringMatchSkipsDsStore) {
    TempFolder folder;
    for (const char* name : {"1.sav.bak", "sav", "x.txt", ".DS_Store"})
        folder.write(name, "");
    EXPECT_EQ(listFiles(folder.path(), "sav"), std::vector<std::string>{"1.sav.bak"});
    EXPECT_TRUE(listFiles(folder.path() + "missing/", "sav").empty());
}

TEST_F(SupportFolder, ReadOnlyOrInstalledDataHandsWritingToTheSupportFolder) {
    const auto check = [](bool writable, bool supportHasSettings, const char* load,
                          const char* save, const char* shots) {
        const WritableLocations got =
            chooseWritableLocations("r/", "s/", writable, supportHasSettings);
        EXPECT_EQ(got.settingsLoad + " " + got.settingsSave + " " + got.screenshots,
                  std::string(load) + " " + save + " " + shots);
    };
    check(true, true, "r/conf.dat", "r/conf.dat", "r/screenshots/");
    check(false, false, "r/conf.dat", "s/conf.dat", "s/screenshots/");
    check(false, true, "s/conf.dat", "s/conf.dat", "s/screenshots/");
    // An installed share folder is never written, even when it could be.
    fs::create_directories(home.path() + "usr/share/tapburg");
    ScopedEnv data("TAPBURG_DATA_DIR", home.path() + "usr/share/tapburg");
    EXPECT_EQ(writableLocations().settingsSave, supportPath() + "conf.dat");
    ScopedEnv beside("TAPBURG_DATA_DIR", home.path());
    EXPECT_EQ(writableLocations().settingsSave, home.path() + "conf.dat");
}

// A stand-in xdg-open on PATH records its arguments.
TEST(FileBrowser, HostilePathsArePassedAsOneArgument) {
    TempFolder bin;
    ScopedEnv path("PATH", bin.path() + ":/usr/bin:/bin");
    chmod(bin.write("xdg-open", "#!/bin/sh\nprintf '%s|' \"$#\" \"$@\" >> \"$0.log\"\n").c_str(),
          0755);
    const std::string hostile = bin.path() + "my saves; touch " + bin.path() + "pwned \"q\" $(id)";
    openInFileBrowser(hostile);
    openInFileBrowser("--help");
    const std::string expected = "1|" + hostile + "|1|./--help|";
    for (int i = 0; i < 300 && readFile(bin.path() + "xdg-open.log").size() < expected.size(); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    const std::string log = readFile(bin.path() + "xdg-open.log");
    EXPECT_TRUE(log == expected || log == "1|./--help|1|" + hostile + "|") << log;
    EXPECT_FALSE(fs::exists(bin.path() + "pwned"));
}
