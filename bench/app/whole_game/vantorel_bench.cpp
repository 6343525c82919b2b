// vantorel_bench.cpp — the game as shipped, built for the whole-game
// benchmark only (whole_game.sh): with "--full-redraw" first, every frame is
// rasterised and presented whole, as the device did before it tracked damage;
// the other arguments are the game's own. At exit it prints the frames
// presented and the time from the start of main to the first of them.
#include "app/CommandLine.h"
#include "app/WinMain.h"

#include "platform/testing.h"

#include <chrono>
#include <cstdio>
#include <cstring>

int main(int argc, char** argv)
{
    const auto start = std::chrono::steady_clock::now();
    int first = 1;
    if (argc > 1 && std::strcmp(argv[1], "--full-redraw") == 0) {
        testmode::setFullRedraw(true);
        first = 2;
    }
    std::string commandLine = joinCommandLine(std::vector<std::string>(argv + first, argv + argc));
    const int code = WinMain(GetModuleHandleA(nullptr), nullptr, commandLine.data(), SW_SHOWDEFAULT);
    const testmode::PresentedFrames frames = testmode::presentedFrames();
    const double firstMs =
        frames.count ? std::chrono::duration<double, std::milli>(frames.first - start).count() : 0.0;
    std::printf("presented %d frames; the first %.0f ms after start\n", frames.count, firstMs);
    return code;
}
