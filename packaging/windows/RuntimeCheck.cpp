// RuntimeCheck.cpp — the Windows build's check for the DirectX End-User
// Runtime, linked into vantorel.exe by the Windows build alone (see
// CMakeLists.txt beside this file). The executable takes its D3DX functions
// through a delay-load import library, so a Windows without d3dx9_43.dll
// (a stock Windows 10 or 11) still starts it instead of stopping in the
// loader with a bare "DLL not found". This check runs first, with the C
// runtime's start-up and so before WinMain opens the window: where the
// library cannot be loaded it says what to install in a message box, writes
// the same to the debug trace and ends the program with exit code 1. Where
// it loads, nothing else changes: the game's first D3DX call finds it loaded.
// Depends on: VANTOREL_D3DX_DLL, the library's file name (from the build).
#include <windows.h>

// Microsoft's page of the June 2010 runtime.
#define RUNTIME_PAGE "https://www.microsoft.com/download/details.aspx?id=8109"

namespace {

constexpr UINT ExitRuntimeMissing = 1;

constexpr char Title[] = "Vantorel: the DirectX runtime is missing";
constexpr char Message[] =
    "Vantorel cannot start: " VANTOREL_D3DX_DLL
    " could not be loaded. It comes with the DirectX End-User "
    "Runtime (June 2010), which Windows 10 and 11 do not include.\n"
    "\n"
    "Install \"DirectX End-User Runtimes (June 2010)\" from Microsoft's Download Center:\n" RUNTIME_PAGE
    "\n"
    "\n"
    "Then start Vantorel again.";

// The earliest priority a program may give: before every other constructor.
__attribute__((constructor(101))) void requireD3DX()
{
    if (LoadLibraryA(VANTOREL_D3DX_DLL)) return;
    OutputDebugStringA("Vantorel: " VANTOREL_D3DX_DLL
                       " could not be loaded; install the DirectX End-User "
                       "Runtime (June 2010): " RUNTIME_PAGE "\n");
    MessageBoxA(nullptr, Message, Title, MB_OK | MB_ICONERROR);
    ExitProcess(ExitRuntimeMissing);
}

}  // namespace
