// Mask: a grid of coverage values 0..1, the form text takes between the font
// rasteriser and the canvas, with the two operations the text styles need
// (grow for outlines, blur for glows).
// Depends on: the standard library.
#pragma once

#include <cstddef>
#include <vector>

namespace datagen {

class Mask {
public:
    Mask(int width, int height);

    int width() const { return w; }
    int height() const { return h; }
    float at(int x, int y) const { return v[size_t(y) * w + x]; }
    // Adds coverage (saturating at 1).
    void add(int x, int y, float coverage);

    // Each value becomes the largest within a disc of `radius` pixels.
    Mask grown(float radius) const;
    // Three box-blur passes of `radius`, close to a Gaussian.
    Mask blurred(int radius) const;

private:
    int w, h;
    std::vector<float> v;
};

}  // namespace datagen
