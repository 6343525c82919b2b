// The text forms of the kept files and of the command line: the table's
// order and its tolerance of damaged and newer lines, the settings' unknown
// keys, bad values and comments, and the Windows runtime's splitting rules.
#include "app/CommandLine.h"
#include "app/Settings.h"
#include "game/ScoreTable.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

ScoreEntry entry(int32_t score, const char* time = "10:00:00") { return ScoreEntry{score, 1, "2026-01-01", time, ""}; }

}  // namespace

TEST(ScoreTableText, RoundTripKeepsOrderTiesAndNewerFields)
{
    const std::string text =
        "vantorel-scores 3\n"
        "900 2 2026-01-02 10:00:00 rank=gold future field\n"
        "1200 4 2026-01-01 09:30:00\n"
        "900 1 2026-01-03 11:00:00\n";
    ScoreTable table;
    table.parse(text);
    EXPECT_TRUE(table.badLines.empty());
    ASSERT_EQ(table.entries.size(), 3u);
    EXPECT_EQ(table.best(), 1200);
    // A newer version's extra fields and its version number survive the write.
    EXPECT_EQ(table.format(),
              "vantorel-scores 3\n"
              "1200 4 2026-01-01 09:30:00\n"
              "900 2 2026-01-02 10:00:00 rank=gold future field\n"
              "900 1 2026-01-03 11:00:00\n");
    ScoreTable again;
    again.parse(table.format());
    EXPECT_EQ(again.format(), table.format());

    // A tie goes after the older entries of the same score.
    EXPECT_EQ(table.insert(entry(900, "12:00:00")), 4);
    EXPECT_EQ(table.entries[3].time, "12:00:00");
    EXPECT_EQ(table.insert(entry(1200)), 2);

    // Blanks and a stray carriage return after the extra fields do not
    // change them between a read and the next.
    table.parse("vantorel-scores 1\n900 2 2026-01-02 10:00:00 rank=gold \t\r\r\n");
    EXPECT_EQ(table.entries.at(0).extra, "rank=gold");
    again.parse(table.format());
    EXPECT_EQ(again.format(), table.format());
}

TEST(ScoreTableText, BadLinesAreSetAsideAndGoodLinesKept)
{
    ScoreTable table;
    table.parse(
        "vantorel-scores 1\r\n"
        "500 1 2026-01-01 10:00:00\r\n"
        "50x 1 2026-01-01 10:00:00\n"
        "\n"
        "400 1 2026-13-01 10:00:00\n"
        "300 1 2026-01-01\n"
        "0 0 2026-01-01 10:00:00\n"
        "\x01\x02garbage\n"
        "200 1 2026-01-01 23:59:59");
    ASSERT_EQ(table.entries.size(), 2u);
    EXPECT_EQ(table.entries[0].score, 500);
    EXPECT_EQ(table.entries[1].score, 200);
    EXPECT_EQ(table.badLines.size(), 5u);
    EXPECT_EQ(table.badLines.front(), "50x 1 2026-01-01 10:00:00");
    EXPECT_EQ(table.format().find("garbage"), std::string::npos);

    // Without its version line the entries are still read.
    table.parse("700 1 2026-01-01 10:00:00\n");
    EXPECT_EQ(table.best(), 700);
    EXPECT_TRUE(table.badLines.empty());
}

TEST(ScoreTableText, EveryScoreAndChainARoundCanReachReadsBack)
{
    constexpr int32_t Largest = std::numeric_limits<int32_t>::max();  // where the score stops
    const struct {
        int32_t score, chain;
    } reached[] = {{Largest, 0}, {Largest, Largest}, {1000000000, 7}, {1, Largest}};
    for (const auto& round : reached) {
        ScoreTable table;
        table.insert(ScoreEntry{round.score, round.chain, "2026-01-01", "10:00:00", ""});
        ScoreTable again;
        again.parse(table.format());
        EXPECT_TRUE(again.badLines.empty()) << table.format();
        ASSERT_EQ(again.entries.size(), 1u) << table.format();
        EXPECT_EQ(again.entries[0].score, round.score);
        EXPECT_EQ(again.entries[0].chain, round.chain);
    }
    // One past the 32-bit range never comes from the game, and must not wrap.
    ScoreTable beyond;
    beyond.parse("2147483648 1 2026-01-01 10:00:00\n1 2147483648 2026-01-01 10:00:00\n");
    EXPECT_TRUE(beyond.entries.empty());
}

