#include "screens/AboutWindow.h"

#include "assets/BitmapFont.h"
#include "game/Game.h"
#include "gui/Text.h"
#include "gui/UI.h"
#include "gui/Window.h"

#include <algorithm>

namespace {

const sf::IntRect TextRect(10, 24, 290, 250);
// Below the text: the room the Close button hanging over the bottom edge needs.
constexpr int CloseRoom = 20;

// getTextSize leaves out the spacing between lines, which the shipped font has: one
// pixel a line makes the drawn text taller than the box it was meant to fit.
int drawnHeight(const gui::Text& text, const BitmapFont* font) {
    const int gaps = std::max(static_cast<int>(text.lines().size()) - 1, 0);
    return text.getTextSize().y + (font ? gaps * font->getLineSpacing() : 0);
}

} // namespace

const char* const AboutWindow::Body =
    "Tapburg was initially made for the €Glintfest game jam.\n\n"
    "Build your city as you see fit, but remember you can only place buildings next to "
    "roads. Some buildings like houses, shops and factories generate income, while others "
    "such as water towers, parks and roads cost money to maintain. It's up to you to manage "
    "the fine balance between prosperity and total chaos.\n\n"
    "New buildings become available as your city grows.\n\n"
    "Buttons on the left switch between build mode and different information layers. "
    "Calendar button in the top-right can be used to advance time. Remember, income is only "
    "generated when clicking that button.\n\n"
    "When in build mode, left click on blinking tiles to select what to build. Right click "
    "on tiles to see more information about them and the structures on them. Hold down left "
    "mouse button and drag the mouse to move the viewport.\n\n"
    "Please note this is an early version of the game and will be developed further in the "
    "future, adding new features and buildings.\n\n"
    "Created by @Quillor";

AboutWindow::AboutWindow(Game& game) : ScreenWindow(game, {310, 280}, gui::Align::Middle) {}

void AboutWindow::open() {
    if (isOpen())
        return;
    gui::Window& about = openWindow("Tapburg - about & help", game.ui->activeRoot());
    gui::Text* const text = about.add(game.ui->createText(TextRect, ""));
    text->verticalAlign = gui::Align::Top;
    text->wrap = true;
    text->setText(Body);
    const int textHeight = drawnHeight(*text, game.ui->font(text->fontIndex()));
    if (textHeight > text->height())
        text->setHeight(textHeight, true);
    fitHeight(about, TextRect.top + textHeight + CloseRoom);
    addCloseButton(about);
}

// With the shipped font the text is drawn a few pixels taller than the box, and its last
// line would sit under the Close button: the window grows to fit instead.
void AboutWindow::fitHeight(gui::Window& about, int needed) {
    if (needed <= size.y)
        return;
    size.y = needed;
    about.setHeight(needed, true);
    place();
}
