// The best scores on disk: what a round leaves in the file, damaged files,
// each fault of a write (through the layer's fault seam, since the tests run
// as root), processes killed in the middle of writing, and two processes
// writing at once; the settings file's lines, all kept, and two copies'
// changes, both kept. Every file lives in a scratch folder.
#include "app/BestScores.h"
#include "app/SaveFile.h"
#include "app/SaveFolders.h"
#include "app/Settings.h"

#include "scores/scores_folder.h"

#include "platform/testing.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <fcntl.h>
#include <filesystem>
#include <functional>
#include <fstream>
#include <random>
#include <sstream>
#include <sys/file.h>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

class KeptFiles : public ScoresFolderTest {
protected:
    KeptFiles() : ScoresFolderTest("kept") {}

    std::vector<fs::path> pendingFiles() const
    {
        std::vector<fs::path> found;
        for (const auto& entry : fs::directory_iterator(folder))
            if (entry.path().filename().string().rfind("scores.pending.", 0) == 0) found.push_back(entry.path());
        return found;
    }

    ScoreTable tableOnDisk() const
    {
        ScoreTable table;
        table.parse(read("scores.txt"));
        return table;
    }

    // Runs `body` in a child process; returns how it ended (the wait status).
    template <typename Body> static int inChild(Body body)
    {
        const pid_t child = fork();
        if (child == 0) {
            body();
            _exit(0);
        }
        int status = 0;
        waitpid(child, &status, 0);
        return status;
    }
};

const std::string ThreeRounds =
    "vantorel-scores 1\n"
    "3000 2 2026-01-01 10:00:00\n"
    "2000 1 2026-01-01 10:01:00\n"
    "1000 0 2026-01-01 10:02:00\n";

}  // namespace

TEST_F(KeptFiles, RoundsMakeTheTableAndOnlyWhenTheyCount)
{
    testmode::useVirtualDate();
    testmode::setClock(3723000);  // 01:02:03 into 2026
    BestScores scores;
    scores.load();
    EXPECT_EQ(scores.record(0, 3), 0);
    EXPECT_FALSE(fs::exists(folder / "scores.txt"));  // a score of 0 writes nothing

    EXPECT_EQ(scores.record(1500, 2), 1);
    EXPECT_EQ(read("scores.txt"), "vantorel-scores 1\n1500 2 2026-01-01 01:02:03\n");
    for (int i = 0; i < 9; ++i) scores.record(2000 + i, 0);
    const auto written = fs::last_write_time(folder / "scores.txt");
    const std::string full = read("scores.txt");
    EXPECT_EQ(scores.record(1000, 0), 0);
    EXPECT_EQ(read("scores.txt"), full);  // a round that misses the table rewrites nothing
    EXPECT_EQ(fs::last_write_time(folder / "scores.txt"), written);
    EXPECT_EQ(scores.record(5000, 4), 1);
    EXPECT_EQ(scores.lastPlace, 1);
    EXPECT_EQ(tableOnDisk().entries.size(), 10u);
    EXPECT_EQ(tableOnDisk().entries.back().score, 2000);
    EXPECT_FALSE(fs::exists(folder / "scores.txt.tmp"));

    // The next run reads the same table; resetting empties it.
    BestScores nextRun;
    nextRun.load();
    EXPECT_EQ(nextRun.table.format(), read("scores.txt"));
    EXPECT_TRUE(nextRun.reset());
    EXPECT_FALSE(fs::exists(folder / "scores.txt"));
    EXPECT_TRUE(nextRun.reset());  // nothing to remove is no failure
}

TEST_F(KeptFiles, DamagedLinesAreReportedOnceKeptAsideThenDropped)
{
    const std::string damaged = ThreeRounds + "15\xff\xfe 0 2026\n";
    write("scores.txt", damaged);
    BestScores scores;
    testing::internal::CaptureStderr();
    scores.load();
    scores.record(2500, 1);
    scores.record(2600, 1);
    const std::string trace = testing::internal::GetCapturedStderr();
    EXPECT_EQ(std::count(trace.begin(), trace.end(), '\n'), 1) << trace;
    EXPECT_NE(trace.find("damaged"), std::string::npos);

    EXPECT_EQ(read("scores.bad"), damaged);
    const ScoreTable table = tableOnDisk();
    EXPECT_TRUE(table.badLines.empty());
    ASSERT_EQ(table.entries.size(), 5u);
    EXPECT_EQ(table.entries[1].score, 2600);
}

