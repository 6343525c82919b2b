// vantorel_bench.cpp — the game as shipped, built for the whole-game
// benchmark only (whole_game.sh): with "--full-redraw" every frame is
// rasterised and presented whole, as the device did before it tracked damage.
// At exit it prints the frames presented and the time from the start of main
// to the first of them.
#include "app/WinMain.h"

#include "platform/testing.h"

#include <chrono>
#include <cstdio>
#include <cstring>

int main(int argc, char** argv)
{
    const auto start = std::chrono::steady_clock::now();
    if (argc > 1 && std::strcmp(argv[1], "--full-redraw") == 0) testmode::setFullRedraw(true);
    const int code = WinMain(GetModuleHandleA(nullptr), nullptr, nullptr, SW_SHOWDEFAULT);
    const testmode::PresentedFrames frames = testmode::presentedFrames();
    const double firstMs =
        frames.count ? std::chrono::duration<double, std::milli>(frames.first - start).count() : 0.0;
    std::printf("presented %d frames; the first %.0f ms after start\n", frames.count, firstMs);
    return code;
}
