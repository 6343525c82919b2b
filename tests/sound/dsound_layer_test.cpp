// Tests of the layer's DirectSound buffers where the game relies on them:
// notifications as the play cursor passes, the stop notification, Lock's two
// regions, and the formats and sizes a buffer refuses.
#include "sound/sound_test_support.h"

using namespace soundtest;

namespace {

constexpr DWORD Rate = 44100;

WAVEFORMATEX stereo16(DWORD rate = Rate)
{
    WAVEFORMATEX f{};
    f.wFormatTag = WAVE_FORMAT_PCM;
    f.nChannels = 2;
    f.nSamplesPerSec = rate;
    f.wBitsPerSample = 16;
    f.nBlockAlign = 4;
    f.nAvgBytesPerSec = rate * 4;
    return f;
}

HRESULT create(LPDIRECTSOUND8 device, DWORD flags, DWORD bytes, WAVEFORMATEX format, LPDIRECTSOUNDBUFFER* out)
{
    DSBUFFERDESC desc{};
    desc.dwSize = sizeof(desc);
    desc.dwFlags = flags;
    desc.dwBufferBytes = bytes;
    desc.lpwfxFormat = &format;
    return device->CreateSoundBuffer(&desc, out, nullptr);
}

bool signalled(HANDLE event) { return WaitForSingleObject(event, 0) == WAIT_OBJECT_0; }

class DirectSoundLayer : public ::testing::Test {
protected:
    void SetUp() override
    {
        testmode::enable();
        testmode::enableAudioDevice(true);
        ASSERT_EQ(DirectSoundCreate8(nullptr, &device, nullptr), DS_OK);
        ASSERT_EQ(device->SetCooperativeLevel(nullptr, DSSCL_PRIORITY), DS_OK);
    }
    void TearDown() override
    {
        device->Release();
        testmode::enableAudioDevice(false);
    }
    LPDIRECTSOUND8 device = nullptr;
};

}  // namespace

TEST_F(DirectSoundLayer, NotificationsFollowThePlayCursor)
{
    const DWORD bytes = Rate * 4;  // one second, two halves
    LPDIRECTSOUNDBUFFER buffer = nullptr;
    ASSERT_EQ(create(device, DSBCAPS_CTRLPOSITIONNOTIFY | DSBCAPS_CTRLVOLUME, bytes, stereo16(), &buffer), DS_OK);
    LPDIRECTSOUNDNOTIFY notify = nullptr;
    ASSERT_EQ(buffer->QueryInterface(IID_IDirectSoundNotify, reinterpret_cast<void**>(&notify)), S_OK);
    HANDLE events[3];
    for (HANDLE& e : events) e = CreateEventA(nullptr, FALSE, FALSE, nullptr);
    const DSBPOSITIONNOTIFY positions[3] = {{0, events[0]}, {bytes / 2, events[1]}, {DSBPN_OFFSETSTOP, events[2]}};
    ASSERT_EQ(notify->SetNotificationPositions(3, positions), DS_OK);

    ASSERT_EQ(buffer->Play(0, 0, DSBPLAY_LOOPING), DS_OK);
    EXPECT_EQ(notify->SetNotificationPositions(3, positions), DSERR_INVALIDCALL);  // not while playing
    testmode::renderAudio(100);
    EXPECT_TRUE(signalled(events[0]));  // playing from 0 passes offset 0 at once
    EXPECT_FALSE(signalled(events[1]));
    testmode::renderAudio(Rate / 2 - 400);
    EXPECT_FALSE(signalled(events[1]));
    testmode::renderAudio(600);
    EXPECT_TRUE(signalled(events[1]));
    EXPECT_FALSE(signalled(events[0]));
    testmode::renderAudio(Rate / 2);  // wraps past the start again
    EXPECT_TRUE(signalled(events[0]));
    EXPECT_FALSE(signalled(events[2]));
    EXPECT_EQ(buffer->Stop(), DS_OK);
    EXPECT_TRUE(signalled(events[2]));
    EXPECT_EQ(buffer->Stop(), DS_OK);  // already stopped: no second stop notification
    EXPECT_FALSE(signalled(events[2]));

    // Played once, the buffer stops at its end and says so.
    ASSERT_EQ(buffer->SetCurrentPosition(bytes - 400), DS_OK);
    ASSERT_EQ(buffer->Play(0, 0, 0), DS_OK);
    testmode::renderAudio(200);
    EXPECT_TRUE(signalled(events[2]));

    // The stream thread's handles may be gone while the buffer lives on.
    for (HANDLE e : events) EXPECT_TRUE(CloseHandle(e));
    ASSERT_EQ(buffer->Play(0, 0, DSBPLAY_LOOPING), DS_OK);
    testmode::renderAudio(Rate);
    notify->Release();
    buffer->Release();
}

