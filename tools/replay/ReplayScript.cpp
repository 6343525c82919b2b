// ReplayScript.cpp — a whole replay script read line by line through the
// game's script reader.
#include "ReplayScript.h"

#include <string>

namespace replay {

std::vector<ScriptEvent> readScript(std::istream& in)
{
    std::vector<ScriptEvent> events;
    ScriptReader reader;
    std::string text;
    int number = 0;
    while (std::getline(in, text)) {
        ScriptLine line(++number, text);
        if (line.blank()) continue;
        ScriptEvent event;
        if (!reader.read(line, event)) throw ScriptError(reader.error());
        events.push_back(event);
    }
    if (in.bad()) throw ScriptError("the script could not be read");
    return events;
}

}  // namespace replay
