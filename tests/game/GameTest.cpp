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

TEST_F(GameWindow, StartUpAndShutdownRewriteTheSettings) {
    data.write("conf.dat", "// shipped\r\nisFullscreen=false\nwidth=640\nheight=360\npalette=9\n");
    ASSERT_TRUE(game.init(0, nullptr));
    EXPECT_TRUE(fs::is_directory(home.path() + "Orlenvale/Tapburg/saves"));
    EXPECT_EQ(game.paperColor, sf::Color::Black);
    game.toggleFullscreen();
    game.shutdown();
    EXPECT_FALSE(game.window->isOpen());
    EXPECT_EQ(readFile(data.path() + "conf.dat"),
              "isFullscreen=true\nwidth=640\nheight=360\npalette=9\n");
}

TEST_F(GameWindow, StartUpStopsWhenTheSupportFolderCannotBeMade) {
    home.write("Orlenvale", "a file in the way");
    EXPECT_FALSE(game.init(0, nullptr));
    EXPECT_FALSE(game.window);
}
