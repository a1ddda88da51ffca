#include "game/MapPictures.h"

#include "game/FramebufferCopy.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <utility>

namespace {

// Changes nearer each other than this (map units) are drawn again as one place; more
// places than kMostClips are drawn as the one around them all.
constexpr float kNearChanges = 32.f;
constexpr std::size_t kMostClips = 4;

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

// Whether every texel of `inner` is one of `outer`.
bool holds(const sf::IntRect& outer, const sf::IntRect& inner) {
    sf::IntRect shared;
    return outer.intersects(inner, shared) && shared == inner;
}

// `value` counted round a ring `size` long, from 0.
int wrapped(int value, int size) {
    return (value % size + size) % size;
}

// A run of texels: where it starts in a picture and in the ring that keeps it.
struct RingRun {
    int at;
    int ringAt;
    int length;
};

// The `length` texels from `at` of a picture whose texel 0 the ring, `size` long,
// keeps at `origin`: at most two runs, neither crossing the ring's end.
std::array<RingRun, 2> ringRuns(int at, int length, int origin, int size) {
    const int ringAt = wrapped(at + origin, size);
    const int first = std::min(length, size - ringAt);
    return {{{at, ringAt, first}, {at + first, 0, length - first}}};
}

// Calls `each` with the pieces of a picture's texels `rect` as a ring of its `size`
// keeps them, the picture's (0, 0) at the ring's `origin`: each piece's texels in the
// picture, then in the ring; up to four pieces, none crossing the ring's edges.
template <class Each>
void forEachRingPiece(const sf::IntRect& rect, sf::Vector2i origin, sf::Vector2u size, Each each) {
    for (const RingRun& x : ringRuns(rect.left, rect.width, origin.x, static_cast<int>(size.x)))
        for (const RingRun& y : ringRuns(rect.top, rect.height, origin.y, static_cast<int>(size.y)))
            if (x.length > 0 && y.length > 0)
                each(sf::IntRect(x.at, y.at, x.length, y.length),
                     sf::IntRect(x.ringAt, y.ringAt, x.length, y.length));
}

bool touches(const sf::FloatRect& a, const sf::FloatRect& b) {
    return a.left <= b.left + b.width && b.left <= a.left + a.width && a.top <= b.top + b.height &&
           b.top <= a.top + a.height;
}

} // namespace

bool MapPictures::PictureKey::operator==(const PictureKey& other) const {
    return area == other.area && rotation == other.rotation && texels == other.texels &&
           atlasBuilds == other.atlasBuilds && upsideDown == other.upsideDown;
}

bool MapPictures::PictureKey::movedBy(const PictureKey& other) const {
    // Everything but the area's place the same, so a field added to the key counts here too.
    PictureKey moved = *this;
    moved.area.left = other.area.left;
    moved.area.top = other.area.top;
    const sf::Vector2f perUnit(static_cast<float>(texels.x) / area.width,
                               static_cast<float>(texels.y) / area.height);
    // At one texel to the unit float arithmetic places quads the same after a move.
    return moved == other && perUnit == sf::Vector2f(1.f, 1.f) && rotation == 0.f &&
           whole(sf::Vector2f(other.area.left - area.left, other.area.top - area.top));
}

sf::View MapPictures::PictureKey::view() const {
    sf::View all(area);
    all.setRotation(rotation);
    if (upsideDown)
        all.setSize(area.width, -area.height);
    return all;
}

MapPictures::MapPictures(const SpriteAtlas& drawnWith) : atlas(drawnWith) {}

void MapPictures::draw(sf::RenderTarget& target, SpriteAtlas::Vertices& quads, Marks& quadMarks,
                       unsigned builds, sf::Color paperColor) {
    batch.swap(quads);
    marks.swap(quadMarks);
    atlasBuilds = builds;
    paper = paperColor;
    show(target);
    // The caller's vectors go back, so the one frame's worth of quads is all there is
    // besides the pictures'.
    batch.swap(quads);
    marks.swap(quadMarks);
}

