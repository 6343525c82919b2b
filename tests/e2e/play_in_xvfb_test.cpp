// End to end, as a player: the built game started on the private Xvfb server
// that the X harness (tests/support/x11.sh, vt_run_in_xvfb) starts for this
// program, driven with real X input events through xdotool, its screen
// captured with ImageMagick's import and read pixel by pixel. Checked: the
// start banner leaves after Space, the time counter counts down, a left click
// changes the clicked block and turns the gravity arrow a quarter turn
// clockwise, a right click on four touching blocks of one colour (made by
// clicks) clears them and scores, and Escape closes the window and ends the
// program with exit code 0 (the time it took is printed); and input that
// comes and goes between two ticks (an instant Space, an instant click)
// counts exactly once. Every step waits for the screen or the process to
// show what it waits for; the time limits only bound a failure. Skipped when
// there is no X display: ctest runs the program through the harness, which
// reports a skip itself when Xvfb cannot start at all.
//
// The game creates its window with the outer top-left corner at (0, 0) and
// no window manager runs, so the game's mouse position is the screen
// position; its back buffer fills the client area one to one.
#include "Version.h"

#include <gtest/gtest.h>
#include <png.h>

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <utility>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

// A process this test started; stopped and reaped when it goes out of scope.
struct Child {
    pid_t pid = -1;
    int status = 0;
    bool ended = false;

    bool waitEnd(std::chrono::milliseconds limit)
    {
        const auto until = Clock::now() + limit;
        while (!ended && pid > 0) {
            const pid_t r = waitpid(pid, &status, WNOHANG);
            if (r == pid || r < 0) {
                ended = true;
                break;
            }
            if (Clock::now() >= until) break;
            std::this_thread::sleep_for(5ms);
        }
        return ended;
    }
    ~Child()
    {
        if (pid <= 0 || ended) return;
        kill(pid, SIGTERM);
        if (!waitEnd(3000ms)) {
            kill(pid, SIGKILL);
            waitEnd(3000ms);
        }
    }
};

// argv with extra environment entries ("NAME=value"); output to logPath.
// Descriptors without close-on-exec stay open in the child.
void spawn(Child& child, const std::vector<std::string>& argv, const std::vector<std::string>& env,
           const std::string& logPath, const std::string& folder = ".")
{
    std::vector<char*> args;
    for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    const pid_t pid = fork();
    if (pid == 0) {
        const int log = open(logPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (log >= 0) {
            dup2(log, 1);
            dup2(log, 2);
        }
        for (const std::string& e : env) putenv(const_cast<char*>(e.c_str()));
        if (chdir(folder.c_str()) != 0) _exit(126);
        execvp(args[0], args.data());
        _exit(127);
    }
    child.pid = pid;
}

int sh(const std::string& command) { return std::system(command.c_str()); }

std::string output(const std::string& command)
{
    std::string text;
    if (FILE* pipe = popen(command.c_str(), "r")) {
        char buffer[256];
        while (fgets(buffer, sizeof buffer, pipe)) text += buffer;
        pclose(pipe);
    }
    return text;
}

struct Rgb {
    int r, g, b;
};

// The root window as captured by import, in back-buffer coordinates.
struct Screen {
    int width = 0, height = 0;
    int originX = 0, originY = 0;  // the client area's top-left on the screen
    std::vector<uint8_t> rgb;

    Rgb at(int x, int y) const
    {
        const size_t i = (static_cast<size_t>(y + originY) * width + (x + originX)) * 3;
        return {rgb[i], rgb[i + 1], rgb[i + 2]};
    }
    Rgb average(int x0, int y0, int x1, int y1) const
    {
        long r = 0, g = 0, b = 0, n = 0;
        for (int y = y0; y < y1; ++y)
            for (int x = x0; x < x1; ++x, ++n) {
                const Rgb p = at(x, y);
                r += p.r, g += p.g, b += p.b;
            }
        return {int(r / n), int(g / n), int(b / n)};
    }
};

int distance(Rgb a, Rgb b) { return std::abs(a.r - b.r) + std::abs(a.g - b.g) + std::abs(a.b - b.b); }

// Mean colour distance of two regions of two screens.
double regionDifference(const Screen& a, const Screen& b, int x0, int y0, int x1, int y1)
{
    long sum = 0, n = 0;
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x, ++n) sum += distance(a.at(x, y), b.at(x, y));
    return double(sum) / n;
}

