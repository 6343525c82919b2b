// The round files kept beside the table: one per entry, named by its entry,
// removed with it; damaged and hostile ones; two copies finishing at once;
// `--export-round`. Every file lives in a scratch folder.
#include "app/BestScores.h"
#include "app/CommandLine.h"
#include "app/SaveFile.h"
#include "app/SaveFolders.h"
#include "app/WinMain.h"
#include "game/RoundFile.h"

#include "platform/testing.h"
#include "support/scratch_folder.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <sys/file.h>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

class RoundFiles : public ::testing::Test {
protected:
    void SetUp() override
    {
        saveFolders.where = SaveFolders::Where::Given;
        saveFolders.given = (scratch.path() / "scores").string();
        fs::create_directory(folder);
        testmode::restoreFiles();
    }

    std::string read(const fs::path& path) const
    {
        std::ifstream in(path, std::ios::binary);
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }
    void write(const fs::path& path, const std::string& text) const { std::ofstream(path) << text; }

    // The round files in the folder.
    std::set<std::string> roundFiles() const
    {
        std::set<std::string> found;
        for (const auto& entry : fs::directory_iterator(folder))
            if (entry.path().filename().string().rfind("round-", 0) == 0) found.insert(entry.path().filename());
        return found;
    }

    ScoreTable tableOnDisk() const
    {
        ScoreTable table;
        table.parse(read(folder / "scores.txt"));
        return table;
    }

    // The table on disk names exactly the round files in the folder, one
    // per entry, each holding that round's text.
    void expectOneFilePerEntry() const
    {
        std::set<std::string> named;
        for (const ScoreEntry& entry : tableOnDisk().entries) {
            EXPECT_EQ(read(folder / entry.round), roundOf(entry.score)) << entry.round;
            named.insert(entry.round);
        }
        EXPECT_EQ(named.size(), tableOnDisk().entries.size());
        EXPECT_EQ(roundFiles(), named);
    }

    static std::string roundOf(int32_t score) { return "vantorel-round 1\nclaim " + std::to_string(score) + " 0\n"; }

    ScratchFolder scratch{"rounds"};
    const fs::path folder = scratch.path() / "scores";
};

}  // namespace

TEST_F(RoundFiles, TheTableKeepsExactlyTheRoundsOfItsEntries)
{
    testmode::useVirtualDate();
    testmode::setClock(3723000);  // 01:02:03 into 2026
    write(folder / "round-20260101-000000-5.txt", "another copy's round, its line not saved yet");
    BestScores scores;
    EXPECT_EQ(scores.record(1500, 2, roundOf(1500)), 1);
    EXPECT_EQ(read(folder / "scores.txt"),
              "vantorel-scores 1\n1500 2 2026-01-01 01:02:03 round=round-20260101-010203-1500.txt\n");
    EXPECT_EQ(scores.record(1500, 2, roundOf(1500)), 2);  // the same name taken: the next one
    EXPECT_EQ(scores.table.entries[1].round, "round-20260101-010203-1500-2.txt");
    for (int32_t score = 2000; score < 2008; ++score) scores.record(score, 0, roundOf(score));
    EXPECT_EQ(scores.record(1000, 0, roundOf(1000)), 0);  // the eleventh keeps no file
    const auto untouched = fs::last_write_time(folder / "round-20260101-010203-2000.txt");
    EXPECT_EQ(scores.record(3000, 1, roundOf(3000)), 1);  // the newer 1500 drops out: its file goes
    EXPECT_FALSE(fs::exists(folder / "round-20260101-010203-1500-2.txt"));
    EXPECT_EQ(read(folder / "round-20260101-010203-1500.txt"), roundOf(1500));
    EXPECT_EQ(fs::last_write_time(folder / "round-20260101-010203-2000.txt"), untouched);
    EXPECT_TRUE(fs::exists(folder / "round-20260101-000000-5.txt"));  // never a sweep of the folder
    fs::remove(folder / "round-20260101-000000-5.txt");
    expectOneFilePerEntry();

    // A damaged, an oversized and a missing file each leave their entry.
    BestScores next;
    next.load();
    std::string text;
    ASSERT_TRUE(next.readRound(0, text));
    EXPECT_EQ(text, roundOf(3000));
    EXPECT_EQ(shownPath(next.roundPath(0)), (folder / "round-20260101-010203-3000.txt").string());
    write(folder / next.table.entries[1].round,
          "\x7f"
          "ELF garbage");
    write(folder / next.table.entries[2].round, "vantorel-round 1\n" + std::string(MAX_ROUND_FILE_BYTES, '#'));
    fs::remove(folder / next.table.entries[3].round);
    testing::internal::CaptureStderr();
    for (size_t index : {1, 2, 3}) EXPECT_FALSE(next.readRound(index, text) || !text.empty()) << index;
    EXPECT_FALSE(next.readRound(10, text));
    const std::string said = testing::internal::GetCapturedStderr();
    EXPECT_NE(said.find("is not a round file"), std::string::npos) << said;
    EXPECT_EQ(next.record(4000, 0), 1);  // a round without its text: no file, no link
    EXPECT_TRUE(next.roundPath(0).empty());
    const ScoreTable after = tableOnDisk();
    ASSERT_EQ(after.entries.size(), 10u);
    for (size_t i = 1; i < 10; ++i) EXPECT_EQ(after.entries[i].round, next.table.entries[i].round);

    // A round too large to be a round file is not kept; resetting removes
    // every entry's file.
    testing::internal::CaptureStderr();
    EXPECT_EQ(next.record(5000, 0, std::string(MAX_ROUND_FILE_BYTES + 1, '#')), 1);
    EXPECT_NE(testing::internal::GetCapturedStderr().find("too large"), std::string::npos);
    EXPECT_TRUE(tableOnDisk().entries[0].round.empty());
    EXPECT_TRUE(next.reset());
    EXPECT_TRUE(roundFiles().empty());
}

