#include "game/MapRenderer.h"

#include "assets/BitmapFont.h"
#include "assets/FontManager.h"
#include "assets/SpriteManager.h"
#include "city/City.h"
#include "city/Map.h"
#include "city/Simulation.h"
#include "city/Tile.h"
#include "game/FramebufferCopy.h"
#include "game/Game.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <mutex>
#include <string_view>

namespace {

constexpr std::size_t kSmallFont = 1;
// Cells of "ui/needs_icons".
constexpr int kEmploymentCell = 0;
constexpr int kWaterCell = 9;
constexpr int kShopsCell = 18;
// Overlay placement relative to the tile corner.
const sf::Vector2i kServiceIconOffset{11, -6};
constexpr int kAttractionTop = 4;
constexpr int kAttractionStep = 7;
constexpr int kNeedsTop = 3;
constexpr int kNeedsStep = 8;
constexpr int kWarningTop = -8;
constexpr int kWarningStep = 10;
const sf::Vector2i kFireOffset{17, 15};
const sf::Vector2f kFireOrigin{10.f, 51.f};
// The stages of the drawing, in their order, as marks count them.
constexpr int kTileStage = 0;
constexpr int kShadeStage = 1;
constexpr int kOverlayStage = 2;
// Changes nearer each other than this (map units) are drawn again as one place; more
// places than kMostClips are drawn as the one around them all.
constexpr float kNearChanges = 32.f;
constexpr std::size_t kMostClips = 4;

constexpr std::array<const char*, 3> kAttractionNames{
    "ui/attraction_negative", "ui/attraction_neutral", "ui/attraction_positive"};

std::size_t artSlot(TileKind kind, int level) {
    const auto byLevel = static_cast<std::size_t>(std::clamp(level, 1, 3) - 1);
    if (kind == TileKind::House)
        return byLevel;
    if (kind == TileKind::Shop)
        return 3 + byLevel;
    return 6 + static_cast<std::size_t>(kind);
}

// Target pixels per picture texel: the view's whole enlargement, or 1 when the view is
// not enlarged by a whole factor (the picture then has the target's pixels).
int pictureFactor(const sf::View& view, const sf::IntRect& port) {
    const int units = static_cast<int>(view.getSize().x);
    const int factor = units > 0 && port.width % units == 0 ? port.width / units : 0;
    if (factor >= 1 &&
        static_cast<float>(port.height) == view.getSize().y * static_cast<float>(factor))
        return factor;
    return 1;
}

// How near a whole number of texels counts as one, as float arithmetic on whole units
// gets: the map's edges lie on whole units, half a texel from where texels are sampled,
// so a picture placed this near its grid is the same picture.
constexpr float kNearlyWhole = 1.f / 64.f;

bool whole(sf::Vector2f v) {
    return std::abs(v.x - std::round(v.x)) < kNearlyWhole &&
           std::abs(v.y - std::round(v.y)) < kNearlyWhole;
}

// How far past a whole texel a place lies; 0 when nearly whole.
float partOfTexel(float texels) {
    const float part = texels - std::floor(texels);
    return part < kNearlyWhole || part > 1.f - kNearlyWhole ? 0.f : part;
}

sf::Vector2i rounded(sf::Vector2f v) {
    return {static_cast<int>(std::lround(v.x)), static_cast<int>(std::lround(v.y))};
}

// The rows of a picture `height` texels high that show the view's texels `shown`, as
// the picture keeps them: upside down, the view's top rows are at its bottom.
sf::IntRect keptRows(const sf::IntRect& shown, unsigned height, bool upsideDown) {
    if (!upsideDown)
        return shown;
    return {shown.left, static_cast<int>(height) - shown.top - shown.height, shown.width,
            shown.height};
}

// Vertices are compared as bytes, which needs them free of padding.
static_assert(sizeof(sf::Vertex) == 2 * sizeof(sf::Vector2f) + sizeof(sf::Color));

bool sameVertices(const sf::Vertex* a, std::size_t aCount, const sf::Vertex* b,
                  std::size_t bCount) {
    return aCount == bCount && (aCount == 0 || std::memcmp(a, b, aCount * sizeof(sf::Vertex)) == 0);
}

bool sameQuads(const SpriteAtlas::Vertices& a, const SpriteAtlas::Vertices& b) {
    return sameVertices(a.data(), a.size(), b.data(), b.size());
}

sf::FloatRect unite(const sf::FloatRect& a, const sf::FloatRect& b) {
    const sf::Vector2f low(std::min(a.left, b.left), std::min(a.top, b.top));
    const sf::Vector2f high(std::max(a.left + a.width, b.left + b.width),
                            std::max(a.top + a.height, b.top + b.height));
    return {low, high - low};
}

// Every texel of a picture `size` texels large.
sf::IntRect allOf(sf::Vector2u size) {
    return {0, 0, static_cast<int>(size.x), static_cast<int>(size.y)};
}

sf::IntRect scaled(const sf::IntRect& rect, int factor) {
    return {rect.left * factor, rect.top * factor, rect.width * factor, rect.height * factor};
}

sf::FloatRect grown(const sf::FloatRect& rect, float by) {
    return {rect.left - by, rect.top - by, rect.width + 2.f * by, rect.height + 2.f * by};
}

template <class T> sf::Vector2<T> topLeftOf(const sf::Rect<T>& rect) {
    return {rect.left, rect.top};
}

template <class T> sf::Vector2<T> bottomRightOf(const sf::Rect<T>& rect) {
    return {rect.left + rect.width, rect.top + rect.height};
}

// The rectangle with corners `a` and `b`.
template <class T> sf::Rect<T> spanned(sf::Vector2<T> a, sf::Vector2<T> b) {
    const sf::Vector2<T> low(std::min(a.x, b.x), std::min(a.y, b.y));
    const sf::Vector2<T> high(std::max(a.x, b.x), std::max(a.y, b.y));
    return {low, high - low};
}

// Where the quads from vertex `begin` to `end` lie; `begin` < `end`.
sf::FloatRect quadBounds(const sf::Vertex* quads, std::size_t begin, std::size_t end) {
    sf::FloatRect bounds(quads[begin].position, sf::Vector2f());
    for (std::size_t i = begin + 1; i < end; ++i)
        bounds = unite(bounds, sf::FloatRect(quads[i].position, sf::Vector2f()));
    return bounds;
}

bool touches(const sf::FloatRect& a, const sf::FloatRect& b) {
    return a.left <= b.left + b.width && b.left <= a.left + a.width && a.top <= b.top + b.height &&
           b.top <= a.top + a.height;
}

int levelOf(const Tile& tile) {
    if (const House* house = tile.house())
        return house->level;
    if (const Shop* shop = tile.shop())
        return shop->level;
    return 1;
}

} // namespace

