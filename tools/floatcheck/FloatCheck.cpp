// FloatCheck.cpp — a console program built with the game's own compiler flags
// that checks that float arithmetic rounds to single precision, as the game's
// rules assume: the music level of volume 0.7 (0.7 × 220 truncated must be
// 154) and the gravity angle after one to four quarter turns (90, 180, 270 and
// exactly 360 degrees, which must not count as past a full turn). Code for the
// x87 unit keeps extra precision and fails here (153, 269.999...).
// Prints what it found; exit code 0 when everything matches, 1 otherwise.
// Inputs are volatile so that the compiler cannot fold the arithmetic away.
#include <cstdio>

namespace {

volatile float volumeSetting = 0.7f;
volatile float fullVolumeLevel = 220.0f;
volatile float halfPi = 1.5707964f;
volatile float pi = 3.1415927f;

bool check(const char* what, float found, float wanted)
{
    const bool ok = found == wanted;
    std::printf("%s: %.6f (want %.0f) %s\n", what, static_cast<double>(found), static_cast<double>(wanted),
                ok ? "ok" : "WRONG");
    return ok;
}

}  // namespace

int main()
{
    bool ok = true;
    const float product = volumeSetting * fullVolumeLevel;
    ok &= check("music level", static_cast<float>(static_cast<long>(product)), 154.0f);

    static const char* const turns[] = {"1st quarter turn", "2nd quarter turn", "3rd quarter turn", "4th quarter turn"};
    const float wanted[] = {90.0f, 180.0f, 270.0f, 360.0f};
    float angle = 0.0f;
    for (int turn = 0; turn < 4; ++turn) {
        angle = angle + halfPi;
        ok &= check(turns[turn], angle * 180.0f / pi, wanted[turn]);
    }
    ok &= check("full turn not passed", angle * 180.0f / pi > 360.0f ? 1.0f : 0.0f, 0.0f);
    std::printf("%s\n", ok ? "single precision: ok" : "single precision: FAILED");
    return ok ? 0 : 1;
}
