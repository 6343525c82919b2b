// The generated DATA as the game itself reads it: every effect WAV through
// the game's own RIFF reader, and both effect files through the layer's
// effect loader with the parameters the game looks up.
#include "app/GameWindow.h"
#include "framework/graphics/orvGraphics.h"
#include "framework/graphics/orvShader.h"
#include "framework/sound/WaveFile.h"

#include "platform/testing.h"

#include <gtest/gtest.h>

namespace {

TEST(GeneratedData, EveryEffectWaveLoadsThroughTheGamesReaderAsPcm)
{
    const char* const effects[] = {"DATA/Sound/SE/alarm.wav", "DATA/Sound/SE/meka_mi_radar01.wav",
                                   "DATA/Sound/SE/ta_ta_syupon01.wav", "DATA/Sound/SE/gasyan.wav",
                                   "DATA/Sound/SE/start.wav"};
    for (const char* path : effects) {
        WaveData wave{};
        ASSERT_TRUE(loadWave(path, wave)) << path;
        EXPECT_EQ(wave.format.wFormatTag, WAVE_FORMAT_PCM) << path;
        EXPECT_EQ(wave.format.wBitsPerSample, 16) << path;
        EXPECT_EQ(wave.format.nBlockAlign, wave.format.nChannels * 2) << path;
        // At least a tenth of a second of sound, in whole sample frames.
        EXPECT_GE(wave.size, wave.format.nAvgBytesPerSec / 10) << path;
        EXPECT_EQ(wave.size % wave.format.nBlockAlign, 0u) << path;
        GlobalFree(wave.data);
    }
}

TEST(GeneratedData, BothEffectFilesLoadWithTheParametersTheGameUses)
{
    testmode::enable();
    HWND window = CreateMainWindow(GetModuleHandleA(nullptr), SW_SHOWDEFAULT);
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(orvGraphics::Initialize(window));
    {
        orvShader lit("DATA\\SHADER\\3DEx.fx");
        orvShader flat("DATA\\SHADER\\2D.fx");
        for (orvShader* shader : {&lit, &flat}) {
            ASSERT_NE(shader->effect, nullptr);
            EXPECT_NE(shader->projectionParam, nullptr);
            EXPECT_NE(shader->textureParam, nullptr);
        }
        const float direction[3] = {0.6f, -0.6f, -0.3f};
        EXPECT_EQ(lit.effect->SetFloatArray("LightDir", direction, 3), S_OK);
        EXPECT_EQ(lit.effect->SetFloatArray("DirLightColor", direction, 3), S_OK);
    }
    orvGraphics::Shutdown();
    DestroyWindow(window);
}

}  // namespace