MapRenderer::MapRenderer(Game& owner) : game(owner) {
    resolveSprites();
    buildAtlas();
}

bool MapRenderer::PictureKey::operator==(const PictureKey& other) const {
    return area == other.area && rotation == other.rotation && texels == other.texels &&
           atlasBuilds == other.atlasBuilds && upsideDown == other.upsideDown;
}

bool MapRenderer::PictureKey::movedBy(const PictureKey& other) const {
    const sf::Vector2f perUnit(static_cast<float>(texels.x) / area.width,
                               static_cast<float>(texels.y) / area.height);
    // At one texel to the unit float arithmetic places quads the same after a move.
    return perUnit == sf::Vector2f(1.f, 1.f) && rotation == 0.f && other.rotation == 0.f &&
           texels == other.texels && atlasBuilds == other.atlasBuilds &&
           upsideDown == other.upsideDown && area.width == other.area.width &&
           area.height == other.area.height &&
           whole(sf::Vector2f((other.area.left - area.left) * perUnit.x,
                              (other.area.top - area.top) * perUnit.y));
}

sf::View MapRenderer::PictureKey::view() const {
    sf::View all(area);
    all.setRotation(rotation);
    if (upsideDown)
        all.setSize(area.width, -area.height);
    return all;
}

void MapRenderer::buildAtlas() {
    labelFont.use(smallFont());
    atlas.build();
    atlasPaper = game.paperColor;
    atlasInk = game.inkColor;
    ++atlasBuilds;
}

BitmapFont* MapRenderer::smallFont() const {
    return game.fontManager ? game.fontManager->getFont(kSmallFont) : nullptr;
}

MapRenderer::Id MapRenderer::add(const std::string& name) {
    return atlas.add(game.spriteManager->get(name));
}

void MapRenderer::resolveSprites() {
    tileBorder = add("tile_border");
    tileOutline = add("tile_outline");
    tileHighlighted = add("tile_highlighted");
    tileSemiFilled = add("tile_semi_filled");
    hiddenTileOverlay = add("hidden_tile_overlay");
    trashOnStreets = add("trash_on_streets");
    landfill = add("landfill");
    fireAnimation = add("fire_animation");
    needsIcons = add("ui/needs_icons");
    crimeIcon = add("ui/crime_icon");
    fireHazardIcon = add("ui/fire_hazard_icon");
    needHospitalIcon = add("ui/need_hospital_icon");
    for (std::size_t i = 0; i < kAttractionNames.size(); ++i)
        attractionSprites[i] = add(kAttractionNames[i]);
    for (unsigned piece = 0; piece < kRoadPieces; ++piece)
        roadPieces[piece] = add(roadPieceName(piece));
    for (int kind = 0; kind < kTileKindCount; ++kind)
        for (int level = 1; level <= 3; ++level) {
            const BuildingArtSpec look = buildingArt(static_cast<TileKind>(kind), level);
            if (look.art == BuildingArt::None)
                continue;
            Variants& variants = buildings[artSlot(static_cast<TileKind>(kind), level)];
            for (int v = 0; v < std::max(1, look.variants); ++v)
                variants[static_cast<std::size_t>(v)] = add(buildingSpriteName(look, v));
        }
}

