#pragma once
// A city report: a window that exists at most once and whose values are rewritten in
// place. Opening an open report only refreshes it. Each report has its own mutex,
// held while the window is built, while its values are rewritten and while its slot is
// cleared; never hold it while calling anything that may refresh the same report
// (std::mutex is not recursive). Main thread only.
#include "gui/WidgetTypes.h"
#include "screens/ScreenWindow.h"

#include <SFML/Graphics/Rect.hpp>
#include <cstdint>
#include <functional>
#include <mutex>
#include <string>

namespace gui {
class Button;
class Text;
} // namespace gui

class ReportWindow : public ScreenWindow {
public:
    // Value texts are one row of a font high.
    static constexpr int kTextHeight = 8;
    static constexpr std::uint16_t kFontNormal = 0;
    static constexpr std::uint16_t kFontSmall = 1;
    static constexpr std::uint16_t kFontBold = 2;
    static constexpr std::uint16_t kFontMixed = 4;

    ReportWindow(Game& game, sf::Vector2i size, std::string title);

    // Opens the window in the active root and fills it, or only refreshes it when open.
    // Both take the simulation's mapMutex: never call them while holding it.
    void open();
    // Rewrites the values of an open window; nothing while closed.
    void refresh();
    void close() override;

protected:
    virtual std::mutex& windowMutex() = 0;
    // Reads what the city guards with its own locks, before the window's mutex is taken:
    // the report windows' mutexes come last in the lock order.
    virtual void readGuarded() {}
    // Adds the report's widgets to a window just opened; the window's mutex is held.
    virtual void build(gui::Window& report) = 0;
    // Rewrites the open window's values; the window's mutex is held.
    virtual void rewrite() = 0;

    // Builders for build(); each adds to `report` and returns what it added.
    gui::Text* addText(gui::Window& report, sf::IntRect box, const std::string& text,
                       gui::Align align = gui::Align::Left, std::uint16_t font = kFontNormal);
    // Several lines of help broken to the box's width, from its top, in the small font
    // so that they stay inside their box.
    gui::Text* addParagraph(gui::Window& report, sf::IntRect box, const std::string& text);
    // A column header: small font.
    gui::Text* addHeader(gui::Window& report, sf::Vector2i at, int width, const std::string& text,
                         gui::Align align = gui::Align::Left);
    void addImage(gui::Window& report, sf::Vector2i at, const std::string& sprite);
    gui::Button* addIconButton(gui::Window& report, sf::IntRect box, const std::string& sprite,
                               std::function<void()> onClick);
    gui::Button* addTextButton(gui::Window& report, sf::IntRect box, const std::string& label,
                               std::uint16_t font, std::function<void()> onClick);
    // An icon button that opens a message box.
    void addHelpButton(gui::Window& report, sf::IntRect box, const std::string& sprite,
                       std::string heading, std::string text);

private:
    std::string title;
};
