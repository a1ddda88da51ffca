#pragma once
// Keeps the map's pictures between frames, so that a frame whose quads did not change
// is a copy, and one where only a few tiles changed or the view panned by whole units
// draws only around those tiles or what came into view. Knows nothing of tiles: it is
// handed each frame's quads and where each tile's quads begin. Main thread only;
// non-copyable.
#include "game/SpriteAtlas.h"

#include <SFML/Graphics/RenderTarget.hpp>
#include <SFML/Graphics/RenderTexture.hpp>
#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

class MapPictures {
public:
    // Where one tile's quads of one stage (ground and building, range shade, overlay)
    // begin in a batch; keys grow in the order the quads are drawn.
    struct Mark {
        std::uint32_t key;
        std::uint32_t begin; // vertex index
    };
    using Marks = std::vector<Mark>;

    // Draws with `atlas`, which must outlive it.
    explicit MapPictures(const SpriteAtlas& atlas);
    MapPictures(const MapPictures&) = delete;
    MapPictures& operator=(const MapPictures&) = delete;

    // Shows `quads`, marked by `quadMarks`, over the whole of the target's current view
    // on `paperColor`; `builds` counts the atlas's builds, a new one being a new look.
    // The map is drawn into a picture of its own, at one texel per unit when the view
    // is enlarged by a whole factor, which saves the software renderer most of its
    // blending, and at the target's pixels otherwise. The picture covers the view's
    // pictureArea, so a view panned within it is a copy of its part; the two pictures
    // shown last are kept, so the blink of buildable tiles turns by a copy too. A
    // picture is drawn again only when its quads, its area, the paper or the atlas
    // changed, and where only a few tiles' quads changed, only around those tiles.
    // Takes the quads and marks over for the call: both come back holding spare
    // vectors of no particular content, to gather the next frame into.
    void draw(sf::RenderTarget& target, SpriteAtlas::Vertices& quads, Marks& quadMarks,
              unsigned builds, sf::Color paperColor);

private:
    // What a picture was drawn from, besides its quads. The renderer builds its atlas
    // again whenever the paper changes, so the build count stands for the paper too.
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
    // A picture kept between frames, and its enlargement once one was needed. The
    // enlargement is a ring: a picture moved by whole texels takes over the enlargement
    // of the one it was copied from, turned round by the move, so that only what came
    // into view is enlarged again instead of the whole picture being copied.
    struct Picture {
        std::optional<PictureKey> key;
        SpriteAtlas::Vertices quads; // what it shows
        Marks marks;                 // of its quads
        sf::RenderTexture texels;
        std::unique_ptr<sf::RenderTexture> enlarged = std::make_unique<sf::RenderTexture>();
        sf::Vector2i enlargedOrigin;         // texels' (0, 0) in the ring, in texels
        bool enlargedFresh = false;          // shows the picture as drawn whole last
        std::vector<sf::IntRect> unenlarged; // texels drawn again since
        unsigned lastShown = 0;              // frame count
    };
    // Where a frame's view lies: the picture it comes from and its texels in it.
    struct Placement {
        PictureKey key;
        sf::IntRect shown; // counted from the picture's top, the right way up
    };

    // `batch` into the target, through a picture when one can be made.
    void show(sf::RenderTarget& target);
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
    // Makes `into` a copy of `from`, enlargement included; false when the copy cannot
    // be made.
    bool copyKept(Picture& from, Picture& into);
    // Copies the texels `fromArea` of `from` over `intoArea` of `into`, handing it
    // `from`'s enlargement, which `from` then lacks; false when the copy cannot be made.
    bool moveKept(Picture& from, const sf::IntRect& fromArea, Picture& into,
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
    // Adds `clip` to `clips` unless one there holds it.
    void addClip(const sf::IntRect& clip);
    // The quads of `batch` that reach the texels `clip` of `texels`, into `clipped`.
    void gatherClipped(const sf::RenderTexture& texels, const sf::IntRect& clip);
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
    // Brings `picture`'s enlargement by `factor` up to its texels; false when it
    // cannot be made.
    static bool enlarge(Picture& picture, int factor);

    const SpriteAtlas& atlas;
    // The frame being drawn, held for the length of draw().
    SpriteAtlas::Vertices batch;
    Marks marks; // of batch
    unsigned atlasBuilds = 0;
    sf::Color paper;
    // Scratch of a redraw of changes: where quads changed in map units, those places as
    // texels of the picture, and the quads that reach one of them.
    std::vector<sf::FloatRect> changes;
    std::vector<sf::IntRect> clips;
    SpriteAtlas::Vertices clipped;
    std::array<Picture, 2> pictures;
    unsigned framesShown = 0;
    bool framebufferCopies = true; // until the driver refuses one
};
