#pragma once
// A nine-slice frame cut from one sprite: corners, one-piece edges repeated along the
// sides, and a centre filled with paper. Also the look of text buttons, which switch to
// the alternate sprite while hovered. In shadow mode only the right and bottom pieces
// are drawn, with the shadow sprite, so the shadow peeks out below and to the right.
#include "gui/Widget.h"

#include <SFML/Graphics/Sprite.hpp>

namespace gui {

class Panel : public Widget {
public:
    // Piece sizes of a frame sprite.
    struct Slices {
        sf::Vector2i topCorner;    // A
        sf::Vector2i bottomCorner; // B
        sf::Vector2i side;         // C: left and right edges
        sf::Vector2i cap;          // D: top and bottom edges
    };
    // The frame of windows and buttons ("ui/detailed_window_bordered" and its shadow).
    static inline const Slices StandardSlices{{9, 9}, {9, 9}, {9, 1}, {1, 9}};

    Panel(UI& ui, sf::Vector2i position = {}, sf::Vector2i size = {10, 10});

    // Ignored without a sprite; a frame always fills its centre.
    void setFrame(const sf::Sprite* sprite, const Slices& slices);
    void draw(sf::RenderTarget& target, float frameTime) override;
    // The shadow sits `offset` pixels below and to the right of the panel.
    void drawShadow(sf::RenderTarget& target, sf::Vector2i offset = {1, 2});
    // Whether drawShadow has anything to draw.
    bool castsShadow() const { return shadowEnabled && shadowSprite && frameSprite_; }

    const sf::Sprite* alternateSprite = nullptr;
    bool showAlternate = false;
    const sf::Sprite* shadowSprite = nullptr;
    bool shadowEnabled = false;
    bool fill = false;

private:
    void drawFrame(sf::RenderTarget& target, sf::Vector2i origin, bool shadowMode) const;

    const sf::Sprite* frameSprite_ = nullptr;
    Slices slices_{};
};

} // namespace gui
