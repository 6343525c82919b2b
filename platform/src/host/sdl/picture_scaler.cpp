// picture_scaler.cpp — the per-column and per-row taps of the
// bilinear mapping (pixel centres mapped onto pixel centres, clamped at the
// picture's edges), and the filtering itself in 8-bit weights.
#include "host/sdl/picture_scaler.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace layer::host {

namespace {

uint32_t lerp(uint32_t a, uint32_t b, uint32_t weight)
{
    if (weight == 0) return a;
    const uint32_t keep = 256 - weight;
    const uint32_t redBlue = (((a & 0xFF00FFu) * keep + (b & 0xFF00FFu) * weight) >> 8) & 0xFF00FFu;
    const uint32_t green = (((a & 0x00FF00u) * keep + (b & 0x00FF00u) * weight) >> 8) & 0x00FF00u;
    return 0xFF000000u | redBlue | green;
}

}  // namespace

std::vector<PictureScaler::Tap> PictureScaler::taps(int source, int destination)
{
    std::vector<Tap> out(static_cast<size_t>(std::max(destination, 0)));
    const double ratio = static_cast<double>(source) / destination;
    for (int i = 0; i < destination; ++i) {
        double at = std::clamp((i + 0.5) * ratio - 0.5, 0.0, static_cast<double>(source - 1));
        int first = static_cast<int>(at);
        uint32_t weight = static_cast<uint32_t>(std::lround((at - first) * 256.0));
        if (weight == 256) {
            ++first;
            weight = 0;
        }
        out[i] = {first, std::min(first + 1, source - 1), weight};
    }
    return out;
}

void PictureScaler::prepare(int pictureWidth, int pictureHeight, const PictureBox& placement)
{
    pictureWidth_ = pictureWidth;
    pictureHeight_ = pictureHeight;
    placement_ = placement;
    columns_ = taps(pictureWidth, placement.right - placement.left);
    rows_ = taps(pictureHeight, placement.bottom - placement.top);
}

bool PictureScaler::prepared(int pictureWidth, int pictureHeight, const PictureBox& placement) const
{
    return pictureWidth == pictureWidth_ && pictureHeight == pictureHeight_ && placement == placement_;
}

// The destination positions [first, last] whose taps reach [from, to).
void PictureScaler::span(const std::vector<Tap>& taps, int origin, int from, int to, int sourceLimit, int& first,
                         int& last)
{
    from = std::max(from, 0);
    to = std::min(to, sourceLimit);
    first = static_cast<int>(taps.size());
    last = -1;
    for (int i = 0; i < static_cast<int>(taps.size()); ++i) {
        const Tap& t = taps[i];
        const bool reads = (t.first >= from && t.first < to) || (t.weight != 0 && t.second >= from && t.second < to);
        if (!reads) continue;
        first = std::min(first, i);
        last = i;
    }
    first += origin;
    last += origin;
}

PictureBox PictureScaler::reach(const PictureBox& source) const
{
    int left, right, top, bottom;
    span(columns_, placement_.left, source.left, source.right, pictureWidth_, left, right);
    span(rows_, placement_.top, source.top, source.bottom, pictureHeight_, top, bottom);
    PictureBox box{left, top, right + 1, bottom + 1};
    return box.empty() ? PictureBox{} : box;
}

void PictureScaler::scale(const uint32_t* picture, const PictureBox& box, uint32_t* destination, int pitch) const
{
    for (int y = box.top; y < box.bottom; ++y) {
        const Tap& row = rows_[y - placement_.top];
        const uint32_t* upper = picture + static_cast<size_t>(row.first) * pictureWidth_;
        const uint32_t* lower = picture + static_cast<size_t>(row.second) * pictureWidth_;
        uint32_t* out = destination + static_cast<size_t>(y - box.top) * pitch;
        for (int x = box.left; x < box.right; ++x) {
            const Tap& column = columns_[x - placement_.left];
            const uint32_t top = lerp(upper[column.first], upper[column.second], column.weight);
            const uint32_t bottom = lerp(lower[column.first], lower[column.second], column.weight);
            out[x - box.left] = lerp(top, bottom, row.weight);
        }
    }
}

}  // namespace layer::host
