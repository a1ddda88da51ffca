#include "screens/ReportWindow.h"

#include "city/Simulation.h"
#include "game/Game.h"
#include "gui/Button.h"
#include "gui/Image.h"
#include "gui/Text.h"
#include "gui/UI.h"
#include "gui/Window.h"

ReportWindow::ReportWindow(Game& game, sf::Vector2i size, std::string title)
    : ScreenWindow(game, size, gui::Align::Middle), title(std::move(title)) {}

// The ledgers, shares and goods have no lock of their own: the tick writes them while it
// holds mapMutex, so a report opened or refreshed by the player mid-tick waits for it.
void ReportWindow::open() {
    const std::scoped_lock tick(game.simulation->mapMutex);
    readGuarded();
    const std::scoped_lock lock(windowMutex());
    if (window == nullptr) {
        gui::Window& report = openWindow(title, game.ui->activeRoot());
        report.onClose = [this] {
            const std::scoped_lock closing(windowMutex());
            window = nullptr;
        };
        build(report);
        addCloseButton(report);
    }
    rewrite();
}

void ReportWindow::refresh() {
    const std::scoped_lock tick(game.simulation->mapMutex);
    readGuarded();
    const std::scoped_lock lock(windowMutex());
    if (window != nullptr)
        rewrite();
}

void ReportWindow::close() {
    const std::scoped_lock lock(windowMutex());
    ScreenWindow::close();
}

gui::Text* ReportWindow::addText(gui::Window& report, sf::IntRect box, const std::string& text,
                                 gui::Align align, std::uint16_t font) {
    // Labels and values stay on one line even where they outgrow their box.
    gui::Text* added = report.add(game.ui->createText(box, "", align));
    added->setFont(font);
    added->setText(text);
    return added;
}

gui::Text* ReportWindow::addParagraph(gui::Window& report, sf::IntRect box,
                                      const std::string& text) {
    gui::Text* added = addText(report, box, "", gui::Align::Left, kFontSmall);
    added->verticalAlign = gui::Align::Top;
    added->setText(text, true);
    return added;
}

gui::Text* ReportWindow::addHeader(gui::Window& report, sf::Vector2i at, int width,
                                   const std::string& text, gui::Align align) {
    return addText(report, {at, {width, kTextHeight}}, text, align, kFontSmall);
}

void ReportWindow::addImage(gui::Window& report, sf::Vector2i at, const std::string& sprite) {
    report.add(game.ui->createImage({at, {}}, sprite));
}

gui::Button* ReportWindow::addIconButton(gui::Window& report, sf::IntRect box,
                                         const std::string& sprite, std::function<void()> onClick) {
    gui::Button* button = report.add(game.ui->createIconButton(box, sprite));
    button->onClick = std::move(onClick);
    return button;
}

gui::Button* ReportWindow::addTextButton(gui::Window& report, sf::IntRect box,
                                         const std::string& label, std::uint16_t font,
                                         std::function<void()> onClick) {
    gui::Button* button = report.add(game.ui->createButton(box, label, 0, font));
    button->onClick = std::move(onClick);
    return button;
}

void ReportWindow::addHelpButton(gui::Window& report, sf::IntRect box, const std::string& sprite,
                                 std::string heading, std::string text) {
    addIconButton(report, box, sprite,
                  [this, heading = std::move(heading), text = std::move(text)] {
                      game.ui->showMessage(heading, text, false);
                  });
}
