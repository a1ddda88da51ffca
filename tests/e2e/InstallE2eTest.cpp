// An installation to a fresh prefix: the game, its data, the menu entry and the icons
// land in the usual places, and the installed game starts from there, keeping the
// player's settings and screenshots in the player's own folder.
#include "GameSession.h"

#include <SFML/Graphics/Image.hpp>
#include <cstdlib>
#include <gtest/gtest.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

// The unprivileged account a root test run hands the installed game to: root may
// write anywhere, so only another user sees a read-only share folder as a player does.
constexpr const char* Nobody = "65534";

void makeReadOnly(const fs::path& folder) {
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(folder))
        fs::permissions(entry.path(),
                        fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                        fs::perm_options::remove);
    fs::permissions(folder, fs::perms::owner_write, fs::perm_options::remove);
}

// Runs an installed game once as a player would: no data folder of its own, and as an
// ordinary user. Its screenshot and settings must land in the player's folder.
void playOnce(GameSession& session, const fs::path& program) {
    if (geteuid() == 0) {
        runProgram({"chown", "-R", std::string(Nobody) + ":" + Nobody,
                    (session.root() / "home").string()});
        session.options.launcher = {"setpriv", std::string("--reuid=") + Nobody,
                                    std::string("--regid=") + Nobody, "--clear-groups"};
    }
    session.options.program = program;
    // Starting takes a screenshot, and start() looks for it in the player's folder.
    ASSERT_TRUE(session.start()) << session.output();
    EXPECT_EQ(session.output().find("ERROR"), std::string::npos) << session.output();
    EXPECT_EQ(session.closeWindow(), 0);
    EXPECT_NE(session.output().find("Bye!"), std::string::npos) << session.output();
    EXPECT_TRUE(fs::is_regular_file(session.supportFolder() / "conf.dat"));
}

} // namespace

TEST(InstallE2e, TheInstalledGameRunsFromItsShareFolder) {
    GameSession session("install", true);
    const fs::path prefix = session.root() / "prefix";
    std::string log;
    ASSERT_EQ(runProgram({TAPBURG_E2E_CMAKE, "--install", TAPBURG_E2E_BUILD_DIR, "--prefix",
                          prefix.string()},
                         &log),
              0)
        << log;

    const char* desktopEntry = "share/applications/org.orlenvale.tapburg.desktop";
    for (const char* file :
         {"bin/tapburg", "bin/tapburg-sim", "share/tapburg/conf.dat",
          "share/tapburg/shaders/crt1.frag", "share/tapburg/sprites/isomap.png",
          "share/tapburg/fonts/normal.dat", desktopEntry,
          "share/metainfo/org.orlenvale.tapburg.metainfo.xml", "share/man/man6/tapburg.6.gz",
          "share/icons/hicolor/64x64/apps/tapburg.png",
          "share/icons/hicolor/256x256/apps/tapburg.png"})
        EXPECT_TRUE(fs::is_regular_file(prefix / file)) << file;
    // A home prefix's bin/ need not be on the desktop's PATH.
    EXPECT_NE(
        readFile(prefix / desktopEntry).find("\nExec=" + (prefix / "bin/tapburg").string() + "\n"),
        std::string::npos);
    EXPECT_FALSE(fs::exists(prefix / "share/tapburg/screenshots"));
    EXPECT_FALSE(fs::exists(prefix / "share/tapburg/icons"));
    sf::Image icon;
    ASSERT_TRUE(
        icon.loadFromFile((prefix / "share/icons/hicolor/256x256/apps/tapburg.png").string()));
    EXPECT_EQ(icon.getSize(), sf::Vector2u(256, 256));

    const fs::path share = prefix / "share/tapburg";
    const std::string shippedSettings = readFile(share / "conf.dat");
    makeReadOnly(share);
    playOnce(session, prefix / "bin/tapburg");
    EXPECT_EQ(readFile(share / "conf.dat"), shippedSettings);
}

// The game of the Debian package, once CI has installed it with apt.
TEST(InstallE2e, ThePackagedGameStarts) {
    const char* program = std::getenv("TAPBURG_E2E_PACKAGED_GAME");
    if (program == nullptr)
        GTEST_SKIP() << "TAPBURG_E2E_PACKAGED_GAME names no installed game";
    GameSession session("packaged", true);
    playOnce(session, program);
}
