#pragma once
// Paints the isometric city into the current target with the map view set: every
// visible, on-screen tile back to front (ground markers, roads, buildings, litter,
// landfill fill, fire), then the shade outside a shown range, then the overlays of the
// information layer. Keeps the drawing state the map itself, being headless, does not:
// the fire animation, the overlay list and the HUD's show options. Main thread only;
// non-copyable.
#include "game/AtlasFont.h"
#include "game/MapDrawRules.h"
#include "game/SpriteAtlas.h"

#include <SFML/Graphics/RenderTarget.hpp>
#include <SFML/Graphics/RenderTexture.hpp>
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

class BitmapFont;
class Game;
class Map;
class Tile;

class MapRenderer {
public:
    // Looks its sprites up once: the sprite registry must be loaded. A palette change
    // re-colours those sprites in place, so they stay valid; the atlas copied from them
    // is built again on the next draw after the colours changed.
    explicit MapRenderer(Game& game);
    MapRenderer(const MapRenderer&) = delete;
    MapRenderer& operator=(const MapRenderer&) = delete;

    // One frame of the map, over the whole of the target's current view, paper
    // included. Advances the timers by the game's frame time and holds the
    // simulation's mapMutex while it reads tiles, so a running tick delays it. The map
    // is drawn into a picture of its own, at one texel per unit when the view is
    // enlarged by a whole factor, which saves the software renderer most of its
    // blending, and at the target's pixels otherwise. The picture covers the view's
    // pictureArea, so a view panned within it is a copy of its part; the two pictures
    // shown last are kept, so the blink of buildable tiles turns by a copy too. A
    // picture is drawn again only when its quads, its area, the paper or the atlas
    // changed, and where only a few tiles' quads changed, only around those tiles.
    void draw(sf::RenderTarget& target);
    // How long the map drawn last keeps its look: until the blink of buildable tiles
    // turns, or the next fire frame when a fire showed.
    float secondsToNextChange(const Map& map) const;

    // The blink of buildable tiles runs on the map's highlight time, so that a change
    // of selection restarts it.
    float fireFrameTime = 0.f;
    int fireFrame = 0;
    bool fireShown = false; // in the frame drawn last
    // Tiles drawn quiet this frame, in the order their overlays are drawn.
    std::vector<Tile*> overlayTiles;
    // The HUD's options: "Hide buildings" clears showBuildings; the population layer
    // shows housing, jobs and shops each only while its flag is set.
    bool showBuildings = true;
    bool showHousing = true;
    bool showJobs = true;
    bool showShops = true;

private:
    // Houses by level, shops by level, then every other kind by TileKind.
    static constexpr std::size_t kArtSlots = 6 + kTileKindCount;
    using Id = SpriteAtlas::Id;
    using Variants = std::array<Id, kMaxBuildingVariants>;

    // What a picture was drawn from, besides its quads. The atlas is built again
    // whenever the paper changes.
    struct PictureKey {
        sf::FloatRect area; // map units
        float rotation;
        sf::Vector2u texels;
        unsigned atlasBuilds;
        bool upsideDown;
        bool operator==(const PictureKey& other) const;
        // Whether `other` is this picture's area moved by whole texels.
        bool movedBy(const PictureKey& other) const;
        // The view a picture is drawn with.
        sf::View view() const;
    };
    // Where one tile's quads of one stage (ground and building, range shade, overlay)
    // begin in a batch; keys grow in the order the quads are drawn.
    struct Mark {
        std::uint32_t key;
        std::uint32_t begin; // vertex index
    };
    using Marks = std::vector<Mark>;
    // A picture kept between frames, and its enlargement once one was needed.
    struct Picture {
        std::optional<PictureKey> key;
        SpriteAtlas::Vertices quads; // what it shows
        Marks marks;                 // of its quads
        sf::RenderTexture texels;
        sf::RenderTexture enlarged;
        bool enlargedFresh = false;          // shows the picture as drawn whole last
        std::vector<sf::IntRect> unenlarged; // texels drawn again since
        unsigned lastShown = 0;              // frame count
    };
    // Where a frame's view lies: the picture it comes from and its texels in it.
    struct Placement {
        PictureKey key;
        sf::IntRect shown; // counted from the picture's top, the right way up
    };

