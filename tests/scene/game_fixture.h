// game_fixture.h — the whole game started in test mode: the real window,
// InitSystems and ShutdownSystems, the virtual clock stepped one tick at a
// time, the virtual audio device, seeded engines, and the drawn frame read
// back from the device call log as a list of quads in drawing order.
// Shared by the scene tests and the golden-frame test.
#pragma once

#include "app/FrameClock.h"
#include "app/GameWindow.h"
#include "app/SaveFolders.h"
#include "app/Settings.h"
#include "app/Scene.h"
#include "app/Systems.h"
#include "app/WinMain.h"
#include "app/sceneMain.h"
#include "framework/sound/MusicStream.h"
#include "game/PuzzleField.h"

#include "platform/testing.h"
#include "support/scratch_folder.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

// One textured quad as the device received it: the four vertices in strip
// order (top-left, top-right, bottom-left, bottom-right before any turn).
struct DrawnQuad {
    float x[4];
    float y[4];
    float u0, v0;

    // Size and centre hold for turned quads too; the sprite places its right
    // and bottom edges half a pixel inside.
    float width() const { return std::hypot(x[1] - x[0], y[1] - y[0]) + 0.5f; }
    float height() const { return std::hypot(x[2] - x[0], y[2] - y[0]) + 0.5f; }
    float centreX() const { return (x[0] + x[1] + x[2] + x[3]) / 4 + 0.25f; }
    float centreY() const { return (y[0] + y[1] + y[2] + y[3]) / 4 + 0.25f; }
    float angle() const { return std::atan2(y[1] - y[0], x[1] - x[0]); }
    // The source texel of the top-left corner in a texture of the given size.
    int sourceX(unsigned textureWidth) const { return static_cast<int>(std::lround(u0 * textureWidth - 0.5f)); }
    int sourceY(unsigned textureHeight) const { return static_cast<int>(std::lround(v0 * textureHeight - 0.5f)); }
};

inline std::vector<DrawnQuad> quadsInCallLog()
{
    std::vector<DrawnQuad> quads;
    for (const std::string& call : testmode::calls()) {
        if (call.rfind("DrawPrimitiveUP(", 0) != 0) continue;
        DrawnQuad q{};
        float z, rhw, u, v;
        unsigned diffuse;
        size_t at = call.find('(', 16);
        for (int i = 0; i < 4 && at != std::string::npos; ++i) {
            std::sscanf(call.c_str() + at, "(%f %f %f %f 0x%x %f %f)", &q.x[i], &q.y[i], &z, &rhw, &diffuse, &u, &v);
            if (i == 0) {
                q.u0 = u;
                q.v0 = v;
            }
            at = call.find('(', at + 1);
        }
        quads.push_back(q);
    }
    return quads;
}

// The quads of one frame that come after the blocks, in drawing order.
struct FrameLayout {
    static constexpr int Count = 17;
    enum {
        Window,
        Status,
        Arrow,
        ColourChange,
        Score0,
        Time0 = Score0 + 6,
        Chain0 = Time0 + 2,
        Banner = Chain0 + 2,
        Pointer,
        Spinner,
    };
};

class GameTest : public ::testing::Test {
protected:
    static constexpr uint32_t FieldSeed = 20260;
    static constexpr uint32_t SceneSeed = 4242;

    void SetUp() override
    {
        testmode::enable();
        testmode::reset();
        testmode::resetGraphics();
        testmode::enableAudioDevice(true);
        testmode::clearSoundCalls();
        stopAllStreams = false;
        fieldRandom.seed(FieldSeed);
        sceneRandom.seed(SceneSeed);
        // Every test starts with an empty table in a scratch folder, never
        // the home folder, and dates from the virtual clock.
        saveFolders.where = SaveFolders::Where::Given;
        saveFolders.given = saveFolder().string();
        testmode::useVirtualDate();
        window = CreateMainWindow(GetModuleHandleA(nullptr), SW_SHOWDEFAULT);
        ASSERT_NE(window, nullptr);
        InitSystems(window);
        ASSERT_NE(sceneManager, nullptr);
        ASSERT_NE(sceneManager->scene, nullptr);
        // Away from the board, so that no click lands by accident.
        testmode::setMouse(1150, 950);
    }