void MapRenderer::draw(sf::RenderTarget& target) {
    gather();
    const sf::View view = target.getView();
    const sf::IntRect port = target.getViewport(view);
    const int factor = pictureFactor(view, port);
    // A window keeps its rows from the top, a render texture from the bottom: a picture
    // kept upside down reaches a window as a plain memory copy, without a flip.
    const bool upsideDown =
        framebufferCopies && dynamic_cast<sf::RenderTexture*>(&target) == nullptr;
    const Placement placed = placement(view, port, factor, upsideDown);
    Picture* picture = preparePicture(placed.key);
    if (picture == nullptr) {
        drawQuads(target, batch.data(), batch.size(), opaqueQuads(batch));
        return;
    }
    const sf::IntRect rows = keptRows(placed.shown, placed.key.texels.y, upsideDown);
    // The picture covers the whole view, paper included, so it replaces what is there.
    if (!copyPicture(*picture, rows, target, port, factor, upsideDown))
        drawEnlarged(picture->texels, rows, target, port, factor, upsideDown);
}

MapRenderer::Placement MapRenderer::placement(const sf::View& view, const sf::IntRect& port,
                                              int factor, bool upsideDown) const {
    const sf::Vector2i shown(port.width / factor, port.height / factor);
    const sf::Vector2f size = view.getSize();
    const sf::Vector2f topLeft = view.getCenter() - size / 2.f;
    const sf::Vector2f perUnit(static_cast<float>(shown.x) / size.x,
                               static_cast<float>(shown.y) / size.y);
    // A turned view, or one not a whole number of texels to the unit, has no texel grid
    // that whole-unit pans keep to: its picture is of the view alone.
    if (view.getRotation() != 0.f || !whole(perUnit))
        return Placement{PictureKey{sf::FloatRect(topLeft, size), view.getRotation(),
                                    sf::Vector2u(shown), atlasBuilds, upsideDown},
                         sf::IntRect(sf::Vector2i(), shown)};
    // The picture lies as far between texels as the view (a shake leaves it off whole
    // units), so the view's texels are whole texels of the picture.
    sf::FloatRect area = pictureArea(topLeft, size);
    area.left += partOfTexel(topLeft.x * perUnit.x) / perUnit.x;
    area.top += partOfTexel(topLeft.y * perUnit.y) / perUnit.y;
    const sf::Vector2i offset = rounded(
        sf::Vector2f((topLeft.x - area.left) * perUnit.x, (topLeft.y - area.top) * perUnit.y));
    const sf::Vector2i texels = shown + rounded(sf::Vector2f((area.width - size.x) * perUnit.x,
                                                             (area.height - size.y) * perUnit.y));
    return Placement{PictureKey{area, 0.f, sf::Vector2u(texels), atlasBuilds, upsideDown},
                     sf::IntRect(offset, shown)};
}

void MapRenderer::drawEnlarged(const sf::RenderTexture& picture, const sf::IntRect& rows,
                               sf::RenderTarget& target, const sf::IntRect& port, int factor,
                               bool flip) {
    sf::Sprite copy(picture.getTexture(), rows);
    const float scale = static_cast<float>(factor);
    copy.setPosition(static_cast<float>(port.left),
                     static_cast<float>(flip ? port.top + port.height : port.top));
    copy.setScale(scale, flip ? -scale : scale);
    const sf::View view = target.getView();
    const sf::Vector2f pixels(target.getSize());
    target.setView(sf::View(sf::FloatRect(0.f, 0.f, pixels.x, pixels.y)));
    drawCopy(target, copy);
    target.setView(view);
}

bool MapRenderer::copyPicture(Picture& picture, const sf::IntRect& rows, sf::RenderTarget& target,
                              const sf::IntRect& port, int factor, bool flip) {
    if (!framebufferCopies)
        return false;
    sf::RenderTexture* source = &picture.texels;
    sf::IntRect from = rows;
    if (factor > 1) {
        const sf::Vector2u size = picture.texels.getSize() * static_cast<unsigned>(factor);
        if (picture.enlarged.getSize() != size) {
            picture.enlargedFresh = false;
            if (!createInWindowOrder(picture.enlarged, size))
                return false;
        }
        if (!picture.enlargedFresh) {
            picture.unenlarged.assign(1, allOf(picture.texels.getSize()));
            picture.enlargedFresh = true;
        }
        for (const sf::IntRect& part : picture.unenlarged)
            drawEnlarged(picture.texels, part, picture.enlarged, scaled(part, factor), factor,
                         false);
        if (!picture.unenlarged.empty())
            picture.enlarged.display();
        picture.unenlarged.clear();
        source = &picture.enlarged;
        from = scaled(rows, factor);
    }
    framebufferCopies = copyFramebuffer(*source, from, target, port, flip);
    return framebufferCopies;
}