struct Banner {
    int width = 0, height = 0;
    std::vector<uint8_t> rgba;
};

bool readPng(const std::string& path, Banner& banner)
{
    png_image png{};
    png.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&png, path.c_str())) return false;
    png.format = PNG_FORMAT_RGBA;
    banner.width = int(png.width);
    banner.height = int(png.height);
    banner.rgba.resize(PNG_IMAGE_SIZE(png));
    return png_image_finish_read(&png, nullptr, banner.rgba.data(), 0, nullptr) != 0;
}

class PlayInXvfb : public ::testing::Test {
protected:
    void SetUp() override
    {
        game = VANTOREL_GAME;
        folder = std::filesystem::path(game).parent_path().string();
        logs = std::filesystem::absolute("e2e_logs").string();
        std::filesystem::create_directories(logs);
        const char* x = std::getenv("DISPLAY");
        if (!x || !*x) GTEST_SKIP() << "no X display (run through vt_run_in_xvfb in tests/support/x11.sh)";
        display = x;
    }

    void startGame(const std::vector<std::string>& options = {})
    {
        // A sanitizer build of the game checks its memory at exit with the
        // options and suppressions the harness passes on.
        std::vector<std::string> env = {"DISPLAY=" + display, "SDL_AUDIODRIVER=dummy"};
        std::vector<std::string> command = {game};
        command.insert(command.end(), options.begin(), options.end());
        spawn(player, command, env, logs + "/game.log", folder);
        std::string id;
        for (auto until = Clock::now() + 30s; id.empty() && Clock::now() < until;) {
            id = output(std::string("xdotool search --onlyvisible --name '^") + WindowCaption +
                        "$' 2>/dev/null | head -n 1");
            if (id.empty()) std::this_thread::sleep_for(200ms);
            ASSERT_FALSE(player.waitEnd(0ms)) << "the game ended early; see " << logs << "/game.log";
        }
        ASSERT_FALSE(id.empty()) << "no game window";
        window = id.substr(0, id.find('\n'));
        const std::string geometry = output("xdotool getwindowgeometry --shell " + window);
        ASSERT_EQ(std::sscanf(geometry.c_str() + geometry.find("X="), "X=%d", &originX), 1);
        ASSERT_EQ(std::sscanf(geometry.c_str() + geometry.find("Y="), "Y=%d", &originY), 1);
        // Without a window manager the keyboard also follows the pointer,
        // which the test keeps over the window; the explicit focus is a help,
        // and the banner check below shows whether Space arrived.
        sh("xdotool windowfocus " + window + " 2>/dev/null");
    }

    Screen shot()
    {
        Screen s;
        const std::string path = logs + "/screen.ppm";
        if (sh("import -window root -depth 8 ppm:" + path) != 0) return s;
        std::ifstream in(path, std::ios::binary);
        std::string magic;
        int depth = 0;
        in >> magic >> s.width >> s.height >> depth;
        in.get();
        s.rgb.resize(static_cast<size_t>(s.width) * s.height * 3);
        in.read(reinterpret_cast<char*>(s.rgb.data()), static_cast<std::streamsize>(s.rgb.size()));
        if (magic != "P6" || depth != 255 || !in) s.width = 0;
        s.originX = originX;
        s.originY = originY;
        return s;
    }

