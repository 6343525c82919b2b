// TraceDebug.h — the framework's printf-style debug trace. Debug builds pass
// the formatted text to OutputDebugStringA; release builds (NDEBUG) print
// nothing.
#pragma once

void TraceDebug(const char* format, ...);
