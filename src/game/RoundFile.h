// RoundFile.h — a recorded round as a file: a header, then the round's input
// as a replay script (the replay tool's own format, ticks of the round from
// 1, only the events a round reads):
//
//     vantorel-round 1                 format version
//     rules 1                          RULES_VERSION of the game that played it
//     random 2718281828 1234           the board engine's seed, values drawn before the round
//     carried 1                        the field's changes since its last clear
//     cursor 0 0 0 0 0 0 0 1 384 640   column row shown held×4 mouse-known mouse-x mouse-y
//     music 12                         the track
//     claim 1870 3                     the score and highest chain the round reached
//     day 20261209                     only for a round of the day (its UTC date)
//     1 mouse 384 640                  the script: mouse X Y, or mouse none (unreadable)
//     1 button left down               button left|right down|up
//     40 key Z down                    the logical buttons' keys W S A D Z X, the stick's
//                                      UP DOWN LEFT RIGHT (names as the replay tool reads them)
//
// The header's lines come in this order, each once (day only for a round of
// the day). Each tick with events holds what changed against the tick before, in a
// fixed order: the mouse, the left and right buttons, the logical buttons
// 0–5, the stick's four directions. Blank lines, # comments and a trailing
// carriage return are read as in replay scripts.
//
// A file from anyone is read as hostile: every size, count and number has a
// limit, and anything wrong is refused with a message that names the line.
// A file of another rules version is refused with a message that says so.
// Limits: no input or output here. Depends on: RoundRecording, ScriptLine and
// ScriptReader (the replay script's line reader), KeyNames, GameInputConfig.
#pragma once

#include "game/RoundRecording.h"

#include <cstddef>
#include <cstdint>
#include <string>

// Raised whenever a change of the game's rules changes what a recorded
// round plays to.
constexpr int RULES_VERSION = 1;
constexpr int ROUND_FORMAT_VERSION = 1;
constexpr size_t MAX_ROUND_FILE_BYTES = 1 << 20;
constexpr size_t MAX_ROUND_LINE_BYTES = 1024;  // a line with its comment
// Every line counts, blank and comment lines too; an event line the game
// writes has 11 bytes or more, so its files reach MAX_ROUND_FILE_BYTES first.
constexpr int MAX_ROUND_LINES = 100000;
constexpr uint32_t MAX_ROUND_TICKS = 216000;  // an hour: the last tick a change may have

enum class RoundFileStatus { Read, OtherRules, Refused };

struct RoundFileRead {
    RoundFileStatus status = RoundFileStatus::Refused;
    std::string message;  // why it was refused ("line 3: ..."), empty when read
    RoundRecording recording;
};

// The file of a recording. A recording beyond the limits above (say a change
// after MAX_ROUND_TICKS) gives a file that parseRoundFile refuses.
std::string formatRoundFile(const RoundRecording& recording);
// One InputChange per tick whose events change the input;
// parseRoundFile(formatRoundFile(r)).recording == r for every recording the
// recorder makes.
RoundFileRead parseRoundFile(const std::string& text);