    // Screens until `seen` holds for one, or the time is up; the last screen.
    template <typename Seen> Screen shotUntil(Seen seen, std::chrono::seconds limit = 20s)
    {
        Screen s;
        for (auto until = Clock::now() + limit; Clock::now() < until;) {
            s = shot();
            if (s.width && seen(s)) return s;
            std::this_thread::sleep_for(100ms);
        }
        return s;
    }

    // The share of the banner's opaque pixels seen at its waiting place.
    double bannerShown(const Screen& s) const
    {
        long opaque = 0, matching = 0;
        for (int y = 0; y < banner.height; y += 2)
            for (int x = 0; x < banner.width; x += 2) {
                const uint8_t* p = &banner.rgba[(static_cast<size_t>(y) * banner.width + x) * 4];
                if (p[3] != 255) continue;
                ++opaque;
                matching += distance(s.at(128 + x, 450 + y), {p[0], p[1], p[2]}) <= 24;
            }
        return opaque ? double(matching) / opaque : 0.0;
    }

    // The game's mouse position is the screen position (outer corner at 0, 0).
    void moveTo(int x, int y)
    {
        sh("xdotool mousemove " + std::to_string(x) + " " + std::to_string(y));
        pointerX = x;
        pointerY = y;
    }

    // Moves the mouse and waits until the game draws its pointer there, so
    // that the game's next tick acts on that place.
    void pointTo(int x, int y)
    {
        if (x == pointerX && y == pointerY) return;
        const Screen was = shot();
        moveTo(x, y);
        const Screen s =
            shotUntil([&](const Screen& now) { return regionDifference(was, now, x, y, x + 96, y + 80) > 4.0; });
        EXPECT_GT(regionDifference(was, s, x, y, x + 96, y + 80), 4.0)
            << "the pointer never showed at " << x << ", " << y;
    }

    // How far the pointer's spinning image, which turns every drawn frame,
    // moved from one screen to the other.
    double spinnerDifference(const Screen& a, const Screen& b) const
    {
        return regionDifference(a, b, pointerX + 32, pointerY + 16, pointerX + 96, pointerY + 80);
    }

    // Waits until `count` more frames than `from` shows have been drawn: the
    // game has taken that many ticks since, and seen the input given before.
    Screen framesAfter(Screen from, int count = 2)
    {
        for (int i = 0; i < count; ++i) {
            const Screen s = shotUntil([&](const Screen& now) { return spinnerDifference(from, now) > 1.0; });
            if (spinnerDifference(from, s) <= 1.0) {
                ADD_FAILURE() << "the game drew no new frame";
                return s;
            }
            from = s;
        }
        return from;
    }

    // The value (1 to 5 a colour, 6 the wild) of the piece that block
    // (column, row) shows, as the nearest of the block image's pieces.
    int blockValue(const Screen& s, int column, int row) const
    {
        const Rgb seen = s.average(column * 256 + 24, row * 256 + 24, column * 256 + 74, row * 256 + 74);
        int best = 0, bestDistance = 1 << 30;
        for (int v = 1; v <= 6; ++v) {
            long r = 0, g = 0, b = 0, n = 0;
            for (int y = 24; y < 74; ++y)
                for (int x = 24; x < 74; ++x, ++n) {
                    const uint8_t* p = &pieces.rgba[(static_cast<size_t>(y) * pieces.width + (v - 1) * 256 + x) * 4];
                    r += p[0] * p[3] / 255, g += p[1] * p[3] / 255, b += p[2] * p[3] / 255;
                }
            const int d = distance(seen, {int(r / n), int(g / n), int(b / n)});
            if (d < bestDistance) best = v, bestDistance = d;
        }
        return best;
    }

    std::string game, folder, logs, display, window;
    int originX = 0, originY = 0;
    int pointerX = 0, pointerY = 0;
    Banner banner, pieces;
    Child player;
};