TEST_F(RoundFiles, AHostileLinkIsNoLinkAndNothingOutsideIsTouched)
{
    const std::string hostile[] = {"../victim",    "/tmp/victim",  "round-a/../../victim.txt",
                                   "scores.txt",   "round-.txt",   "round-\x01.txt",
                                   "ROUND-A.TXT",  "round-a.txt.", "round-" + std::string(65, 'a') + ".txt",
                                   "round-x.txt\\"};
    std::string text = "vantorel-scores 1\n";
    int32_t score = 100;
    for (const std::string& name : hostile)
        text += std::to_string(score++) + " 0 2026-01-01 10:00:00 round=" + name + "\n";
    ScoreTable table;
    table.parse(text);
    ASSERT_EQ(table.entries.size(), std::size(hostile));
    for (const ScoreEntry& entry : table.entries) {
        EXPECT_TRUE(entry.round.empty()) << entry.extra;
        EXPECT_EQ(entry.extra.rfind("round=", 0), 0u);  // kept as it stands
    }
    table.parse("7 0 2026-01-01 10:00:00 round=round-1-2-3.txt  rank=gold\n");
    EXPECT_EQ(table.entries.at(0).round, "round-1-2-3.txt");
    EXPECT_EQ(table.entries[0].extra, "rank=gold");  // a newer version's fields after the link stay
    EXPECT_EQ(table.format(), "vantorel-scores 1\n7 0 2026-01-01 10:00:00 round=round-1-2-3.txt rank=gold\n");

    // On disk: the links are neither read nor removed when their entries
    // drop out or the table is reset.
    write(scratch.path() / "victim", "mine\n");
    write(folder / "scores.txt", text);
    BestScores scores;
    scores.load();
    std::string round;
    for (size_t i = 0; i < scores.table.entries.size(); ++i) {
        EXPECT_FALSE(scores.readRound(i, round));
        EXPECT_TRUE(scores.roundPath(i).empty());
    }
    for (int32_t better = 1000; better < 1010; ++better) scores.record(better, 0, roundOf(better));
    EXPECT_TRUE(scores.reset());
    EXPECT_EQ(read(scratch.path() / "victim"), "mine\n");
    EXPECT_FALSE(fs::exists(folder / "scores.txt"));
}

