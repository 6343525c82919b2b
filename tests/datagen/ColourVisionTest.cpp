// The five colours must stay apart for players without full colour vision:
// each block is viewed as a deuteranope and a protanope would see it
// (Viénot, Brettel and Mollon's single-matrix simulation in linear RGB), and
// the bright symbol shape found in that view must differ for every pair.
#include <gtest/gtest.h>

#include <array>
#include <cmath>

#include "DecodedImage.h"

namespace {

using Matrix = std::array<std::array<float, 3>, 3>;

const Matrix kProtanopia = {{{0.11238f, 0.88762f, 0.0f}, {0.11238f, 0.88762f, 0.0f}, {0.00401f, -0.00401f, 1.0f}}};
const Matrix kDeuteranopia = {{{0.29275f, 0.70725f, 0.0f}, {0.29275f, 0.70725f, 0.0f}, {-0.02234f, 0.02234f, 1.0f}}};

float toLinear(uint8_t v)
{
    float c = float(v) / 255.0f;
    return c <= 0.04045f ? c / 12.92f : std::pow((c + 0.055f) / 1.055f, 2.4f);
}

// Luminance of each pixel of the piece's central area as the simulated
// viewer sees it, alpha-composited over the black screen.
std::vector<float> simulatedLuminance(const DecodedImage& strip, int piece, const Matrix& m)
{
    std::vector<float> lum;
    for (int y = 40; y < 216; ++y)
        for (int x = 40; x < 216; ++x) {
            const uint8_t* p = strip.at(256 * piece + x, y);
            float a = float(p[3]) / 255.0f, rgb[3] = {toLinear(p[0]), toLinear(p[1]), toLinear(p[2])}, seen[3];
            for (int i = 0; i < 3; ++i) seen[i] = (m[i][0] * rgb[0] + m[i][1] * rgb[1] + m[i][2] * rgb[2]) * a;
            lum.push_back(0.2126f * seen[0] + 0.7152f * seen[1] + 0.0722f * seen[2]);
        }
    return lum;
}

// Otsu's threshold splits the light symbol from the block body.
std::vector<bool> symbolMask(const std::vector<float>& lum)
{
    std::array<int, 256> histogram{};
    for (float v : lum) ++histogram[size_t(std::clamp(v, 0.0f, 1.0f) * 255.0f)];
    double total = double(lum.size()), sumAll = 0;
    for (int i = 0; i < 256; ++i) sumAll += i * histogram[size_t(i)];
    double sumBelow = 0, countBelow = 0, bestSpread = -1;
    int threshold = 128;
    for (int t = 0; t < 256; ++t) {
        countBelow += histogram[size_t(t)];
        sumBelow += t * histogram[size_t(t)];
        double countAbove = total - countBelow;
        if (countBelow == 0 || countAbove == 0) continue;
        double meanBelow = sumBelow / countBelow, meanAbove = (sumAll - sumBelow) / countAbove;
        double spread = countBelow * countAbove * (meanBelow - meanAbove) * (meanBelow - meanAbove);
        if (spread > bestSpread) bestSpread = spread, threshold = t;
    }
    std::vector<bool> mask;
    for (float v : lum) mask.push_back(std::clamp(v, 0.0f, 1.0f) * 255.0f > float(threshold));
    return mask;
}

double overlap(const std::vector<bool>& a, const std::vector<bool>& b)
{
    int both = 0, either = 0;
    for (size_t i = 0; i < a.size(); ++i) both += a[i] && b[i], either += a[i] || b[i];
    return either == 0 ? 1.0 : double(both) / double(either);
}

TEST(ColourVision, EveryPairOfPiecesDiffersByShapeForRedGreenBlindViewers)
{
    DecodedImage strip = decodePng("DATA/PuzzleField/peace.png");
    ASSERT_TRUE(strip.loaded);
    for (const auto& [name, matrix] :
         {std::pair{"deuteranopia", kDeuteranopia}, std::pair{"protanopia", kProtanopia}}) {
        SCOPED_TRACE(name);
        std::vector<std::vector<bool>> masks;
        for (int piece = 0; piece < 6; ++piece) {
            masks.push_back(symbolMask(simulatedLuminance(strip, piece, matrix)));
            int lit = 0;
            for (bool b : masks.back()) lit += b;
            EXPECT_GT(lit, 176 * 176 / 20) << "piece " << piece + 1 << " shows no symbol";
        }
        for (size_t a = 0; a < masks.size(); ++a)
            for (size_t b = a + 1; b < masks.size(); ++b)
                EXPECT_LT(overlap(masks[a], masks[b]), 0.7)
                    << "pieces " << a + 1 << " and " << b + 1 << " share a shape";
    }
}

}  // namespace