TEST(ScoreTableText, KeepsTheTenBest)
{
    ScoreTable table;
    for (int i = 1; i <= 10; ++i) EXPECT_EQ(table.insert(entry(i * 100)), 1);
    EXPECT_EQ(table.insert(entry(50)), 0);   // an 11th below the ten is not kept
    EXPECT_EQ(table.insert(entry(100)), 0);  // nor one tying the tenth: the older stays
    EXPECT_EQ(table.entries.size(), 10u);
    EXPECT_EQ(table.insert(entry(150)), 10);
    EXPECT_EQ(table.entries.back().score, 150);
    EXPECT_EQ(table.entries.size(), 10u);

    std::string eleven = "vantorel-scores 1\n";
    for (int i = 1; i <= 11; ++i) eleven += std::to_string(i) + " 0 2026-01-01 10:00:00\n";
    table.parse(eleven);
    EXPECT_EQ(table.entries.size(), 10u);
    EXPECT_EQ(table.entries.back().score, 2);
}

TEST(SettingsText, BadValuesIgnoredAndEveryLineWrittenBack)
{
    const std::string text =
        "vantorel-settings 1\n"
        "volume = 40\n"
        "mute = perhaps\n"
        "fullscreen=yes\n"
        "# a comment is no bad line\n"
        "colour-theme = night\n"
        "volume = 250\n"
        "no key here\n";
    Settings s;
    const auto bad = s.parse(text);
    EXPECT_EQ(s.volume, 40);
    EXPECT_FALSE(s.mute);
    EXPECT_TRUE(s.fullscreen);
    EXPECT_EQ(bad, (std::vector<std::string>{"mute = perhaps", "volume = 250", "no key here"}));
    EXPECT_FALSE(s.changed());
    std::string again;
    ASSERT_TRUE(s.merge(text, again));
    EXPECT_EQ(again, text);
}

TEST(CommandLineText, SplitsAsTheWindowsRuntimeAndJoinsBack)
{
    using Args = std::vector<std::string>;
    EXPECT_EQ(splitCommandLine(R"(  a "b c" d\e "f\"g" h\\"i j" k\\\"l)"),
              (Args{"a", "b c", R"(d\e)", R"(f"g)", R"(h\i j)", R"(k\"l)"}));
    EXPECT_EQ(splitCommandLine(nullptr), Args{});
    const Args odd{"", "two words", R"(back\)", R"(\\"quoted\")", "tab\there", R"(C:\x\)"};
    EXPECT_EQ(splitCommandLine(joinCommandLine(odd).c_str()), odd);
}

TEST(CommandLineText, ReadsTheOptions)
{
    CommandLine options = parseCommandLine(R"(--scores-dir "my scores" --reset-scores)");
    EXPECT_TRUE(options.error.empty());
    EXPECT_EQ(options.scoresDir, "my scores");
    EXPECT_TRUE(options.resetScores);
    EXPECT_EQ(parseCommandLine("--scores-dir=x").scoresDir, "x");
    EXPECT_TRUE(parseCommandLine("--help").help);
    EXPECT_TRUE(parseCommandLine("--version").version);
    EXPECT_EQ(parseCommandLine("--fast").error, "unknown option '--fast'");
    EXPECT_EQ(parseCommandLine("--scores-dir").error, "option '--scores-dir' needs a folder");
    EXPECT_EQ(parseCommandLine("--scores-dir=").error, "option '--scores-dir' needs a folder");
    EXPECT_FALSE(parseCommandLine("level2").error.empty());
}

TEST(CommandLineText, ReadsTheRoundFileOptions)
{
    struct Case {
        const char* line;
        const char* verifyFile;
        const char* watchFile;
        const char* error;
    };
    const Case cases[] = {
        {R"(--verify "my round.txt")", "my round.txt", "", ""},
        {"--verify=r.txt --scores-dir s", "r.txt", "", ""},
        {"--watch r.txt", "", "r.txt", ""},
        {"--watch=r.txt", "", "r.txt", ""},
        {"--verify", "", "", "option '--verify' needs a file"},
        {"--watch=", "", "", "option '--watch' needs a file"},
        {"--verify a --watch b", "a", "b", "options '--verify' and '--watch' cannot be used together"},
        {"--verify-all x", "", "", "unknown option '--verify-all'"},
    };
    for (const Case& c : cases) {
        const CommandLine options = parseCommandLine(c.line);
        EXPECT_EQ(options.error, c.error) << c.line;
        if (*c.error) continue;
        EXPECT_EQ(options.verifyFile, c.verifyFile) << c.line;
        EXPECT_EQ(options.watchFile, c.watchFile) << c.line;
    }
    EXPECT_EQ(parseCommandLine("--verify=r.txt --scores-dir s").scoresDir, "s");
}