// Regions in back-buffer pixels.
constexpr int TimeX0 = 1100, TimeY0 = 690, TimeX1 = 1180, TimeY1 = 740;
constexpr int ScoreX0 = 1040, ScoreY0 = 270, ScoreX1 = 1270, ScoreY1 = 320;
constexpr int ArrowX = 1152, ArrowY = 128, ArrowRadius = 56;

// How far the arrow region of `after` is from `before` turned by 0, 1 or 2
// quarter turns clockwise.
double arrowDifference(const Screen& before, const Screen& after, int quarters)
{
    long sum = 0, n = 0;
    for (int dy = -ArrowRadius; dy < ArrowRadius; ++dy)
        for (int dx = -ArrowRadius; dx < ArrowRadius; ++dx) {
            if (dx * dx + dy * dy >= ArrowRadius * ArrowRadius) continue;
            // Pixel centres lie half a pixel off the turning point.
            const Rgb was = before.at(ArrowX + dx, ArrowY + dy);
            const Rgb now = quarters == 0   ? after.at(ArrowX + dx, ArrowY + dy)
                            : quarters == 1 ? after.at(ArrowX - dy - 1, ArrowY + dx)
                                            : after.at(ArrowX - dx - 1, ArrowY - dy - 1);
            sum += distance(was, now);
            ++n;
        }
    return double(sum) / n;
}

}  // namespace

