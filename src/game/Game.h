#pragma once
// The one object of the program: owns the window and its views, the settings, the
// asset managers and the city, and runs the frame loop. Every subsystem receives a
// reference to it and reaches its siblings through it. Non-copyable.
#include "city/RequestQueue.h"
#include "city/SaveGame.h"
#include "game/FloatingEffect.h"
#include "game/InputRules.h"

#include <SFML/Graphics.hpp>
#include <array>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class Autosave;
class Config;
class SpriteManager;
class SoundManager;
class FontManager;
class MainMenu;
class MapRenderer;
class Simulation;
class Tile;
struct Request;
class UI;
class Hud;
class ScreenWindow;
class TileActionsWindow;
class TileInfoWindow;
class GameMenu;
class SaveSlotsWindow;
class OptionsWindow;
class AboutWindow;
class ProductionWindow;
class CityInfoWindow;
class ExpenditureWindow;
class HistoryWindow;

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

    // The title screen: clears the armed action, plays the title music and shows the
    // menu root instead of the game's.
    void showMainMenu();
    // Back to the city; the playlist starts when coming from the title screen.
    void hideMainMenu();
    // A fresh city; the simulation's requests then leave the title screen and greet.
    void startNewGame();
    // The player leaves the city (title screen, exit, window closed): one changed since
    // it was last saved is autosaved first.
    void leaveCity();

    // Creates or re-creates the window, both views, the render texture and the shader
    // from the settings. Only between frames: everything drawn so far is dropped.
    void createWindow();
    // Loads the CRT shader; a failure turns post-processing off for this window.
    void loadShader();
    // Lets everything laid out in window units follow a changed window size.
    void relayout();
    // The player or the window manager resized the window: the scale, both views and
    // every layout follow, nothing is stretched, and a windowed size is kept in the
    // settings.
    void resizeWindow(sf::Vector2u size);

    // One step of the frame loop each.
    void updateFrameTime();
    void handleEvents();
    // What handleEvents does with each event it takes from the window.
    void handleEvent(const sf::Event& event);
    void present();

    // Asks for the next presented frame to be saved as a screenshot, as seen on screen
    // (after post-processing).
    void takeScreenshot();
    // Flips "isFullscreen" and has the window re-created at the end of the frame.
    void toggleFullscreen();

    // Where this frame is drawn: the render texture while post-processing is on.
    sf::RenderTarget& frameTarget();

    // --- Camera, picking and effects ---------------------------------------------
    // The tile under a position from the map view's top-left in map units (scaled window
    // coordinates at the default magnification), through the key colours
    // of "isomap"; (0, 0) when no tile is there. Callers that go on to open a tile's
    // screen hold the simulation's mapMutex.
    sf::Vector2i pickTile(sf::Vector2i position, bool visibleOnly);
    // The picking image, read once: its key colours survive every palette.
    const sf::Image& pickingKeys();
    void centreViewOnTile(int x, int y);
    void centreViewOnPoint(float x, float y);
    // Marks the tiles outside the map's kept picture (the view and its margin) off-screen;
    // after every move of the view.
    void cullMapToView();
    // Quarter turns of the city that keep the tile at the middle of the screen there.
    void rotateLeft();
    void rotateRight();
    // The map's magnification goes up or down by `steps` (within its range), keeping the
    // map point under window pixel `anchor` in place; the setting follows.
    void zoomMap(int steps, sf::Vector2i anchor);
    // The view's top-left in map units to a window pixel: a position for pickTile.
    sf::Vector2i mapOffsetAt(sf::Vector2i windowPixel) const;
    // Moves the map while pan keys are held, about half a screen a second; per frame.
    void panMap();
    // Escape: a message box first, then a tile window, a report, the menu; in a city with
    // none of them open, the game menu opens.
    void closeTopmostWindow();
    // What the status strip names under window pixel `at`: a building or feature of a
    // revealed tile with its key figure; empty over empty land and widgets. Takes
    // mapMutex, or keeps the last text while a tick holds it.
    // The way the held arrow and W/A/S/D keys pan the map; zero when none is held.
    sf::Vector2i heldPanDirection() const;
    void updateHover(sf::Vector2i at);
    void startShake(float strength, float decay);
    void updateShake();
    // Moves, draws and expires the plus-one marks; the map view is set.
    void drawFloatingEffects(sf::RenderTarget& target);
    void addFloatingEffect(float x, float y, float drift);

    // Carries out one of the simulation's requests on the interface thread.
    void carryOut(const Request& request);

    // --- In-game screens ---------------------------------------------------------------
    // The HUD is built once after the UI and laid out again on every size change; its
    // update draws the whole interface once per frame, in the UI view.
    void ui_create();
    void ui_layout();
    void ui_update();
    void ui_setActionTitle(const std::string& title);
    void ui_setDateButtonEnabled(bool enabled);
    void ui_closeTileActions();
    // Every in-game window but the save slots and options, and the action's progress.
    void ui_closeWindows();
    void ui_resetLayerOptions();
    // A left click on a tile that offers actions in build mode, and a right click on
    // any tile. Called with mapMutex held.
    void ui_showTileActions(Tile& tile);
    void ui_createActionButtons(Tile& tile);
    void ui_showTileInformation(Tile& tile);
    void ui_showMenu();
    void ui_showSaveFilesWindow(bool save);
    void ui_showOptions();
    void ui_showAboutScreen();
    // Reports open once; opening an open one only refreshes it.
    void ui_showProduction();
    void ui_showCityInfo();
    void ui_showExpenditure();
    void ui_refreshProduction();
    void ui_populateCityInfo();
    void ui_refreshExpenditure();
    void ui_showHistory();
    void ui_refreshHistory();
    // Every window kind that exists at most once, for re-layout and closing.
    std::vector<ScreenWindow*> screenWindows() const;

    // Save and load a slot (1 to 4; the autosave loads as SaveGame::AutosaveSlot); either
    // counts as the city's last save for the autosave. A failure shows the player a message box
    // saying why, and leaves the running game and the slot's file as they were.
    bool saveGame(int slot);
    bool loadGame(int slot);

    std::unique_ptr<sf::RenderWindow> window;
    std::unique_ptr<sf::View> mapView;
    std::unique_ptr<sf::View> uiView;
    sf::Clock frameClock;
    float frameTime = 0.f;
    std::unique_ptr<SpriteManager> spriteManager;
    std::unique_ptr<SoundManager> soundManager;
    std::unique_ptr<FontManager> fontManager;
    std::unique_ptr<Config> config;
    std::unique_ptr<Simulation> simulation;
    std::unique_ptr<Autosave> autosave;
    std::unique_ptr<MapRenderer> mapRenderer;
    // Declared after the assets they draw with, and the UI before the title screen,
    // which unregisters from it when destroyed.
    std::unique_ptr<UI> ui;
    std::unique_ptr<MainMenu> mainMenu;
    // The screens keep plain pointers into the UI's widget tree: declared after it,
    // they are destroyed before it.
    std::unique_ptr<Hud> hud;
    std::unique_ptr<TileActionsWindow> tileActionsWindow;
    std::unique_ptr<TileInfoWindow> tileInfoWindow;
    std::unique_ptr<GameMenu> menuWindow;
    std::unique_ptr<SaveSlotsWindow> saveFilesWindow;
    std::unique_ptr<OptionsWindow> optionsWindow;
    std::unique_ptr<AboutWindow> aboutWindow;
    std::unique_ptr<ProductionWindow> productionWindow;
    std::unique_ptr<CityInfoWindow> cityInfoWindow;
    std::unique_ptr<ExpenditureWindow> expenditureWindow;
    std::unique_ptr<HistoryWindow> historyWindow;
    sf::Color paperColor = sf::Color::Black;
    sf::Color inkColor = sf::Color::Black;
    int scale = 1;
    sf::Shader postShader;
    bool postProcessing = false;
    std::unique_ptr<sf::RenderTexture> renderTexture;
    bool recreateWindowRequested = false;
    bool screenshotRequested = false;
    // Window pixels per map unit; `scale` is the default.
    int magnification = 1;
    // The window size the views were made for.
    sf::Vector2u viewBasis;
    // Something on screen changed since the last drawn frame (input, a request).
    bool pictureChanged = true;

    sf::Vector2i dragStartMouse; // window pixels
    bool dragging = false;
    sf::Vector2f dragStartCentre; // map-view centre at the press
    bool shakeActive = false;
    float shakeStrength = 0.f;
    float shakeDecay = 0.f; // strength lost a second
    sf::Vector2f shakeOrigin;
    std::vector<FloatingEffect> floatingEffects;
    sf::Vector2i lastMouse{-1, -1}; // window pixels; negative while outside the window
    // Keys down now, so that auto-repeat is told from a press and panning runs while held.
    std::array<bool, sf::Keyboard::KeyCount> heldKeys{};
    sf::Vector2f panCarry; // what panning moved short of a whole unit
    bool panning = false;  // the frame drawn last panned the map
    std::optional<sf::Image> pickingImage;

