#include "game/Game.h"

#include "assets/FontManager.h"
#include "assets/SoundManager.h"
#include "assets/SpriteManager.h"
#include "city/Autosave.h"
#include "city/Map.h"
#include "city/Messages.h"
#include "city/Request.h"
#include "city/Simulation.h"
#include "city/Tile.h"
#include "game/FramebufferCopy.h"
#include "game/InputRules.h"
#include "game/MapDrawRules.h"
#include "game/MapRenderer.h"
#include "game/ShellRules.h"
#include "gui/MainMenu.h"
#include "gui/UI.h"
#include "gui/Widget.h"
#include "gui/Window.h"
#include "platform/AtomicWriter.h"
#include "platform/Config.h"
#include "platform/Folders.h"
#include "platform/ShippedSettings.h"
#include "screens/AboutWindow.h"
#include "screens/CityInfoWindow.h"
#include "screens/ExpenditureWindow.h"
#include "screens/GameMenu.h"
#include "screens/HistoryWindow.h"
#include "screens/Hud.h"
#include "screens/OptionsWindow.h"
#include "screens/ProductionWindow.h"
#include "screens/SaveSlotsWindow.h"
#include "screens/TileActionsWindow.h"
#include "screens/TileInfoWindow.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <mutex>

namespace {

constexpr const char* WindowTitle = "Tapburg";
constexpr unsigned BitsPerPixel = 32;
// The longest a quiet screen goes without being drawn again.
constexpr float QuietFrameSeconds = 0.5f;
// A shake of strength 1 moves the view this far.
constexpr float ShakeReach = 4.f;
constexpr int FullCircleDegrees = 360;
constexpr float DegreesToRadians = 3.14159265f / 180.f;
const sf::Vector2f PlusOneOrigin{8.f, 8.f};
// Where the pointer is while it is outside the window: over nothing.
const sf::Vector2i NoPointer{-1, -1};

} // namespace

Game::Game() = default;
Game::~Game() = default;

bool Game::init(int, char**) {
    if (!createSupportFolders())
        return false;
    const std::string data = resourcePath();
    if (const std::string missing = missingGameData(data); !missing.empty()) {
        std::fprintf(stderr, "Tapburg cannot start: no game data in %s (%s is missing).\n",
                     data.empty() ? "the working folder" : data.c_str(), missing.c_str());
        return false;
    }
    if (const int removed = SaveGame::removeStaleTemporaries(); removed > 0)
        std::printf("Removed %d unfinished save files\n", removed);
    // The screen's own effects draw from rand(), the city from its simulation.
    const auto now = static_cast<unsigned>(std::time(nullptr));
    std::srand(now);
    loadSettings();
    createWindow();
    simulation = std::make_unique<Simulation>();
    simulation->randomNumbers.seed(now);
    autosave = std::make_unique<Autosave>(*simulation);
    // The sprite registry applies the stored palette as it is made.
    spriteManager = std::make_unique<SpriteManager>(*this);
    soundManager = std::make_unique<SoundManager>(*this);
    fontManager = std::make_unique<FontManager>(*this);
    spriteManager->loadSprites();
    soundManager->loadSounds();
    fontManager->loadFonts();
    mapRenderer = std::make_unique<MapRenderer>(*this);
    createInterface();
    showMainMenu();
    return true;
}

void Game::loadSettings() {
    const WritableLocations files = writableLocations();
    const std::string folder = files.settingsSave.substr(0, files.settingsSave.rfind('/') + 1);
    AtomicWriter::removeStaleTemporaries(folder, "conf.dat");
    config = std::make_unique<Config>();
    config->load(files.settingsLoad);
    Config shipped;
    shipped.loadText(kShippedSettings);
    // Written at once, so a file from an older version or one that was cut short is
    // whole again even if this run ends in a crash.
    if (const int added = config->addMissing(shipped); added > 0) {
        std::printf("Settings: %d missing entries added\n", added);
        config->save(files.settingsSave);
    }
}

void Game::createInterface() {
    ui = std::make_unique<UI>(*this);
    ui->stopDragging = [this] { dragging = false; };
    mainMenu = std::make_unique<MainMenu>(*ui);
    mainMenu->onStartNewGame = [this] { startNewGame(); };
    mainMenu->onLoadGame = [this] { ui_showSaveFilesWindow(false); };
    mainMenu->onOptions = [this] { ui_showOptions(); };
    mainMenu->onExit = [this] { shutdown(); };
    createScreens();
}

