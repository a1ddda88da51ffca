#include "screens/ScreenWindow.h"

#include "game/Game.h"
#include "gui/Button.h"
#include "gui/UI.h"
#include "gui/Window.h"

namespace {

const sf::Vector2i CloseButtonSize(80, 18);
constexpr int CloseButtonRise = 12;          // its top above the window's bottom edge
constexpr std::uint16_t CloseButtonFont = 2; // "bold"

} // namespace

ScreenWindow::ScreenWindow(Game& game, sf::Vector2i size, gui::Align placement)
    : game(game), size(size), vertical(placement) {}

void ScreenWindow::close() {
    if (window == nullptr)
        return;
    window->close();
    window = nullptr;
}

void ScreenWindow::place() {
    if (window != nullptr)
        window->setPosition(placement(), true);
}

sf::Vector2i ScreenWindow::placement() const {
    const sf::IntRect rect = game.ui->alignedRect(size.x, size.y, vertical);
    return {rect.left, rect.top};
}

gui::Window& ScreenWindow::openWindow(const std::string& title, gui::Widget& root) {
    std::unique_ptr<gui::Window> made = game.ui->createWindow({placement(), size}, title, true);
    made->onClose = [this] {
        window = nullptr;
        closed();
    };
    window = root.add(std::move(made));
    return *window;
}

void ScreenWindow::closeUnlessIn(const gui::Widget& root) {
    if (window != nullptr && window->parent() != &root)
        close();
}

void ScreenWindow::addCloseButton(gui::Window& to) {
    const sf::Vector2i at((to.width() - CloseButtonSize.x) / 2, to.height() - CloseButtonRise);
    to.add(
        game.ui->createButton({at, CloseButtonSize}, "Close", gui::CloseButtonId, CloseButtonFont));
}
