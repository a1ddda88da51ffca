#include "ContactSheetTown.h"

#include <array>
#include <map>
#include <string_view>

namespace {

// Rows are y (towards the bottom right), columns x (towards the top right).
constexpr std::array<std::string_view, 10> townMap{{
    "tt.hh#hhw.",
    "t.Hh.#sHuh",
    "p!LL.#fFc.",
    "##########",
    "mPLq.#CCo.",
    "hhHh.#CCd.",
    "....##.F..",
    "r.t..#..t.",
    "..hh.#.pp.",
    ".tHh.#....",
}};
constexpr int TownSize = 10;
constexpr int GroundRows = 17;

struct Sprites {
    std::string data;
    std::map<std::string, sf::Image> images;
    bool missing = false;

    const sf::Image& get(const std::string& name) {
        auto it = images.find(name);
        if (it == images.end()) {
            sf::Image image;
            if (!image.loadFromFile(data + "sprites/" + name + ".png"))
                missing = true;
            it = images.emplace(name, image).first;
        }
        return it->second;
    }
};

char at(int x, int y) {
    if (x < 0 || y < 0 || x >= TownSize || y >= TownSize)
        return '.';
    return townMap[static_cast<std::size_t>(y)][static_cast<std::size_t>(x)];
}

bool road(int x, int y) {
    return at(x, y) == '#';
}

std::string roadPiece(int x, int y) {
    const bool n = road(x, y - 1), s = road(x, y + 1), w = road(x - 1, y), e = road(x + 1, y);
    static const std::map<int, std::string> pieces{
        {0, "road1"},      {0b0011, "road1"},      {0b0001, "road1_end2"}, {0b0010, "road1_end1"},
        {0b1100, "road2"}, {0b0100, "road2_end1"}, {0b1000, "road2_end2"}, {0b1001, "road3"},
        {0b1010, "road4"}, {0b1011, "road5"},      {0b0110, "road6"},      {0b0101, "road7"},
        {0b0111, "road8"}, {0b1110, "road9"},      {0b1101, "road10"},     {0b1111, "road11"}};
    return pieces.at((n ? 8 : 0) | (s ? 4 : 0) | (w ? 2 : 0) | (e ? 1 : 0));
}

// The side the building faces: 1 road south, 2 north, 3 east, 4 west.
int orientation(int x, int y) {
    if (road(x, y + 1))
        return 1;
    if (road(x, y - 1))
        return 2;
    if (road(x + 1, y))
        return 3;
    return road(x - 1, y) ? 4 : 1;
}

std::string buildingName(char k, int n) {
    switch (k) {
    case 'h':
    case '!':
        return "house_small_" + std::to_string(1 + n % 4);
    case 'H':
        return "house_large_" + std::to_string(1 + n % 3);
    case 'L':
        return "flats_" + std::to_string(1 + n % 4);
    case 'F':
        return "factory_" + std::to_string(1 + n % 2);
    case 'C':
        return "commercial_" + std::to_string(1 + n % 4);
    case 'm':
        return "market";
    case 's':
        return "shop";
    case 'c':
        return "convenience_store";
    case 'f':
        return "fire_station";
    case 'P':
        return "police_station";
    case 'o':
        return "hospital";
    case 'u':
        return "pumping_station";
    default:
        return "";
    }
}

sf::IntRect whole(const sf::Image& src) {
    return {0, 0, static_cast<int>(src.getSize().x), static_cast<int>(src.getSize().y)};
}

// Copies a rectangle of `src`, mirrored when asked, with its top-left at (x, y). The
// rectangle is cut to the image, which may be smaller than the game expects.
void draw(sf::Image& dst, const sf::Image& src, sf::IntRect r, int x, int y, bool mirror) {
    const sf::IntRect inside = whole(src);
    if (!inside.contains(r.left, r.top) ||
        !inside.contains(r.left + r.width - 1, r.top + r.height - 1))
        return;
    for (int j = 0; j < r.height; ++j)
        for (int i = 0; i < r.width; ++i) {
            const sf::Color c =
                src.getPixel(static_cast<unsigned>(r.left + (mirror ? r.width - 1 - i : i)),
                             static_cast<unsigned>(r.top + j));
            const int tx = x + i, ty = y + j;
            if (c.a != 0 && tx >= 0 && ty >= 0 && tx < static_cast<int>(dst.getSize().x) &&
                ty < static_cast<int>(dst.getSize().y))
                dst.setPixel(static_cast<unsigned>(tx), static_cast<unsigned>(ty), c);
        }
}

// Taller images stand on the tile: their bottom rows cover it.
void drawWhole(sf::Image& dst, const sf::Image& src, int x, int y) {
    draw(dst, src, whole(src), x, y - (static_cast<int>(src.getSize().y) - GroundRows), false);
}

void drawTile(sf::Image& dst, Sprites& sprites, int x, int y, int X, int Y) {
    const char k = at(x, y);
    const int n = x * 7 + y * 3;
    if (k == '.') {
        const sf::Image& border = sprites.get("tile_border");
        draw(dst, border, whole(border), X, Y, false);
    } else if (k == '#') {
        const sf::Image& piece = sprites.get(roadPiece(x, y));
        draw(dst, piece, whole(piece), X, Y, false);
        // Litter as the game shows it at its worst: on some streets, up to their own frame.
        const int number = y * TownSize + x;
        if (number % 9 < 5)
            draw(dst, sprites.get("trash_on_streets"), {number % 4 * 34, 0, 34, 24}, X, Y - 7,
                 false);
    } else if (k == 't' || k == 'p' || k == 'r' || k == 'w') {
        const std::map<char, std::string> whole{
            {'t', "tree1"}, {'p', "park1"}, {'r', "rubble"}, {'w', "watertower"}};
        drawWhole(dst, sprites.get(whole.at(k)), X, Y);
    } else if (k == 'd' || k == 'q') {
        const sf::Image& fill = sprites.get("landfill");
        draw(dst, fill, {(k == 'd' ? 5 : 2) * 34, 0, 34, 24}, X, Y - 7, orientation(x, y) <= 2);
    } else {
        const sf::Image& img = sprites.get(buildingName(k, n));
        const int w = static_cast<int>(img.getSize().x) / 2,
                  h = static_cast<int>(img.getSize().y) / 2;
        const int o = orientation(x, y);
        draw(dst, img, {o == 2 || o == 3 ? w : 0, 0, w, h}, X, Y - (h - GroundRows), o >= 3);
    }
    if (k == '!') {
        const sf::Image& fire = sprites.get("fire_animation");
        draw(dst, fire, {2 * 20, 0, 20, 51}, X + 17 - 10, Y + 15 - 51, false);
    }
}

} // namespace

sf::Image renderTown(const std::string& data) {
    Sprites sprites{data, {}, false};
    constexpr int Margin = 80; // room above the back row for the tallest buildings
    sf::Image town;
    town.create(TownSize * 32 + 2, TownSize * 16 + Margin + 8, sf::Color::Transparent);
    for (int y = 0; y < TownSize; ++y)
        for (int x = TownSize - 1; x >= 0; --x)
            drawTile(town, sprites, x, y, (x + y) * 16, (y - x) * 8 + (TownSize - 1) * 8 + Margin);
    return sprites.missing ? sf::Image() : town;
}