void Game::showMainMenu() {
    leaveCity();
    simulation->resetAction();
    ui_closeWindows();
    ui_setActionTitle("");
    mainMenu->showing = true;
    soundManager->stopMusic();
    if (config->is("musicEnabled", "true"))
        if (sf::Music* track = soundManager->getMusic("music/menu")) {
            track->setLoop(true);
            track->play();
        }
    ui->menuRoot->setVisible(true);
    ui->gameRoot->setVisible(false);
}

void Game::hideMainMenu() {
    ui->menuRoot->setVisible(false);
    ui->gameRoot->setVisible(true);
    if (!mainMenu->showing)
        return;
    mainMenu->showing = false;
    soundManager->stopMusic();
    soundManager->playCurrentTrack();
}

void Game::startNewGame() {
    simulation->startNewGame();
    carryOutRequests();
    autosave->markSaved();
}

void Game::leaveCity() {
    if (autosave)
        reportAutosave(autosave->leave());
}

void Game::reportAutosave(const std::optional<SaveResult>& result) {
    if (!result)
        return;
    if (result->ok) {
        std::printf("game autosaved on day %d!\n", simulation->dayCounter);
        return;
    }
    std::printf("autosave failed: %s\n", result->message.c_str());
    setStatusText("Autosave failed!");
}

void Game::run() {
    const RequestHandler handler = requestHandler();
    while (window->isOpen()) {
        sf::RenderTarget& target = frameTarget();
        frameStart.restart();
        updateFrameTime();
        handleEvents();
        if (!window->isOpen())
            break;
        // What the clicks of this frame asked for shows in this frame.
        simulation->drainRequests(handler);
        // While the title screen shows, the map, the effects and the playlist rest.
        if (!mainMenu->showing)
            soundManager->update(frameTime);
        if (drawFrameIfDue(target))
            present();
        else
            waitForNextFrame();
        simulation->releaseFinishedTick(handler);
        reportAutosave(autosave->afterFrame(config->getInt("autosaveDays")));
        if (recreateWindowRequested) {
            recreateWindowRequested = false;
            createWindow();
            pictureChanged = true;
        }
    }
}

bool Game::drawFrameIfDue(sf::RenderTarget& target) {
    // A quiet screen keeps its last frame: the software renderer would spend most of a
    // core drawing the same picture sixty times a second.
    undrawnTime += frameTime;
    // A held pan key moves the map a little every frame.
    const bool animating =
        shakeActive || dragging || !floatingEffects.empty() || heldPanDirection() != sf::Vector2i();
    if (!pictureChanged && !animating && undrawnTime < secondsToNextChange)
        return false;
    // The timers see all the time since the last drawn frame, so they keep real time.
    const float step = frameTime;
    frameTime = undrawnTime;
    undrawnTime = 0.f;
    pictureChanged = false;
    target.clear(paperColor);
    if (!mainMenu->showing)
        drawMap(target);
    target.setView(*uiView);
    ui_update();
    frameTime = step;
    secondsToNextChange = QuietFrameSeconds;
    if (!mainMenu->showing)
        secondsToNextChange =
            std::min(secondsToNextChange, mapRenderer->secondsToNextChange(*simulation->map));
    secondsToNextChange =
        static_cast<float>(std::min<double>(secondsToNextChange, hud->secondsToNextChange()));
    return true;
}

void Game::waitForNextFrame() {
    const sf::Time left =
        sf::seconds(1.f / static_cast<float>(FrameRateLimit)) - frameStart.getElapsedTime();
    if (left > sf::Time::Zero)
        sf::sleep(left);
}

