// The map's magnification, the keyboard's commands and panning, window resizing and
// the status strip's naming of what lies under the mouse.
#include "city/Map.h"
#include "city/Simulation.h"
#include "city/Tile.h"
#include "game/FramebufferCopy.h"
#include "game/Game.h"
#include "game/ShellRules.h"
#include "gui/MainMenu.h"
#include "gui/UI.h"
#include "gui/Widget.h"
#include "gui/Window.h"
#include "platform/Config.h"
#include "screens/AboutWindow.h"
#include "screens/GameMenu.h"
#include "screens/HoverText.h"
#include "screens/Hud.h"
#include "screens/OptionsWindow.h"
#include "screens/SaveSlotsWindow.h"
#include "screens/TileActionsWindow.h"
#include "screens/TileInfoWindow.h"

#include <SFML/Graphics/Image.hpp>
#include <algorithm>
#include <cmath>
#include <mutex>

namespace {

// Held pan keys move the map this share of the view a second.
constexpr float PanScreensPerSecond = 0.5f;

// The viewport that shows `units` at `factor` pixels each from the window's top-left:
// the strip a whole unit does not fill stays paper instead of stretching the picture.
sf::FloatRect exactViewport(sf::Vector2u window, sf::Vector2f units, int factor) {
    const auto share = [factor](float count, unsigned pixels) {
        return pixels == 0 ? 1.f : count * static_cast<float>(factor) / static_cast<float>(pixels);
    };
    return {0.f, 0.f, share(units.x, window.x), share(units.y, window.y)};
}

// Which windows Escape closes first: tile windows, then reports, then the menu and the
// windows opened from it.
int closingRank(const Game& game, const ScreenWindow* screen) {
    if (screen == game.tileActionsWindow.get() || screen == game.tileInfoWindow.get())
        return 0;
    if (screen == game.menuWindow.get() || screen == game.saveFilesWindow.get() ||
        screen == game.optionsWindow.get() || screen == game.aboutWindow.get())
        return 2;
    return 1;
}

// Position in the root's drawing order: higher lies on top.
std::ptrdiff_t depthIn(const gui::Widget& root, const gui::Widget* widget) {
    const auto& children = root.children();
    const auto found = std::find_if(children.begin(), children.end(),
                                    [widget](const auto& child) { return child.get() == widget; });
    return found == children.end() ? -1 : found - children.begin();
}

} // namespace

void Game::fitViews(sf::Vector2u size, sf::Vector2f mapCentre) {
    viewBasis = size;
    const sf::Vector2f logical = viewSize(size, scale);
    uiView->reset(sf::FloatRect(0.f, 0.f, logical.x, logical.y));
    uiView->setViewport(exactViewport(size, logical, scale));
    const sf::Vector2f units = viewSize(size, magnification);
    mapView->reset(sf::FloatRect(0.f, 0.f, units.x, units.y));
    mapView->setCenter(mapCentre);
    mapView->setViewport(exactViewport(size, units, magnification));
}

void Game::resizeWindow(sf::Vector2u size) {
    // A minimised window, or the size the views already have, needs nothing.
    if (size.x == 0 || size.y == 0 || size == viewBasis)
        return;
    scale = pixelScale(size.y);
    magnification = magnificationFromSetting(config->getInt("mapZoom"), scale);
    if (!config->is("isFullscreen", "true")) {
        config->setInt("width", static_cast<int>(size.x));
        config->setInt("height", static_cast<int>(size.y));
    }
    // The same render texture is made again, so the frame's target stays valid.
    if (renderTexture && !createInWindowOrder(*renderTexture, size))
        postProcessing = false;
    postShader.setUniform("width", static_cast<float>(size.x));
    postShader.setUniform("height", static_cast<float>(size.y));
    postShader.setUniform("scale", static_cast<float>(scale));
    fitViews(size, mapView->getCenter());
    relayout();
}

void Game::zoomMap(int steps, sf::Vector2i anchor) {
    const int to = clampMagnification(magnification + steps, scale);
    if (to == magnification)
        return;
    const sf::Vector2f oldCentre = mapView->getCenter();
    const sf::Vector2f size = viewSize(viewBasis, to);
    const sf::Vector2f topLeft =
        anchoredTopLeft(oldCentre - mapView->getSize() / 2.f, anchor, magnification, to);
    magnification = to;
    const sf::Vector2f centre = topLeft + size / 2.f;
    fitViews(viewBasis, centre);
    // A shake or a drag under way carries on around the new place.
    shakeOrigin += centre - oldCentre;
    if (dragging)
        dragStartCentre =
            centre + sf::Vector2f(dragOffset(lastMouse - dragStartMouse, scale, magnification));
    config->setInt("mapZoom", magnificationSetting(magnification, scale));
    cullMapToView();
}