    // Gathers the frame's quads into `batch`.
    void gather();
    // The view's pictureArea (the view and its margin), as far between texels as the
    // view lies, when the view is unturned at a whole number of texels to the unit;
    // the view alone otherwise.
    Placement placement(const sf::View& view, const sf::IntRect& port, int factor,
                        bool upsideDown) const;
    // The picture showing `batch` under `key`, kept or drawn now; null when it cannot
    // be made (the map is then drawn straight into the target).
    Picture* preparePicture(const PictureKey& key);
    // A kept picture under `key` with the places where its quads differ from `batch`
    // drawn again, when those are small; null when none is.
    Picture* redrawChanges(const PictureKey& key);
    // The picture shown last moved by whole texels to `key`, into the other one: the
    // texels both show copied, the rest drawn as changes; null when it cannot be.
    Picture* redrawMoved(const PictureKey& key);
    // Whether `clips` cover little enough of a picture under `key` to draw them alone.
    bool fewClips(const PictureKey& key) const;
    // Draws `clips` of `picture` from `batch`, which it then shows under `key`.
    Picture* drawClips(Picture& picture, const PictureKey& key);
    // The picture shown longer ago, drawn again whole; null when it cannot be made.
    Picture* redrawWhole(const PictureKey& key);
    Picture& leastRecent();
    // Makes `picture`'s texels the size and view of `key`, under no key till drawn.
    bool prepareTexels(Picture& picture, const PictureKey& key);
    // Copies the texels `fromArea` of `from` over `intoArea` of `into`, enlargement
    // included; false when the copy cannot be made.
    bool copyKept(Picture& from, const sf::IntRect& fromArea, Picture& into,
                  const sf::IntRect& intoArea);
    // Gathers into `changes` where `kept` differs from what `batch` draws; false when
    // that is not known.
    bool findChanges(const Picture& kept);
    // Adds where the quads from vertex `begin` to `end` of `quads` lie to `changes`.
    void addChange(const SpriteAtlas::Vertices& quads, std::size_t begin, std::size_t end);
    void addPlace(const sf::FloatRect& place);
    // Adds the parts of `area` outside `shared` to `changes`.
    void addExposed(const sf::FloatRect& area, const sf::FloatRect& shared);
    // The texels of `texels` that `place` (map units) covers, counted from the top.
    static sf::IntRect texelsOf(const sf::RenderTexture& texels, const sf::FloatRect& place);
    // The texels of `texels` where `changes` lie, into `clips`.
    void clipChanges(const sf::RenderTexture& texels);
    // The quads of `batch` that reach the texels `clip` of `texels`, into `clipped`.
    void gatherClipped(const sf::RenderTexture& texels, const sf::IntRect& clip);
    // Notes where the quads of `tile`'s `stage` of the drawing begin.
    void mark(const Map& map, const Tile& tile, int stage);
    bool opaqueQuads(const SpriteAtlas::Vertices& quads) const;
    void drawQuads(sf::RenderTarget& target, const sf::Vertex* quads, std::size_t count,
                   bool opaque) const;
    // The picture's texels `rows` (as it keeps them) enlarged over the target's pixels
    // `port`, turned over when `flip`.
    static void drawEnlarged(const sf::RenderTexture& picture, const sf::IntRect& rows,
                             sf::RenderTarget& target, const sf::IntRect& port, int factor,
                             bool flip);
    // The picture's texels `rows` into the target by a framebuffer copy, through its
    // kept enlargement when enlarged, turned over when `flip`; false when the copy
    // cannot be made.
    bool copyPicture(Picture& picture, const sf::IntRect& rows, sf::RenderTarget& target,
                     const sf::IntRect& port, int factor, bool flip);
    void resolveSprites();
    Id add(const std::string& name);
    BitmapFont* smallFont() const;
    // Copies the sprites and the small font as they are coloured now.
    void buildAtlas();
    void advanceTimers(Map& map);
    void drawTiles(Map& map);
    void drawTile(Map& map, Tile& tile);
    bool drawGround(const Map& map, const Tile& tile, sf::Vector2i at);
    void drawRoad(const Tile& tile, sf::Vector2i at, double streetTrash);
    void drawLandfill(const Tile& tile, sf::Vector2i at);
    void drawBuilding(const Map& map, Tile& tile, sf::Vector2i at, bool highlighted);
    void drawFire(const Tile& tile, sf::Vector2i at);
    void drawRangeShade(Map& map);
    void drawOverlay(const Map& map, const Tile& tile);
    void drawNumberLabel(sf::Vector2i at, int count, int capacity);
    void drawAttraction(const Tile& tile, sf::Vector2i at);
    void drawNeedsAndWarnings(const Tile& tile, sf::Vector2i at);
    void drawNeedsCell(int cellX, sf::Vector2i at);

    // Whole image with its top-left at `at`.
    void drawPlain(Id sprite, sf::Vector2i at);
    // Whole image standing on the tile: its bottom ground rows cover the diamond.
    void drawStanding(Id sprite, sf::Vector2i at);
    void drawFrame(Id sprite, sf::Vector2i at, const SpriteFrame& frame);
    Id buildingSprite(TileKind kind, int level, int tileNumber) const;
    LayerShows layerShows(const Map& map) const;

    Game& game;

    Id tileBorder = 0;
    Id tileOutline = 0;
    Id tileHighlighted = 0;
    Id tileSemiFilled = 0;
    Id hiddenTileOverlay = 0;
    Id trashOnStreets = 0;
    Id landfill = 0;
    Id fireAnimation = 0;
    Id needsIcons = 0;
    Id crimeIcon = 0;
    Id fireHazardIcon = 0;
    Id needHospitalIcon = 0;
    std::array<Id, 3> attractionSprites{}; // by Attraction
    std::array<Id, kRoadPieces> roadPieces{};
    std::array<Variants, kArtSlots> buildings{};
    SpriteAtlas atlas;
    AtlasFont labelFont{atlas};
    sf::Color atlasPaper;
    sf::Color atlasInk;
    unsigned atlasBuilds = 0;
    SpriteAtlas::Vertices batch;
    Marks marks; // of batch
    // Scratch of a redraw of changes: where quads changed in map units, those places as
    // texels of the picture, and the quads that reach one of them.
    std::vector<sf::FloatRect> changes;
    std::vector<sf::IntRect> clips;
    SpriteAtlas::Vertices clipped;
    std::array<Picture, 2> pictures;
    unsigned framesShown = 0;
    bool framebufferCopies = true; // until the driver refuses one
};