TEST_F(KeptFiles, EveryFaultOfAWriteLeavesThePreviousTable)
{
    using testmode::FileFault;
    testmode::useVirtualDate();
    for (FileFault fault : {FileFault::DiskFull, FileFault::RenameFails, FileFault::FolderUnwritable}) {
        SCOPED_TRACE(static_cast<int>(fault));
        write("scores.txt", ThreeRounds);
        {
            BestScores scores;
            scores.load();
            testmode::setFileFault(fault);
            testing::internal::CaptureStderr();
            EXPECT_EQ(scores.record(9000, 5), 1);  // the player still sees the round in this run's table
            scores.record(9100, 5);
            const std::string trace = testing::internal::GetCapturedStderr();
            testmode::setFileFault(FileFault::None);
            EXPECT_EQ(std::count(trace.begin(), trace.end(), '\n'), 1) << trace;
            EXPECT_EQ(read("scores.txt"), ThreeRounds);
            EXPECT_FALSE(fs::exists(folder / "scores.txt.tmp"));
            EXPECT_EQ(scores.table.best(), 9100);
        }
        EXPECT_EQ(tableOnDisk().entries.size(), 5u);  // tried again at exit, once the fault has gone
    }

    // Killed after writing its temporary file and before the rename.
    write("scores.txt", ThreeRounds);
    const int status = inChild([] {
        testmode::setFileFault(FileFault::DieBeforeRename);
        BestScores().record(9000, 5);
    });
    ASSERT_TRUE(WIFSIGNALED(status));
    EXPECT_EQ(read("scores.txt"), ThreeRounds);
    EXPECT_TRUE(fs::exists(folder / "scores.txt.tmp"));
    BestScores after;
    EXPECT_EQ(after.record(4000, 1), 1);  // the leftover does not get in the way
    EXPECT_EQ(tableOnDisk().entries.size(), 4u);

    // A folder that cannot even be made: one line, and the game goes on.
    saveFolders.given = (folder / "missing" / "deeper").string();
    testing::internal::CaptureStderr();
    EXPECT_EQ(BestScores().record(100, 0), 1);
    EXPECT_NE(testing::internal::GetCapturedStderr().find("could not be made"), std::string::npos);
}

TEST_F(KeptFiles, LinksAtTheTableAreFollowedAndALinkAtTheTemporaryFileNeverIs)
{
    fs::create_directory(folder / "synced");
    write("synced/victim", "precious\n");
    fs::create_symlink(folder / "synced/victim", folder / "scores.txt.tmp");
    BestScores scores;
    EXPECT_EQ(scores.record(1500, 2), 1);
    EXPECT_EQ(read("synced/victim"), "precious\n");
    EXPECT_FALSE(fs::is_symlink(folder / "scores.txt"));
    EXPECT_EQ(tableOnDisk().best(), 1500);

    // The player keeps the table in a synced folder, through a link.
    fs::rename(folder / "scores.txt", folder / "synced/table.txt");
    fs::create_symlink("synced/table.txt", folder / "scores.txt");
    EXPECT_EQ(scores.record(2500, 1), 1);
    EXPECT_TRUE(fs::is_symlink(folder / "scores.txt"));
    ScoreTable synced;
    synced.parse(read("synced/table.txt"));
    EXPECT_EQ(synced.entries.size(), 2u);
    EXPECT_FALSE(fs::exists(fs::symlink_status(folder / "synced/table.txt.tmp")));
    EXPECT_FALSE(fs::exists(fs::symlink_status(folder / "scores.txt.tmp")));
}

