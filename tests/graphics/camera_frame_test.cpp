// camera_frame_test.cpp — device creation with its fallbacks, the default
// state, the camera's matrices and viewport, and the frame bracket's Reset
// after a failed Present.
#include "graphics_fixture.h"

#include "framework/graphics/orvCamera.h"

#include <cmath>

namespace {

struct Vec {
    double x, y, z;
};
Vec sub(Vec a, Vec b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
Vec cross(Vec a, Vec b) { return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x}; }
double dot(Vec a, Vec b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
Vec unit(Vec a)
{
    double l = std::sqrt(dot(a, a));
    return {a.x / l, a.y / l, a.z / l};
}

// The textbook left-handed look-at matrix (row vectors).
void lookAtLH(double (&m)[4][4], Vec eye, Vec at)
{
    Vec z = unit(sub(at, eye)), x = unit(cross({0, 1, 0}, z)), y = cross(z, x);
    double rows[4][4] = {
        {x.x, y.x, z.x, 0}, {x.y, y.y, z.y, 0}, {x.z, y.z, z.z, 0}, {-dot(x, eye), -dot(y, eye), -dot(z, eye), 1}};
    std::copy(&rows[0][0], &rows[0][0] + 16, &m[0][0]);
}

void perspectiveFovLH(double (&m)[4][4], double fov, double aspect, double zn, double zf)
{
    double h = 1.0 / std::tan(fov / 2), w = h / aspect;
    double rows[4][4] = {{w, 0, 0, 0}, {0, h, 0, 0}, {0, 0, zf / (zf - zn), 1}, {0, 0, -zn * zf / (zf - zn), 0}};
    std::copy(&rows[0][0], &rows[0][0] + 16, &m[0][0]);
}

void expectMatrix(const D3DMATRIX& actual, const double (&expected)[4][4])
{
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c) EXPECT_NEAR(actual.m[r][c], expected[r][c], 1e-5) << r << "," << c;
}

}  // namespace

using CameraAndFrame = GraphicsTest;

TEST_F(CameraAndFrame, CameraMatricesAreTheStandardLeftHandedOnes)
{
    orvCamera camera;
    EXPECT_EQ(camera.viewport.Width, 1280u);
    EXPECT_EQ(camera.viewport.Height, 1024u);
    EXPECT_FLOAT_EQ(camera.aspect, 1.25f);
    const Vec cases[][2] = {{{0, 3, 5}, {0, 3, 0}}, {{1, 2, -3}, {4, -1, 2}}, {{-10, 0.5, 7}, {0, 0, 0}}};
    for (const auto& c : cases) {
        camera.eye = D3DXVECTOR3(static_cast<float>(c[0].x), static_cast<float>(c[0].y), static_cast<float>(c[0].z));
        camera.target = D3DXVECTOR3(static_cast<float>(c[1].x), static_cast<float>(c[1].y), static_cast<float>(c[1].z));
        camera.Activate();
        double view[4][4], projection[4][4];
        lookAtLH(view, c[0], c[1]);
        perspectiveFovLH(projection, M_PI / 4, 1.25, 0.1, 1000.0);
        expectMatrix(camera.view, view);
        expectMatrix(camera.projection, projection);
    }
    // The device receives the viewport, then projection, then view.
    std::vector<std::string> calls = testmode::calls();
    ASSERT_GE(calls.size(), 3u);
    EXPECT_EQ(calls[calls.size() - 3], "SetViewport(0, 0, 1280, 1024, 0, 1)");
    EXPECT_EQ(calls[calls.size() - 2].rfind("SetTransform(3, ", 0), 0u);
    EXPECT_EQ(calls[calls.size() - 1].rfind("SetTransform(2, ", 0), 0u);
}

TEST_F(CameraAndFrame, EyeOnTargetGivesZeroAxesAndZeroWidthKeepsTheViewport)
{
    orvCamera camera;
    camera.eye = D3DXVECTOR3(1, 2, 3);
    camera.target = D3DXVECTOR3(1, 2, 3);
    camera.viewport.Width = 0;
    testmode::clearCalls();
    camera.Activate();
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c) EXPECT_FALSE(std::isnan(camera.view.m[r][c]));
    EXPECT_EQ(camera.view._11, 0.0f);
    EXPECT_EQ(camera.view._33, 0.0f);
    EXPECT_EQ(camera.view._44, 1.0f);
    EXPECT_EQ(countCalls("SetViewport"), 0);
    EXPECT_EQ(countCalls("SetTransform"), 2);
}

