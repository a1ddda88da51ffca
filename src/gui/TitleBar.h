#pragma once
// The dark strip with rounded caps under a window's top edge, with the title in small
// paper-coloured capitals.
#include "gui/Widget.h"

#include <string>

namespace gui {

class TitleBar : public Widget {
public:
    static constexpr int Height = 9;

    TitleBar(UI& ui, sf::Vector2i position, int width);

    void setTitle(const std::string& text, bool upperCase);
    const std::string& title() const { return title_; }
    void draw(sf::RenderTarget& target, float frameTime) override;

private:
    std::string title_;
};

} // namespace gui
