#include "ContactSheet.h"

#include "ContactSheetTown.h"
#include "assets/Palettes.h"
#include "assets/SpriteManager.h"
#include "assets/SpriteNames.h"

#include <SFML/Graphics/Image.hpp>
#include <algorithm>
#include <array>
#include <cstdio>
#include <vector>

namespace {

constexpr int Zoom = 3;
constexpr int Gap = 6;              // between sprites, in sheet pixels
constexpr int MinPanelWidth = 1800; // sprites wrap to a new row past this
constexpr std::array<int, 2> SheetPalettes{0, 5};

sf::Color toColour(const PaletteColour& c) {
    return sf::Color(c.r, c.g, c.b);
}

struct Placed {
    sf::Image image;
    bool ownRow; // nothing beside it (the town, which is much taller than any sprite)
    int x = 0, y = 0;
};

// As wide as the minimum or the widest image, whichever is more.
int panelWidth(const std::vector<Placed>& items) {
    int width = MinPanelWidth;
    for (const Placed& p : items)
        width = std::max(width, static_cast<int>(p.image.getSize().x) * Zoom + 2 * Gap);
    return width;
}

// Flows the images left to right in rows; returns the panel height.
int layout(std::vector<Placed>& items, int width) {
    int x = Gap, y = Gap, rowHeight = 0;
    for (Placed& p : items) {
        const int w = static_cast<int>(p.image.getSize().x) * Zoom;
        const int h = static_cast<int>(p.image.getSize().y) * Zoom;
        if (x + w + Gap > width && x > Gap) {
            x = Gap;
            y += rowHeight + Gap;
            rowHeight = 0;
        }
        p.x = x;
        p.y = y;
        x += w + Gap;
        rowHeight = std::max(rowHeight, h);
        if (p.ownRow)
            x = width; // the next image wraps
    }
    return y + rowHeight + Gap;
}

void paste(sf::Image& sheet, const sf::Image& src, int ox, int oy) {
    const sf::Vector2u size = src.getSize();
    for (unsigned y = 0; y < size.y * Zoom; ++y)
        for (unsigned x = 0; x < size.x * Zoom; ++x) {
            const sf::Color c = src.getPixel(x / Zoom, y / Zoom);
            if (c.a == 0)
                continue;
            const unsigned tx = static_cast<unsigned>(ox) + x, ty = static_cast<unsigned>(oy) + y;
            if (tx < sheet.getSize().x && ty < sheet.getSize().y)
                sheet.setPixel(tx, ty, c);
        }
}

} // namespace

bool writeContactSheet(const std::string& data, const std::string& outPng) {
    std::vector<Placed> items;
    if (sf::Image town = renderTown(data); town.getSize().x > 0)
        items.push_back({town, true});
    for (const std::string_view name : spriteNames) {
        sf::Image image;
        const std::string path = data + "sprites/" + std::string(name) + ".png";
        if (!image.loadFromFile(path) || image.getSize().x == 0) {
            std::printf("contact sheet: missing %s\n", path.c_str());
            continue;
        }
        items.push_back({image, false});
    }
    const int width = panelWidth(items);
    const int panelHeight = layout(items, width);
    sf::Image sheet;
    sheet.create(static_cast<unsigned>(width),
                 static_cast<unsigned>(panelHeight) * SheetPalettes.size());
    for (std::size_t p = 0; p < SheetPalettes.size(); ++p) {
        const Palette& palette = palettes[static_cast<std::size_t>(SheetPalettes[p])];
        const int top = static_cast<int>(p) * panelHeight;
        for (unsigned y = 0; y < static_cast<unsigned>(panelHeight); ++y)
            for (unsigned x = 0; x < static_cast<unsigned>(width); ++x)
                sheet.setPixel(x, static_cast<unsigned>(top) + y, toColour(palette.paper));
        for (const Placed& item : items) {
            sf::Image tinted = item.image;
            SpriteManager::recolour(tinted, toColour(palette.paper), toColour(palette.ink));
            paste(sheet, tinted, item.x, top + item.y);
        }
    }
    if (!sheet.saveToFile(outPng)) {
        std::fprintf(stderr, "assetgen: cannot write %s\n", outPng.c_str());
        return false;
    }
    return true;
}
