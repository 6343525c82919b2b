// Playing without a mouse, pausing and the master volume, through the real
// game in test mode: the same moves made with the mouse, the keyboard and a
// pad give the same field tick by tick; a pause freezes the round and its
// sound, and only the player resumes it; mute and volume act below the
// game's own levels and are kept: written together a second later and at
// exit, never holding the game while another copy holds the lock.
#include "scene/game_fixture.h"

#include "app/Settings.h"
#include "app/SoundLevel.h"
#include "app/SoundLevelDisplay.h"
#include "framework/input/Input.h"
#include "framework/sound/SoundSystem.h"
#include "game/BoardCursor.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <sys/wait.h>
#include <unistd.h>

namespace {

enum class Way { Mouse, Keys, Pad };

struct Move {
    int column;
    int row;
    bool clear;  // a clear request rather than a colour step
    int waitAfter;
};

int peak(const std::vector<int16_t>& samples)
{
    int most = 0;
    for (int16_t s : samples) most = std::max(most, std::abs(static_cast<int>(s)));
    return most;
}

class ControlsTest : public GameTest {
protected:
    void TearDown() override
    {
        testmode::detachAllPads();
        GameTest::TearDown();
        settings = Settings{};
    }

    // One tick through the message loop, so that window messages reach the
    // game as they would.
    void step(int count = 1)
    {
        for (int i = 0; i < count; ++i) drawnTick();
    }

    std::string fieldState()
    {
        const PuzzleField& f = field();
        std::ostringstream out;
        for (int k = 0; k < PuzzleField::CELLS; ++k) out << f.board[k] << f.shownBoard[k] << ',' << f.shrink[k] << ' ';
        out << f.phase << ' ' << f.timeLeft << ' ' << f.gravity << ' ' << f.leftHeld << f.rightHeld << ' '
            << f.changeCount << ' ' << f.chain << ' ' << f.score;
        return out.str();
    }

    // Holds or lets go one of the controls the way `way` plays.
    void control(Way way, int pad, int logical, bool down)
    {
        static const int keys[6] = {'W', 'S', 'A', 'D', 'Z', 'X'};
        if (way == Way::Keys) {
            testmode::setKey(keys[logical], down);
            return;
        }
        using testmode::PadButton;
        static const PadButton buttons[6] = {PadButton::DpadUp,    PadButton::DpadDown, PadButton::DpadLeft,
                                             PadButton::DpadRight, PadButton::A,        PadButton::B};
        testmode::setPadButton(pad, buttons[logical], down);
    }