void Game::shutdown() {
    leaveCity();
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
        const sf::Vector2u size = windowedSize(config->getInt("width"), config->getInt("height"),
                                               {mode.width, mode.height});
        mode = sf::VideoMode(size.x, size.y, BitsPerPixel);
        style = sf::Style::Default;
    }
    mode.bitsPerPixel = BitsPerPixel;
    scale = pixelScale(mode.height);
    magnification = magnificationFromSetting(config->getInt("mapZoom"), scale);

    window.reset();
    const sf::Vector2f centre = mapView ? mapView->getCenter() : sf::Vector2f();
    mapView.reset();
    uiView.reset();
    renderTexture.reset();

    if (sf::Shader::isAvailable()) {
        std::printf("render texture with size %dx%d\n", mode.width, mode.height);
        renderTexture = std::make_unique<sf::RenderTexture>();
        if (!createInWindowOrder(*renderTexture, {mode.width, mode.height})) {
            renderTexture.reset();
            postProcessing = false;
        }
    }
    loadShader();
    postShader.setUniform("width", static_cast<float>(mode.width));
    postShader.setUniform("height", static_cast<float>(mode.height));
    postShader.setUniform("scale", static_cast<float>(scale));

    window = std::make_unique<sf::RenderWindow>(mode, WindowTitle, style);
    uiView = std::make_unique<sf::View>();
    mapView = std::make_unique<sf::View>();
    fitViews({mode.width, mode.height}, centre);

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
    if (ui)
        ui->onResize();
    if (hud)
        ui_layout();
    if (mainMenu)
        mainMenu->layout();
    if (simulation)
        cullMapToView();
}

void Game::updateFrameTime() {
    frameTime = nextFrameTime(frameTime, frameClock.getElapsedTime().asMilliseconds());
    frameClock.restart();
}

void Game::handleEvents() {
    sf::Event event;
    while (window->pollEvent(event))
        handleEvent(event);
}

void Game::handleEvent(const sf::Event& event) {
    pictureChanged = true;
    // The widgets see every event first; the game acts only on what they leave. The
    // hidden map takes no mouse input while the title screen shows, but keys act as ever.
    // Held keys and the pointer are followed whoever takes the event.
    const bool key = event.type == sf::Event::KeyPressed || event.type == sf::Event::KeyReleased;
    const bool repeat = key && holdKey(event.key.code, event.type == sf::Event::KeyPressed);
    if (event.type == sf::Event::MouseMoved)
        lastMouse = sf::Vector2i(event.mouseMove.x, event.mouseMove.y);
    else if (event.type == sf::Event::MouseLeft)
        lastMouse = NoPointer;
    if (event.type != sf::Event::Closed && ui && !ui->handleEvent(event))
        return;
    const bool mapInput = !mainMenu || !mainMenu->showing;
    switch (event.type) {
    case sf::Event::Closed:
        window->close();
        break;
    case sf::Event::Resized:
        resizeWindow({event.size.width, event.size.height});
        break;
    case sf::Event::LostFocus:
        // The keys let go elsewhere send no release here.
        heldKeys.fill(false);
        break;
    case sf::Event::KeyPressed:
        handleKey(event.key, repeat);
        break;
    case sf::Event::MouseWheelScrolled:
        if (mapInput && event.mouseWheelScroll.wheel == sf::Mouse::VerticalWheel &&
            event.mouseWheelScroll.delta != 0.f &&
            !overWidget({event.mouseWheelScroll.x, event.mouseWheelScroll.y}))
            zoomMap(event.mouseWheelScroll.delta > 0.f ? 1 : -1,
                    {event.mouseWheelScroll.x, event.mouseWheelScroll.y});
        break;
    case sf::Event::MouseButtonPressed:
        if (mapInput)
            pressMouse(event.mouseButton);
        break;
    case sf::Event::MouseButtonReleased:
        if (mapInput)
            releaseMouse(event.mouseButton);
        break;
    case sf::Event::MouseMoved:
        if (mapInput)
            moveMouse(event.mouseMove);
        break;
    default:
        break;
    }
}

void Game::handleKey(const sf::Event::KeyEvent& key, bool repeat) {
    const KeyCommand command = commandForKey(key.code, key.alt);
    if (command == KeyCommand::Screenshot) {
        takeScreenshot();
    } else if (command == KeyCommand::Fullscreen) {
        toggleFullscreen();
    } else if (command == KeyCommand::Layer) {
        const LayerKey layer = *layerForKey(key.code);
        setStatusText(layer.title);
        simulation->map->setLayer(layer.layer);
    } else if (command == KeyCommand::CloseTopmost && !repeat) {
        closeTopmostWindow();
    } else if (!repeat && mainMenu && !mainMenu->showing) {
        cityKey(command);
    }
}

void Game::pressMouse(const sf::Event::MouseButtonEvent& button) {
    // A press on a widget (other than a plain container) will not start a drag.
    if (button.button != sf::Mouse::Left)
        return;
    dragging = true;
    dragStartCentre = mapView->getCenter();
    dragStartMouse = sf::Vector2i(button.x, button.y);
}

