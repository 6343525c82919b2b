// picture_scaler.h — the back buffer scaled into its placement on a screen
// area of another size (wherever the game's Present puts it), filled by
// bilinear filtering with one mapping for the whole picture. Each destination
// pixel reads at most two source columns and two source rows, fixed by its
// position alone, so scaling only the destination pixels that read a
// damaged source rectangle gives exactly what scaling the whole frame gives.
#pragma once

#include <cstdint>
#include <vector>

namespace layer::host {

// A rectangle of pixels, right and bottom exclusive.
struct PictureBox {
    int left = 0, top = 0, right = 0, bottom = 0;

    bool empty() const { return left >= right || top >= bottom; }
    bool operator==(const PictureBox&) const = default;
};

class PictureScaler {
public:
    // The mapping of a pictureWidth × pictureHeight picture onto placement.
    void prepare(int pictureWidth, int pictureHeight, const PictureBox& placement);
    bool prepared(int pictureWidth, int pictureHeight, const PictureBox& placement) const;
    const PictureBox& placement() const { return placement_; }
    // The destination pixels that read any pixel of the picture's box.
    PictureBox reach(const PictureBox& source) const;
    // Fills the destination pixels of box (within the placement) from the
    // picture; destination holds rows of pitch pixels, 0x??RRGGBB, and its
    // pixel (0, 0) is box's top-left corner.
    void scale(const uint32_t* picture, const PictureBox& box, uint32_t* destination, int pitch) const;

private:
    struct Tap {
        int first;
        int second;
        uint32_t weight;  // of the second, in 1/256
    };
    static std::vector<Tap> taps(int source, int destination);
    static void span(const std::vector<Tap>& taps, int origin, int from, int to, int sourceLimit, int& first,
                     int& last);

    int pictureWidth_ = 0;
    int pictureHeight_ = 0;
    PictureBox placement_;
    std::vector<Tap> columns_;
    std::vector<Tap> rows_;
};

}  // namespace layer::host
