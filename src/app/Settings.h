// Settings.h — what the player can change, kept in "settings.txt" of the
// settings folder (SaveFolders), written as safely as the best scores:
//
//     vantorel-settings 1
//     volume = 100
//     mute = no
//     fullscreen = no
//
// Keys this version does not know are kept as they stand and written back;
// a value that cannot be read leaves its setting as it was, with one line
// on the debug trace.
// Limits: main thread. Depends on: SaveFile, SaveFolders.
#pragma once

#include <string>
#include <vector>

struct Settings {
    static constexpr int VERSION = 1;
    static constexpr const char* HEADER = "vantorel-settings";
    static constexpr const char* FILE_NAME = "settings";

    int volume = 100;  // 0 to 100
    bool mute = false;
    bool fullscreen = false;
    std::vector<std::string> otherLines;  // unknown keys, verbatim, in file order

    // Reads the text form over the current values; returns the lines that
    // were not understood (bad values, lines without a key).
    std::vector<std::string> parse(const std::string& text);
    std::string format() const;

    void load();
    // False (said on the debug trace) when the file was left as it was.
    bool save() const;
};

extern Settings settings;
