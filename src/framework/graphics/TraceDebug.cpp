// TraceDebug.cpp — formats into a fixed buffer (longer text is cut) and hands
// it to the debug output.
#include "framework/graphics/TraceDebug.h"

#include <windows.h>

#include <cstdarg>
#include <cstdio>

void TraceDebug([[maybe_unused]] const char* format, ...)
{
#ifndef NDEBUG
    char text[1024];
    va_list arguments;
    va_start(arguments, format);
    std::vsnprintf(text, sizeof text, format, arguments);
    va_end(arguments);
    OutputDebugStringA(text);
#endif
}
