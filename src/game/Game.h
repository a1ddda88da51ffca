#pragma once
// The one object of the program: owns the window and its views, the settings, the
// asset managers and the city, and runs the frame loop. Every subsystem receives a
// reference to it and reaches its siblings through it. Non-copyable.
#include <SFML/Graphics.hpp>
#include <memory>

class Config;
class SpriteManager;
class SoundManager;
class FontManager;

class Game {
public:
    Game();
    ~Game();
    Game(const Game&) = delete;
    Game& operator=(const Game&) = delete;

    // Start-up in the fixed order; returns false when the game cannot start.
    bool init(int argc, char** argv);
    // The frame loop; returns when the window has closed.
    void run();
    // Closes the window and writes the settings.
    void shutdown();

    // Creates or re-creates the window, both views, the render texture and the shader
    // from the settings. Only between frames: everything drawn so far is dropped.
    void createWindow();
    // Loads the CRT shader; a failure turns post-processing off for this window.
    void loadShader();
    // Lets everything laid out in window units follow a changed window size.
    void relayout();

    // One step of the frame loop each.
    void updateFrameTime();
    void handleEvents();
    void present();

    // Asks for the next presented frame to be saved as a screenshot, as seen on screen
    // (after post-processing).
    void takeScreenshot();
    // Flips "isFullscreen" and has the window re-created at the end of the frame.
    void toggleFullscreen();

    // Where this frame is drawn: the render texture while post-processing is on.
    sf::RenderTarget& frameTarget();

    std::unique_ptr<sf::RenderWindow> window;
    std::unique_ptr<sf::View> mapView;
    std::unique_ptr<sf::View> uiView;
    sf::Clock frameClock;
    float frameTime = 0.f;
    std::unique_ptr<SpriteManager> spriteManager;
    std::unique_ptr<SoundManager> soundManager;
    std::unique_ptr<FontManager> fontManager;
    std::unique_ptr<Config> config;
    sf::Color paperColor = sf::Color::Black;
    sf::Color inkColor = sf::Color::Black;
    int scale = 1;
    sf::Shader postShader;
    bool postProcessing = false;
    std::unique_ptr<sf::RenderTexture> renderTexture;
    bool recreateWindowRequested = false;
    bool screenshotRequested = false;

private:
    // The back buffer still holds the composed frame here, before it is shown.
    void saveScreenshot();
};
