// diagnostics.cpp — the device call log and the one-time trace notes.
#include "d3d9/diagnostics.h"

#include "host/host.h"

#include <windows.h>

#include <cstdarg>
#include <cstdio>
#include <mutex>
#include <set>
#include <string>

namespace layer::d3d {

bool callLogOn() { return host::current().deviceCallLog(); }

void logCall(const char* format, ...)
{
    if (!callLogOn()) return;
    char text[512];
    va_list arguments;
    va_start(arguments, format);
    std::vsnprintf(text, sizeof text, format, arguments);
    va_end(arguments);
    host::current().recordCall(text);
}

void traceOnce(const char* message)
{
    static std::mutex guard;
    static std::set<std::string> seen;
    std::lock_guard<std::mutex> lock(guard);
    if (seen.insert(message).second) OutputDebugStringA(message);
}

}  // namespace layer::d3d