sf::Vector2i Game::mapOffsetAt(sf::Vector2i windowPixel) const {
    return windowPixel / magnification;
}

bool Game::holdKey(sf::Keyboard::Key code, bool down) {
    if (code < 0 || code >= sf::Keyboard::KeyCount)
        return false;
    const bool wasDown = heldKeys[static_cast<std::size_t>(code)];
    heldKeys[static_cast<std::size_t>(code)] = down;
    return down && wasDown;
}

void Game::cityKey(KeyCommand command) {
    const sf::Vector2i middle(viewBasis / 2u);
    switch (command) {
    case KeyCommand::Progress:
        hud->pressProgress();
        break;
    case KeyCommand::Confirm:
        if (!hud->pressProgress())
            hud->pressDate();
        break;
    case KeyCommand::RotateLeft:
        rotateLeft();
        break;
    case KeyCommand::RotateRight:
        rotateRight();
        break;
    case KeyCommand::About:
        ui_showAboutScreen();
        break;
    case KeyCommand::ZoomIn:
    case KeyCommand::ZoomOut:
        zoomMap(command == KeyCommand::ZoomIn ? 1 : -1, middle);
        break;
    default:
        break;
    }
}

sf::Vector2i Game::heldPanDirection() const {
    sf::Vector2i direction;
    for (int code = 0; code < sf::Keyboard::KeyCount; ++code)
        if (heldKeys[static_cast<std::size_t>(code)])
            direction += panDirection(static_cast<sf::Keyboard::Key>(code));
    return direction;
}

void Game::panMap() {
    const sf::Vector2i direction = heldPanDirection();
    if (direction == sf::Vector2i()) {
        panCarry = sf::Vector2f();
        panning = false;
        return;
    }
    // A quiet screen is not drawn for up to half a second, and the frame a pan key
    // wakes it sees all that time: the pan starts as if the key had gone down one frame
    // before, not when the screen was drawn last.
    const float seconds =
        panning ? frameTime : std::min(frameTime, 1.f / static_cast<float>(FrameRateLimit));
    panning = true;
    const sf::Vector2f size = mapView->getSize();
    const float share = PanScreensPerSecond * seconds;
    panCarry += sf::Vector2f(static_cast<float>(direction.x) * size.x * share,
                             static_cast<float>(direction.y) * size.y * share);
    // Whole units only, as a drag moves it, so the art stays on its pixel grid.
    const sf::Vector2f step(std::trunc(panCarry.x), std::trunc(panCarry.y));
    if (step == sf::Vector2f())
        return;
    panCarry -= step;
    mapView->move(step);
    shakeOrigin += step;
    dragStartCentre += step;
    cullMapToView();
}

void Game::closeTopmostWindow() {
    gui::Widget& root = ui->activeRoot();
    for (auto it = root.children().rbegin(); it != root.children().rend(); ++it)
        if ((*it)->id == gui::DialogWindowId) {
            auto& box = static_cast<gui::Window&>(**it);
            box.fireResult(gui::Window::Closed);
            box.close();
            return;
        }
    ScreenWindow* chosen = nullptr;
    for (ScreenWindow* screen : screenWindows()) {
        if (!screen->isOpen() || screen->window->parent() != &root)
            continue;
        if (chosen == nullptr || closingRank(*this, screen) < closingRank(*this, chosen) ||
            (closingRank(*this, screen) == closingRank(*this, chosen) &&
             depthIn(root, screen->window) > depthIn(root, chosen->window)))
            chosen = screen;
    }
    if (chosen != nullptr)
        chosen->close();
    else if (!mainMenu->showing)
        ui_showMenu();
}

bool Game::overWidget(sf::Vector2i windowPixel) const {
    const gui::Widget* widget = ui->findWidgetAt(windowPixel / scale);
    return widget != nullptr && widget->kind() != gui::WidgetKind::Widget;
}

void Game::updateHover(sf::Vector2i at) {
    const std::unique_lock lock(simulation->mapMutex, std::try_to_lock);
    if (!lock.owns_lock())
        return;
    ui->hoverText.clear();
    if (mainMenu->showing || at.x < 0 || at.y < 0 || overWidget(at))
        return;
    const sf::Vector2f topLeft = mapView->getCenter() - mapView->getSize() / 2.f;
    const sf::Vector2f world = sf::Vector2f(mapOffsetAt(at)) + topLeft;
    const std::optional<sf::Vector2i> picked =
        tileUnder(pickingKeys(), *simulation->map,
                  sf::Vector2i(static_cast<int>(world.x), static_cast<int>(world.y)), true);
    if (!picked)
        return;
    if (const Tile* tile = simulation->map->tileAt(picked->x, picked->y);
        tile != nullptr && tile->isVisible())
        ui->hoverText = hoverText(*tile);
}
