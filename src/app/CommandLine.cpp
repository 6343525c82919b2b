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
    "                       write the round kept with the table's N-th entry to FILE and leave\n"
    "  --verify FILE        play the round file FILE without a window, show its score and\n"
    "                       chain and whether they are what it claims (exit 0, 1 if not,\n"
    "                       2 if it cannot be read)\n"
    "  --watch FILE         play the round file FILE in the window";

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

namespace {

// The value of an option written "--name VALUE" or "--name=VALUE": true when
// `argument` is that option, with the value in `value` (or the error set
// when there is none); `i` moves past a value in the next argument.
bool optionValue(const std::vector<std::string>& arguments, size_t& i, const std::string& name, const char* what,
                 std::string& value, std::string& error)
{
    const std::string& argument = arguments[i];
    const bool inline_ = argument.rfind(name + "=", 0) == 0;
    if (argument != name && !inline_) return false;
    if (inline_) value = argument.substr(name.size() + 1);
    else if (i + 1 < arguments.size()) value = arguments[++i];
    else value.clear();
    if (value.empty()) error = "option '" + name + "' needs " + what;
    return true;
}

}  // namespace

CommandLine parseCommandLine(const char* commandLine)
{
    CommandLine options;
    const std::vector<std::string> arguments = splitCommandLine(commandLine);
    for (size_t i = 0; i < arguments.size() && options.error.empty(); ++i) {
        const std::string& argument = arguments[i];
        if (argument == "--help") options.help = true;
        else if (argument == "--version") options.version = true;
        else if (argument == "--reset-scores") options.resetScores = true;
        else if (optionValue(arguments, i, "--scores-dir", "a folder", options.scoresDir, options.error))
            options.scoresDirGiven = true;
        else if (optionValue(arguments, i, "--verify", "a file", options.verifyFile, options.error)) continue;
        else if (optionValue(arguments, i, "--watch", "a file", options.watchFile, options.error)) continue;
        else if (argument == "--export-round") {
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
    if (options.error.empty() && !options.verifyFile.empty() && !options.watchFile.empty())
        options.error = "options '--verify' and '--watch' cannot be used together";
    return options;
}