MapRenderer::Picture* MapRenderer::preparePicture(const PictureKey& key) {
    if (key.texels.x == 0 || key.texels.y == 0)
        return nullptr;
    ++framesShown;
    // Everything a picture shows comes from the quads, so equal quads under an equal
    // key are the same picture.
    Picture* picture = nullptr;
    for (Picture& kept : pictures)
        if (kept.key == key && sameQuads(batch, kept.quads))
            picture = &kept;
    if (picture == nullptr)
        picture = redrawChanges(key);
    if (picture == nullptr)
        picture = redrawWhole(key);
    if (picture != nullptr)
        picture->lastShown = framesShown;
    return picture;
}

MapRenderer::Picture* MapRenderer::redrawChanges(const PictureKey& key) {
    // A turned picture's quads do not lie square to its texels.
    if (key.rotation != 0.f)
        return nullptr;
    Picture* picture = nullptr;
    for (Picture& kept : pictures)
        if (kept.key == key && (picture == nullptr || kept.lastShown < picture->lastShown))
            picture = &kept;
    if (picture == nullptr)
        return redrawMoved(key);
    if (!findChanges(*picture))
        return nullptr;
    clipChanges(picture->texels);
    if (!fewClips(key))
        return nullptr;
    // The picture shown longer ago changes, from a copy of the one under the key when
    // it is another: while the buildable tiles blink, the other look of the blink stays.
    Picture& oldest = leastRecent();
    const sf::IntRect all = allOf(key.texels);
    if (&oldest != picture && prepareTexels(oldest, key) && copyKept(*picture, all, oldest, all))
        picture = &oldest;
    return drawClips(*picture, key);
}

MapRenderer::Picture* MapRenderer::redrawMoved(const PictureKey& key) {
    Picture& into = leastRecent();
    Picture& from = &into == &pictures[0] ? pictures[1] : pictures[0];
    if (!from.key || !from.key->movedBy(key) || !findChanges(from))
        return nullptr;
    // The texels both pictures show, counted in the new one with the world upright; at
    // one texel to the unit a move by whole units is one by whole texels.
    const sf::Vector2i by = rounded(
        sf::Vector2f(from.key->area.left - key.area.left, from.key->area.top - key.area.top));
    sf::IntRect shared;
    if (!allOf(key.texels).intersects(sf::IntRect(by, sf::Vector2i(key.texels)), shared))
        return nullptr;
    addExposed(key.area,
               sf::FloatRect(key.area.left + static_cast<float>(shared.left),
                             key.area.top + static_cast<float>(shared.top),
                             static_cast<float>(shared.width), static_cast<float>(shared.height)));
    if (!prepareTexels(into, key))
        return nullptr;
    clipChanges(into.texels);
    const sf::IntRect fromShared(shared.left - by.x, shared.top - by.y, shared.width,
                                 shared.height);
    if (!fewClips(key) || !copyKept(from, keptRows(fromShared, key.texels.y, key.upsideDown), into,
                                    keptRows(shared, key.texels.y, key.upsideDown)))
        return nullptr;
    return drawClips(into, key);
}

bool MapRenderer::fewClips(const PictureKey& key) const {
    long area = 0;
    for (const sf::IntRect& clip : clips)
        area += static_cast<long>(clip.width) * clip.height;
    // Drawing more than half the picture again saves too little for the doubt.
    return area <= static_cast<long>(key.texels.x) * key.texels.y / 2;
}

MapRenderer::Picture* MapRenderer::drawClips(Picture& picture, const PictureKey& key) {
    // Each place is drawn from all the quads that reach it, in the batch's order: the
    // texels a whole redraw gives there.
    const bool opaque = opaqueQuads(batch);
    for (const sf::IntRect& clip : clips) {
        const ClipGuard guard(picture.texels, clip);
        if (!guard) {
            picture.key.reset();
            return nullptr;
        }
        gatherClipped(picture.texels, clip);
        picture.texels.clear(game.paperColor);
        drawQuads(picture.texels, clipped.data(), clipped.size(), opaque);
    }
    picture.texels.display();
    batch.swap(picture.quads);
    marks.swap(picture.marks);
    picture.key = key;
    if (picture.enlargedFresh)
        picture.unenlarged.insert(picture.unenlarged.end(), clips.begin(), clips.end());
    return &picture;
}

void MapRenderer::gatherClipped(const sf::RenderTexture& texels, const sf::IntRect& clip) {
    const sf::Vector2f size = texels.getView().getSize();
    const float texel = std::max(size.x / static_cast<float>(texels.getSize().x),
                                 std::abs(size.y) / static_cast<float>(texels.getSize().y));
    // Two texels of slack: a quad left out lies wholly outside the clip.
    const sf::FloatRect reach =
        grown(spanned(texels.mapPixelToCoords(sf::Vector2i(clip.left, clip.top)),
                      texels.mapPixelToCoords(
                          sf::Vector2i(clip.left + clip.width, clip.top + clip.height))),
              2.f * texel);
    clipped.clear();
    for (std::size_t i = 0; i + 4 <= batch.size(); i += 4)
        if (touches(quadBounds(batch.data(), i, i + 4), reach))
            clipped.insert(clipped.end(), batch.begin() + static_cast<std::ptrdiff_t>(i),
                           batch.begin() + static_cast<std::ptrdiff_t>(i + 4));
}

