// sound_log.h — recording of sound calls for test mode (testing/sound.h), and
// the test-mode switch of the virtual device. Safe from any thread.
#pragma once

#include <cstdint>
#include <string>

namespace layer::sound {

void recordSoundCall(const char* call, int buffer, long value);
bool virtualDeviceEnabled();

}  // namespace layer::sound
