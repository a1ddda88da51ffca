#include "screens/ScreenWindow.h"

#include "game/Game.h"
#include "gui/UI.h"
#include "gui/Window.h"

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
