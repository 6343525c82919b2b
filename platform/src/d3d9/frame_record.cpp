// frame_record.cpp — recording a frame's items, finding the tiles that can
// differ from the shown frame, and rasterising them (on two threads when
// they cover an eighth of the target or more).
#include "d3d9/frame_record.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <thread>

namespace layer::d3d {

namespace {

// A damage of at least this share of the target is split between two threads.
constexpr int SharedDamageDivisor = 8;

// A texture that reads as opaque white, standing in for an empty stage.
const uint32_t whiteTexel = 0xFFFFFFFFu;
const TexelRun whiteRun{0, 1, RunKind::Opaque};
const uint32_t whiteRowRuns[2] = {0, 1};

TexelImage whiteImage()
{
    TexelImage image;
    image.texels = &whiteTexel;
    image.width = image.height = 1;
    image.runs = &whiteRun;
    image.rowRuns = whiteRowRuns;
    return image;
}

uint64_t mix(uint64_t digest, uint64_t value)
{
    digest ^= value + 0x9E3779B97F4A7C15u + (digest << 6) + (digest >> 2);
    return digest;
}

uint64_t bitsOf(float value)
{
    uint32_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

uint64_t textureId(const FrameItem& item) { return item.texels ? item.texels->id() : 0; }

uint64_t digestOf(const FrameItem& item)
{
    const RasterState& s = item.state;
    uint64_t digest = static_cast<uint64_t>(item.kind);
    for (int value : {item.box.left, item.box.top, item.box.right, item.box.bottom, s.clip.left, s.clip.top,
                      s.clip.right, s.clip.bottom})
        digest = mix(digest, static_cast<uint32_t>(value));
    digest = mix(digest, item.colour);
    digest = mix(digest, (s.linearMagnify ? 1u : 0u) | (s.linearMinify ? 2u : 0u) | (s.alphaBlend ? 4u : 0u) |
                             static_cast<uint32_t>(s.colour) << 3 | static_cast<uint32_t>(s.alpha) << 5);
    digest = mix(digest, textureId(item));
    for (const SpriteVertex& v : item.vertices)
        for (float f : {v.x, v.y, v.z, v.rhw, v.u, v.v}) digest = mix(digest, bitsOf(f) | uint64_t{v.diffuse} << 32);
    return digest;
}

// The pixels a draw can touch: its vertices' bounds widened by a pixel for
// the snapping to 1/256, within the clip. Empty when a vertex is out of the
// rasteriser's range, which then draws nothing.
PixelBox drawBox(const RasterState& state, const SpriteVertex* v, int count)
{
    float left = v[0].x, right = v[0].x, top = v[0].y, bottom = v[0].y;
    for (int i = 0; i < count; ++i) {
        if (!std::isfinite(v[i].x) || !std::isfinite(v[i].y) || std::fabs(v[i].x) > 32768.0f ||
            std::fabs(v[i].y) > 32768.0f)
            return {};
        left = std::min(left, v[i].x);
        right = std::max(right, v[i].x);
        top = std::min(top, v[i].y);
        bottom = std::max(bottom, v[i].y);
    }
    PixelBox box{static_cast<int>(std::floor(left)) - 1, static_cast<int>(std::floor(top)) - 1,
                 static_cast<int>(std::ceil(right)) + 2, static_cast<int>(std::ceil(bottom)) + 2};
    return box.intersect(state.clip);
}

void fill(const RenderTarget& target, const PixelBox& box, uint32_t colour)
{
    // Whole rows are one contiguous fill; a colour of four equal bytes is a memset.
    bool fullRows = box.left == 0 && box.right == target.width;
    int runs = fullRows ? 1 : box.bottom - box.top;
    size_t length =
        fullRows ? static_cast<size_t>(box.bottom - box.top) * target.width : static_cast<size_t>(box.right - box.left);
    bool bytewise = colour == (colour & 0xFFu) * 0x01010101u;
    for (int r = 0; r < runs; ++r) {
        uint32_t* start = target.pixels + static_cast<size_t>(box.top + r) * target.width + box.left;
        if (bytewise) std::memset(start, static_cast<int>(colour & 0xFFu), length * sizeof(uint32_t));
        else std::fill_n(start, length, colour);
    }
}

const FrameRecord* lastFinished = nullptr;

int64_t areaOf(const std::vector<PixelBox>& boxes)
{
    int64_t area = 0;
    for (const PixelBox& b : boxes) area += int64_t{b.right - b.left} * (b.bottom - b.top);
    return area;
}

}  // namespace

FrameRecord::~FrameRecord()
{
    if (lastFinished == this) lastFinished = nullptr;
}

const FrameRecord* FrameRecord::last() { return lastFinished; }

std::vector<PixelBox> FrameRecord::drawnInDamage() const
{
    std::vector<PixelBox> drawn;
    for (const FrameItem& item : shownItems_)
        for (const PixelBox& area : damage_)
            if (PixelBox part = item.box.intersect(area); !part.empty()) drawn.push_back(part);
    return drawn;
}

bool FrameItem::sameAs(const FrameItem& other) const
{
    const RasterState& s = state;
    const RasterState& o = other.state;
    return digest == other.digest && kind == other.kind && box == other.box && colour == other.colour &&
           std::memcmp(vertices.data(), other.vertices.data(), sizeof vertices) == 0 &&
           s.linearMagnify == o.linearMagnify && s.linearMinify == o.linearMinify && s.colour == o.colour &&
           s.alpha == o.alpha && s.alphaBlend == o.alphaBlend && s.clip == o.clip &&
           textureId(*this) == textureId(other);
}

void FrameRecord::add(FrameItem item)
{
    if (item.box.empty()) return;
    item.digest = digestOf(item);
    items_.push_back(std::move(item));
}

void FrameRecord::clear(const PixelBox& area, uint32_t colour)
{
    FrameItem item;
    item.kind = FrameItem::Kind::Clear;
    item.box = area;
    item.colour = colour;
    add(std::move(item));
}

void FrameRecord::drawRectangle(const RasterState& state, std::shared_ptr<const TexelStore> texels,
                                const SpriteVertex* v)
{
    FrameItem item;
    item.kind = FrameItem::Kind::Rectangle;
    item.box = drawBox(state, v, 4);
    std::copy(v, v + 4, item.vertices.begin());
    item.state = state;
    item.state.image = texels ? texels->image() : whiteImage();
    item.texels = std::move(texels);
    add(std::move(item));
}

void FrameRecord::drawTriangle(const RasterState& state, std::shared_ptr<const TexelStore> texels,
                               const SpriteVertex& a, const SpriteVertex& b, const SpriteVertex& c)
{
    FrameItem item;
    item.kind = FrameItem::Kind::Triangle;
    item.vertices = {a, b, c, SpriteVertex{}};
    item.box = drawBox(state, item.vertices.data(), 3);
    item.state = state;
    item.state.image = texels ? texels->image() : whiteImage();
    item.texels = std::move(texels);
    add(std::move(item));
}

void FrameRecord::indexTiles(const std::vector<FrameItem>& items, int width, int height, TileIndex& index) const
{
    index.columns = (width + TileSize - 1) / TileSize;
    index.rows = (height + TileSize - 1) / TileSize;
    const size_t tiles = static_cast<size_t>(index.columns) * index.rows;
    index.start.assign(tiles + 1, 0);
    const PixelBox whole{0, 0, width, height};
    auto eachTile = [&](const FrameItem& item, auto visit) {
        PixelBox box = item.box.intersect(whole);
        if (box.empty()) return;
        for (int row = box.top / TileSize; row <= (box.bottom - 1) / TileSize; ++row)
            for (int column = box.left / TileSize; column <= (box.right - 1) / TileSize; ++column)
                visit(static_cast<size_t>(row) * index.columns + column);
    };
    for (const FrameItem& item : items) eachTile(item, [&](size_t tile) { ++index.start[tile + 1]; });
    for (size_t tile = 0; tile < tiles; ++tile) index.start[tile + 1] += index.start[tile];
    index.items.resize(index.start[tiles]);
    std::vector<uint32_t> next(index.start.begin(), index.start.end() - 1);
    for (uint32_t i = 0; i < items.size(); ++i) eachTile(items[i], [&](size_t tile) { index.items[next[tile]++] = i; });
}

// True when the tile needs no drawing: nothing touches it, or the shown frame
// drew it from the same items over a clear of its own.
bool FrameRecord::tileUnchanged(int tile, const PixelBox& area) const
{
    const uint32_t first = tiles_.start[tile], end = tiles_.start[tile + 1];
    if (first == end) return true;
    if (!shownKnown_) return false;
    const FrameItem& opening = items_[tiles_.items[first]];
    if (opening.kind != FrameItem::Kind::Clear || opening.box.intersect(area) != area) return false;
    const uint32_t shownFirst = shownTiles_.start[tile], shownEnd = shownTiles_.start[tile + 1];
    if (shownEnd - shownFirst != end - first) return false;
    for (uint32_t k = 0; k < end - first; ++k)
        if (!items_[tiles_.items[first + k]].sameAs(shownItems_[shownTiles_.items[shownFirst + k]])) return false;
    return true;
}

// The damaged tiles as rectangles: runs of a tile row, merged downward with
// the run of the same columns in the row above.
void FrameRecord::collectDamage(const RenderTarget& target)
{
    damage_.clear();
    std::vector<size_t> open, stillOpen;
    std::vector<bool> damaged(tiles_.columns);
    for (int row = 0; row < tiles_.rows; ++row) {
        stillOpen.clear();
        const int top = row * TileSize, bottom = std::min(top + TileSize, target.height);
        for (int c = 0; c < tiles_.columns; ++c) {
            PixelBox area{c * TileSize, top, std::min((c + 1) * TileSize, target.width), bottom};
            damaged[c] = !tileUnchanged(row * tiles_.columns + c, area);
        }
        for (int column = 0; column < tiles_.columns;) {
            if (!damaged[column]) {
                ++column;
                continue;
            }
            const int from = column;
            while (column < tiles_.columns && damaged[column]) ++column;
            PixelBox run{from * TileSize, top, std::min(column * TileSize, target.width), bottom};
            auto above = std::find_if(open.begin(), open.end(), [&](size_t i) {
                return damage_[i].left == run.left && damage_[i].right == run.right;
            });
            if (above != open.end()) {
                damage_[*above].bottom = bottom;
                stillOpen.push_back(*above);
            } else {
                stillOpen.push_back(damage_.size());
                damage_.push_back(run);
            }
        }
        open.swap(stillOpen);
    }
}

void FrameRecord::rasterise(const RenderTarget& target, const std::vector<PixelBox>& areas,
                            Rasteriser& rasteriser) const
{
    for (const PixelBox& area : areas)
        for (const FrameItem& item : items_) {
            if (item.box.intersect(area).empty()) continue;
            switch (item.kind) {
            case FrameItem::Kind::Clear: fill(target, item.box.intersect(area), item.colour); break;
            case FrameItem::Kind::Rectangle:
                rasteriser.drawRectangle(target, item.state, item.vertices.data(), area);
                break;
            case FrameItem::Kind::Triangle:
                rasteriser.drawTriangle(target, item.state, item.vertices[0], item.vertices[1], item.vertices[2], area);
                break;
            }
        }
}

// A large damage is cut at the tile row that halves its area; the lower part
// goes to a second thread. The two parts share no pixel.
void FrameRecord::rasteriseDamage(const RenderTarget& target)
{
    const int64_t area = areaOf(damage_);
    if (!VT_LAYER_THREADS || area * SharedDamageDivisor < int64_t{target.width} * target.height ||
        std::thread::hardware_concurrency() < 2) {
        rasterise(target, damage_, rasterisers_[0]);
        return;
    }
    int cut = 0;
    for (int64_t above = 0; cut < target.height && above * 2 < area;) {
        cut = std::min(cut + TileSize, target.height);
        above = 0;
        for (const PixelBox& b : damage_)
            above += int64_t{b.right - b.left} * std::max(0, std::min(b.bottom, cut) - b.top);
    }
    std::vector<PixelBox> upper, lower;
    for (const PixelBox& b : damage_) {
        PixelBox top = b.intersect({0, 0, target.width, cut});
        PixelBox bottom = b.intersect({0, cut, target.width, target.height});
        if (!top.empty()) upper.push_back(top);
        if (!bottom.empty()) lower.push_back(bottom);
    }
    std::thread helper([&] { rasterise(target, lower, rasterisers_[1]); });
    rasterise(target, upper, rasterisers_[0]);
    helper.join();
}

void FrameRecord::finish(const RenderTarget& target, bool fullRedraw)
{
    indexTiles(items_, target.width, target.height, tiles_);
    if (shownTiles_.columns != tiles_.columns || shownTiles_.rows != tiles_.rows) shownKnown_ = false;
    if (fullRedraw) {
        damage_.assign(1, PixelBox{0, 0, target.width, target.height});
        rasterise(target, damage_, rasterisers_[0]);
    } else {
        collectDamage(target);
        rasteriseDamage(target);
    }
    shownItems_.swap(items_);
    std::swap(shownTiles_, tiles_);
    shownKnown_ = true;
    items_.clear();
    lastFinished = this;
}

void FrameRecord::discard()
{
    items_.clear();
    damage_.clear();
}

void FrameRecord::forgetShown()
{
    shownKnown_ = false;
    shownItems_.clear();
}

}  // namespace layer::d3d