MapRenderer::Picture& MapRenderer::leastRecent() {
    return *std::min_element(
        pictures.begin(), pictures.end(),
        [](const Picture& a, const Picture& b) { return a.lastShown < b.lastShown; });
}

bool MapRenderer::prepareTexels(Picture& picture, const PictureKey& key) {
    picture.key.reset();
    if (picture.texels.getSize() != key.texels && !createInWindowOrder(picture.texels, key.texels))
        return false;
    picture.texels.setView(key.view());
    return true;
}

bool MapRenderer::copyKept(Picture& from, const sf::IntRect& fromArea, Picture& into,
                           const sf::IntRect& intoArea) {
    if (!copyFramebuffer(from.texels, fromArea, into.texels, intoArea, false))
        return false;
    const sf::Vector2u enlarged = from.enlarged.getSize();
    const int factor = static_cast<int>(enlarged.x / from.texels.getSize().x);
    into.enlargedFresh =
        from.enlargedFresh &&
        (into.enlarged.getSize() == enlarged || createInWindowOrder(into.enlarged, enlarged)) &&
        copyFramebuffer(from.enlarged, scaled(fromArea, factor), into.enlarged,
                        scaled(intoArea, factor), false);
    // What `from` still had to enlarge, where it lands in `into`.
    into.unenlarged.clear();
    const sf::Vector2i by = topLeftOf(intoArea) - topLeftOf(fromArea);
    for (const sf::IntRect& part : from.unenlarged) {
        sf::IntRect moved;
        if (sf::IntRect(topLeftOf(part) + by, sf::Vector2i(part.width, part.height))
                .intersects(intoArea, moved))
            into.unenlarged.push_back(moved);
    }
    return true;
}

MapRenderer::Picture* MapRenderer::redrawWhole(const PictureKey& key) {
    // The picture shown longer ago makes way: while the buildable tiles blink, the
    // other look of the blink stays.
    Picture& picture = leastRecent();
    if (!prepareTexels(picture, key))
        return nullptr;
    picture.texels.clear(game.paperColor);
    batch.swap(picture.quads);
    marks.swap(picture.marks);
    drawQuads(picture.texels, picture.quads.data(), picture.quads.size(),
              opaqueQuads(picture.quads));
    picture.texels.display();
    picture.key = key;
    picture.enlargedFresh = false;
    return &picture;
}

bool MapRenderer::findChanges(const Picture& kept) {
    changes.clear();
    const Marks& before = kept.marks;
    if (before.empty() || marks.empty())
        return false;
    const auto endOf = [](const Marks& all, const SpriteAtlas::Vertices& quads, std::size_t i) {
        return i + 1 < all.size() ? all[i + 1].begin : quads.size();
    };
    // Both batches are their marked runs in the order of their keys, so the runs under
    // one key that are equal in both are drawn in the same order in both, and only
    // where the others lie can the pictures differ.
    std::size_t i = 0, j = 0;
    while (i < before.size() || j < marks.size()) {
        const bool onlyBefore =
            j == marks.size() || (i < before.size() && before[i].key < marks[j].key);
        const bool onlyNow = !onlyBefore && (i == before.size() || marks[j].key < before[i].key);
        const std::size_t oldBegin = onlyNow ? 0 : before[i].begin;
        const std::size_t oldEnd = onlyNow ? 0 : endOf(before, kept.quads, i);
        const std::size_t newBegin = onlyBefore ? 0 : marks[j].begin;
        const std::size_t newEnd = onlyBefore ? 0 : endOf(marks, batch, j);
        if (!sameVertices(kept.quads.data() + oldBegin, oldEnd - oldBegin, batch.data() + newBegin,
                          newEnd - newBegin)) {
            addChange(kept.quads, oldBegin, oldEnd);
            addChange(batch, newBegin, newEnd);
        }
        i += onlyNow ? 0 : 1;
        j += onlyBefore ? 0 : 1;
    }
    return true;
}
void MapRenderer::addChange(const SpriteAtlas::Vertices& quads, std::size_t begin,
                            std::size_t end) {
    if (begin != end)
        addPlace(quadBounds(quads.data(), begin, end));
}

void MapRenderer::addPlace(const sf::FloatRect& place) {
    for (sf::FloatRect& near : changes)
        if (touches(grown(near, kNearChanges), place)) {
            near = unite(near, place);
            return;
        }
    changes.push_back(place);
    if (changes.size() <= kMostClips)
        return;
    for (const sf::FloatRect& each : changes)
        changes.front() = unite(changes.front(), each);
    changes.resize(1);
}