TEST_F(RoundFiles, TwoCopiesFinishingAtOnceKeepBothRounds)
{
    // One copy finishes while another holds the lock, and leaves at once:
    // its round file is written all the same, its line waits pending.
    const int other = open((folder / "scores.lock").c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
    ASSERT_EQ(flock(other, LOCK_EX), 0);
    const pid_t first = fork();
    if (first == 0) {
        BestScores().record(700, 1, roundOf(700));
        _exit(0);
    }
    int status = 0;
    waitpid(first, &status, 0);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(roundFiles().size(), 1u);
    ASSERT_EQ(flock(other, LOCK_UN), 0);
    close(other);
    BestScores().record(800, 1, roundOf(800));  // the copy that held it saves, merging the pending round
    ASSERT_EQ(tableOnDisk().entries.size(), 2u);
    expectOneFilePerEntry();

    // Two copies racing through many rounds each, every round a new best.
    auto copy = [this](int32_t parity) {
        BestScores scores;
        for (int32_t i = 1; i <= 40; ++i) scores.record(1000 + i * 2 + parity, 0, roundOf(1000 + i * 2 + parity));
    };
    const pid_t even = fork();
    if (even == 0) {
        copy(0);
        _exit(0);
    }
    const pid_t odd = fork();
    if (odd == 0) {
        copy(1);
        _exit(0);
    }
    int evenStatus = 0, oddStatus = 0;
    waitpid(even, &evenStatus, 0);
    waitpid(odd, &oddStatus, 0);
    ASSERT_TRUE(WIFEXITED(evenStatus) && WIFEXITED(oddStatus));
    BestScores().record(1, 0);  // merges what a copy left pending
    const ScoreTable table = tableOnDisk();
    ASSERT_EQ(table.entries.size(), 10u);
    for (int i = 0; i < 10; ++i) EXPECT_EQ(table.entries[i].score, 1081 - i);
    expectOneFilePerEntry();
}

TEST_F(RoundFiles, ExportWritesTheRoundOfTheEntryAsked)
{
    const struct {
        const char* line;
        const char* error;
    } bad[] = {
        {"--export-round 0 out", "option '--export-round' needs a place from 1 to 10 and a file"},
        {"--export-round 11 out", "option '--export-round' needs a place from 1 to 10 and a file"},
        {"--export-round -1 out", "option '--export-round' needs a place from 1 to 10 and a file"},
        {"--export-round out", "option '--export-round' needs a place from 1 to 10 and a file"},
        {"--export-round 1", "option '--export-round' needs a file to write"},
        {"--export-round 1 \"\"", "option '--export-round' needs a file to write"},
    };
    for (const auto& c : bad) {
        EXPECT_EQ(parseCommandLine(c.line).error, c.error) << c.line;
        testing::internal::CaptureStderr();
        EXPECT_EQ(WinMain(nullptr, nullptr, const_cast<char*>(c.line), SW_HIDE), 2) << c.line;
        EXPECT_NE(testing::internal::GetCapturedStderr().find(c.error), std::string::npos);
    }
    const CommandLine options = parseCommandLine("--export-round 10 \"my round.txt\" --version");
    EXPECT_EQ(options.exportPlace, 10);
    EXPECT_EQ(options.exportFile, "my round.txt");
    EXPECT_TRUE(options.version);

    {
        BestScores scores;
        scores.record(900, 2, roundOf(900));
        scores.record(500, 1);
    }
    const fs::path out = scratch.path() / "shared.txt";
    const auto exportRound = [&](int place) {
        const std::string line =
            joinCommandLine({"--scores-dir", folder.string(), "--export-round", std::to_string(place), out.string()});
        return WinMain(nullptr, nullptr, const_cast<char*>(line.c_str()), SW_HIDE);
    };
    EXPECT_EQ(exportRound(1), 0);
    EXPECT_EQ(read(out), roundOf(900));
    testing::internal::CaptureStderr();
    EXPECT_EQ(exportRound(2), 1);  // an entry without a round
    EXPECT_EQ(exportRound(3), 1);  // no such entry
    fs::remove(out);
    fs::create_directory(out);
    EXPECT_EQ(exportRound(1), 1);  // FILE cannot be written
    const std::string said = testing::internal::GetCapturedStderr();
    EXPECT_NE(said.find("entry 2 of the best scores has no round kept"), std::string::npos) << said;
    EXPECT_NE(said.find("there is no entry 3"), std::string::npos) << said;
    EXPECT_NE(said.find("shared.txt could not be written"), std::string::npos) << said;
}
