// ConsoleReply.h — the answer of an option that runs without a window, shown
// where the player who asked will see it. The game is a windowed program
// (on Windows one of the GUI subsystem, started without a console), so the
// text goes to the standard handle when there is one (a terminal, a file or
// a pipe it was sent to; Wine started from a shell), else to the console of
// the program that started it (a Command Prompt), else into a message box.
// Limits: one short text, written whole or not at all. Depends on:
// GetStdHandle, WriteFile, AttachConsole, CreateFileA, MessageBoxA.
#pragma once

#include <string>

// `text` as one or more lines (the last line's end is added); an error goes
// to standard error, or into a box with the error's icon.
void replyOnConsole(const std::string& text, bool isError);
