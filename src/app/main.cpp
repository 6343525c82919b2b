// main.cpp — the entry for builds that start at main rather than WinMain:
// hands WinMain the process's instance, the arguments as one command line
// (quoted so that WinMain splits them back exactly) and the default show
// command.
#include "app/CommandLine.h"
#include "app/WinMain.h"

int main(int argc, char** argv)
{
    std::string commandLine = joinCommandLine(std::vector<std::string>(argv + 1, argv + argc));
    return WinMain(GetModuleHandleA(nullptr), nullptr, commandLine.data(), SW_SHOWDEFAULT);
}