private:
    void handleKey(const sf::Event::KeyEvent& key, bool repeat);
    // Keys that act on the city only; auto-repeat was filtered out.
    void cityKey(KeyCommand command);
    // Records a key going down or up; true when it was down already (auto-repeat).
    bool holdKey(sf::Keyboard::Key code, bool down);
    // Both views for a window of `size`: whole units per pixel step, and a viewport of
    // exactly those pixels from the top-left, so that nothing is stretched.
    void fitViews(sf::Vector2u size, sf::Vector2f mapCentre);
    bool overWidget(sf::Vector2i windowPixel) const;
    void pressMouse(const sf::Event::MouseButtonEvent& button);
    void releaseMouse(const sf::Event::MouseButtonEvent& button);
    void moveMouse(const sf::Event::MouseMoveEvent& move);
    void openTileScreen(sf::Vector2i windowPosition, bool information);
    void rotate(bool right);
    void drawMap(sf::RenderTarget& target);
    // Draws the frame when the picture changed, an animation runs or a timer turns
    // something; false when the last frame still shows what this one would.
    bool drawFrameIfDue(sf::RenderTarget& target);
    // Sleeps out the rest of this frame's sixtieth of a second.
    void waitForNextFrame();
    void playRequestedSound(const Request& request);
    void createInterface();
    void createScreens();
    RequestHandler requestHandler();
    // Carries out what the simulation asked for so far, at once.
    void carryOutRequests();
    void showMessage(const Request& request);
    // The status line under the city: the caption of the shown information layer.
    void setStatusText(const std::string& text);
    // The player's settings, completed from the shipped ones.
    void loadSettings();
    // An autosave never interrupts play: the console says how it went, and a failure
    // also shows in the status line.
    void reportAutosave(const std::optional<SaveResult>& result);

    // The back buffer still holds the composed frame here, before it is shown.
    void saveScreenshot();

    sf::Clock frameStart;
    float undrawnTime = 0.f;         // since the last drawn frame
    float secondsToNextChange = 0.f; // of the last drawn frame, if nothing happens
};
