#include "screens/TileInfoWindow.h"

#include "city/Map.h"
#include "city/Simulation.h"
#include "game/Game.h"
#include "gui/Button.h"
#include "gui/Image.h"
#include "gui/Text.h"
#include "gui/UI.h"
#include "gui/Window.h"
#include "screens/TileInfoText.h"

#include <functional>
#include <initializer_list>
#include <mutex>
#include <string>
#include <utility>

namespace {

constexpr const char* kTitle = "Information";
// Created just above the status strip; a re-layout puts it where the others go.
constexpr int kStatusStripRise = 28;
const sf::IntRect kTextRect({8, 20}, {160, 80});
const sf::IntRect kIconRect({172, 21}, {40, 40});
// The rent and the goods controls share the place under the icon.
const sf::IntRect kControlLabelRect({172, 68}, {40, 8});
const sf::IntRect kRentUpRect({180, 74}, {11, 12});
const sf::IntRect kRentDownRect({192, 74}, {11, 12});
const sf::IntRect kGoodsPrevRect({178, 75}, {13, 13});
const sf::IntRect kGoodsNextRect({191, 75}, {13, 13});
constexpr std::uint16_t kNormalFont = 0;
constexpr std::uint16_t kSmallFont = 1;

void showAll(std::initializer_list<gui::Widget*> widgets, bool visible) {
    for (gui::Widget* widget : widgets)
        widget->setVisible(visible);
}

} // namespace

TileInfoWindow::TileInfoWindow(Game& game) : ScreenWindow(game, {220, 108}, gui::Align::Bottom) {}

void TileInfoWindow::open(Tile& tile) {
    if (tile.kind == TileKind::Empty || tile.kind == TileKind::Tree) {
        if (isOpen()) {
            ScreenWindow::close();
            forget();
            game.simulation->map->clearHighlight();
        }
        return;
    }
    if (!isOpen())
        create();
    show(tile);
}

void TileInfoWindow::create() {
    UI& ui = *game.ui;
    gui::Window& opened = openWindow(kTitle, *ui.gameRoot);
    opened.setY(ui.gameRoot->height() - kStatusStripRise - size.y, true);
    infoText = opened.add(ui.createText(kTextRect, ""));
    infoText->setFont(kNormalFont);
    infoText->verticalAlign = gui::Align::Top;
    // A house with many complaints has a line wider than the text's box.
    infoText->wrap = true;
    infoIcon = opened.add(ui.createImage(kIconRect, ""));
    rentLabel = addLabel(opened, "Rent");
    rentIncreaseButton = addControl(opened, kRentUpRect, "ui/rent_increase",
                                    [](Simulation& sim, Tile& tile) { sim.adjustRent(tile, 1); });
    rentDecreaseButton = addControl(opened, kRentDownRect, "ui/rent_decrease",
                                    [](Simulation& sim, Tile& tile) { sim.adjustRent(tile, -1); });
    productionLabel = addLabel(opened, "Production");
    productionPrevButton =
        addControl(opened, kGoodsPrevRect, "ui/production_prev",
                   [](Simulation& sim, Tile& tile) { sim.cycleFactoryGoods(tile, false); });
    productionNextButton =
        addControl(opened, kGoodsNextRect, "ui/production_next",
                   [](Simulation& sim, Tile& tile) { sim.cycleFactoryGoods(tile, true); });
    // The player's "Close" ends in closed().
    addCloseButton(opened);
}

gui::Text* TileInfoWindow::addLabel(gui::Window& opened, const std::string& text) {
    // Set after the font: created with the text, it would wrap at the normal font's
    // wider measure.
    gui::Text* label = opened.add(game.ui->createText(kControlLabelRect, "", gui::Align::Center));
    label->setFont(kSmallFont);
    label->setText(text);
    return label;
}

gui::Button* TileInfoWindow::addControl(gui::Window& opened, sf::IntRect rect,
                                        const std::string& sprite, TileCommand command) {
    gui::Button* button = opened.add(game.ui->createIconButton(rect, sprite));
    button->onClick = [this, command = std::move(command)] { actOnShownTile(command); };
    return button;
}

void TileInfoWindow::show(Tile& tile) {
    tileNumber = tile.number;
    const TileInfo info = describeTile(tile, *game.simulation);
    infoText->setText(info.text);
    infoIcon->setSprite(info.icon.empty() ? nullptr : game.ui->sprite(info.icon));
    showAll({rentLabel, rentIncreaseButton, rentDecreaseButton}, info.rentButtons);
    showAll({productionLabel, productionPrevButton, productionNextButton}, info.goodsButtons);
    Map& map = *game.simulation->map;
    if (info.highlight == RangeHighlight::Show)
        map.highlightRange(tile, info.range);
    else if (info.highlight == RangeHighlight::Clear)
        map.clearHighlight();
}

void TileInfoWindow::actOnShownTile(const TileCommand& act) {
    Simulation& simulation = *game.simulation;
    Tile* tile = nullptr;
    {
        const std::scoped_lock lock(simulation.mapMutex);
        tile = visibleTileNumbered(simulation, tileNumber);
    }
    // The simulation's commands take the map themselves. A refused change (rent out of
    // bounds) leaves the text as it was.
    if (tile != nullptr)
        act(simulation, *tile);
    refresh();
}

void TileInfoWindow::refresh() {
    const std::scoped_lock lock(game.simulation->mapMutex);
    if (Tile* tile = visibleTileNumbered(*game.simulation, tileNumber))
        open(*tile);
}

void TileInfoWindow::close() {
    if (!isOpen())
        return;
    ScreenWindow::close();
    closed();
}

void TileInfoWindow::closed() {
    forget();
    const std::scoped_lock lock(game.simulation->mapMutex);
    game.simulation->map->clearHighlight();
}

void TileInfoWindow::forget() {
    infoText = nullptr;
    infoIcon = nullptr;
    rentLabel = nullptr;
    rentIncreaseButton = nullptr;
    rentDecreaseButton = nullptr;
    productionLabel = nullptr;
    productionPrevButton = nullptr;
    productionNextButton = nullptr;
    tileNumber = -1;
}
