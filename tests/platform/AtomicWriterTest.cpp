// What the atomic writer replaces: a file whole or not at all, the target of a link,
// never a device or a folder; and which leftovers of killed writes it clears away.
#include "platform/AtomicWriter.h"

#include "platform/Folders.h"
#include "platform/TestFolders.h"

#include <csignal>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

TEST(AtomicWriter, WritesThroughLinksAndNeverReplacesWhatIsNoFile) {
    TempFolder folder;
    fs::create_directory(folder.path() + "real");
    const std::string target = folder.write("real/1.sav", "old");
    ::chmod(target.c_str(), 0600);
    fs::create_symlink("real/1.sav", folder.path() + "link.sav");
    fs::create_symlink("link.sav", folder.path() + "chain.sav");
    fs::create_symlink(folder.path() + "real/new.sav", folder.path() + "dangling.sav");

    for (const char* name : {"link.sav", "chain.sav", "dangling.sav"})
        EXPECT_EQ(AtomicWriter::write(folder.path() + name, name), "") << name;
    EXPECT_EQ(readFile(target), "chain.sav");
    EXPECT_EQ(readFile(folder.path() + "real/new.sav"), "dangling.sav");
    EXPECT_TRUE(fs::is_symlink(folder.path() + "link.sav"));
    EXPECT_TRUE(fs::is_symlink(folder.path() + "dangling.sav"));
    EXPECT_EQ(fs::status(target).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write);       // kept, not reset
    EXPECT_EQ(listFiles(folder.path() + "real/", "sav").size(), 2u); // no temporary left

    // A device and a folder are left alone, with a reason, through a link too.
    fs::create_directory(folder.path() + "2.sav");
    fs::create_symlink("/dev/null", folder.path() + "device.sav");
    for (const std::string& path : {folder.path() + "2.sav", folder.path() + "device.sav"}) {
        EXPECT_EQ(AtomicWriter::write(path, "text"), "is not a regular file; it was left as it is");
    }
    EXPECT_TRUE(fs::is_character_file("/dev/null"));
    EXPECT_TRUE(fs::is_directory(folder.path() + "2.sav"));
    EXPECT_NE(AtomicWriter::write(folder.path() + "missing/1.sav", "text"), "");
}

TEST(AtomicWriter, OnlyTheLeftoversOfKilledWritesAreRemoved) {
    TempFolder folder;
    const char* leftovers[] = {"1.sav.Ab12Cd", "autosave.sav.000000", "conf.dat.x1Y2z3"};
    const char* kept[] = {"1.sav", "1.sav.bak", "1.sav.Ab12C", "1.sav.Ab-2Cd", "x.sav.Ab12Cde"};
    for (const char* name : leftovers)
        folder.write(name, "partial");
    for (const char* name : kept)
        folder.write(name, "keep");
    fs::create_directory(folder.path() + "4.sav.folder"); // not a file: kept
    EXPECT_EQ(AtomicWriter::removeStaleTemporaries(folder.path(), ".sav"), 2);
    EXPECT_EQ(AtomicWriter::removeStaleTemporaries(folder.path(), "conf.dat"), 1);
    for (const char* name : kept)
        EXPECT_TRUE(fs::exists(folder.path() + name)) << name;
    EXPECT_EQ(AtomicWriter::removeStaleTemporaries(folder.path() + "missing/", ".sav"), 0);
}

// A writer killed at any moment leaves the old text or the new one, never a mix.
TEST(AtomicWriter, AKillAtAnyMomentLeavesAWholeFile) {
    TempFolder folder;
    const std::string path = folder.path() + "autosave.sav";
    const std::string oldText(200000, 'o'), newText(300000, 'n');
    for (int round = 0; round < 30; ++round) {
        AtomicWriter::write(path, oldText);
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            for (;;)
                AtomicWriter::write(path, newText);
        }
        usleep(static_cast<useconds_t>(1000 + round * 300));
        ::kill(child, SIGKILL);
        ::waitpid(child, nullptr, 0);
        const std::string left = readFile(path);
        EXPECT_TRUE(left == oldText || left == newText) << "round " << round;
    }
    AtomicWriter::removeStaleTemporaries(folder.path(), ".sav");
    EXPECT_EQ(listFiles(folder.path(), ""), std::vector<std::string>{"autosave.sav"});
}
