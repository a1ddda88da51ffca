#include "gui/UI.h"

#include "assets/BitmapFont.h"
#include "assets/FontManager.h"
#include "assets/SoundManager.h"
#include "assets/SpriteManager.h"
#include "game/Game.h"
#include "gui/Button.h"
#include "gui/CheckBox.h"
#include "gui/Image.h"
#include "gui/MainMenu.h"
#include "gui/Panel.h"
#include "gui/Text.h"
#include "gui/TitleBar.h"
#include "gui/Window.h"

#include <SFML/Graphics/RectangleShape.hpp>
#include <SFML/Window/Mouse.hpp>

namespace {

constexpr const char* FrameSprite = "ui/detailed_window_bordered";
constexpr const char* ShadowSprite = "ui/detailed_window_bordered_shadow";

// The status bar under the city; the title screen has none.
constexpr int StatusBarHeight = 13;
constexpr int StatusBarFill = 15;
const sf::Vector2i StatusLineInset(4, 12); // from the left and from the screen bottom
constexpr int StatusLineHeight = 8;

// Message boxes: a fixed width, the height following the text.
constexpr int MessageWidth = 200;
constexpr int MessageMaxHeight = 90;
constexpr int MessageBodyHeight = 64;
constexpr int MessageBodyX = 9;
constexpr int MessageBodyYTitled = 20;
constexpr int MessageBodyYUntitled = 12;
constexpr int MessageBodyInset = 12; // body width = window width - inset; wrap 12 less
constexpr int MessageChromeTitled = 51;
constexpr int MessageChromeUntitled = 25;
constexpr std::uint16_t MessageButtonFont = 2; // "bold"
const sf::Vector2i ChoiceButtonSize(58, 18);
const sf::Vector2i OkayButtonSize(100, 18);

constexpr double TopShare = 0.15;
constexpr double BottomShare = 0.85;

bool isOfferedToWidgets(sf::Event::EventType type) {
    switch (type) {
    case sf::Event::TextEntered:
    case sf::Event::KeyPressed:
    case sf::Event::KeyReleased:
    case sf::Event::MouseWheelScrolled:
    case sf::Event::MouseButtonPressed:
    case sf::Event::MouseButtonReleased:
    case sf::Event::MouseMoved:
        return true;
    default:
        return false;
    }
}

bool isClick(const sf::Event& event) {
    return event.type == sf::Event::MouseButtonPressed ||
           event.type == sf::Event::MouseButtonReleased;
}

sf::Vector2i position(const sf::IntRect& rect) {
    return {rect.left, rect.top};
}

sf::Vector2i size(const sf::IntRect& rect) {
    return {rect.width, rect.height};
}

} // namespace

UI::UI(Game& game) : game(game), mouseSource([this] { return windowMouse(); }) {
    gameRoot = std::make_unique<gui::Widget>(*this);
    menuRoot = std::make_unique<gui::Widget>(*this);
    gameRoot->setVisible(false);
    menuRoot->setVisible(false);
    statusLine = gameRoot->add(std::make_unique<gui::Text>(*this, sf::Vector2i(), sf::Vector2i()));
    hoverLine_ = std::make_unique<gui::Text>(*this, sf::Vector2i(), sf::Vector2i());
    hoverLine_->horizontalAlign = gui::Align::Right;
    layoutRoots();
}

UI::~UI() = default;

void UI::onResize() {
    layoutRoots();
}

void UI::layoutRoots() {
    const sf::Vector2i screen = screenSize();
    for (gui::Widget* root : {gameRoot.get(), menuRoot.get()}) {
        root->setPosition({0, 0});
        root->setWidth(screen.x);
        root->setHeight(screen.y, true);
    }
    for (gui::Text* line : {statusLine, hoverLine_.get()}) {
        line->setPosition({StatusLineInset.x, screen.y - StatusLineInset.y});
        line->setWidth(screen.x - 2 * StatusLineInset.x);
        line->setHeight(StatusLineHeight, true);
    }
}

void UI::setMainMenu(const MainMenu* mainMenu) {
    mainMenu_ = mainMenu;
}

bool UI::menuShowing() const {
    return mainMenu_ && mainMenu_->showing;
}

gui::Widget& UI::activeRoot() {
    return menuShowing() ? *menuRoot : *gameRoot;
}

gui::Widget* UI::findWidgetAt(sf::Vector2i point) {
    return activeRoot().findWidgetAt(point, nullptr);
}

bool UI::handleEvent(const sf::Event& event) {
    if (!isOfferedToWidgets(event.type))
        return true;
    gui::Widget& root = activeRoot();
    const gui::Widget* const hovered = root.findWidgetAt(mousePosition(), nullptr);
    bool handled = false;
    root.handleEvent(event, handled);
    const bool leftRelease =
        event.type == sf::Event::MouseButtonReleased && event.mouseButton.button == sf::Mouse::Left;
    if (hovered && leftRelease && stopDragging)
        stopDragging();
    if (hovered && isClick(event) && hovered->kind() != gui::WidgetKind::Widget)
        return false;
    return !handled;
}

