#include "Canvas.h"

#include <SFML/Graphics/Image.hpp>
#include <cstdio>
#include <cstdlib>
#include <filesystem>

Canvas::Canvas(int width, int height, Rgba fill)
    : width_(width), height_(height), pixels_(static_cast<std::size_t>(width * height), fill) {}

Rgba Canvas::get(int x, int y) const {
    if (x < 0 || y < 0 || x >= width_ || y >= height_)
        return Clear;
    return pixels_[static_cast<std::size_t>(y * width_ + x)];
}

void Canvas::set(int x, int y, Rgba c) {
    if (x < 0 || y < 0 || x >= width_ || y >= height_)
        return;
    pixels_[static_cast<std::size_t>(y * width_ + x)] = c;
}

void Canvas::fillRect(int x, int y, int w, int h, Rgba c) {
    for (int j = y; j < y + h; ++j)
        for (int i = x; i < x + w; ++i)
            set(i, j, c);
}

void Canvas::rect(int x, int y, int w, int h, Rgba c) {
    line(x, y, x + w - 1, y, c);
    line(x, y + h - 1, x + w - 1, y + h - 1, c);
    line(x, y, x, y + h - 1, c);
    line(x + w - 1, y, x + w - 1, y + h - 1, c);
}

void Canvas::line(int x0, int y0, int x1, int y1, Rgba c) {
    const int dx = std::abs(x1 - x0), sx = x0 < x1 ? 1 : -1;
    const int dy = -std::abs(y1 - y0), sy = y0 < y1 ? 1 : -1;
    int err = dx + dy;
    for (;;) {
        set(x0, y0, c);
        if (x0 == x1 && y0 == y1)
            break;
        const int e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            x0 += sx;
        }
        if (e2 <= dx) {
            err += dx;
            y0 += sy;
        }
    }
}

bool Canvas::ditherOn(Dither d, int x, int y) {
    // 2x2 Bayer order: 0 2 / 3 1
    static constexpr int bayer[2][2] = {{0, 2}, {3, 1}};
    return bayer[y & 1][x & 1] < static_cast<int>(d);
}

void Canvas::ditherRect(int x, int y, int w, int h, Dither d, Rgba c, Rgba other) {
    for (int j = y; j < y + h; ++j)
        for (int i = x; i < x + w; ++i)
            set(i, j, ditherOn(d, i, j) ? c : other);
}

void Canvas::blit(const Canvas& src, int x, int y) {
    for (int j = 0; j < src.height_; ++j)
        for (int i = 0; i < src.width_; ++i)
            if (const Rgba p = src.get(i, j); p.a != 0)
                set(x + i, y + j, p);
}

Canvas Canvas::flippedHorizontally() const {
    Canvas out(width_, height_);
    for (int j = 0; j < height_; ++j)
        for (int i = 0; i < width_; ++i)
            out.set(width_ - 1 - i, j, get(i, j));
    return out;
}

Canvas Canvas::crop(int x, int y, int w, int h) const {
    Canvas out(w, h);
    for (int j = 0; j < h; ++j)
        for (int i = 0; i < w; ++i)
            out.set(i, j, get(x + i, y + j));
    return out;
}

bool Canvas::savePng(const std::string& path) const {
    std::error_code ec;
    std::filesystem::create_directories(std::filesystem::path(path).parent_path(), ec);
    sf::Image image;
    image.create(static_cast<unsigned>(width_), static_cast<unsigned>(height_),
                 reinterpret_cast<const sf::Uint8*>(pixels_.data()));
    if (!image.saveToFile(path)) {
        std::fprintf(stderr, "assetgen: cannot write %s\n", path.c_str());
        return false;
    }
    return true;
}