TEST_F(DirectSoundLayer, LockHandsOutTwoRegionsAcrossTheEnd)
{
    LPDIRECTSOUNDBUFFER buffer = nullptr;
    ASSERT_EQ(create(device, 0, 64, stereo16(), &buffer), DS_OK);
    LPVOID first = nullptr;
    LPVOID second = nullptr;
    DWORD firstBytes = 0;
    DWORD secondBytes = 0;
    ASSERT_EQ(buffer->Lock(48, 32, &first, &firstBytes, &second, &secondBytes, 0), DS_OK);
    EXPECT_EQ(firstBytes, 16u);
    EXPECT_EQ(secondBytes, 16u);
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(static_cast<BYTE*>(first) - static_cast<BYTE*>(second), 48);
    std::memset(first, 0x11, firstBytes);
    std::memset(second, 0x22, secondBytes);
    EXPECT_EQ(buffer->Unlock(first, firstBytes, second, secondBytes), DS_OK);

    ASSERT_EQ(buffer->Lock(0, 64, &first, &firstBytes, &second, &secondBytes, 0), DS_OK);
    EXPECT_EQ(firstBytes, 64u);
    EXPECT_EQ(second, nullptr);
    EXPECT_EQ(secondBytes, 0u);
    EXPECT_EQ(static_cast<BYTE*>(first)[0], 0x22);
    EXPECT_EQ(static_cast<BYTE*>(first)[63], 0x11);
    buffer->Unlock(first, firstBytes, second, secondBytes);

    EXPECT_EQ(buffer->Lock(64, 4, &first, &firstBytes, &second, &secondBytes, 0), DSERR_INVALIDPARAM);
    EXPECT_EQ(buffer->Lock(0, 65, &first, &firstBytes, &second, &secondBytes, 0), DSERR_INVALIDPARAM);
    EXPECT_EQ(buffer->SetCurrentPosition(64), DSERR_INVALIDPARAM);
    EXPECT_EQ(buffer->SetVolume(-100), DSERR_CONTROLUNAVAIL);  // made without the volume control
    LPDIRECTSOUNDNOTIFY notify = nullptr;
    EXPECT_EQ(buffer->QueryInterface(IID_IDirectSoundNotify, reinterpret_cast<void**>(&notify)), E_NOINTERFACE);
    EXPECT_EQ(notify, nullptr);
    buffer->Release();
}

TEST_F(DirectSoundLayer, RefusesBuffersItCannotPlay)
{
    LPDIRECTSOUNDBUFFER buffer = nullptr;
    WAVEFORMATEX float32 = stereo16();
    float32.wFormatTag = 3;
    WAVEFORMATEX bits24 = stereo16();
    bits24.wBitsPerSample = 24;
    bits24.nBlockAlign = 6;
    WAVEFORMATEX badAlign = stereo16();
    badAlign.nBlockAlign = 3;
    WAVEFORMATEX sixChannels = stereo16();
    sixChannels.nChannels = 6;
    sixChannels.nBlockAlign = 12;
    EXPECT_EQ(create(device, 0, 0, stereo16(), &buffer), DSERR_INVALIDPARAM);
    EXPECT_EQ(create(device, 0, 3, stereo16(), &buffer), DSERR_INVALIDPARAM);
    EXPECT_EQ(create(device, 0, 400, float32, &buffer), DSERR_BADFORMAT);
    EXPECT_EQ(create(device, 0, 400, bits24, &buffer), DSERR_BADFORMAT);
    EXPECT_EQ(create(device, 0, 400, badAlign, &buffer), DSERR_BADFORMAT);
    EXPECT_EQ(create(device, 0, 400, sixChannels, &buffer), DSERR_BADFORMAT);
    EXPECT_EQ(create(device, 0, 400, stereo16(50), &buffer), DSERR_BADFORMAT);
    EXPECT_EQ(buffer, nullptr);

    DSBUFFERDESC primary{};
    primary.dwSize = sizeof(primary);
    primary.dwFlags = DSBCAPS_PRIMARYBUFFER;
    primary.dwBufferBytes = 100;
    EXPECT_EQ(device->CreateSoundBuffer(&primary, &buffer, nullptr), DSERR_INVALIDPARAM);
    primary.dwBufferBytes = 0;
    primary.dwSize = 20;
    EXPECT_EQ(device->CreateSoundBuffer(&primary, &buffer, nullptr), DSERR_INVALIDPARAM);
    primary.dwSize = sizeof(primary);
    ASSERT_EQ(device->CreateSoundBuffer(&primary, &buffer, nullptr), DS_OK);
    WAVEFORMATEX mono = stereo16(22050);
    mono.nChannels = 1;
    mono.nBlockAlign = 2;
    EXPECT_EQ(buffer->SetFormat(&mono), DS_OK);
    EXPECT_EQ(buffer->SetFormat(&float32), DSERR_BADFORMAT);
    buffer->Release();
}

TEST(DirectSoundWithoutDevice, CreationFailsInTestModeUnlessTheVirtualDeviceIsOn)
{
    testmode::enable();
    testmode::enableAudioDevice(false);
    LPDIRECTSOUND8 device = reinterpret_cast<LPDIRECTSOUND8>(1);
    EXPECT_TRUE(FAILED(DirectSoundCreate8(nullptr, &device, nullptr)));
    EXPECT_EQ(device, nullptr);
    EXPECT_EQ(testmode::renderAudio(10), std::vector<int16_t>(20, 0));
}
