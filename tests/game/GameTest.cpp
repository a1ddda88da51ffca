#include "game/Game.h"

#include "platform/Config.h"
#include "platform/TestFolders.h"

#include <gtest/gtest.h>

namespace fs = std::filesystem;

namespace {

constexpr const char* ShippedSettings = "isFullscreen=false\npostProcessing=true\nwidth=1280\n"
                                        "height=720\nmusicEnabled=true\nsfxEnabled=true\n"
                                        "palette=0\n";

const sf::Color Paper0(232, 206, 168);

// A private copy of the data folder, so tests may break shaders and rewrite settings.
class GameWindow : public ::testing::Test {
protected:
    void SetUp() override {
        fs::create_directories(data.path() + "screenshots");
        fs::copy(std::string(TAPBURG_TEST_DATA_DIR) + "shaders", data.path() + "shaders");
        useSettings(ShippedSettings);
    }

    void useSettings(const std::string& text) {
        data.write("conf.dat", text);
        game.config = std::make_unique<Config>();
        game.config->load(data.path() + "conf.dat");
    }

    // Draws one frame cleared in paper and saves it as a screenshot; returns its pixels.
    sf::Image presentedFrame() {
        game.frameTarget().clear(game.paperColor);
        game.takeScreenshot();
        game.present();
        for (const auto& entry : fs::directory_iterator(data.path() + "screenshots")) {
            sf::Image image;
            image.loadFromFile(entry.path().string());
            fs::remove(entry.path());
            return image;
        }
        return {};
    }

    TempFolder data;
    TempFolder home;
    ScopedEnv dataDir{"TAPBURG_DATA_DIR", data.path()};
    ScopedEnv xdg{"XDG_DATA_HOME", home.path()};
    Game game;
};

} // namespace

TEST(GamePalette, TableColoursAndBlackOutsideTheTable) {
    Game game;
    game.applyPalette(0);
    EXPECT_EQ(game.paperColor, Paper0);
    EXPECT_EQ(game.inkColor, sf::Color(70, 62, 108));
    game.applyPalette(7);
    EXPECT_EQ(game.paperColor, sf::Color(40, 36, 42));
    EXPECT_EQ(game.inkColor, sf::Color(82, 144, 74));
    for (const int index : {-1, 8, 1000}) {
        game.applyPalette(index);
        EXPECT_EQ(game.paperColor, sf::Color::Black) << index;
        EXPECT_EQ(game.inkColor, sf::Color::Black) << index;
    }
}

TEST_F(GameWindow, ShippedSettingsGiveA1280x720WindowAtScale2) {
    game.createWindow();
    EXPECT_EQ(game.window->getSize(), sf::Vector2u(1280, 720));
    EXPECT_EQ(game.scale, 2);
    EXPECT_EQ(game.uiView->getSize(), sf::Vector2f(640, 360));
    EXPECT_EQ(game.uiView->getCenter(), sf::Vector2f(320, 180));
    EXPECT_EQ(game.mapView->getCenter(), sf::Vector2f(0, 0));
}

TEST_F(GameWindow, MissingSizeFallsBackInsteadOfAnEmptyWindow) {
    useSettings("");
    game.createWindow();
    EXPECT_EQ(game.window->getSize(), sf::Vector2u(1280, 720));
    EXPECT_FALSE(game.postProcessing);
}

TEST_F(GameWindow, FullscreenToggleKeepsTheMapCentre) {
    game.createWindow();
    game.mapView->setCenter(123.f, -45.f);
    game.toggleFullscreen();
    EXPECT_TRUE(game.recreateWindowRequested);
    EXPECT_TRUE(game.config->is("isFullscreen", "true"));
    game.createWindow();
    const sf::VideoMode desktop = sf::VideoMode::getDesktopMode();
    EXPECT_EQ(game.window->getSize(), sf::Vector2u(desktop.width, desktop.height));
    EXPECT_EQ(game.scale, std::max(1, int(desktop.height / 360)));
    EXPECT_EQ(game.mapView->getCenter(), sf::Vector2f(123.f, -45.f));
}

TEST_F(GameWindow, FrameIsClearedInPaperWithAndWithoutTheShader) {
    game.applyPalette(0);
    for (const char* post : {"true", "false"}) {
        game.config->set("postProcessing", post);
        game.createWindow();
        const sf::Image frame = presentedFrame();
        ASSERT_EQ(frame.getSize(), sf::Vector2u(1280, 720)) << post;
        // The middle of a bright scanline keeps the exact paper colour.
        EXPECT_EQ(frame.getPixel(640, 360), Paper0) << post;
        if (sf::Shader::isAvailable() && std::string(post) == "true") {
            ASSERT_TRUE(game.postProcessing);
            EXPECT_LT(frame.getPixel(1, 360).r, Paper0.r); // the CRT edge is darker
        }
    }
}

TEST_F(GameWindow, BrokenShaderTurnsPostProcessingOff) {
    data.write("shaders/crt1.frag", "void main() { this is not glsl }");
    game.createWindow();
    EXPECT_FALSE(game.postProcessing);
    game.applyPalette(3);
    EXPECT_EQ(presentedFrame().getPixel(640, 360), game.paperColor);
}

TEST_F(GameWindow, MissingScreenshotFolderWritesNothing) {
    fs::remove_all(data.path() + "screenshots");
    game.createWindow();
    game.takeScreenshot();
    game.present();
    EXPECT_FALSE(fs::exists(data.path() + "screenshots"));
    EXPECT_FALSE(game.screenshotRequested);
}

TEST_F(GameWindow, StartUpAndShutdownRewriteTheSettings) {
    data.write("conf.dat", "// shipped\r\n" + std::string(ShippedSettings) + "palette=9\n");
    ASSERT_TRUE(game.init(0, nullptr));
    EXPECT_TRUE(fs::is_directory(home.path() + "Orlenvale/Tapburg/saves"));
    EXPECT_EQ(game.paperColor, Paper0);
    game.toggleFullscreen();
    game.shutdown();
    EXPECT_FALSE(game.window->isOpen());
    const std::string saved = readFile(data.path() + "conf.dat");
    EXPECT_EQ(saved.find("//"), std::string::npos);
    EXPECT_NE(saved.find("isFullscreen=true\n"), std::string::npos);
    EXPECT_NE(saved.find("palette=9\n"), std::string::npos);
}

TEST_F(GameWindow, OutOfRangePaletteClearsBlackOnBlack) {
    data.write("conf.dat", "width=640\nheight=360\npalette=8\n");
    ASSERT_TRUE(game.init(0, nullptr));
    EXPECT_EQ(game.paperColor, sf::Color::Black);
    EXPECT_EQ(game.inkColor, sf::Color::Black);
}

TEST_F(GameWindow, StartUpStopsWhenTheSupportFolderCannotBeMade) {
    home.write("Orlenvale", "a file in the way");
    EXPECT_FALSE(game.init(0, nullptr));
    EXPECT_FALSE(game.window);
}
