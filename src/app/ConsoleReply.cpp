// ConsoleReply.cpp — standard handle, the starting program's console, a
// message box: the first that takes the text.
#include "app/ConsoleReply.h"

#include <windows.h>

namespace {

constexpr const char* Caption = "Vantorel";

bool writeAll(HANDLE handle, const std::string& text)
{
    if (!handle || handle == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    const auto size = static_cast<DWORD>(text.size());
    return WriteFile(handle, text.data(), size, &written, nullptr) && written == size;
}

}  // namespace

void replyOnConsole(const std::string& text, bool isError)
{
    const std::string lines = text + "\n";
    if (writeAll(GetStdHandle(isError ? STD_ERROR_HANDLE : STD_OUTPUT_HANDLE), lines)) return;
    if (AttachConsole(ATTACH_PARENT_PROCESS)) {
        HANDLE console = CreateFileA("CONOUT$", GENERIC_WRITE, FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
        // The shell has shown its prompt already, since it does not wait for
        // a windowed program: the text starts on a line of its own.
        const bool written = writeAll(console, "\n" + lines);
        if (console != INVALID_HANDLE_VALUE) CloseHandle(console);
        if (written) return;
    }
    MessageBoxA(nullptr, text.c_str(), Caption, MB_OK | (isError ? MB_ICONERROR : MB_ICONINFORMATION));
}