TEST_F(CameraAndFrame, FailedPresentIsFollowedByExactlyOneReset)
{
    testmode::clearCalls();
    testmode::failPresents(1);
    orvGraphics::BeginFrame();
    orvGraphics::EndFrame();
    EXPECT_EQ(countCalls("Present"), 1);
    EXPECT_EQ(countCalls("Reset"), 1);
    orvGraphics::BeginFrame();
    orvGraphics::EndFrame();
    EXPECT_EQ(countCalls("Present"), 2);
    EXPECT_EQ(countCalls("Reset"), 1);
    EXPECT_EQ(testmode::presentCount(), 1);
}

TEST_F(CameraAndFrame, InitializeSetsTheDefaultStateInItsOrder)
{
    orvGraphics::Shutdown();
    testmode::clearCalls();
    ASSERT_TRUE(orvGraphics::Initialize(window));
    EXPECT_EQ(ScreenWidth, 1280);
    EXPECT_EQ(ScreenHeight, 1024);
    EXPECT_EQ(MainWindow, window);
    EXPECT_NE(LargeFont, nullptr);
    EXPECT_NE(SmallFont, nullptr);
    std::vector<std::string> states;
    for (const std::string& call : testmode::calls())
        if (call.rfind("SetRenderState", 0) == 0 || call.rfind("SetTextureStageState", 0) == 0 ||
            call.rfind("SetSamplerState", 0) == 0)
            states.push_back(call);
    std::vector<std::string> expected = {
        "SetRenderState(22, 3)",          "SetRenderState(8, 3)",          "SetRenderState(9, 2)",
        "SetRenderState(27, 1)",          "SetRenderState(15, 1)",         "SetRenderState(25, 8)",
        "SetRenderState(24, 0)",          "SetTextureStageState(0, 1, 4)", "SetTextureStageState(0, 2, 1)",
        "SetTextureStageState(0, 3, 2)",  "SetTextureStageState(0, 4, 4)", "SetTextureStageState(0, 5, 1)",
        "SetTextureStageState(0, 6, 2)",  "SetSamplerState(0, 7, 0)",      "SetSamplerState(0, 6, 2)",
        "SetSamplerState(0, 5, 2)",       "SetSamplerState(0, 1, 1)",      "SetSamplerState(0, 2, 1)",
        "SetRenderState(139, 538976288)", "SetRenderState(137, 1)",        "SetRenderState(7, 1)",
        "SetRenderState(161, 0)",         "SetRenderState(143, 1)",
    };
    EXPECT_EQ(states, expected);
    // The default camera: its viewport, then its matrices.
    EXPECT_EQ(countCalls("SetViewport(0, 0, 1280, 1024, 0, 1)"), 1);
    EXPECT_EQ(countCalls("SetTransform"), 2);
}

TEST_F(CameraAndFrame, DeviceCreationFallsBackInOrder)
{
    orvGraphics::Shutdown();
    testmode::GraphicsAdapter adapter;
    adapter.hardwareVertexProcessing = false;
    adapter.mixedVertexProcessing = false;
    testmode::setGraphicsAdapter(adapter);
    testmode::clearCalls();
    ASSERT_TRUE(orvGraphics::Initialize(window));
    EXPECT_EQ(
        callsStartingWith("CreateDevice"),
        (std::vector<std::string>{"CreateDevice(0, 1, 0x44)", "CreateDevice(0, 1, 0x84)", "CreateDevice(0, 1, 0x24)"}));
    orvGraphics::Shutdown();

    adapter = testmode::GraphicsAdapter{};
    adapter.hal = false;
    testmode::setGraphicsAdapter(adapter);
    testmode::clearCalls();
    ASSERT_TRUE(orvGraphics::Initialize(window));
    EXPECT_EQ(callsStartingWith("CreateDevice"), std::vector<std::string>{"CreateDevice(0, 2, 0x24)"});
    orvGraphics::Shutdown();

    adapter.reference = false;
    testmode::setGraphicsAdapter(adapter);
    EXPECT_FALSE(orvGraphics::Initialize(window));
    EXPECT_EQ(Device, nullptr);
    orvGraphics::Shutdown();
    orvGraphics::Shutdown();  // a second call does nothing

    // Shut-down: the two fonts give back their device references, the device
    // goes (and with it its reference to the Direct3D object), then Direct3D.
    testmode::setGraphicsAdapter(testmode::GraphicsAdapter{});
    ASSERT_TRUE(orvGraphics::Initialize(window));
    testmode::clearCalls();
    orvGraphics::Shutdown();
    EXPECT_EQ(callsStartingWith("Release"),
              (std::vector<std::string>{"Release(IDirect3DDevice9) = 2", "Release(IDirect3DDevice9) = 1",
                                        "Release(IDirect3DDevice9) = 0", "Release(IDirect3D9) = 1",
                                        "Release(IDirect3D9) = 0"}));
    ASSERT_TRUE(orvGraphics::Initialize(window));
}