void UI::draw(sf::RenderTarget& target) {
    doomed_.clear();
    const sf::Vector2i screen = screenSize();
    drawScreenFrame(target, screen);
    statusLine->setText(statusText, false);
    gameRoot->draw(target, game.frameTime);
    if (gameRoot->visible()) {
        hoverLine_->setText(hoverText, false);
        hoverLine_->draw(target, game.frameTime);
    }
    menuRoot->draw(target, game.frameTime);
    drawSprite(target, "cursor", mousePosition() - sf::Vector2i(1, 1));
}

void UI::drawScreenFrame(sf::RenderTarget& target, sf::Vector2i screen) const {
    const int w = screen.x;
    const int h = menuShowing() ? screen.y : screen.y - StatusBarHeight;
    const auto outline = [&target](sf::Vector2i at, sf::Vector2i size, sf::Color colour) {
        sf::RectangleShape rect{sf::Vector2f(size)};
        rect.setPosition(sf::Vector2f(at));
        rect.setFillColor(sf::Color::Transparent);
        rect.setOutlineColor(colour);
        rect.setOutlineThickness(1.f);
        target.draw(rect);
    };
    outline({1, 1}, {w - 2, h - 2}, game.paperColor);
    outline({2, 2}, {w - 4, h - 4}, game.inkColor);
    drawSprite(target, "ui/corner", {1, 1});
    drawSprite(target, "ui/corner", {w - 1, 1}, {-1.f, 1.f});
    drawSprite(target, "ui/corner", {1, h - 1}, {1.f, -1.f});
    drawSprite(target, "ui/corner", {w - 1, h - 1}, {-1.f, -1.f});

    sf::RectangleShape bar{sf::Vector2f(float(w), float(StatusBarFill))};
    bar.setPosition(0.f, float(h));
    bar.setFillColor(game.paperColor);
    target.draw(bar);
    outline({2, h + 1}, {w - 4, 10}, game.inkColor);
}

void UI::drawSprite(sf::RenderTarget& target, const std::string& name, sf::Vector2i at,
                    sf::Vector2f scale) const {
    const sf::Sprite* const shared = sprite(name);
    if (!shared || !shared->getTexture())
        return;
    sf::Sprite copy(*shared);
    copy.setPosition(sf::Vector2f(at));
    copy.setScale(scale);
    target.draw(copy);
}

void UI::deferDelete(std::unique_ptr<gui::Widget> widget) {
    if (widget)
        doomed_.push_back(std::move(widget));
}

bool UI::notifyWidgetEvent(gui::WidgetEvent code, gui::Widget& widget) {
    if (code != gui::WidgetEvent::ButtonClick)
        return false;
    const std::int32_t id = widget.id;
    if (id != gui::YesButtonId && id != gui::NoButtonId && id != gui::CloseButtonId)
        return false;
    auto* const window = dynamic_cast<gui::Window*>(widget.parent());
    if (!window)
        return false;
    if (id == gui::YesButtonId)
        window->fireResult(gui::Window::Yes);
    else if (id == gui::NoButtonId)
        window->fireResult(gui::Window::No);
    window->fireResult(gui::Window::Closed);
    window->close();
    return true;
}

sf::IntRect UI::alignedRect(int width, int height, gui::Align vertical) const {
    const sf::Vector2i screen = screenSize();
    const int room = screen.y - height;
    int y = 0;
    if (vertical == gui::Align::Middle)
        y = room / 2;
    else if (vertical == gui::Align::Top)
        y = static_cast<int>(room * TopShare);
    else if (vertical == gui::Align::Bottom)
        y = static_cast<int>(room * BottomShare);
    return {(screen.x - width) / 2, y, width, height};
}

gui::Window* UI::showMessage(const std::string& title, const std::string& text, bool question) {
    playSound("open_window");
    std::unique_ptr<gui::Window> window =
        createWindow(alignedRect(MessageWidth, MessageMaxHeight, gui::Align::Middle), title, true,
                     gui::DialogWindowId);
    const bool titled = !title.empty();
    std::unique_ptr<gui::Text> body =
        createText({MessageBodyX, titled ? MessageBodyYTitled : MessageBodyYUntitled,
                    window->width() - MessageBodyInset, MessageBodyHeight},
                   "");
    const BitmapFont* const bodyFont = font(body->fontIndex());
    body->setText(bodyFont ? bodyFont->wrapString(text, body->width() - MessageBodyInset) : text);
    body->verticalAlign = gui::Align::Top;

    const int chrome = titled ? MessageChromeTitled : MessageChromeUntitled;
    const sf::IntRect rect =
        alignedRect(MessageWidth, chrome + body->getTextSize().y, gui::Align::Middle);
    window->setPosition(position(rect));
    window->setWidth(rect.width);
    window->setHeight(rect.height, true);

    // The buttons hang over the window's bottom edge.
    const int w = rect.width, h = rect.height;
    if (question) {
        window->add(createButton({{w / 2 - 60, h - 13}, ChoiceButtonSize}, "Yes", gui::YesButtonId,
                                 MessageButtonFont));
        window->add(createButton({{w / 2 + 2, h - 13}, ChoiceButtonSize}, "No", gui::NoButtonId,
                                 MessageButtonFont));
    } else {
        window->add(createButton({{w / 2 - 50, h - 12}, OkayButtonSize}, "Okay", gui::CloseButtonId,
                                 MessageButtonFont));
    }
    window->add(std::move(body));
    return activeRoot().add(std::move(window));
}

