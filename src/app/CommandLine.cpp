// CommandLine.cpp — splitting and reading the command line. Splitting
// follows the Windows runtime: blanks separate arguments outside quotes; 2n
// backslashes before a quote give n backslashes and the quote opens or
// closes a quoted part; 2n + 1 give n backslashes and a literal quote;
// backslashes anywhere else stand as they are.
#include "app/CommandLine.h"

#include "game/ScoreTable.h"

const char* const USAGE_TEXT =
    "Usage: vantorel [OPTION]...\n"
    "A one-minute colour puzzle: click blocks to change their colour and turn the gravity,\n"
    "right-click to clear groups of four or more.\n"
    "\n"
    "  --help               show this help and leave\n"
    "  --version            show the version and leave\n"
    "  --scores-dir DIR     keep the best scores and the settings in DIR\n"
    "  --reset-scores       empty the table of best scores and the days' tables and leave\n"
    "  --export-round N FILE\n"
    "                       write the round kept with the table's N-th entry to FILE and leave";

std::vector<std::string> splitCommandLine(const char* commandLine)
{
    std::vector<std::string> arguments;
    if (!commandLine) return arguments;
    const char* p = commandLine;
    for (;;) {
        while (*p == ' ' || *p == '\t') ++p;
        if (!*p) break;
        std::string argument;
        bool quoted = false;
        while (*p && (quoted || (*p != ' ' && *p != '\t'))) {
            size_t backslashes = 0;
            while (*p == '\\') {
                ++backslashes;
                ++p;
            }
            if (*p == '"') {
                argument.append(backslashes / 2, '\\');
                if (backslashes % 2) argument += '"';
                else quoted = !quoted;
                ++p;
            } else {
                argument.append(backslashes, '\\');
                if (*p && (quoted || (*p != ' ' && *p != '\t'))) argument += *p++;
            }
        }
        arguments.push_back(argument);
    }
    return arguments;
}

std::string joinCommandLine(const std::vector<std::string>& arguments)
{
    std::string line;
    for (const std::string& argument : arguments) {
        if (!line.empty()) line += ' ';
        line += '"';
        size_t backslashes = 0;
        for (char c : argument) {
            if (c == '\\') {
                ++backslashes;
                continue;
            }
            // Backslashes before a quote are doubled, and the quote escaped.
            line.append(c == '"' ? backslashes * 2 + 1 : backslashes, '\\');
            backslashes = 0;
            line += c;
        }
        // Backslashes before the closing quote are doubled too.
        line.append(backslashes * 2, '\\');
        line += '"';
    }
    return line;
}

CommandLine parseCommandLine(const char* commandLine)
{
    CommandLine options;
    const std::vector<std::string> arguments = splitCommandLine(commandLine);
    const std::string dirOption = "--scores-dir";
    for (size_t i = 0; i < arguments.size() && options.error.empty(); ++i) {
        const std::string& argument = arguments[i];
        if (argument == "--help") options.help = true;
        else if (argument == "--version") options.version = true;
        else if (argument == "--reset-scores") options.resetScores = true;
        else if (argument == dirOption || argument.rfind(dirOption + "=", 0) == 0) {
            const bool inline_ = argument.size() > dirOption.size();
            if (!inline_ && i + 1 == arguments.size()) {
                options.error = "option '--scores-dir' needs a folder";
                break;
            }
            options.scoresDir = inline_ ? argument.substr(dirOption.size() + 1) : arguments[++i];
            options.scoresDirGiven = true;
            if (options.scoresDir.empty()) options.error = "option '--scores-dir' needs a folder";
        } else if (argument == "--export-round") {
            const std::string place = i + 1 < arguments.size() ? arguments[i + 1] : "";
            const bool digits =
                !place.empty() && place.size() <= 2 && place.find_first_not_of("0123456789") == std::string::npos;
            const int number = digits ? std::stoi(place) : 0;
            if (number < 1 || number > ScoreTable::TABLE_SIZE)
                options.error = "option '--export-round' needs a place from 1 to " +
                                std::to_string(ScoreTable::TABLE_SIZE) + " and a file";
            else if (i + 2 >= arguments.size() || arguments[i + 2].empty())
                options.error = "option '--export-round' needs a file to write";
            else {
                options.exportPlace = number;
                options.exportFile = arguments[i + 2];
                i += 2;
            }
        } else if (argument.rfind("-", 0) == 0) {
            options.error = "unknown option '" + argument + "'";
        } else {
            options.error = "unexpected argument '" + argument + "'";
        }
    }
    return options;
}
