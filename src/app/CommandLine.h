// CommandLine.h — the game's options, read from the command line as WinMain
// receives it (one string, the program's name left out, split by the
// Windows runtime's rules for blanks, quotes and backslashes):
//
//   --help                 what the options are
//   --version              the game's name and version
//   --scores-dir DIR       keep the best scores and the settings in DIR
//                          (also written --scores-dir=DIR)
//   --reset-scores         empty the table of best scores and the days'
//                          tables, then leave
//   --verify FILE          play the round file FILE without a window, say
//                          what it reaches and whether that is its claim
//   --watch FILE           play the round file FILE in the window
//                          (both also written --verify=FILE, --watch=FILE)
//   --export-round N FILE  write the round kept with the table's N-th entry
//                          (from 1) to FILE, then leave
//
// Limits: options only, no other arguments. Depends on: ScoreTable (its
// size).
#pragma once

#include <string>
#include <vector>

struct CommandLine {
    bool help = false;
    bool version = false;
    bool resetScores = false;
    bool scoresDirGiven = false;
    std::string scoresDir;
    std::string verifyFile;  // empty when not given
    std::string watchFile;   // empty when not given
    int exportPlace = 0;     // --export-round's N, 0 when not asked
    std::string exportFile;
    std::string error;  // set for a line the game cannot follow
};

std::vector<std::string> splitCommandLine(const char* commandLine);
// The reverse of splitCommandLine, for entries that start from argv.
std::string joinCommandLine(const std::vector<std::string>& arguments);

CommandLine parseCommandLine(const char* commandLine);

extern const char* const USAGE_TEXT;