TEST_F(PlayInXvfb, APlayerStartsARoundClicksAndQuitsWithEscape)
{
    ASSERT_TRUE(readPng(folder + "/DATA/gamestart.png", banner)) << "no DATA beside " << game;
    startGame();
    if (HasFatalFailure()) return;

    // Waiting: the banner stands at x 128.
    Screen waiting = shotUntil([&](const Screen& s) { return bannerShown(s) > 0.8; });
    ASSERT_GT(bannerShown(waiting), 0.8) << "the start banner never showed";

    // Space, held until the banner has gone (a tick samples the key only
    // while it is down).
    moveTo(1150, 1000);
    sh("xdotool keydown space");
    Screen started = shotUntil([&](const Screen& s) { return bannerShown(s) < 0.2; });
    sh("xdotool keyup space");
    EXPECT_LT(bannerShown(started), 0.2) << "the banner did not leave";

    // The time counter counts down; the score stays as it is.
    Screen later =
        shotUntil([&](const Screen& s) { return regionDifference(started, s, TimeX0, TimeY0, TimeX1, TimeY1) > 4.0; });
    EXPECT_GT(regionDifference(started, later, TimeX0, TimeY0, TimeX1, TimeY1), 4.0) << "the time did not change";
    EXPECT_LT(regionDifference(started, later, ScoreX0, ScoreY0, ScoreX1, ScoreY1), 1.0);

    // A left click on block (1, 1): its piece changes and the arrow turns.
    const int cellX = 256 + 128, cellY = 256 + 128;
    pointTo(cellX, cellY);
    const Screen before = shot();
    const Rgb blockBefore = before.average(280, 280, 330, 330);
    const Rgb otherBefore = before.average(536, 536, 586, 586);
    sh("xdotool mousedown 1");
    const Screen clicked =
        shotUntil([&](const Screen& s) { return distance(s.average(280, 280, 330, 330), blockBefore) > 60; });
    sh("xdotool mouseup 1");
    EXPECT_GT(distance(clicked.average(280, 280, 330, 330), blockBefore), 60) << "the block kept its piece";
    EXPECT_LT(distance(clicked.average(536, 536, 586, 586), otherBefore), 12) << "another block changed";
    const double turnedDiff = arrowDifference(before, clicked, 1);
    const double unturnedDiff = arrowDifference(before, clicked, 0);
    EXPECT_LT(turnedDiff, unturnedDiff / 2) << "the arrow did not turn a quarter turn clockwise";

    // Four touching blocks made one colour by the fewest clicks (a wild
    // joins any colour; a line or a square of the board), each click seen on
    // the screen and let go before the next, well within the round's minute;
    // then a right click asks for a clear: the four blocks shrink away, the
    // score rises, and the game goes on.
    ASSERT_TRUE(readPng(folder + "/DATA/PuzzleField/peace.png", pieces)) << "no block image beside " << game;
    Screen board = framesAfter(clicked);
    int values[4][4];
    for (int column = 0; column < 4; ++column)
        for (int row = 0; row < 4; ++row) values[column][row] = blockValue(board, column, row);
    const auto clicksTo = [](int value, int colour) { return value == 6 ? 0 : (colour - value + 5) % 5; };
    std::vector<std::pair<int, int>> group;
    int colour = 0, fewest = 1 << 30;
    for (int shape = 0; shape < 17; ++shape) {
        std::vector<std::pair<int, int>> cells;
        for (int i = 0; i < 4; ++i)
            cells.push_back(shape < 4   ? std::pair{i, shape}
                            : shape < 8 ? std::pair{shape - 4, i}
                                        : std::pair{(shape - 8) % 3 + i % 2, (shape - 8) / 3 + i / 2});
        for (int c = 1; c <= 5; ++c) {
            int clicks = 0;
            for (const auto& [column, row] : cells) clicks += clicksTo(values[column][row], c);
            if (clicks < fewest) fewest = clicks, colour = c, group = cells;
        }
    }
    for (const auto& [column, row] : group) {
        for (int value = values[column][row]; clicksTo(value, colour) > 0; value = value % 5 + 1) {
            pointTo(column * 256 + 128, row * 256 + 128);
            sh("xdotool click 1");
            const int next = value % 5 + 1;
            board = shotUntil(
                [&, column = column, row = row](const Screen& s) { return blockValue(s, column, row) == next; });
            ASSERT_EQ(blockValue(board, column, row), next)
                << "block (" << column << ", " << row << ") did not step its colour";
            board = framesAfter(board);
        }
    }
    const Screen ready = shot();
    sh("xdotool mousedown 3");
    const auto groupChanged = [&](const Screen& s) {
        for (const auto& [column, row] : group) {
            const int x = column * 256 + 24, y = row * 256 + 24;
            if (distance(s.average(x, y, x + 50, y + 50), ready.average(x, y, x + 50, y + 50)) <= 60) return false;
        }
        return true;
    };
    const Screen clearing = shotUntil(groupChanged);
    sh("xdotool mouseup 3");
    EXPECT_TRUE(groupChanged(clearing)) << "the four blocks of one colour were not cleared";
    const Screen scored = shotUntil(
        [&](const Screen& s) { return regionDifference(ready, s, ScoreX0, ScoreY0, ScoreX1, ScoreY1) > 4.0; });
    EXPECT_GT(regionDifference(ready, scored, ScoreX0, ScoreY0, ScoreX1, ScoreY1), 4.0) << "the score did not change";
    EXPECT_FALSE(player.waitEnd(0ms)) << "the game ended after the clear";

    // Escape closes the window and ends the program with exit code 0 (a
    // sanitizer build first checks its memory for leaks, which takes longer
    // than the game's own shut-down). The time to the closed window is
    // printed; the limit only bounds a window that never closes.
    sh("xdotool keydown Escape");
    const auto pressed = Clock::now();
    sh("xdotool keyup Escape");
    bool closed = false;
    while (!closed && Clock::now() - pressed < 20s)
        closed = player.waitEnd(0ms) || sh("xwininfo -id " + window + " >/dev/null 2>&1") != 0;
    const auto took = std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - pressed).count();
    const bool ended = player.waitEnd(20000ms);
    const auto tookToEnd = std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - pressed).count();
    std::printf("Escape to a closed window: %lld ms; to the program's end: %lld ms\n", static_cast<long long>(took),
                static_cast<long long>(tookToEnd));
    ASSERT_TRUE(ended) << "the game did not end after Escape";
    EXPECT_TRUE(closed) << "the window was still there " << took << " ms after Escape";
    ASSERT_TRUE(WIFEXITED(player.status)) << "ended by signal " << WTERMSIG(player.status);
    EXPECT_EQ(WEXITSTATUS(player.status), 0);
}