void MapRenderer::addExposed(const sf::FloatRect& area, const sf::FloatRect& shared) {
    const sf::Vector2f end = bottomRightOf(area);
    const sf::Vector2f sharedEnd = bottomRightOf(shared);
    const std::array<sf::FloatRect, 4> strips{
        {{area.left, area.top, shared.left - area.left, area.height},
         {sharedEnd.x, area.top, end.x - sharedEnd.x, area.height},
         {area.left, area.top, area.width, shared.top - area.top},
         {area.left, sharedEnd.y, area.width, end.y - sharedEnd.y}}};
    // Kept apart: the box round two strips is the whole picture.
    for (const sf::FloatRect& strip : strips)
        if (strip.width > 0.f && strip.height > 0.f)
            changes.push_back(strip);
}

sf::IntRect MapRenderer::texelsOf(const sf::RenderTexture& texels, const sf::FloatRect& place) {
    return spanned(texels.mapCoordsToPixel(topLeftOf(place)),
                   texels.mapCoordsToPixel(bottomRightOf(place)));
}

void MapRenderer::clipChanges(const sf::RenderTexture& texels) {
    clips.clear();
    const sf::IntRect all = allOf(texels.getSize());
    // Two texels more on each side than where the quads lie take in every texel they
    // only touch, however the corners were rounded.
    const sf::Vector2i more(2, 2);
    for (const sf::FloatRect& place : changes) {
        const sf::IntRect at = texelsOf(texels, place);
        sf::IntRect clip;
        if (sf::IntRect(at.left - more.x, at.top - more.y, at.width + 2 * more.x,
                        at.height + 2 * more.y)
                .intersects(all, clip))
            clips.push_back(clip);
    }
}

void MapRenderer::mark(const Map& map, const Tile& tile, int stage) {
    // Within a stage, rows from the back and within a row from the right, as drawn.
    const auto order = static_cast<std::uint32_t>(tile.y * map.width + map.width - 1 - tile.x);
    const auto tiles = static_cast<std::uint32_t>(map.tiles.size());
    marks.push_back(Mark{static_cast<std::uint32_t>(stage) * tiles + order,
                         static_cast<std::uint32_t>(batch.size())});
}

void MapRenderer::gather() {
    Simulation& simulation = *game.simulation;
    if (game.paperColor != atlasPaper || game.inkColor != atlasInk ||
        smallFont() != labelFont.font())
        buildAtlas();
    batch.clear();
    marks.clear();
    const std::scoped_lock lock(simulation.mapMutex);
    Map& map = *simulation.map;
    advanceTimers(map);
    drawTiles(map);
    if (map.rangeHighlightActive)
        drawRangeShade(map);
    for (const Tile* tile : overlayTiles) {
        mark(map, *tile, kOverlayStage);
        drawOverlay(map, *tile);
    }
}

bool MapRenderer::opaqueQuads(const SpriteAtlas::Vertices& quads) const {
    return atlas.clearOrOpaque() &&
           std::all_of(quads.begin(), quads.end(),
                       [](const sf::Vertex& v) { return v.color.a == 255; });
}

void MapRenderer::drawQuads(sf::RenderTarget& target, const sf::Vertex* quads, std::size_t count,
                            bool opaque) const {
    if (count == 0)
        return;
    if (opaque)
        drawOpaqueTexels(target, quads, count, sf::Quads, atlas.texture());
    else
        target.draw(quads, count, sf::Quads, sf::RenderStates(&atlas.texture()));
}

void MapRenderer::advanceTimers(Map& map) {
    map.highlightTime += game.frameTime;
    fireFrameTime += game.frameTime;
    if (fireFrameTime >= kFireStepSeconds) {
        fireFrameTime = 0.f;
        fireFrame = (fireFrame + 1) % kFireFrames;
    }
    if (map.highlightTime > kBlinkPeriod)
        map.highlightTime = 0.f;
    overlayTiles.clear();
    fireShown = false;
}

float MapRenderer::secondsToNextChange(const Map& map) const {
    const float blink = map.highlightTime <= kBlinkOnUntil ? kBlinkOnUntil - map.highlightTime
                                                           : kBlinkPeriod - map.highlightTime;
    return fireShown ? std::min(blink, kFireStepSeconds - fireFrameTime) : blink;
}

void MapRenderer::drawTiles(Map& map) {
    // Rows from the back, and within a row from the right: back to front on screen.
    for (int y = 0; y < map.height; ++y)
        for (int x = map.width - 1; x >= 0; --x) {
            Tile& tile = map.tiles[static_cast<std::size_t>(y * map.width + x)];
            if (tile.isVisible() && !tile.hasFlag(kFlagOffScreen)) {
                mark(map, tile, kTileStage);
                drawTile(map, tile);
            }
        }
}

void MapRenderer::drawTile(Map& map, Tile& tile) {
    const sf::Vector2i at = tileCorner(tile.x, tile.y);
    const bool highlighted = drawGround(map, tile, at);
    switch (tile.kind) {
    case TileKind::Tree:
    case TileKind::Park:
    case TileKind::Rubble:
        drawStanding(buildingSprite(tile.kind, 1, tile.number), at);
        break;
    case TileKind::Road:
        drawRoad(tile, at, game.simulation->city->streetTrash.load());
        break;
    case TileKind::Landfill:
        drawLandfill(tile, at);
        break;
    default:
        break;
    }
    if (tile.building)
        drawBuilding(map, tile, at, highlighted);
    if (tile.hasFlag(kFlagBurning)) {
        drawFire(tile, at);
        fireShown = true;
    }
}