    // A round on a prepared board; every move takes the same ticks whichever
    // way it is made (the mouse simply waits while a cursor would travel).
    // Returns the field after each tick.
    std::vector<std::string> playRound(Way way, const std::vector<Move>& moves)
    {
        int pad = -1;
        if (way == Way::Pad) {
            pad = testmode::attachController();
            EXPECT_GE(pad, 0);
            step();  // the device change reaches the window; the game opens the pad
            EXPECT_NE(input->pad, nullptr);
        }
        // Every run starts with the cursor hidden at cell (0, 0).
        scene().boardCursor->shown = false;
        scene().boardCursor->column = scene().boardCursor->row = 0;
        fieldRandom.seed(FieldSeed);
        pressStart(true);
        step();
        pressStart(false);
        setBoard({"1115", "2345", "3452", "4523"});
        field().changeCount = 0;  // a new round keeps the last one's count
        std::vector<std::string> trace;
        auto record = [&](int ticks) {
            for (int i = 0; i < ticks; ++i) {
                tick();
                trace.push_back(fieldState());
            }
        };
        // The first direction only brings the cursor up, at cell (0, 0).
        if (way != Way::Mouse) control(way, pad, PAD_RIGHT, true);
        record(1);
        if (way != Way::Mouse) control(way, pad, PAD_RIGHT, false);
        record(1);
        int column = 0, row = 0;
        for (const Move& move : moves) {
            while (column != move.column || row != move.row) {
                const int direction = column < move.column   ? PAD_RIGHT
                                      : column > move.column ? PAD_LEFT
                                      : row < move.row       ? PAD_DOWN
                                                             : PAD_UP;
                if (way != Way::Mouse) control(way, pad, direction, true);
                record(1);
                if (way != Way::Mouse) control(way, pad, direction, false);
                record(1);
                column += direction == PAD_RIGHT ? 1 : direction == PAD_LEFT ? -1 : 0;
                row += direction == PAD_DOWN ? 1 : direction == PAD_UP ? -1 : 0;
            }
            const int logical = move.clear ? PuzzleField::CLEAR_BUTTON : PuzzleField::STEP_BUTTON;
            if (way == Way::Mouse) {
                testmode::setMouse(256 * column + 128, 256 * row + 128);
                testmode::setKey(move.clear ? VK_RBUTTON : VK_LBUTTON, true);
            } else {
                control(way, pad, logical, true);
            }
            record(1);
            if (way == Way::Mouse) {
                testmode::setKey(move.clear ? VK_RBUTTON : VK_LBUTTON, false);
                testmode::setMouse(1150, 950);
            } else {
                control(way, pad, logical, false);
            }
            record(1 + move.waitAfter);
        }
        return trace;
    }
};

const std::vector<Move> Moves = {
    {3, 0, false, 20},                    // 5 → 1 makes a row of four 1s
    {3, 0, true, 140},                    // cleared, and the turn cycle runs
    {0, 3, false, 0},  {0, 3, false, 0},  // a second press on the same cell steps it again
    {1, 2, false, 25}, {1, 2, true, 10},
};

TEST_F(ControlsTest, KeyboardAndPadPlayTheBoardExactlyAsTheMouseDoes)
{
    const std::vector<std::string> byMouse = playRound(Way::Mouse, Moves);
    const int mouseScore = field().score;
    ASSERT_GT(mouseScore, 0) << "the moves made no clear: the comparison would prove little";
    ASSERT_GE(field().changeCount, 3);
    // The same round again with the keyboard, then with a pad: the board
    // cursor shows while they play.
    field().timeLeft = 0;
    step(2);
    const std::vector<std::string> byKeys = playRound(Way::Keys, Moves);
    EXPECT_TRUE(scene().boardCursor->shown);
    field().timeLeft = 0;
    step(2);
    const std::vector<std::string> byPad = playRound(Way::Pad, Moves);
    ASSERT_EQ(byKeys.size(), byMouse.size());
    for (size_t i = 0; i < byMouse.size(); ++i) {
        ASSERT_EQ(byKeys[i], byMouse[i]) << "keyboard, tick " << i;
        ASSERT_EQ(byPad[i], byMouse[i]) << "pad, tick " << i;
    }
    // Moving the mouse hides the cursor again.
    testmode::setMouse(500, 500);
    step();
    EXPECT_FALSE(scene().boardCursor->shown);
}

TEST_F(ControlsTest, HeldDirectionRepeatsAfterItsDelayAndStopsAtTheEdge)
{
    testmode::setKey(VK_DOWN, true);  // the arrow keys drive the first stick
    tick();
    ASSERT_TRUE(scene().boardCursor->shown);
    std::vector<int> rows;
    for (int i = 0; i < BoardCursor::REPEAT_DELAY + 3 * BoardCursor::REPEAT_EVERY; ++i) {
        tick();
        rows.push_back(scene().boardCursor->row);
    }
    testmode::setKey(VK_DOWN, false);
    // Shown on the first tick; one step after the delay, then one per period
    // until the bottom row.
    EXPECT_EQ(rows[BoardCursor::REPEAT_DELAY - 2], 0);
    EXPECT_EQ(rows[BoardCursor::REPEAT_DELAY - 1], 1);
    EXPECT_EQ(rows[BoardCursor::REPEAT_DELAY - 1 + BoardCursor::REPEAT_EVERY - 1], 1);
    EXPECT_EQ(rows[BoardCursor::REPEAT_DELAY - 1 + BoardCursor::REPEAT_EVERY], 2);
    EXPECT_EQ(rows.back(), 3);
}

TEST_F(ControlsTest, PauseFreezesTheRoundAndItsSoundUntilThePlayerResumes)
{
    pressStart(true);
    step();
    pressStart(false);
    step(10);
    ASSERT_TRUE(scene().playing);
    ASSERT_GT(peak(testmode::renderAudio(testmode::AudioRate / 10)), 1000);
    const int music = testmode::soundBufferId(currentMusic->buffer);

    // The window losing the focus pauses: nothing of the round moves, the
    // board is covered, and not a sample sounds.
    testmode::setFocus(false);
    step();
    ASSERT_TRUE(scene().paused);
    EXPECT_TRUE(testmode::screenSaverAllowed()) << "a paused round lets the screen saver be";
    const std::string frozen = fieldState();
    const int offset = scene().overlayOffset;
    testmode::clearSoundCalls();
    for (int i = 0; i < 30; ++i) {
        const std::vector<DrawnQuad> quads = drawnTick();
        EXPECT_EQ(fieldState(), frozen);
        EXPECT_EQ(scene().overlayOffset, offset);
        const bool covered = std::any_of(quads.begin(), quads.end(), [](const DrawnQuad& q) {
            return q.x[0] < 1 && q.y[0] < 1 && q.width() > 1023 && q.height() > 1023;
        });
        EXPECT_TRUE(covered);
    }
    EXPECT_EQ(peak(testmode::renderAudio(testmode::AudioRate / 2)), 0);

    // The focus coming back does not resume; Space does, and the same track
    // plays on from where it stood rather than again from its start.
    testmode::setFocus(true);
    step(3);
    EXPECT_TRUE(scene().paused);
    EXPECT_EQ(fieldState(), frozen);
    pressStart(true);
    step();
    pressStart(false);
    EXPECT_FALSE(scene().paused);
    EXPECT_FALSE(testmode::screenSaverAllowed());
    EXPECT_EQ(fieldState(), frozen);  // the resuming tick itself plays nothing
    step();
    EXPECT_NE(fieldState(), frozen);
    EXPECT_GT(peak(testmode::renderAudio(testmode::AudioRate / 10)), 1000);
    EXPECT_EQ(testmode::soundBufferId(currentMusic->buffer), music);
    for (const testmode::SoundCall& c : testmode::soundCalls())
        EXPECT_FALSE(c.buffer == music && c.call == "SetCurrentPosition") << "the track was rewound";

    // P pauses and resumes too; between rounds nothing pauses.
    testmode::postKey('P', true);
    testmode::postKey('P', false);
    step();
    EXPECT_TRUE(scene().paused);
    testmode::postKey(VK_PAUSE, true);
    testmode::postKey(VK_PAUSE, false);
    step();
    EXPECT_FALSE(scene().paused);
    field().timeLeft = 0;
    step(2);
    ASSERT_FALSE(scene().playing);
    testmode::setFocus(false);
    step();
    EXPECT_FALSE(scene().paused);
}

TEST_F(ControlsTest, MuteAndVolumeActBelowTheGamesOwnLevelsAndAreKept)
{
    pressStart(true);
    step();
    pressStart(false);
    step(5);
    const int music = testmode::soundBufferId(currentMusic->buffer);
    const int primary = testmode::soundBufferId(soundSystem->primary);
    auto lastVolume = [](int buffer) {
        long volume = 1;
        for (const testmode::SoundCall& c : testmode::soundCalls())
            if (c.call == "SetVolume" && c.buffer == buffer) volume = c.value;
        return volume;
    };
    ASSERT_EQ(lastVolume(music), -225);

    testmode::postKey('M', true);
    testmode::postKey('M', false);
    step();
    EXPECT_TRUE(settings.mute);
    EXPECT_EQ(lastVolume(primary), DSBVOLUME_MIN);
    EXPECT_EQ(peak(testmode::renderAudio(testmode::AudioRate / 10)), 0);
    EXPECT_GT(scene().soundLevelDisplay->shownFor, 0);

    // A step down ends the mute; the keypad's minus counts as well.
    testmode::postKey(VK_OEM_MINUS, true);
    testmode::postKey(VK_OEM_MINUS, false);
    testmode::postKey(VK_SUBTRACT, true);
    testmode::postKey(VK_SUBTRACT, false);
    step();
    EXPECT_FALSE(settings.mute);
    EXPECT_EQ(settings.volume, 80);
    EXPECT_EQ(lastVolume(primary), SoundLevel::volumeFor(80, false));
    EXPECT_EQ(SoundLevel::volumeFor(80, false), -194);
    EXPECT_GT(peak(testmode::renderAudio(testmode::AudioRate / 10)), 500);
    // The track keeps the level the game gave it.
    EXPECT_EQ(lastVolume(music), -225);

    // Kept: a fresh read of the settings file a second later gives the same.
    runLoopFor(1100);
    const Settings kept = settingsOnDisk([](const Settings& s) { return s.volume == 80; });
    EXPECT_EQ(kept.volume, 80);
    EXPECT_FALSE(kept.mute);
}

TEST_F(ControlsTest, SettingsAreWrittenOnAMachineSlowerThanTheTicks)
{
    // Every pass finds a tick due, so the loop never waits.
    auto slowPasses = [](int passes) {
        for (int i = 0; i < passes; ++i) {
            testmode::advanceClock(17);
            ASSERT_TRUE(MessageLoopPass());
        }
    };
    testmode::postKey('M', true);
    testmode::postKey('M', false);
    slowPasses(100);
    EXPECT_TRUE(settingsOnDisk([](const Settings& s) { return s.mute; }).mute);
}

TEST_F(ControlsTest, SoundChangesAreWrittenTogetherASecondLaterAndAtExit)
{
    const std::filesystem::path file = saveFolder() / "settings.txt";
    auto text = [](const Settings& s) { return std::to_string(s.volume) + (s.mute ? " muted" : ""); };
    const uint32_t start = testmode::clockMs();
    for (int key : {int('M'), VK_OEM_MINUS, VK_OEM_MINUS, VK_OEM_PLUS}) {
        testmode::postKey(key, true);
        testmode::postKey(key, false);
        runLoopFor(150);
    }
    EXPECT_EQ(settings.volume, 90);
    runLoopFor(start + 900 - testmode::clockMs());
    EXPECT_FALSE(std::filesystem::exists(file)) << "written before a second had passed";
    // By 1.2 s the write is under way; it lands without the loop's help.
    runLoopFor(start + 1200 - testmode::clockMs());
    EXPECT_EQ(text(settingsOnDisk([](const Settings& s) { return s.volume == 90; })), "90");

    // Nothing more to write: the file is left alone.
    std::ofstream(file) << "volume = 10\n";
    runLoopFor(2000);
    auto now = [] {
        Settings s;
        s.load();
        return s;
    };
    EXPECT_EQ(text(now()), "10");

    // A change the loop has not written yet is written at shut-down.
    testmode::postKey('M', true);
    testmode::postKey('M', false);
    runLoopFor(100);
    EXPECT_EQ(text(now()), "10");
    ShutdownSystems();
    EXPECT_EQ(text(now()), "10 muted");
}

TEST_F(ControlsTest, ALockAnotherCopyHoldsNeverHoldsTheGame)
{
    // Another copy holds the settings' lock until told to let go, 30 s at
    // most: far longer than the loop below takes on a loaded machine.
    int locked[2], release[2];
    ASSERT_EQ(pipe(locked), 0);
    ASSERT_EQ(pipe(release), 0);
    const std::string lockPath = (saveFolder() / "settings.lock").string();
    const pid_t other = fork();
    if (other == 0) {
        // A program of its own (util-linux's flock), so that the child does
        // not end as a copy of this process with its threads.
        dup2(release[0], STDIN_FILENO);
        dup2(locked[1], STDOUT_FILENO);
        close(release[1]);
        // A game that waits for the lock gets it after 30 s, and then writes
        // before the check below.
        execlp("flock", "flock", "-x", lockPath.c_str(), "sh", "-c", "echo; exec timeout 30 head -c 1", nullptr);
        _exit(127);
    }
    close(locked[1]);
    close(release[0]);
    char byte = 0;
    ASSERT_EQ(read(locked[0], &byte, 1), 1);

    testmode::postKey('M', true);
    testmode::postKey('M', false);
    runLoopFor(1500);  // the write is due and tried: the loop runs on
    EXPECT_FALSE(std::filesystem::exists(saveFolder() / "settings.txt"));
    close(release[1]);
    int status = 0;
    waitpid(other, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    runLoopFor(1100);  // tried again a second later, when the write was refused
    EXPECT_TRUE(settingsOnDisk([](const Settings& s) { return s.mute; }).mute);
}

}  // namespace
