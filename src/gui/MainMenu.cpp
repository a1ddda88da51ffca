#include "gui/MainMenu.h"

#include "gui/Button.h"
#include "gui/Image.h"
#include "gui/Text.h"
#include "gui/UI.h"
#include "gui/Window.h"

namespace {

const sf::Vector2i CaptionSize(100, 8);
constexpr int CaptionInset = 10; // from the left, and its right edge from the right
constexpr int CaptionRise = 16;  // caption top above the screen bottom

const sf::Vector2i WelcomeSize(140, 155);
constexpr int EntryX = 8;
constexpr int EntryHeight = 23;
constexpr int CreditRise = 16; // above the window bottom

// Art placement: the art is wider than small screens and is cut off at both sides.
constexpr int TitleWidth = 512;
constexpr int TitleY = 8;
constexpr int SeparatorY = 98;
constexpr int SubtitleWidth = 320;
constexpr int SubtitleY = 104;
constexpr int CitySpan = 800; // the picture's centre column is at 400
constexpr int CityRise = 240; // rows shown above the screen bottom

} // namespace

MainMenu::MainMenu(UI& ui) : ui_(ui) {
    ui_.setMainMenu(this);
    createWidgets();
}

MainMenu::~MainMenu() {
    ui_.setMainMenu(nullptr);
}

void MainMenu::createWidgets() {
    gui::Widget& root = *ui_.menuRoot;
    const sf::IntRect unplaced;
    city_ = root.add(ui_.createImage(unplaced, "ui/menu/city"));
    title_ = root.add(ui_.createImage(unplaced, "ui/menu/title"));
    separator_ = root.add(ui_.createImage(unplaced, "ui/menu/title_separator"));
    subtitle_ = root.add(ui_.createImage(unplaced, "ui/menu/subtitle"));
    eventCaption_ = root.add(ui_.createText({{}, CaptionSize}, "€Glintfest"));
    eventCaption_->outline = true;
    versionCaption_ = root.add(ui_.createText({{}, CaptionSize}, "v0.9.3", gui::Align::Right));
    versionCaption_->outline = true;

    welcome_ = root.add(ui_.createWindow(
        ui_.alignedRect(WelcomeSize.x, WelcomeSize.y, gui::Align::Bottom), "Welcome!", true));
    addEntry(19, "Start new game", onStartNewGame);
    addEntry(46, "Load game", onLoadGame);
    addEntry(73, "Options", onOptions);
    addEntry(100, "Exit game", onExit);
    welcome_->add(ui_.createText({0, welcome_->height() - CreditRise, welcome_->width(), 8},
                                 "@Quillor", gui::Align::Center));
    layout();
}

void MainMenu::addEntry(int y, const char* label, std::function<void()>& action) {
    const int width = welcome_->width() - 2 * EntryX;
    gui::Button* const entry =
        welcome_->add(ui_.createButton({EntryX, y, width, EntryHeight}, label));
    // Reads the hook at click time, so the game may set it after the menu is built.
    entry->onClick = [&action] {
        if (action)
            action();
    };
}

void MainMenu::layout() {
    const int w = ui_.menuRoot->width(), h = ui_.menuRoot->height();
    const auto place = [](gui::Widget& widget, sf::Vector2i at) { widget.setPosition(at, true); };
    place(*title_, {(w - TitleWidth) / 2, TitleY});
    place(*separator_, {(w - TitleWidth) / 2, SeparatorY});
    place(*subtitle_, {(w - SubtitleWidth) / 2, SubtitleY});
    place(*city_, {(w - CitySpan) / 2, h - CityRise});
    place(*eventCaption_, {CaptionInset, h - CaptionRise});
    place(*versionCaption_, {w - CaptionSize.x - CaptionInset, h - CaptionRise});
    const sf::IntRect welcome = ui_.alignedRect(WelcomeSize.x, WelcomeSize.y, gui::Align::Bottom);
    welcome_->setPosition({welcome.left, welcome.top});
    welcome_->setWidth(welcome.width);
    welcome_->setHeight(welcome.height, true);
}
