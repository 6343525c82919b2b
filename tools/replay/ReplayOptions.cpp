// ReplayOptions.cpp — reading the command line into ReplayOptions.
#include "ReplayOptions.h"

#include <charconv>
#include <limits>
#include <map>

namespace replay {

const char* const UsageText =
    "usage: vantorel-replay [--seed-field N] [--seed-scene N] [--script FILE] [--trace FILE]\n"
    "                       [--frames DIR --frame-at T1,T2,...] [--audio FILE.wav] [--ticks N]\n"
    "                       [--scores DIR]\n"
    "       vantorel-replay --round FILE [options but --script]\n"
    "Runs the game headless from a script of input events and writes one JSON line per tick.\n"
    "Without a seed, one is drawn and reported on standard error. Without --ticks the run\n"
    "ends after the tick of the script's last event, or earlier when the game quits.\n"
    "With --scores, the game keeps its best scores and settings in DIR as it does in the\n"
    "user's folders; without, it writes no file of its own.\n"
    "With --round, the game plays the round file in place of a script, as it does when a\n"
    "player watches it, and the run ends when the round does.\n";

namespace {

uint32_t unsignedValue(const std::string& option, const std::string& text, uint32_t low)
{
    uint64_t value = 0;
    const char* end = text.data() + text.size();
    auto [stop, error] = std::from_chars(text.data(), end, value);
    if (text.empty() || error != std::errc() || stop != end || value < low ||
        value > std::numeric_limits<uint32_t>::max())
        throw UsageError(option + " needs a whole number from " + std::to_string(low) + " to 4294967295, not \"" +
                         text + "\"");
    return static_cast<uint32_t>(value);
}

std::set<uint32_t> tickList(const std::string& text)
{
    std::set<uint32_t> ticks;
    size_t from = 0;
    while (true) {
        const size_t comma = text.find(',', from);
        ticks.insert(unsignedValue("--frame-at", text.substr(from, comma - from), 1));
        if (comma == std::string::npos) break;
        from = comma + 1;
    }
    return ticks;
}

}  // namespace

ReplayOptions parseOptions(const std::vector<std::string>& arguments)
{
    ReplayOptions options;
    std::map<std::string, bool> seen;
    for (size_t i = 0; i < arguments.size(); ++i) {
        const std::string& option = arguments[i];
        if (option == "--help" || option == "-h") {
            options.help = true;
            continue;
        }
        if (seen[option]) throw UsageError(option + " is given twice");
        seen[option] = true;
        if (i + 1 >= arguments.size()) {
            if (option.starts_with("--")) throw UsageError(option + " needs a value");
            throw UsageError("unknown argument \"" + option + "\"");
        }
        const std::string& value = arguments[i + 1];
        if (option == "--seed-field") options.seedField = unsignedValue(option, value, 0);
        else if (option == "--seed-scene") options.seedScene = unsignedValue(option, value, 0);
        else if (option == "--script") options.scriptPath = value;
        else if (option == "--trace") options.tracePath = value;
        else if (option == "--frames") options.framesDir = value;
        else if (option == "--frame-at") options.frameTicks = tickList(value);
        else if (option == "--audio") options.audioPath = value;
        else if (option == "--ticks") options.ticks = unsignedValue(option, value, 1);
        else if (option == "--scores") options.scoresDir = value;
        else if (option == "--round") options.roundPath = value;
        else throw UsageError("unknown argument \"" + option + "\"");
        if (value.empty()) throw UsageError(option + " needs a value");
        ++i;
    }
    if (!options.roundPath.empty() && seen["--script"]) throw UsageError("--round and --script do not go together");
    if (options.framesDir.empty() != options.frameTicks.empty())
        throw UsageError("--frames and --frame-at go together");
    return options;
}

}  // namespace replay
