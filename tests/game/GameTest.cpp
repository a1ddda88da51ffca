#include "game/Game.h"

#include "assets/SpriteManager.h"
#include "platform/Config.h"
#include "platform/TestFolders.h"

#include <gtest/gtest.h>

namespace fs = std::filesystem;

namespace {

const sf::Color Paper0(232, 206, 168);

// A private copy of the data folder, so tests may break shaders and rewrite settings.
class GameWindow : public ::testing::Test {
protected:
    void SetUp() override {
        fs::create_directories(data.path() + "screenshots");
        fs::copy(std::string(TAPBURG_TEST_DATA_DIR) + "shaders", data.path() + "shaders");
        game.config = std::make_unique<Config>();
        game.config->load(data.write(
            "conf.dat",
            "isFullscreen=false\npostProcessing=true\nwidth=1280\nheight=720\npalette=0\n"));
    }

    // The generated sprites and fonts, for tests that start the whole game.
    void linkArt() {
        for (const char* folder : {"sprites", "fonts"})
            if (!fs::exists(data.path() + folder))
                fs::create_directory_symlink(std::string(TAPBURG_TEST_DATA_DIR) + folder,
                                             data.path() + folder);
    }

    // Presents one frame cleared in paper as a screenshot and returns its pixels.
    sf::Image presentedFrame() {
        game.frameTarget().clear(game.paperColor);
        game.takeScreenshot();
        game.present();
        sf::Image image;
        for (const auto& entry : fs::directory_iterator(data.path() + "screenshots")) {
            image.loadFromFile(entry.path().string());
            fs::remove(entry.path());
        }
        return image;
    }

    TempFolder data, home;
    ScopedEnv dataDir{"TAPBURG_DATA_DIR", data.path()};
    ScopedEnv xdg{"XDG_DATA_HOME", home.path()};
    Game game;
};

} // namespace

TEST_F(GameWindow, FrameIsClearedInPaperWithAndWithoutTheShader) {
    // Drawing through the shader leaves driver threads the leak checker trips over.
    setenv("TAPBURG_SKIP_LEAK_CHECK", "1", 1);
    SpriteManager(game).setPalette(0);
    for (const std::string post : {"true", "false"}) {
        game.config->set("postProcessing", post);
        game.createWindow();
        const sf::Image frame = presentedFrame();
        ASSERT_EQ(frame.getSize(), sf::Vector2u(1280, 720)) << post;
        EXPECT_EQ(frame.getPixel(640, 360), Paper0) << post; // a bright scanline's middle
        if (sf::Shader::isAvailable() && post == "true") {
            ASSERT_TRUE(game.postProcessing);
            EXPECT_LT(frame.getPixel(1, 360).r, Paper0.r); // the CRT edge is darker
        }
    }
}

TEST_F(GameWindow, BrokenShaderGivesAPlainPicture) {
    data.write("shaders/crt1.frag", "void main() { this is not glsl }");
    game.createWindow();
    EXPECT_FALSE(game.postProcessing);
    SpriteManager(game).setPalette(3);
    EXPECT_EQ(presentedFrame().getPixel(640, 360), game.paperColor);
}

TEST_F(GameWindow, StartUpCompletesTheSettingsAndShutdownKeepsThem) {
    linkArt();
    struct Case {
        const char* stored;
        const char* written; // after a run that toggled fullscreen
    };
    const std::string added = "musicVolume=100\nsfxVolume=100\nautosaveDays=30\nmapZoom=0\n";
    const Case cases[] = {
        // An older version's file, with a comment: its values stay, the rest is added.
        {"// shipped\r\nisFullscreen=false\nwidth=640\nheight=360\npalette=9\n",
         "isFullscreen=true\nwidth=640\nheight=360\npalette=9\npostProcessing=true\n"
         "musicEnabled=true\nsfxEnabled=true\n"},
        // Emptied by a crash: the shipped file again, in its order.
        {"", "isFullscreen=true\npostProcessing=true\nwidth=1280\nheight=720\n"
             "musicEnabled=true\nsfxEnabled=true\npalette=0\n"},
    };
    for (const Case& c : cases) {
        data.write("conf.dat", c.stored);
        // What killed writes left behind goes at start-up.
        data.write("conf.dat.Ab12Cd", "a write cut short");
        fs::create_directories(home.path() + "Orlenvale/Tapburg/saves");
        const std::string halfSave = home.write("Orlenvale/Tapburg/saves/1.sav.Ab12Cd", "2,");
        Game started;
        ASSERT_TRUE(started.init(0, nullptr));
        EXPECT_FALSE(fs::exists(data.path() + "conf.dat.Ab12Cd"));
        EXPECT_FALSE(fs::exists(halfSave));
        // Completed on disk at once, before anything could crash.
        EXPECT_NE(readFile(data.path() + "conf.dat").find(added), std::string::npos) << c.stored;
        started.toggleFullscreen();
        started.shutdown();
        EXPECT_FALSE(started.window->isOpen());
        EXPECT_EQ(readFile(data.path() + "conf.dat"), c.written + added) << c.stored;
    }
    EXPECT_EQ(game.config->get("palette"), "0"); // the fixture's own game is untouched
}

TEST_F(GameWindow, StartUpStopsWithoutItsFoldersAndSaysWhere) {
    // No art at all, then sprites without fonts.
    testing::internal::CaptureStderr();
    EXPECT_FALSE(game.init(0, nullptr));
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "Tapburg cannot start: no game data in " +
                                                          data.path() + " (" + data.path() +
                                                          "sprites/isomap.png is missing).\n");
    fs::create_directory_symlink(std::string(TAPBURG_TEST_DATA_DIR) + "sprites",
                                 data.path() + "sprites");
    EXPECT_FALSE(game.init(0, nullptr));
    EXPECT_FALSE(game.window);

    linkArt();
    fs::remove(data.path() + "sprites");
    fs::create_directories(data.path() + "sprites");
    EXPECT_FALSE(game.init(0, nullptr)); // an emptied sprites folder

    home.write("Orlenvale", "a file in the way");
    EXPECT_FALSE(game.init(0, nullptr));
    EXPECT_FALSE(game.window);
}
