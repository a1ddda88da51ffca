#include "game/Game.h"

#include "assets/FontManager.h"
#include "assets/SoundManager.h"
#include "assets/SpriteManager.h"
#include "game/ShellRules.h"
#include "platform/Config.h"
#include "platform/Folders.h"

#include <cstdio>
#include <cstdlib>
#include <ctime>

namespace {

constexpr const char* WindowTitle = "Tapburg";
constexpr unsigned BitsPerPixel = 32;
constexpr unsigned FrameRateLimit = 60;

} // namespace

Game::Game() = default;
Game::~Game() = default;

bool Game::init(int, char**) {
    if (!createSupportFolders())
        return false;
    std::srand(static_cast<unsigned>(std::time(nullptr)));
    config = std::make_unique<Config>();
    config->load(writableLocations().settingsLoad);
    createWindow();
    // The sprite registry applies the stored palette as it is made.
    spriteManager = std::make_unique<SpriteManager>(*this);
    soundManager = std::make_unique<SoundManager>(*this);
    fontManager = std::make_unique<FontManager>(*this);
    spriteManager->loadSprites();
    soundManager->loadSounds();
    fontManager->loadFonts();
    return true;
}

void Game::run() {
    while (window->isOpen()) {
        sf::RenderTarget& target = frameTarget();
        updateFrameTime();
        handleEvents();
        if (!window->isOpen())
            break;
        target.clear(paperColor);
        // The map goes here through mapView, then the screens through uiView.
        present();
        if (recreateWindowRequested) {
            recreateWindowRequested = false;
            createWindow();
        }
    }
}

void Game::shutdown() {
    if (window)
        window->close();
    config->save(writableLocations().settingsSave);
}

void Game::createWindow() {
    const bool fullscreen = config->is("isFullscreen", "true");
    postProcessing = config->is("postProcessing", "true");
    const sf::Vector2u oldSize = window ? window->getSize() : sf::Vector2u();

    sf::VideoMode mode = sf::VideoMode::getDesktopMode();
    sf::Uint32 style = sf::Style::Fullscreen | sf::Style::Close;
    if (!fullscreen) {
        const sf::Vector2u size = windowedSize(config->getInt("width"), config->getInt("height"));
        mode = sf::VideoMode(size.x, size.y, BitsPerPixel);
        style = sf::Style::Close;
    }
    mode.bitsPerPixel = BitsPerPixel;
    scale = pixelScale(mode.height);

    window.reset();
    const sf::Vector2f centre = mapView ? mapView->getCenter() : sf::Vector2f();
    mapView.reset();
    uiView.reset();
    renderTexture.reset();

    if (sf::Shader::isAvailable()) {
        std::printf("render texture with size %dx%d\n", mode.width, mode.height);
        renderTexture = std::make_unique<sf::RenderTexture>();
        if (!renderTexture->create(mode.width, mode.height)) {
            renderTexture.reset();
            postProcessing = false;
        }
    }
    loadShader();
    postShader.setUniform("width", static_cast<float>(mode.width));
    postShader.setUniform("height", static_cast<float>(mode.height));
    postShader.setUniform("scale", static_cast<float>(scale));

    window = std::make_unique<sf::RenderWindow>(mode, WindowTitle, style);
    const sf::Vector2f logical = viewSize({mode.width, mode.height}, scale);
    uiView = std::make_unique<sf::View>(sf::FloatRect(0.f, 0.f, logical.x, logical.y));
    mapView = std::make_unique<sf::View>(sf::FloatRect(0.f, 0.f, logical.x, logical.y));
    mapView->setCenter(centre);

    window->setMouseCursorVisible(false);
    window->setVerticalSyncEnabled(true);
    window->setFramerateLimit(FrameRateLimit);

    if (oldSize != sf::Vector2u() && oldSize != window->getSize())
        relayout();
}

void Game::loadShader() {
    if (!sf::Shader::isAvailable()) {
        postProcessing = false;
        std::puts("Shaders not supported!");
        return;
    }
    const std::string folder = resourcePath() + "shaders/";
    if (!postShader.loadFromFile(folder + "crt1.vert", folder + "crt1.frag")) {
        std::puts("Failed to load shader...");
        postProcessing = false;
        return;
    }
    postShader.setUniform("texture", sf::Shader::CurrentTexture);
}

void Game::relayout() {
    // The widget trees, the title screen, map culling and the HUD join here as they
    // arrive; until then nothing is laid out in window units.
}

void Game::updateFrameTime() {
    frameTime = nextFrameTime(frameTime, frameClock.getElapsedTime().asMilliseconds());
    frameClock.restart();
}

void Game::handleEvents() {
    sf::Event event;
    while (window->pollEvent(event)) {
        if (event.type == sf::Event::Closed)
            window->close();
        else if (event.type == sf::Event::KeyPressed && event.key.code == sf::Keyboard::F12)
            takeScreenshot();
        else if (event.type == sf::Event::KeyPressed && event.key.code == sf::Keyboard::Return &&
                 event.key.alt)
            toggleFullscreen();
    }
}

void Game::present() {
    if (postProcessing) {
        renderTexture->display();
        const sf::Sprite frame(renderTexture->getTexture());
        window->draw(frame, sf::RenderStates(&postShader));
    }
    if (screenshotRequested) {
        screenshotRequested = false;
        saveScreenshot();
    }
    window->display();
}

void Game::takeScreenshot() {
    screenshotRequested = true;
}

void Game::toggleFullscreen() {
    config->toggle("isFullscreen");
    recreateWindowRequested = true;
}

sf::RenderTarget& Game::frameTarget() {
    if (postProcessing)
        return *renderTexture;
    return *window;
}

void Game::saveScreenshot() {
    const sf::Vector2u size = window->getSize();
    sf::Texture frame;
    if (!frame.create(size.x, size.y))
        return;
    frame.update(*window);
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    // A missing folder fails the save; SFML reports it and the game goes on.
    frame.copyToImage().saveToFile(screenshotsFolder() + screenshotFileName(local));
}