bool MapRenderer::drawGround(const Map& map, const Tile& tile, sf::Vector2i at) {
    const Simulation& simulation = *game.simulation;
    if (tile.kind == TileKind::Empty)
        drawPlain(tileBorder, at);
    if (tile.number == simulation.actionTileNumber || tile.number == map.selectedTileNumber) {
        drawPlain(tileHighlighted, at);
        return true;
    }
    const bool buildable = !tile.building && !tile.actions().empty() &&
                           simulation.actionKind == ActionKind::None &&
                           map.selectedTileNumber == -1 && map.layer == 0;
    if (buildable && map.highlightTime <= kBlinkOnUntil)
        drawPlain(tileOutline, at);
    return false;
}

void MapRenderer::drawRoad(const Tile& tile, sf::Vector2i at, double streetTrash) {
    drawPlain(roadPieces[roadPieceIndex(roadSidesOf(tile), tile.orientation)], at);
    const int frame = litterFrame(streetTrash, tile.number);
    if (frame < 0)
        return;
    const SpriteFrame litter{
        sf::IntRect(frame * kSheetFrameWidth, 0, kSheetFrameWidth, kSheetFrameHeight),
        sf::Vector2f(1.f, 1.f),
        sf::Vector2f(0.f, static_cast<float>(atlas.size(trashOnStreets).y - kGroundRows))};
    drawFrame(trashOnStreets, at, litter);
}

void MapRenderer::drawLandfill(const Tile& tile, sf::Vector2i at) {
    const Landfill* record = tile.landfill();
    if (record == nullptr)
        return;
    const sf::Vector2u size(atlas.size(landfill));
    const int frame = landfillFillFrame(record->fill.load(), record->capacity,
                                        static_cast<int>(size.x) / kSheetFrameWidth);
    drawFrame(landfill, at, landfillFrame(tile.orientation, frame, size.y));
}

void MapRenderer::drawBuilding(const Map& map, Tile& tile, sf::Vector2i at, bool highlighted) {
    if (!showBuildings) {
        if (!highlighted)
            drawPlain(tileSemiFilled, at);
        return;
    }
    const BuildingArtSpec look = buildingArt(tile.kind, levelOf(tile));
    if (tile.kind == TileKind::Landfill || look.art == BuildingArt::None)
        return;
    const Id sprite = buildingSprite(tile.kind, levelOf(tile), tile.number);
    if (look.art == BuildingArt::Whole) {
        drawStanding(sprite, at);
        return;
    }
    const bool quiet = joinsOverlay(tile.kind, layerShows(map));
    if (quiet)
        overlayTiles.push_back(&tile);
    drawFrame(sprite, at, facingFrame(tile.orientation, sf::Vector2u(atlas.size(sprite)), quiet));
}

void MapRenderer::drawFire(const Tile& tile, sf::Vector2i at) {
    const SpriteFrame frame{sf::IntRect(fireFrameOf(tile.number, fireFrame) * kFireFrameWidth, 0,
                                        kFireFrameWidth, kFireFrameHeight),
                            sf::Vector2f(1.f, 1.f), kFireOrigin};
    drawFrame(fireAnimation, at + kFireOffset, frame);
}

void MapRenderer::drawRangeShade(Map& map) {
    for (int y = 0; y < map.height; ++y)
        for (int x = map.width - 1; x >= 0; --x) {
            const Tile& tile = map.tiles[static_cast<std::size_t>(y * map.width + x)];
            if (tile.hasFlag(kFlagOffScreen))
                continue;
            mark(map, tile, kShadeStage);
            if (!(tile.isVisible() && tile.hasFlag(kFlagHighlighted)))
                drawPlain(hiddenTileOverlay, tileCorner(tile.x, tile.y));
        }
}

void MapRenderer::drawOverlay(const Map& map, const Tile& tile) {
    const sf::Vector2i at = tileCorner(tile.x, tile.y);
    const LayerShows shows = layerShows(map);
    if (const House* house = tile.house()) {
        if (shows.layer == 1 && shows.housing)
            drawNumberLabel(at, house->residents.load(), house->capacity);
        else if (shows.layer == 3)
            drawNeedsAndWarnings(tile, at);
        else if (shows.layer == 2 && !tile.hasFlag(kFlagBurning))
            drawAttraction(tile, at);
    } else if (const Shop* shop = tile.shop()) {
        if (shows.layer == 1 && shows.shops) {
            drawNumberLabel(at, shop->visitors.load(), shop->capacity);
            drawNeedsCell(kShopsCell, at + kServiceIconOffset);
        }
    } else if (shows.layer == 1 && shows.jobs) {
        if (const Factory* factory = tile.factory()) {
            drawNumberLabel(at, factory->workers.load(), factory->capacity);
            drawNeedsCell(kEmploymentCell, at + kServiceIconOffset);
        } else if (const Commercial* office = tile.commercial()) {
            drawNumberLabel(at, office->workers.load(), office->capacity);
            drawNeedsCell(kEmploymentCell, at + kServiceIconOffset);
        }
    }
}

