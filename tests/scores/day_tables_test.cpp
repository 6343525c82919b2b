// The tables of the days beside the main one: their own files and rounds,
// the last seven days kept, and `--reset-scores` emptying them all. Every
// file lives in a scratch folder.
#include "app/BestScores.h"
#include "app/CommandLine.h"
#include "app/SaveFile.h"
#include "app/SaveFolders.h"
#include "app/WinMain.h"

#include "scores/scores_folder.h"

#include "platform/testing.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <sys/file.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

class DayTables : public ScoresFolderTest {
protected:
    DayTables() : ScoresFolderTest("days") {}

    std::set<std::string> files() const
    {
        std::set<std::string> found;
        for (const auto& entry : fs::directory_iterator(folder)) found.insert(entry.path().filename());
        return found;
    }

    // A table of one entry that links the round file `round`, written with
    // that file.
    void writeTable(const std::string& name, const std::string& round) const
    {
        write(name, "vantorel-scores 1\n50 0 2026-01-01 10:00:00 round=" + round + "\n");
        write(round, roundOf(50));
    }

    static std::string roundOf(int32_t score) { return "vantorel-round 1\nclaim " + std::to_string(score) + " 0\n"; }
};

}  // namespace

TEST_F(DayTables, ADaysTableKeepsItsRoundsBesideTheMainTable)
{
    testmode::useVirtualDate();
    testmode::setClock(3723000);  // 01:02:03
    BestScores main;
    EXPECT_EQ(main.record(900, 1, roundOf(900)), 1);
    const std::string mainText = read("scores.txt");
    {
        BestScores day(20261209);
        EXPECT_EQ(day.record(900, 2, roundOf(900)), 1);  // the same second and score: a name of its own
        EXPECT_EQ(day.record(1500, 3, roundOf(1500)), 1);
    }
    EXPECT_EQ(read("scores.txt"), mainText);
    EXPECT_EQ(read("day-20261209.txt"),
              "vantorel-scores 1\n"
              "1500 3 2026-01-01 01:02:03 round=round-20260101-010203-1500.txt\n"
              "900 2 2026-01-01 01:02:03 round=round-20260101-010203-900-2.txt\n");
    EXPECT_EQ(read("round-20260101-010203-900.txt"), roundOf(900));  // the main table's, untouched

    BestScores day(20261209);
    day.load();
    ASSERT_EQ(day.table.entries.size(), 2u);
    std::string text;
    ASSERT_TRUE(day.readRound(1, text));
    EXPECT_EQ(text, roundOf(900));
    EXPECT_EQ(shownPath(day.roundPath(1)), (folder / "round-20260101-010203-900-2.txt").string());

    // While another copy holds the lock the day's round waits in a pending
    // file of the day's own, which the day's next save merges.
    const int other = open((folder / "scores.lock").c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
    ASSERT_EQ(flock(other, LOCK_EX), 0);
    {
        BestScores(20261209).record(700, 0, roundOf(700));
    }
    close(other);
    const std::string pending = "day-20261209.pending." + std::to_string(getpid());
    EXPECT_NE(read(pending).find("700 0"), std::string::npos);
    day.record(10, 0);
    EXPECT_FALSE(fs::exists(folder / pending));
    BestScores after(20261209);
    after.load();
    EXPECT_EQ(after.table.entries.size(), 4u);
    EXPECT_EQ(read("scores.txt"), mainText);
}

TEST_F(DayTables, SavingADayDropsTheDaysBeforeTheLastSeven)
{
    // 3 December: 27 November is the oldest day kept.
    const std::string dropped[] = {"day-20261126.txt", "day-20261120.txt", "day-20251231.txt"};
    const std::string kept[] = {"day-20261127.txt", "day-20261130.txt", "day-20261204.txt"};
    std::set<std::string> remaining;
    int number = 0;
    for (const std::string& name : kept) {
        const std::string round = "round-kept-" + std::to_string(++number) + ".txt";
        writeTable(name, round);
        remaining.insert({name, round});
    }
    for (const std::string& name : dropped) writeTable(name, "round-old-" + std::to_string(++number) + ".txt");
    // A damaged old day that also links the main table's round: that one stays.
    write("day-20261120.txt",
          read("day-20261120.txt") + "damaged line\n60 0 2026-01-01 10:00:00 round=round-main.txt\n");
    writeTable("day-20261126.pending.4242", "round-old-pending.txt");
    write("day-20261126.bad", "kept aside\n");
    writeTable("scores.txt", "round-main.txt");
    remaining.insert({"scores.txt", "round-main.txt"});
    // Named like a day's file, but not exactly: left alone, with the rounds they name.
    const std::string strangers[] = {"day-2026112.txt",      "day-020261126.txt",     "day-20261126.TXT",
                                     "day-20261126.txt.tmp", "day-20261126.pending.", "day-20261126.pending.1x",
                                     "day-20261131.txt",     "day-20260229.txt",      "xday-20261126.txt",
                                     "day-20261126.bad.3",   "day-2026-11-26.txt",    "day-20261126"};
    number = 0;
    for (const std::string& name : strangers) {
        const std::string round = "round-stranger-" + std::to_string(++number) + ".txt";
        writeTable(name, round);
        remaining.insert({name, round});
    }

    BestScores today(20261203);
    EXPECT_EQ(today.record(100, 0, roundOf(100)), 1);
    remaining.insert({"day-20261203.txt", today.table.entries.at(0).round, "scores.lock"});
    EXPECT_EQ(files(), remaining);
}

TEST_F(DayTables, ResetScoresEmptiesTheDaysTablesToo)
{
    writeTable("scores.txt", "round-main.txt");
    writeTable("day-20261201.txt", "round-day-1.txt");
    writeTable("day-20261202.pending.77", "round-day-2.txt");
    writeTable("day-20261203.txt", "round-day-3.txt");
    write("day-20261203.txt", read("day-20261203.txt") + "damaged line\n");
    write("day-20261201.bad", "kept aside\n");
    writeTable("day-notes.txt", "round-notes.txt");
    const std::string line = joinCommandLine({"--scores-dir", folder.string(), "--reset-scores"});
    EXPECT_EQ(WinMain(nullptr, nullptr, const_cast<char*>(line.c_str()), SW_HIDE), 0);
    EXPECT_EQ(files(), (std::set<std::string>{"scores.lock", "day-20261201.bad", "day-notes.txt", "round-notes.txt"}));
}
