// Canvas: a float RGBA picture (premultiplied alpha) that the art is painted
// on, shape by shape, with "over" compositing. Shapes come as signed distance
// functions (Shapes.h), so every edge is anti-aliased at any scale.
// Limits: single-threaded per canvas; colours are plain sRGB values 0..1.
// Depends on: nothing but the standard library.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

namespace datagen {

struct Rgba {
    float r = 0, g = 0, b = 0, a = 1;
};

Rgba mix(const Rgba& a, const Rgba& b, float t);
Rgba withAlpha(const Rgba& c, float a);
Rgba hsv(float hue, float saturation, float value);  // hue in turns 0..1

// Signed distance in pixels from (x, y) to a shape's edge; negative inside.
using Sdf = std::function<float(float x, float y)>;
// Colour (straight alpha) at a point, for gradients.
using Paint = std::function<Rgba(float x, float y)>;

Paint solid(const Rgba& c);
Paint verticalGradient(float y0, const Rgba& c0, float y1, const Rgba& c1);

struct Box {
    int x0, y0, x1, y1;  // pixel rectangle, x1 and y1 exclusive
};

class Mask;

class Canvas {
public:
    Canvas(int width, int height);

    int width() const { return w; }
    int height() const { return h; }

    // Paints the inside of the shape within the box, edges anti-aliased.
    void fill(const Sdf& shape, const Paint& paint, Box area);
    // Paints a soft halo around the shape: full strength at the edge, fading
    // to nothing at `radius` pixels outside it; nothing inside.
    void glow(const Sdf& shape, const Rgba& colour, float radius, Box area);
    // Paints a coverage mask placed with its top-left at (x, y).
    void fillMask(const Mask& mask, int x, int y, const Paint& paint);
    // Replaces the pixels at (x, y) with those of `from` within `area`.
    void copy(const Canvas& from, Box area, int x, int y);

    Rgba at(int x, int y) const;  // straight alpha
    // 8-bit straight RGBA rows; fully transparent texels take the colour of
    // their nearest visible neighbours so that filtered edges keep no dark fringe.
    std::vector<uint8_t> toRgba8() const;

private:
    void blend(int x, int y, const Rgba& c, float coverage);

    int w, h;
    std::vector<float> px;  // premultiplied r, g, b, a per pixel
};

Box fullBox(const Canvas& c);

}  // namespace datagen