void MapRenderer::drawNumberLabel(sf::Vector2i at, int count, int capacity) {
    BitmapFont* font = smallFont();
    if (font == nullptr)
        return;
    char text[24];
    const int length = std::snprintf(text, sizeof text, "%d/%d", count, capacity);
    const std::string_view label(
        text, static_cast<std::size_t>(std::clamp(length, 0, static_cast<int>(sizeof text) - 1)));
    font->setColor(game.paperColor);
    const sf::Vector2i size = labelFont.measure(label);
    const int top = at.y - size.y / 2;
    const int left = at.x + (kTileWidth - size.x) / 2;
    // An ink box with a one-unit paper outline: the outline's square first, the box
    // over it.
    atlas.appendFill(batch, sf::IntRect(left - 2, top + 6, size.x + 3, size.y + 1),
                     game.paperColor);
    atlas.appendFill(batch, sf::IntRect(left - 1, top + 7, size.x + 1, size.y - 1), game.inkColor);
    labelFont.append(batch, label, sf::Vector2i(left, top + 8), font->sprite().getColor());
}

void MapRenderer::drawAttraction(const Tile& tile, sf::Vector2i at) {
    const AttractionIcons icons = attractionIcons(tile.house()->shownAttractiveness.load());
    const Id icon = attractionSprites[static_cast<std::size_t>(icons.kind)];
    int x = at.x + kTileWidth / 2 - (kAttractionStep * icons.count) / 2;
    for (int i = 0; i < icons.count; ++i, x += kAttractionStep)
        drawPlain(icon, sf::Vector2i(x, at.y + kAttractionTop));
}

void MapRenderer::drawNeedsAndWarnings(const Tile& tile, sf::Vector2i at) {
    const int needs = tile.house()->shownNeeds.load();
    constexpr std::array<std::pair<int, int>, 3> kNeedCells{
        {{kNeedJobs, kEmploymentCell}, {kNeedWater, kWaterCell}, {kNeedShops, kShopsCell}}};
    int count = 0;
    for (const auto& need : kNeedCells)
        count += (needs & need.first) != 0 ? 1 : 0;
    int x = at.x + ((kTileWidth - kNeedsStep * count) >> 1);
    for (const auto& [bit, cell] : kNeedCells)
        if ((needs & bit) != 0) {
            drawNeedsCell(cell, sf::Vector2i(x, at.y + kNeedsTop));
            x += kNeedsStep;
        }

    const TileServices& services = tile.services();
    const std::array<std::pair<bool, Id>, 3> warnings{
        {{services.crime > 0, crimeIcon},
         {services.fireSafety < 0, fireHazardIcon},
         {services.healthCare < 0, needHospitalIcon}}};
    int shown = 0;
    for (const auto& warning : warnings)
        shown += warning.first ? 1 : 0;
    x = at.x + kTileWidth / 2 - (kWarningStep / 2) * shown;
    for (const auto& [applies, icon] : warnings)
        if (applies) {
            drawPlain(icon, sf::Vector2i(x, at.y + kWarningTop));
            x += kWarningStep;
        }
}

void MapRenderer::drawNeedsCell(int cellX, sf::Vector2i at) {
    const SpriteFrame cell{sf::IntRect(cellX, 0, kNeedsIconSize, kNeedsIconSize),
                           sf::Vector2f(1.f, 1.f), sf::Vector2f()};
    drawFrame(needsIcons, at, cell);
}

void MapRenderer::drawPlain(Id sprite, sf::Vector2i at) {
    const sf::IntRect whole(sf::Vector2i(), atlas.size(sprite));
    drawFrame(sprite, at, SpriteFrame{whole, sf::Vector2f(1.f, 1.f), sf::Vector2f()});
}

void MapRenderer::drawStanding(Id sprite, sf::Vector2i at) {
    const sf::IntRect whole(sf::Vector2i(), atlas.size(sprite));
    drawFrame(sprite, at,
              SpriteFrame{whole, sf::Vector2f(1.f, 1.f),
                          sf::Vector2f(0.f, static_cast<float>(whole.height - kGroundRows))});
}

void MapRenderer::drawFrame(Id sprite, sf::Vector2i at, const SpriteFrame& frame) {
    atlas.appendQuad(batch, sprite, at, frame);
}

MapRenderer::Id MapRenderer::buildingSprite(TileKind kind, int level, int tileNumber) const {
    const Variants& variants = buildings[artSlot(kind, level)];
    const int variant = buildingVariant(buildingArt(kind, level), tileNumber);
    return variants[static_cast<std::size_t>(variant)];
}

LayerShows MapRenderer::layerShows(const Map& map) const {
    return LayerShows{map.layer, showHousing, showJobs, showShops};
}
