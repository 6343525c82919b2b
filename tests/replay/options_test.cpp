// options_test.cpp — the replay tool's command line.
#include "ReplayOptions.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using replay::parseOptions;
using replay::UsageError;

namespace {

std::string errorOf(const std::vector<std::string>& arguments)
{
    try {
        parseOptions(arguments);
    } catch (const UsageError& error) {
        return error.what();
    }
    return "";
}

}  // namespace

TEST(ReplayOptions, ReadsEveryOption)
{
    const auto o = parseOptions({"--seed-field", "1", "--seed-scene", "4294967295", "--script", "s.txt", "--trace",
                                 "t.jsonl", "--frames", "out", "--frame-at", "30,5,30", "--audio", "a.wav", "--ticks",
                                 "3600", "--scores", "kept"});
    EXPECT_EQ(o.seedField, 1u);
    EXPECT_EQ(o.seedScene, 4294967295u);
    EXPECT_EQ(o.scriptPath, "s.txt");
    EXPECT_EQ(o.tracePath, "t.jsonl");
    EXPECT_EQ(o.framesDir, "out");
    EXPECT_EQ(o.frameTicks, (std::set<uint32_t>{5, 30}));
    EXPECT_EQ(o.audioPath, "a.wav");
    EXPECT_EQ(o.ticks, 3600u);
    EXPECT_EQ(o.scoresDir, "kept");
    const auto defaults = parseOptions({});
    EXPECT_FALSE(defaults.seedField || defaults.seedScene || defaults.ticks);
    EXPECT_TRUE(defaults.scriptPath.empty() && defaults.tracePath.empty() && defaults.scoresDir.empty());
}

TEST(ReplayOptions, RejectsBadCommandLines)
{
    EXPECT_EQ(errorOf({"--seed-field", "4294967296"}),
              "--seed-field needs a whole number from 0 to 4294967295, not \"4294967296\"");
    EXPECT_EQ(errorOf({"--seed-scene", "-1"}), "--seed-scene needs a whole number from 0 to 4294967295, not \"-1\"");
    EXPECT_EQ(errorOf({"--ticks", "0"}), "--ticks needs a whole number from 1 to 4294967295, not \"0\"");
    EXPECT_EQ(errorOf({"--ticks"}), "--ticks needs a value");
    EXPECT_EQ(errorOf({"--trace", ""}), "--trace needs a value");
    EXPECT_EQ(errorOf({"--ticks", "5", "--ticks", "6"}), "--ticks is given twice");
    EXPECT_EQ(errorOf({"--speed", "2"}), "unknown argument \"--speed\"");
    EXPECT_EQ(errorOf({"extra"}), "unknown argument \"extra\"");
    EXPECT_EQ(errorOf({"--frames", "out", "--frame-at", "3,,4"}),
              "--frame-at needs a whole number from 1 to 4294967295, not \"\"");
    EXPECT_EQ(errorOf({"--frames", "out"}), "--frames and --frame-at go together");
    EXPECT_EQ(errorOf({"--frame-at", "3"}), "--frames and --frame-at go together");
}