    void TearDown() override
    {
        ShutdownSystems();
        // The stopped track belonged to its thread, which has freed it.
        currentMusic = nullptr;
        musicPlaying = false;
        if (window) DestroyWindow(window);
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        }
        testmode::enableAudioDevice(false);
    }

    const std::filesystem::path& saveFolder() const { return saves.path(); }

    sceneMain& scene() { return *static_cast<sceneMain*>(sceneManager->scene); }
    PuzzleField& field() { return *scene().field; }

    // Moves the virtual clock to the moment the next tick is due.
    void clockToNextTick() { testmode::setClock((sceneManager->nextTime + FramePeriod + 9) / 10); }

    // One logic step without drawing.
    void tick()
    {
        clockToNextTick();
        ASSERT_TRUE(Tick());
    }
    void ticks(int count)
    {
        for (int i = 0; i < count; ++i) tick();
    }
    // One tick through the message loop, so that posted keys arrive first.
    void loopTick()
    {
        clockToNextTick();
        const unsigned int before = sceneManager->nextTime;
        for (int pass = 0; pass < 100 && sceneManager->nextTime == before; ++pass) ASSERT_TRUE(MessageLoopPass());
    }

    // The message loop as the game runs it, waits included, for `ms` of the
    // virtual clock.
    static void runLoopFor(uint32_t ms)
    {
        const uint32_t end = testmode::clockMs() + ms;
        while (static_cast<int32_t>(testmode::clockMs() - end) < 0) ASSERT_TRUE(MessageLoopPass());
    }

    // The settings file once a write the loop has already started has
    // landed (it runs on a thread of its own): waits up to 5 s of real time,
    // without running the loop, for `ready` to hold; the last read otherwise.
    template <typename Ready> static Settings settingsOnDisk(Ready ready)
    {
        Settings kept;
        for (int i = 0; i < 500; ++i) {
            kept = Settings();
            kept.load();
            if (ready(kept)) break;
            Sleep(10);
        }
        return kept;
    }

    // One tick through the real message loop, drawn; returns the frame's quads.
    std::vector<DrawnQuad> drawnTick()
    {
        clockToNextTick();
        testmode::clearCalls();
        const unsigned int before = sceneManager->nextTime;
        for (int pass = 0; pass < 100 && sceneManager->nextTime == before; ++pass) EXPECT_TRUE(MessageLoopPass());
        EXPECT_NE(sceneManager->nextTime, before) << "no tick ran";
        return quadsInCallLog();
    }

    // The quads after the blocks; empty (and a failure) when there are fewer.
    // `betweenRounds` quads of the best scores, drawn between the banner and
    // the pointer while waiting, are left out.
    static std::vector<DrawnQuad> tail(const std::vector<DrawnQuad>& quads, size_t betweenRounds = 0)
    {
        if (quads.size() < FrameLayout::Count + betweenRounds) {
            ADD_FAILURE() << "only " << quads.size() << " quads drawn";
            return {};
        }
        const auto pointer = quads.end() - 2;
        std::vector<DrawnQuad> t(pointer - betweenRounds - (FrameLayout::Count - 2), pointer - betweenRounds);
        t.insert(t.end(), pointer, quads.end());
        return t;
    }

    static void pressStart(bool down) { testmode::setKey(VK_SPACE, down); }

    // Rows top to bottom, one digit per column ('0' empty, '6' wild).
    void setBoard(const std::array<const char*, 4>& rows)
    {
        field().wildPresent = false;
        for (int r = 0; r < 4; ++r)
            for (int c = 0; c < 4; ++c) {
                const int v = rows[r][c] - '0';
                field().board[c * 4 + r] = v;
                field().shownBoard[c * 4 + r] = v;
                field().wildPresent = field().wildPresent || v == PuzzleField::WILD;
            }
    }

    HWND window = nullptr;
    ScratchFolder saves{"saves"};
};
