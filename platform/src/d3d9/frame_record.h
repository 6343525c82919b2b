// frame_record.h — what a frame asks the device for, rasterised only when the
// frame is presented: every target clear and every rectangle or triangle to
// draw, with its vertices, its states and the contents of its texture. The
// record of the frame the back buffer shows is kept beside it. The target is
// cut into tiles of 32 × 32 pixels; a tile is rasterised again only when the
// items touching it (in order, compared field by field, texture contents by
// their store's id) differ from those of the shown frame, or when its
// contents are not wholly the frame's own (its first item is not a clear
// covering it). Damaged tiles are merged into rectangles and every item
// touching a rectangle is drawn within it; the rasteriser gives the same
// pixel whatever part of a draw it is asked for, so the picture is the one a
// full redraw gives, bit for bit. A large damage is shared with the record's
// drawing helper, one thread for the record's life (none where the host
// gives none: the record then draws it all on the caller's thread).
#pragma once

#include "d3d9/drawing_helper.h"
#include "d3d9/raster.h"
#include "d3d9/texture.h"

#include <array>
#include <chrono>
#include <cstdint>
#include <memory>
#include <vector>

namespace layer::d3d {

// True while a test or benchmark asks every frame to be drawn whole.
bool fullRedraw();
void setFullRedraw(bool on);

// Frames that reached the screen (or the capture), counted on the main thread.
struct PresentedFrames {
    int count = 0;
    std::chrono::steady_clock::time_point first;
};
void notePresented();
PresentedFrames presentedFrames();

struct FrameItem {
    enum class Kind : uint8_t { Clear, Rectangle, Triangle };

    Kind kind = Kind::Clear;
    PixelBox box;                            // the pixels it can touch, within its clip
    uint32_t colour = 0;                     // a clear's colour
    std::array<SpriteVertex, 4> vertices{};  // a triangle uses the first three
    RasterState state;
    std::shared_ptr<const TexelStore> texels;  // null: opaque white
    uint64_t digest = 0;

    bool sameAs(const FrameItem& other) const;
};

class FrameRecord {
public:
    static constexpr int TileSize = 32;

    FrameRecord() = default;
    FrameRecord(const FrameRecord&) = delete;
    FrameRecord& operator=(const FrameRecord&) = delete;
    ~FrameRecord();
    // The record that finished a frame last, if it still exists.
    static const FrameRecord* last();

    void clear(const PixelBox& area, uint32_t colour);
    void drawRectangle(const RasterState& state, std::shared_ptr<const TexelStore> texels, const SpriteVertex* v);
    void drawTriangle(const RasterState& state, std::shared_ptr<const TexelStore> texels, const SpriteVertex& a,
                      const SpriteVertex& b, const SpriteVertex& c);

    // Brings the target up to the recorded frame, which becomes the shown
    // one, and starts an empty record. fullRedraw draws every item whole, in
    // order, over the whole target.
    void finish(const RenderTarget& target, bool fullRedraw);
    // Drops the recorded items unrasterised: the target still shows the last
    // finished frame, and the next frame is compared with that one.
    void discard();
    // The target's contents are no longer those of the shown frame (a new
    // back buffer): the next finish rasterises every tile it touches.
    void forgetShown();
    // The rectangles of the target that the last finish rasterised.
    const std::vector<PixelBox>& damage() const { return damage_; }
    // The part of each item of the last finished frame inside its damage.
    std::vector<PixelBox> drawnInDamage() const;

private:
    struct TileIndex {
        int columns = 0;
        int rows = 0;
        std::vector<uint32_t> start;  // columns × rows + 1 offsets into items
        std::vector<uint32_t> items;  // per tile, the indices of the items touching it, in order
    };

    void add(FrameItem item);
    void indexTiles(const std::vector<FrameItem>& items, int width, int height, TileIndex& index) const;
    bool tileUnchanged(int tile, const PixelBox& area) const;
    void collectDamage(const RenderTarget& target);
    void rasterise(const RenderTarget& target, const std::vector<PixelBox>& areas, Rasteriser& rasteriser) const;
    void rasteriseDamage(const RenderTarget& target);

    std::vector<FrameItem> items_;
    std::vector<FrameItem> shownItems_;
    TileIndex tiles_;
    TileIndex shownTiles_;
    bool shownKnown_ = false;
    std::vector<PixelBox> damage_;
    std::array<Rasteriser, 2> rasterisers_;
    DrawingHelper helper_;  // last: its thread ends before what it draws with goes
};

}  // namespace layer::d3d