void UI::framePanel(gui::Panel& panel) {
    panel.setFrame(sprite(FrameSprite), gui::Panel::StandardSlices);
    panel.shadowSprite = sprite(ShadowSprite);
}

std::unique_ptr<gui::Window> UI::createWindow(sf::IntRect rect, const std::string& title,
                                              bool shadow, std::int32_t id) {
    auto window = std::make_unique<gui::Window>(*this, position(rect), size(rect));
    window->id = id;
    window->setTitle(title);
    framePanel(*window->body());
    window->body()->shadowEnabled = shadow;
    return window;
}

std::unique_ptr<gui::Button> UI::createButton(sf::IntRect rect, const std::string& text,
                                              std::int32_t id, std::uint16_t fontIndex) {
    auto button =
        std::make_unique<gui::Button>(*this, position(rect), size(rect), gui::ButtonKind::Text);
    button->id = id;
    framePanel(*button->frame());
    button->frame()->alternateSprite = sprite(FrameSprite);
    button->frame()->shadowEnabled = true;
    button->label()->setFont(fontIndex);
    button->setText(text);
    return button;
}

std::unique_ptr<gui::Button> UI::createIconButton(sf::IntRect rect, const std::string& spriteName,
                                                  std::int32_t id) {
    auto button =
        std::make_unique<gui::Button>(*this, position(rect), size(rect), gui::ButtonKind::Icon);
    button->id = id;
    button->setIcon(sprite(spriteName));
    return button;
}

std::unique_ptr<gui::Button>
UI::createFramedIconButton(sf::IntRect rect, const std::string& spriteName, std::int32_t id) {
    auto button = std::make_unique<gui::Button>(*this, position(rect), size(rect),
                                                gui::ButtonKind::FramedIcon);
    button->id = id;
    framePanel(*button->frame());
    button->frame()->alternateSprite = sprite(FrameSprite);
    button->frame()->shadowEnabled = true;
    button->setIcon(sprite(spriteName));
    return button;
}

std::unique_ptr<gui::Text> UI::createText(sf::IntRect rect, const std::string& text,
                                          gui::Align horizontal, std::int32_t id) {
    auto widget = std::make_unique<gui::Text>(*this, position(rect), size(rect));
    widget->id = id;
    widget->horizontalAlign = horizontal;
    widget->setText(text, true);
    return widget;
}

std::unique_ptr<gui::Image> UI::createImage(sf::IntRect rect, const std::string& spriteName,
                                            std::int32_t id) {
    auto image =
        std::make_unique<gui::Image>(*this, position(rect), size(rect), sprite(spriteName));
    image->id = id;
    return image;
}

std::unique_ptr<gui::CheckBox> UI::createCheckBox(sf::Vector2i at, const std::string& label) {
    auto box = std::make_unique<gui::CheckBox>(*this, at);
    box->setLabel(label);
    return box;
}

gui::TitleBar* UI::addTitleBar(gui::Widget& parent, int y, const std::string& title) {
    constexpr int Inset = 5;
    auto bar =
        std::make_unique<gui::TitleBar>(*this, sf::Vector2i(Inset, y), parent.width() - 2 * Inset);
    bar->setTitle(title, true);
    return parent.add(std::move(bar));
}

sf::Vector2i UI::screenSize() const {
    if (!game.uiView)
        return {};
    const sf::Vector2f size = game.uiView->getSize();
    return {static_cast<int>(size.x), static_cast<int>(size.y)};
}

sf::Vector2i UI::mousePosition() const {
    return mouseSource ? mouseSource() : sf::Vector2i();
}

sf::Vector2i UI::windowMouse() const {
    if (!game.window)
        return {};
    const int scale = game.scale > 0 ? game.scale : 1;
    return sf::Mouse::getPosition(*game.window) / scale;
}

const sf::Sprite* UI::sprite(const std::string& name) const {
    return game.spriteManager ? game.spriteManager->get(name) : nullptr;
}

BitmapFont* UI::font(std::size_t index) const {
    return game.fontManager ? game.fontManager->getFont(index) : nullptr;
}

void UI::playSound(const std::string& name) const {
    if (game.soundManager && !name.empty())
        game.soundManager->play(name);
}