TEST_F(KeptFiles, AHeldLockNeverBlocksTheRoundIsSavedLaterOrLeftPendingForTheNextCopy)
{
    // Another copy, stopped while it holds the lock.
    const int other = open((folder / "scores.lock").c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
    ASSERT_EQ(flock(other, LOCK_EX), 0);
    alarm(60);  // a wait for the lock ends the test rather than hanging it
    write("scores.txt", ThreeRounds);
    testing::internal::CaptureStderr();
    {
        BestScores scores;
        scores.load();
        EXPECT_EQ(scores.record(5000, 3), 1);  // shown at once
        scores.update();
        EXPECT_FALSE(scores.reset());  // never without the lock
        EXPECT_EQ(read("scores.txt"), ThreeRounds);
        EXPECT_EQ(scores.table.best(), 5000);
        ASSERT_EQ(flock(other, LOCK_UN), 0);
        scores.update();
        EXPECT_EQ(tableOnDisk().best(), 5000);  // on the first tick after it let go

        ASSERT_EQ(flock(other, LOCK_EX), 0);
        EXPECT_EQ(scores.record(6000, 1), 1);
    }  // the game ends while the other copy still holds the lock
    const std::string trace = testing::internal::GetCapturedStderr();
    EXPECT_NE(trace.find("locked by another copy"), std::string::npos) << trace;
    const fs::path pending = folder / ("scores.pending." + std::to_string(getpid()));
    EXPECT_EQ(pendingFiles(), std::vector<fs::path>{pending});
    EXPECT_EQ(tableOnDisk().best(), 5000);
    alarm(0);
    close(other);

    BestScores next;
    EXPECT_EQ(next.record(100, 0), 6);
    EXPECT_EQ(tableOnDisk().best(), 6000);
    EXPECT_EQ(tableOnDisk().entries.size(), 6u);
    EXPECT_TRUE(pendingFiles().empty());
}

TEST_F(KeptFiles, WhatIsWrongIsSaidWithTheSystemsPathsAndNothingIsLost)
{
    const std::string oversized = "vantorel-scores 1\n" + std::string(MAX_SAVE_BYTES, '9');
    const std::string damaged = ThreeRounds + "damaged ";
    const auto folderIsAFile = [&] {
        write("plain", "mine\n");
        saveFolders.given = (folder / "plain").string();
        EXPECT_EQ(BestScores().record(100, 0), 1);
    };
    const auto tableTooLarge = [&] {
        write("scores.txt", oversized);
        BestScores scores;
        scores.load();
        EXPECT_EQ(scores.record(100, 0), 1);
    };
    const auto damageAfterDamage = [&] {
        for (int time = 1; time <= 4; ++time) {
            write("scores.txt", damaged + std::to_string(time) + "\n");
            BestScores().record(100 * time, 0);
        }
    };
    using Files = std::vector<std::pair<const char*, std::string>>;  // "" for a file that is not there
    const struct {
        const char* name;
        std::function<void()> play;
        std::string said;  // part of the trace, after the folder as the system writes it
        Files files;
        size_t rounds;  // in the table
    } cases[] = {
        {"a folder that is a file", folderIsAFile, "/plain is a file, not a folder", Files{{"plain", "mine\n"}}, 0},
        {"a table too large to read", tableTooLarge, "/scores.txt is too large", Files{{"scores.bad", oversized}}, 1},
        {"damage after damage", damageAfterDamage, "/scores.txt: 1 damaged line",
         Files{{"scores.bad", damaged + "4\n"},
               {"scores.bad.1", damaged + "3\n"},
               {"scores.bad.2", damaged + "2\n"},
               {"scores.bad.3", ""}},
         4},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        for (const auto& entry : fs::directory_iterator(folder)) fs::remove_all(entry.path());
        saveFolders.given = folder.string();
        testing::internal::CaptureStderr();
        c.play();
        const std::string trace = testing::internal::GetCapturedStderr();
        EXPECT_NE(trace.find(folder.string() + c.said), std::string::npos) << trace;
        EXPECT_EQ(trace.find('\\'), std::string::npos) << trace;
        for (const auto& [name, text] : c.files) {
            EXPECT_EQ(fs::exists(folder / name), !text.empty()) << name;
            EXPECT_TRUE(read(name) == text) << name;  // a megabyte is not printed
        }
        EXPECT_EQ(tableOnDisk().entries.size(), c.rounds);
    }
}

TEST_F(KeptFiles, AProcessKilledWhileWritingNeverLeavesLessThanBefore)
{
    std::mt19937 random(17);
    size_t kept = 0;
    for (int round = 0; round < 300; ++round) {
        const pid_t child = fork();
        if (child == 0) {
            BestScores scores;
            for (int32_t score = 1 + round * 1000;; ++score) scores.record(score, 0);
        }
        usleep(std::uniform_int_distribution<useconds_t>(0, 15000)(random));
        kill(child, SIGKILL);
        waitpid(child, nullptr, 0);
        const std::string text = read("scores.txt");
        ScoreTable table;
        table.parse(text);
        ASSERT_TRUE(table.badLines.empty()) << "round " << round << ":\n" << text;
        ASSERT_GE(table.entries.size(), kept) << "round " << round;
        ASSERT_TRUE(text.empty() || text.rfind("vantorel-scores 1\n", 0) == 0) << text;
        kept = table.entries.size();
    }
    EXPECT_GT(kept, 0u);  // the kills came while rounds were being written
}

TEST_F(KeptFiles, TwoCopiesWritingAtOnceBothLand)
{
    // Each copy's scores rise, so that every round of each makes the table.
    auto copy = [](int32_t parity) {
        return [parity] {
            BestScores scores;
            for (int32_t i = 1; i <= 200; ++i) scores.record(i * 2 + parity, 0);
        };
    };
    const pid_t first = fork();
    if (first == 0) {
        copy(0)();
        _exit(0);
    }
    const int second = inChild(copy(1));
    int firstStatus = 0;
    waitpid(first, &firstStatus, 0);
    ASSERT_TRUE(WIFEXITED(firstStatus) && WIFEXITED(second));
    // A copy that found the lock taken at its exit left its rounds pending,
    // for the next copy that saves.
    BestScores().record(1, 0);
    EXPECT_TRUE(pendingFiles().empty());
    const ScoreTable table = tableOnDisk();
    ASSERT_EQ(table.entries.size(), 10u);
    for (int i = 0; i < 10; ++i) EXPECT_EQ(table.entries[i].score, 401 - i);
}

TEST_F(KeptFiles, SettingsKeepEveryLineAndChangeOnlyTheirOwn)
{
    struct Case {
        const char* onDisk;
        void (*change)(Settings&);
        const char* after;  // nullptr: the file stays as it was
    };
    const Case cases[] = {
        // A comment, a bad value, a line without a key and an unknown key stay
        // where they are; only the changed key's line is new.
        {"vantorel-settings 1\n# quiet at night\nvolume = 30\nmute = maybe\nno key here\nlanguage = fr\n",
         [](Settings& s) { s.fullscreen = true; },
         "vantorel-settings 1\n# quiet at night\nvolume = 30\nmute = maybe\nno key here\nlanguage = fr\n"
         "fullscreen = yes\n"},
        {"vantorel-settings 1\nmute = no\n  volume = 30  \nvolume = 250\nfullscreen = no",
         [](Settings& s) { s.volume = 70; },
         "vantorel-settings 1\nmute = no\nvolume = 70\nvolume = 250\nfullscreen = no\n"},
        // A file without its version line, kept with CRLF.
        {"volume = 30\r\n\r\n# mine\r\n", [](Settings& s) { s.mute = true; },
         "vantorel-settings 1\r\nvolume = 30\r\n\r\n# mine\r\nmute = yes\r\n"},
        // An empty file gets every key.
        {"", [](Settings& s) { s.volume = 20; }, "vantorel-settings 1\nvolume = 20\nmute = no\nfullscreen = no\n"},
        // A newer version's file, or one whose version cannot be read, is
        // read but never written.
        {"vantorel-settings 2\nvolume = 30\nlayout = new\n", [](Settings& s) { s.volume = 40; }, nullptr},
        {"vantorel-settings one\nvolume = 30\n", [](Settings& s) { s.volume = 40; }, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.onDisk);
        write("settings.txt", c.onDisk);
        testing::internal::CaptureStderr();
        settings = Settings();
        settings.load();
        EXPECT_EQ(settings.volume, std::string(c.onDisk).find("volume = 30") != std::string::npos ? 30 : 100);
        c.change(settings);
        settings.save();
        testing::internal::GetCapturedStderr();
        EXPECT_EQ(read("settings.txt"), c.after ? c.after : c.onDisk);
        EXPECT_FALSE(fs::exists(folder / "settings.txt.tmp"));
    }

    // A write that fails leaves the file as it was.
    write("settings.txt", cases[0].after);
    settings = Settings();
    settings.load();
    testmode::setFileFault(testmode::FileFault::DiskFull);
    testing::internal::CaptureStderr();
    settings.volume = 0;
    EXPECT_EQ(settings.save(), Settings::Outcome::Refused);
    EXPECT_NE(testing::internal::GetCapturedStderr().find("could not be saved"), std::string::npos);
    EXPECT_EQ(read("settings.txt"), cases[0].after);
}

TEST_F(KeptFiles, TwoCopiesChangingDifferentSettingsKeepBoth)
{
    write("settings.txt", "vantorel-settings 1\nvolume = 100\nmute = no\nfullscreen = no\n");
    Settings first, second;
    first.load();
    second.load();
    first.volume = 30;
    first.save();
    second.mute = true;
    second.save();
    first.fullscreen = true;
    first.save();
    EXPECT_EQ(read("settings.txt"), "vantorel-settings 1\nvolume = 30\nmute = yes\nfullscreen = yes\n");
}
