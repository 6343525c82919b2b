// The device redraws only the tiles that can differ from the frame shown
// before; here each case's frames are drawn that way and again with the full
// redraw switch on, and every captured frame must match bit for bit. Each
// case changes one thing a tile's check must notice, and the last frame of a
// case must differ from the one before it, so a skipped tile shows.
#include "graphics_fixture.h"

#include "framework/graphics/orvSprite.h"

#include <functional>
#include <memory>
#include <thread>

namespace {

struct Quad {
    float x = 0, y = 0, size = 256;
    D3DCOLOR corner = 0xFFFFFFFF;  // the colour of the bottom-right vertex
    float angle = 0;
};

// A strip of four vertices with the sprite's own per-draw states.
void drawQuad(const orvSprite& sprite, const Quad& q)
{
    const float s = std::sin(q.angle), c = std::cos(q.angle), half = q.size / 2;
    struct Vertex {
        float x, y, z, rhw;
        D3DCOLOR diffuse;
        float u, v;
    } vertices[4];
    for (int i = 0; i < 4; ++i) {
        const float dx = (i % 2 ? half : -half), dy = (i / 2 ? half : -half);
        vertices[i] = {
            q.x + half + dx * c - dy * s, q.y + half + dx * s + dy * c, 0, 1, i == 3 ? q.corner : 0xFFFFFFFFu,
            i % 2 ? 1.0f : 0.0f,          i / 2 ? 1.0f : 0.0f};
    }
    Device->SetRenderState(D3DRS_SRCBLEND, D3DBLEND_SRCALPHA);
    Device->SetRenderState(D3DRS_DESTBLEND, D3DBLEND_INVSRCALPHA);
    Device->SetTexture(0, sprite.texture);
    Device->SetFVF(D3DFVF_XYZRHW | D3DFVF_DIFFUSE | D3DFVF_TEX1);
    Device->DrawPrimitiveUP(D3DPT_TRIANGLESTRIP, 2, vertices, sizeof(Vertex));
}

class DamageTracking : public GraphicsTest {
protected:
    void SetUp() override
    {
        GraphicsTest::SetUp();
        board = std::make_unique<orvSprite>(writeTestPng("damage_board.png", noiseImage(256, 256, 3, true)).c_str());
        spot = std::make_unique<orvSprite>(writeTestPng("damage_spot.png", noiseImage(64, 64, 5, false)).c_str());
    }
    void TearDown() override
    {
        board.reset();
        spot.reset();
        reloaded.reset();
        GraphicsTest::TearDown();
    }

    // The file "damage_reloaded.png" drawn from the noise of seed, loaded afresh.
    void reload(uint32_t seed)
    {
        reloaded.reset();
        reloaded =
            std::make_unique<orvSprite>(writeTestPng("damage_reloaded.png", noiseImage(64, 64, seed, false)).c_str());
    }