void MapPictures::show(sf::RenderTarget& target) {
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

MapPictures::Placement MapPictures::placement(const sf::View& view, const sf::IntRect& port,
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

void MapPictures::drawEnlarged(const sf::RenderTexture& picture, const sf::IntRect& rows,
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

bool MapPictures::copyPicture(Picture& picture, const sf::IntRect& rows, sf::RenderTarget& target,
                              const sf::IntRect& port, int factor, bool flip) {
    if (!framebufferCopies || (factor > 1 && !enlarge(picture, factor)))
        return false;
    sf::RenderTexture& source = factor > 1 ? *picture.enlarged : picture.texels;
    const sf::Vector2i origin = factor > 1 ? picture.enlargedOrigin : sf::Vector2i();
    forEachRingPiece(rows, origin, picture.texels.getSize(),
                     [&](const sf::IntRect& kept, const sf::IntRect& ring) {
                         // Turned over, the rows' last piece lands at the port's top.
                         const int down = flip ? rows.top + rows.height - kept.top - kept.height
                                               : kept.top - rows.top;
                         const sf::IntRect into(port.left + (kept.left - rows.left) * factor,
                                                port.top + down * factor, kept.width * factor,
                                                kept.height * factor);
                         framebufferCopies =
                             framebufferCopies &&
                             copyFramebuffer(source, scaled(ring, factor), target, into, flip);
                     });
    return framebufferCopies;
}

bool MapPictures::enlarge(Picture& picture, int factor) {
    const sf::Vector2u size = picture.texels.getSize() * static_cast<unsigned>(factor);
    if (picture.enlarged->getSize() != size) {
        picture.enlargedFresh = false;
        if (!createInWindowOrder(*picture.enlarged, size))
            return false;
    }
    if (!picture.enlargedFresh) {
        picture.unenlarged.assign(1, allOf(picture.texels.getSize()));
        picture.enlargedOrigin = sf::Vector2i();
        picture.enlargedFresh = true;
    }
    for (const sf::IntRect& part : picture.unenlarged)
        forEachRingPiece(part, picture.enlargedOrigin, picture.texels.getSize(),
                         [&](const sf::IntRect& kept, const sf::IntRect& ring) {
                             drawEnlarged(picture.texels, kept, *picture.enlarged,
                                          scaled(ring, factor), factor, false);
                         });
    if (!picture.unenlarged.empty())
        picture.enlarged->display();
    picture.unenlarged.clear();
    return true;
}

MapPictures::Picture* MapPictures::preparePicture(const PictureKey& key) {
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

MapPictures::Picture* MapPictures::redrawChanges(const PictureKey& key) {
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
    if (&oldest != picture && prepareTexels(oldest, key) && copyKept(*picture, oldest))
        picture = &oldest;
    return drawClips(*picture, key);
}

MapPictures::Picture* MapPictures::redrawMoved(const PictureKey& key) {
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
    if (!fewClips(key) || !moveKept(from, keptRows(fromShared, key.texels.y, key.upsideDown), into,
                                    keptRows(shared, key.texels.y, key.upsideDown)))
        return nullptr;
    return drawClips(into, key);
}

bool MapPictures::fewClips(const PictureKey& key) const {
    long area = 0;
    for (const sf::IntRect& clip : clips)
        area += static_cast<long>(clip.width) * clip.height;
    // Drawing more than half the picture again saves too little for the doubt.
    return area <= static_cast<long>(key.texels.x) * key.texels.y / 2;
}

MapPictures::Picture* MapPictures::drawClips(Picture& picture, const PictureKey& key) {
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
        picture.texels.clear(paper);
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

void MapPictures::gatherClipped(const sf::RenderTexture& texels, const sf::IntRect& clip) {
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

MapPictures::Picture& MapPictures::leastRecent() {
    return *std::min_element(
        pictures.begin(), pictures.end(),
        [](const Picture& a, const Picture& b) { return a.lastShown < b.lastShown; });
}

bool MapPictures::prepareTexels(Picture& picture, const PictureKey& key) {
    picture.key.reset();
    if (picture.texels.getSize() != key.texels && !createInWindowOrder(picture.texels, key.texels))
        return false;
    picture.texels.setView(key.view());
    return true;
}

bool MapPictures::copyKept(Picture& from, Picture& into) {
    const sf::IntRect all = allOf(from.texels.getSize());
    if (!copyFramebuffer(from.texels, all, into.texels, all, false))
        return false;
    const sf::Vector2u enlarged = from.enlarged->getSize();
    into.enlargedFresh =
        from.enlargedFresh &&
        (into.enlarged->getSize() == enlarged || createInWindowOrder(*into.enlarged, enlarged)) &&
        copyFramebuffer(*from.enlarged, allOf(enlarged), *into.enlarged, allOf(enlarged), false);
    into.enlargedOrigin = from.enlargedOrigin;
    into.unenlarged = from.unenlarged;
    return true;
}

bool MapPictures::moveKept(Picture& from, const sf::IntRect& fromArea, Picture& into,
                           const sf::IntRect& intoArea) {
    if (!copyFramebuffer(from.texels, fromArea, into.texels, intoArea, false))
        return false;
    // Each enlarged texel stays where it is in the ring, so the texels' origin there
    // goes back by the move.
    const sf::Vector2i by = topLeftOf(intoArea) - topLeftOf(fromArea);
    const sf::Vector2u size = into.texels.getSize();
    std::swap(from.enlarged, into.enlarged);
    into.enlargedFresh = std::exchange(from.enlargedFresh, false);
    into.enlargedOrigin = {wrapped(from.enlargedOrigin.x - by.x, static_cast<int>(size.x)),
                           wrapped(from.enlargedOrigin.y - by.y, static_cast<int>(size.y))};
    // What `from` still had to enlarge, where it lands in `into`.
    into.unenlarged.clear();
    for (const sf::IntRect& part : from.unenlarged) {
        sf::IntRect moved;
        if (sf::IntRect(topLeftOf(part) + by, sf::Vector2i(part.width, part.height))
                .intersects(intoArea, moved))
            into.unenlarged.push_back(moved);
    }
    return true;
}

MapPictures::Picture* MapPictures::redrawWhole(const PictureKey& key) {
    // The picture shown longer ago makes way: while the buildable tiles blink, the
    // other look of the blink stays.
    Picture& picture = leastRecent();
    if (!prepareTexels(picture, key))
        return nullptr;
    picture.texels.clear(paper);
    batch.swap(picture.quads);
    marks.swap(picture.marks);
    drawQuads(picture.texels, picture.quads.data(), picture.quads.size(),
              opaqueQuads(picture.quads));
    picture.texels.display();
    picture.key = key;
    picture.enlargedFresh = false;
    return &picture;
}

bool MapPictures::findChanges(const Picture& kept) {
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
void MapPictures::addChange(const SpriteAtlas::Vertices& quads, std::size_t begin,
                            std::size_t end) {
    if (begin != end)
        addPlace(quadBounds(quads.data(), begin, end));
}

void MapPictures::addPlace(const sf::FloatRect& place) {
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

void MapPictures::addExposed(const sf::FloatRect& area, const sf::FloatRect& shared) {
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

sf::IntRect MapPictures::texelsOf(const sf::RenderTexture& texels, const sf::FloatRect& place) {
    return spanned(texels.mapCoordsToPixel(topLeftOf(place)),
                   texels.mapCoordsToPixel(bottomRightOf(place)));
}

void MapPictures::clipChanges(const sf::RenderTexture& texels) {
    clips.clear();
    const sf::IntRect all = allOf(texels.getSize());
    // Two texels more on each side than where the quads lie take in every texel they
    // only touch, however the corners were rounded.
    const sf::Vector2i more(2, 2);
    const sf::View& view = texels.getView();
    const sf::Vector2f size(std::abs(view.getSize().x), std::abs(view.getSize().y));
    const sf::FloatRect area(view.getCenter() - size / 2.f, size);
    for (const sf::FloatRect& place : changes) {
        // A place outside the picture (the quads of tiles culled away by a move, which
        // end on its edge) covers none of its texels; with the slack it would still
        // make a clip.
        if (!place.intersects(area))
            continue;
        const sf::IntRect at = texelsOf(texels, place);
        sf::IntRect clip;
        if (sf::IntRect(at.left - more.x, at.top - more.y, at.width + 2 * more.x,
                        at.height + 2 * more.y)
                .intersects(all, clip))
            addClip(clip);
    }
}

void MapPictures::addClip(const sf::IntRect& clip) {
    // A clip draws every quad that reaches it, so one inside another is drawn by that
    // one: after a move, the strip that came into view is also where the tiles that
    // came into view changed, and would be drawn twice.
    if (std::any_of(clips.begin(), clips.end(),
                    [&](const sf::IntRect& kept) { return holds(kept, clip); }))
        return;
    clips.erase(std::remove_if(clips.begin(), clips.end(),
                               [&](const sf::IntRect& kept) { return holds(clip, kept); }),
                clips.end());
    clips.push_back(clip);
}

bool MapPictures::opaqueQuads(const SpriteAtlas::Vertices& quads) const {
    return atlas.clearOrOpaque() &&
           std::all_of(quads.begin(), quads.end(),
                       [](const sf::Vertex& v) { return v.color.a == 255; });
}

void MapPictures::drawQuads(sf::RenderTarget& target, const sf::Vertex* quads, std::size_t count,
                            bool opaque) const {
    if (count == 0)
        return;
    if (opaque)
        drawOpaqueTexels(target, quads, count, sf::Quads, atlas.texture());
    else
        target.draw(quads, count, sf::Quads, sf::RenderStates(&atlas.texture()));
}
