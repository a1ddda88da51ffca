#pragma once
// A small RGBA pixel canvas for drawing the game's two-tone art in code. Sprites are
// drawn in pure black (ink) and pure white (paper) on transparency; shading is done
// with dither patterns, never greys, because only those two colours are recoloured.
#include <cstdint>
#include <string>
#include <vector>

struct Rgba {
    std::uint8_t r = 0, g = 0, b = 0, a = 0;
    bool operator==(const Rgba& o) const { return r == o.r && g == o.g && b == o.b && a == o.a; }
    bool operator!=(const Rgba& o) const { return !(*this == o); }
};

inline constexpr Rgba Clear{0, 0, 0, 0};
inline constexpr Rgba Ink{0, 0, 0, 255};
inline constexpr Rgba Paper{255, 255, 255, 255};

// Ordered-dither fill patterns from empty (0) to solid (4), for shading with two tones.
enum class Dither : std::int32_t { None = 0, Sparse = 1, Checker = 2, Dense = 3, Solid = 4 };

class Canvas {
public:
    Canvas(int width, int height, Rgba fill = Clear);

    int width() const { return width_; }
    int height() const { return height_; }
    Rgba get(int x, int y) const;   // Clear outside the canvas
    void set(int x, int y, Rgba c); // ignored outside the canvas

    void fillRect(int x, int y, int w, int h, Rgba c);
    void rect(int x, int y, int w, int h, Rgba c); // one-pixel outline
    void line(int x0, int y0, int x1, int y1, Rgba c);
    // Fills with `c` where the pattern is on and `other` where it is off.
    void ditherRect(int x, int y, int w, int h, Dither d, Rgba c, Rgba other);
    // Copies every non-transparent pixel of `src` to (x, y).
    void blit(const Canvas& src, int x, int y);
    Canvas flippedHorizontally() const;
    Canvas crop(int x, int y, int w, int h) const;

    // Writes a PNG, creating missing parent folders; prints the failure and returns
    // false when it cannot.
    bool savePng(const std::string& path) const;

    static bool ditherOn(Dither d, int x, int y);

private:
    int width_, height_;
    std::vector<Rgba> pixels_;
};