void Game::moveMouse(const sf::Event::MouseMoveEvent& move) {
    if (!dragging)
        return;
    const sf::Vector2i offset =
        dragOffset(sf::Vector2i(move.x, move.y) - dragStartMouse, scale, magnification);
    mapView->setCenter(dragStartCentre - sf::Vector2f(offset));
    cullMapToView();
}

void Game::releaseMouse(const sf::Event::MouseButtonEvent& button) {
    const sf::Vector2i position(button.x, button.y);
    if (button.button == sf::Mouse::Right) {
        openTileScreen(position, true);
        return;
    }
    if (button.button != sf::Mouse::Left)
        return;
    dragging = false;
    if (!isClick(dragStartMouse, position, scale) || simulation->actionKind != ActionKind::None)
        return;
    openTileScreen(position, false);
}

void Game::openTileScreen(sf::Vector2i windowPosition, bool information) {
    // The tick changes tiles under the same lock: the screen never sees half a day.
    const std::scoped_lock lock(simulation->mapMutex);
    Map& map = *simulation->map;
    const sf::Vector2i picked = pickTile(mapOffsetAt(windowPosition), true);
    Tile* tile = map.tileAt(picked.x, picked.y);
    if (tile == nullptr)
        return;
    if (information) {
        soundManager->play("open_window");
        ui_showTileInformation(*tile);
    } else if (!tile->actions().empty() && map.layer == 0) {
        ui_showTileActions(*tile);
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

sf::Vector2i Game::pickTile(sf::Vector2i position, bool visibleOnly) {
    const sf::Image& keys = pickingKeys();
    const sf::Vector2f topLeft = mapView->getCenter() - mapView->getSize() / 2.f;
    const sf::Vector2i world(static_cast<int>(static_cast<float>(position.x) + topLeft.x),
                             static_cast<int>(static_cast<float>(position.y) + topLeft.y));
    const sf::Vector2i picked = pickTileAt(keys, *simulation->map, world, visibleOnly);
    std::printf("clickedTile: %d, %d\n", picked.x, picked.y);
    return picked;
}

const sf::Image& Game::pickingKeys() {
    if (!pickingImage) {
        const sf::Texture* isomap = spriteManager->get("isomap")->getTexture();
        pickingImage = isomap != nullptr ? isomap->copyToImage() : sf::Image();
    }
    return *pickingImage;
}

void Game::centreViewOnTile(int x, int y) {
    const sf::Vector2i corner = tileCorner(x, y);
    centreViewOnPoint(static_cast<float>(corner.x + kTileWidth / 2),
                      static_cast<float>(corner.y + kTileHeight / 2));
}

void Game::centreViewOnPoint(float x, float y) {
    const sf::Vector2f size = mapView->getSize();
    mapView->reset(sf::FloatRect(x - size.x / 2.f, y - size.y / 2.f, size.x, size.y));
    cullMapToView();
}

void Game::cullMapToView() {
    const sf::Vector2f size = mapView->getSize();
    // Culled to the renderer's kept picture rather than the view itself, the tiles drawn
    // stay the same while the view pans within it, and the picture serves every step.
    const sf::FloatRect area = pictureArea(mapView->getCenter() - size / 2.f, size);
    const std::scoped_lock lock(simulation->mapMutex);
    simulation->map->cullToView(area.left, area.top, area.width, area.height);
}

void Game::rotateLeft() {
    rotate(false);
}

void Game::rotateRight() {
    rotate(true);
}

void Game::rotate(bool right) {
    sf::Vector2i centre;
    {
        const std::scoped_lock lock(simulation->mapMutex);
        const Map& map = *simulation->map;
        const sf::Vector2f middle = mapView->getSize() / 2.f;
        const sf::Vector2i picked =
            pickTile(sf::Vector2i(static_cast<int>(middle.x), static_cast<int>(middle.y)), true);
        // Only a square grid turns; any other keeps its tiles where they are.
        centre =
            map.width == map.height ? rotatedTile(picked, map.width, map.height, right) : picked;
    }
    if (right)
        simulation->rotateRight();
    else
        simulation->rotateLeft();
    centreViewOnTile(centre.x, centre.y);
}

void Game::startShake(float strength, float decay) {
    shakeOrigin = mapView->getCenter();
    shakeActive = true;
    shakeStrength = strength;
    shakeDecay = decay;
}

void Game::updateShake() {
    if (!shakeActive)
        return;
    const float angle = static_cast<float>(std::rand() % FullCircleDegrees) * DegreesToRadians;
    const float reach = shakeStrength * ShakeReach;
    // The view stays at its last offset when the shake ends, at most a few units away.
    mapView->setCenter(shakeOrigin +
                       sf::Vector2f(std::sin(angle) * reach, std::cos(angle) * reach));
    shakeStrength -= frameTime * shakeDecay;
    if (shakeStrength <= 0.f) {
        shakeStrength = 0.f;
        shakeActive = false;
    }
}

void Game::addFloatingEffect(float x, float y, float drift) {
    floatingEffects.push_back(FloatingEffect{x, y, 0.f, drift});
}

void Game::drawFloatingEffects(sf::RenderTarget& target) {
    sf::Sprite& plusOne = *spriteManager->get("ui/plusone");
    if (const sf::Texture* texture = plusOne.getTexture())
        plusOne.setTextureRect(sf::IntRect(sf::Vector2i(), sf::Vector2i(texture->getSize())));
    plusOne.setScale(1.f, 1.f);
    plusOne.setOrigin(PlusOneOrigin);
    for (FloatingEffect& mark : floatingEffects)
        if (mark.advance(frameTime)) {
            plusOne.setPosition(std::trunc(mark.x), std::trunc(mark.y));
            target.draw(plusOne);
        }
    const auto expired = [](const FloatingEffect& mark) {
        return mark.age >= FloatingEffect::kLifetime;
    };
    floatingEffects.erase(std::remove_if(floatingEffects.begin(), floatingEffects.end(), expired),
                          floatingEffects.end());
}

RequestHandler Game::requestHandler() {
    return [this](const Request& request) { carryOut(request); };
}

void Game::carryOutRequests() {
    simulation->drainRequests(requestHandler());
}

void Game::carryOut(const Request& request) {
    pictureChanged = true;
    switch (request.kind) {
    case RequestKind::ActionTitle:
        ui_setActionTitle(request.text);
        break;
    case RequestKind::DateButtonEnabled:
        ui_setDateButtonEnabled(request.enabled);
        break;
    case RequestKind::PlaySound:
        playRequestedSound(request);
        break;
    case RequestKind::ShowMessage:
        showMessage(request);
        break;
    case RequestKind::RefreshExpenditure:
        ui_refreshExpenditure();
        break;
    case RequestKind::ShowExpenditure:
        ui_showExpenditure();
        break;
    case RequestKind::RefreshCityInfo:
        ui_populateCityInfo();
        break;
    case RequestKind::RefreshProduction:
        ui_refreshProduction();
        break;
    case RequestKind::FloatingMark:
        addFloatingEffect(request.x, request.y, request.drift);
        break;
    case RequestKind::Shake:
        startShake(request.strength, request.decay);
        break;
    case RequestKind::CentreView:
        // Only a new or loaded city asks for this: a shake left running, or frozen when
        // the title screen came up, would pull the view back to the old city's place.
        shakeActive = false;
        centreViewOnTile(request.tileX, request.tileY);
        break;
    case RequestKind::LeaveTitleScreen:
        hideMainMenu();
        break;
    case RequestKind::CloseWindows:
        ui_closeWindows();
        break;
    case RequestKind::LayerTitle:
        setStatusText(request.text);
        break;
    case RequestKind::RefreshLayerOptions:
        ui_resetLayerOptions();
        break;
    case RequestKind::RefreshHistory:
        ui_refreshHistory();
        break;
    }
}

void Game::showMessage(const Request& request) {
    gui::Window* box = ui->showMessage(request.title, request.text, false);
    if (!request.followUpTitle.empty())
        box->onClose = [this, title = request.followUpTitle, text = request.followUpText] {
            ui->showMessage(title, text, false);
        };
}

void Game::setStatusText(const std::string& text) {
    ui->statusText = text;
}

void Game::playRequestedSound(const Request& request) {
    sf::Sound* sound = soundManager->getSound(request.text);
    if (sound == nullptr || !soundManager->sfxEnabled()) {
        soundManager->play(request.text);
        return;
    }
    sound->setPitch(request.pitch);
    sound->setVolume(soundManager->effectVolume(request.volume));
    sound->play();
}

void Game::drawMap(sf::RenderTarget& target) {
    panMap();
    updateHover(lastMouse);
    updateShake();
    target.setView(*mapView);
    mapRenderer->draw(target);
    drawFloatingEffects(target);
}