    std::unique_ptr<orvSprite> board, spot, reloaded;
};

struct Step {
    bool drawn;
    std::function<void()> draw;
};

TEST_F(DamageTracking, EveryFrameEqualsAFullRedraw)
{
    auto both = [this](Quad first, Quad second) {
        return std::vector<Step>{{true, [=, this] { drawQuad(*board, first); }},
                                 {true, [=, this] { drawQuad(*board, second); }}};
    };
    auto setMagnify = [](DWORD filter) { Device->SetSamplerState(0, D3DSAMP_MAGFILTER, filter); };
    const Quad big{100, 100, 400};
    const struct {
        const char* name;
        std::vector<Step> frames;
    } cases[] =
        {
            {"a draw moved by a quarter pixel", both({100, 100, 300}, {100.25f, 100, 300})},
            {"a turned draw turned a little more",
             both({300, 200, 256, 0xFFFFFFFF, 0.5f}, {300, 200, 256, 0xFFFFFFFF, 0.501f})},
            {"one vertex colour alone", both({40, 40}, {40, 40, 256, 0xFF4080C0})},
            {"the filter alone",
             {{true, [&] { drawQuad(*board, big); }},
              {true,
               [&] {
        setMagnify(D3DTEXF_POINT);
        drawQuad(*board, big);
        setMagnify(D3DTEXF_LINEAR);
               }}}},
            {"blending alone",
             {{true,
               [&] {
        drawQuad(*spot, {600, 300, 64});
               }},
              {true,
               [&] {
        Device->SetRenderState(D3DRS_ALPHABLENDENABLE, FALSE);
        drawQuad(*spot, {600, 300, 64});
        Device->SetRenderState(D3DRS_ALPHABLENDENABLE, TRUE);
               }}}},
        {"a texture's contents alone (released and loaded again from a changed file)",
         {{true,
           [&] {
        reload(11);
        drawQuad(*reloaded, {700, 700, 64});
           }},
          {true,
           [&] {
        reload(12);
        drawQuad(*reloaded, {700, 700, 64});
           }}}},
        {"two overlapping draws swapped",
         {{true,
           [&] {
        drawQuad(*board, {0, 0});
        drawQuad(*spot, {200, 200, 128});
           }},
          {true,
           [&] {
        drawQuad(*spot, {200, 200, 128});
        drawQuad(*board, {0, 0});
           }}}},
        {"a draw gone",
         {{true,
           [&] {
        drawQuad(*board, {0, 0});
        drawQuad(*spot, {1000, 900, 64});
           }},
          {true,
           [&] {
        drawQuad(*board, {0, 0});
           }}}},
        {"changes made while drawing was off",
         {{true,
           [&] {
        drawQuad(*spot, {10, 10, 64});
           }},
          {false,
           [&] {
        drawQuad(*spot, {900, 500, 64});
           }},
         {false,
          [&] {
        drawQuad(*spot, {900, 500, 64});
          }},
         {true,
          [&] {
        drawQuad(*spot, {900, 500, 64});
          }}}},
        };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<std::vector<uint32_t>> drawn[2];
        for (int full = 0; full < 2; ++full) {
            testmode::setFullRedraw(full == 1);
            for (const Step& step : c.frames) {
                testmode::setDrawing(step.drawn);
                frame(step.draw);
                testmode::setDrawing(true);
                if (step.drawn) drawn[full].push_back(capturedPixels());
            }
        }
        testmode::setFullRedraw(false);
        ASSERT_EQ(drawn[0].size(), drawn[1].size());
        for (size_t i = 0; i < drawn[0].size(); ++i) EXPECT_TRUE(drawn[0][i] == drawn[1][i]) << "drawn frame " << i;
        EXPECT_FALSE(drawn[1].back() == drawn[1][drawn[1].size() - 2]) << "the change shows nowhere";
    }
}

// A frame whose damage covers most of the target is shared with the device's
// drawing helper: one thread for the device's life, asked for once. Where
// the machine gives none, the device draws it all itself, and every frame is
// still the one a full redraw gives.
TEST_F(DamageTracking, LargeDamageIsDrawnAlikeWithOneHelperOrNone)
{
    const int asksPerDevice = std::thread::hardware_concurrency() >= 2 ? 1 : 0;
    for (bool refused : {true, false}) {
        SCOPED_TRACE(refused ? "threads refused" : "threads given");
        board.reset();
        spot.reset();
        orvGraphics::Shutdown();
        testmode::refuseLayerThreads(refused);
        ASSERT_TRUE(orvGraphics::Initialize(window));
        board = std::make_unique<orvSprite>(writeTestPng("damage_board.png", noiseImage(256, 256, 3, true)).c_str());
        const int asked = testmode::layerThreadsAsked();
        std::vector<std::vector<uint32_t>> drawn[2];
        for (int full = 0; full < 2; ++full) {
            testmode::setFullRedraw(full == 1);
            for (int i = 0; i < 5; ++i) {
                frame([&] { drawQuad(*board, {200, 100, 800, 0xFF80C0FF, 0.05f * i}); });
                drawn[full].push_back(capturedPixels());
            }
        }
        testmode::setFullRedraw(false);
        EXPECT_EQ(testmode::layerThreadsAsked() - asked, asksPerDevice);
        for (size_t i = 0; i < drawn[0].size(); ++i) EXPECT_TRUE(drawn[0][i] == drawn[1][i]) << "drawn frame " << i;
    }
}

}  // namespace
