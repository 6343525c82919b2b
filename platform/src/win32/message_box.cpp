// message_box.cpp — MessageBoxA for a program started from a terminal: the
// text goes to standard output (standard error with MB_ICONERROR), the
// caption is left out, and the box is answered with IDOK at once.
#include <windows.h>

#include <cstdio>

int MessageBoxA(HWND /*window*/, LPCSTR text, LPCSTR /*caption*/, UINT type)
{
    std::FILE* out = (type & MB_ICONERROR) ? stderr : stdout;
    std::fputs(text ? text : "", out);
    std::fputc('\n', out);
    std::fflush(out);
    return IDOK;
}