// Input that arrives whole between two of the game's ticks, as automation
// tools, dwell clickers and quick fingers give it: an instant Space starts a
// round, an instant click changes the block once and turns the gravity once.
TEST_F(PlayInXvfb, InstantTapAndClickEachCountOnce)
{
    ASSERT_TRUE(readPng(folder + "/DATA/gamestart.png", banner)) << "no DATA beside " << game;
    startGame();
    if (HasFatalFailure()) return;
    ASSERT_GT(bannerShown(shotUntil([&](const Screen& s) { return bannerShown(s) > 0.8; })), 0.8);

    moveTo(1150, 1000);
    sh("xdotool keydown space keyup space");
    const Screen started = shotUntil([&](const Screen& s) { return bannerShown(s) < 0.2; });
    ASSERT_LT(bannerShown(started), 0.2) << "an instant Space did not start the round";

    const int cellX = 256 + 128, cellY = 256 + 128;
    pointTo(cellX, cellY);
    const Screen before = shot();
    const Rgb blockBefore = before.average(280, 280, 330, 330);
    sh("xdotool click 1");
    const Screen clicked =
        shotUntil([&](const Screen& s) { return distance(s.average(280, 280, 330, 330), blockBefore) > 60; });
    ASSERT_GT(distance(clicked.average(280, 280, 330, 330), blockBefore), 60) << "an instant click did nothing";
    // A second change, were there one, would show within the next frames.
    const Screen settled = framesAfter(clicked, 3);
    EXPECT_LT(distance(settled.average(280, 280, 330, 330), clicked.average(280, 280, 330, 330)), 12)
        << "the block changed twice";
    const double quarter = arrowDifference(before, settled, 1);
    EXPECT_LT(quarter, arrowDifference(before, settled, 0) / 2) << "the arrow did not turn";
    EXPECT_LT(quarter, arrowDifference(before, settled, 2) / 2) << "the arrow turned twice";
}

// A round file watched from the command line plays at once (the banner slides
// off as in a round), other keys leave it playing, Escape quits.
TEST_F(PlayInXvfb, WatchingARoundFilePlaysItUntilEscape)
{
    ASSERT_TRUE(readPng(folder + "/DATA/gamestart.png", banner)) << "no DATA beside " << game;
    startGame({"--watch", std::string(VANTOREL_SOURCE_DIR) + "/tests/verify/one_minute_round.txt"});
    if (HasFatalFailure()) return;
    Screen playing = shotUntil([&](const Screen& s) { return bannerShown(s) < 0.2; });
    EXPECT_LT(bannerShown(playing), 0.2) << "the watched round did not start";
    sh("xdotool key x");
    // The time counter moving on after the key: the game has taken ticks since.
    const Screen keyed = shot();
    const Screen after =
        shotUntil([&](const Screen& s) { return regionDifference(keyed, s, TimeX0, TimeY0, TimeX1, TimeY1) > 4.0; });
    EXPECT_GT(regionDifference(keyed, after, TimeX0, TimeY0, TimeX1, TimeY1), 4.0) << "the watched round stood still";
    EXPECT_FALSE(player.waitEnd(0ms)) << "a key other than Escape ended the watch";
    EXPECT_LT(bannerShown(after), 0.2) << "a key other than Escape ended the watch";
    sh("xdotool key Escape");
    ASSERT_TRUE(player.waitEnd(10000ms)) << "the game did not end after Escape";
    ASSERT_TRUE(WIFEXITED(player.status));
    EXPECT_EQ(WEXITSTATUS(player.status), 0);
}
