// trace_format_test.cpp — the trace line: exact float decimals, the fixed key
// order, and the sound events.
#include "TickRecord.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <limits>
#include <numbers>

using replay::exactDecimal;
using replay::MusicEvent;
using replay::TickRecord;

TEST(TraceFormat, WritesTheFloatsExactDecimal)
{
    EXPECT_EQ(exactDecimal(0.0f), "0");
    EXPECT_EQ(exactDecimal(1.5f), "1.5");
    EXPECT_EQ(exactDecimal(6.0f), "6");
    EXPECT_EQ(exactDecimal(0.1f), "0.100000001490116119384765625");
    EXPECT_EQ(exactDecimal(std::numbers::pi_v<float> / 2), "1.57079637050628662109375");
    EXPECT_EQ(exactDecimal(std::numeric_limits<float>::quiet_NaN()), "null");
    // The smallest subnormal needs all 149 decimal places, and reads back exactly.
    const float tiny = std::numeric_limits<float>::denorm_min();
    const std::string text = exactDecimal(tiny);
    EXPECT_EQ(text.size(), 151u);
    EXPECT_EQ(std::strtof(text.c_str(), nullptr), tiny);
    const float large = std::numeric_limits<float>::max();
    EXPECT_EQ(exactDecimal(large), "340282346638528859811704183484516925440");
}

TEST(TraceFormat, WritesEveryKeyInItsFixedOrder)
{
    TickRecord r;
    r.tick = 42;
    r.drawn = true;
    r.playing = true;
    r.overlayOffset = 1680;
    r.board = {1, 2, 3, 4, 5, 6, 0, 1, 2, 3, 4, 5, 1, 2, 3, 4};
    r.shownBoard = r.board;
    r.shrink = {0, 16, 256, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    r.phase = 131;
    r.timeLeft = 3559;
    r.gravity = 3;
    r.gravityAngle = 0.5f;
    r.rightHeld = true;
    r.wildPresent = true;
    r.changeCount = 2;
    r.chain = 1;
    r.score = -7;
    r.arrowShiftX = -64;
    r.arrowShiftY = 12;
    r.arrowPulse = 8;
    r.shownScore = 120;
    r.scoreDigits = {0, 0, 0, 1, 2, 0};
    r.timeDigits = {5, 9};
    r.chainDigits = {0, 1};
    r.effects = {2, 4};
    r.music = {MusicEvent{false, 11, 154}, MusicEvent{true, 12, std::nullopt}};
    EXPECT_EQ(replay::traceLine(r),
              "{\"tick\":42,\"drawn\":true,\"playing\":true,\"overlayOffset\":1680,"
              "\"board\":[1,2,3,4,5,6,0,1,2,3,4,5,1,2,3,4],\"shownBoard\":[1,2,3,4,5,6,0,1,2,3,4,5,1,2,3,4],"
              "\"shrink\":[0,16,256,0,0,0,0,0,0,0,0,0,0,0,0,0],\"phase\":131,\"timeLeft\":3559,\"gravity\":3,"
              "\"gravityAngle\":0.5,\"leftHeld\":false,\"rightHeld\":true,\"wildPresent\":true,"
              "\"changeCount\":2,\"chain\":1,\"score\":-7,\"arrowShiftX\":-64,\"arrowShiftY\":12,\"arrowPulse\":8,"
              "\"shownScore\":120,\"scoreDigits\":[0,0,0,1,2,0],\"timeDigits\":[5,9],\"chainDigits\":[0,1],"
              "\"effects\":[2,4],\"music\":[{\"event\":\"stop\",\"id\":11,\"level\":154},"
              "{\"event\":\"start\",\"id\":12,\"level\":null}]}\n");
}

TEST(TraceFormat, EmptyListsStayLists)
{
    const std::string line = replay::traceLine(TickRecord{});
    EXPECT_NE(line.find("\"board\":[],"), std::string::npos);
    EXPECT_NE(line.find("\"effects\":[],\"music\":[]}"), std::string::npos);
    EXPECT_EQ(line.back(), '\n');
    EXPECT_EQ(line.find(' '), std::string::npos);
}
