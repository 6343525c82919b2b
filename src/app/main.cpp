// main.cpp — the entry for builds that start at main rather than WinMain:
// hands WinMain the process's instance and the default show command. The
// command line is ignored.
#include "app/WinMain.h"

int main()
{
    return WinMain(GetModuleHandleA(nullptr), nullptr, nullptr, SW_SHOWDEFAULT);
}
