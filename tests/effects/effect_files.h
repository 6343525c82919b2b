// effect_files.h — a scratch folder of effect files for one test, under the
// working directory (the build folder), removed when the test ends.
#pragma once

#include <filesystem>
#include <fstream>
#include <string>

class EffectFiles {
public:
    explicit EffectFiles(const std::string& folder) : root_(folder)
    {
        std::filesystem::remove_all(root_);
        std::filesystem::create_directories(root_ / "SHADER");
    }
    ~EffectFiles() { std::filesystem::remove_all(root_); }

    // Writes contents to folder/relative; returns the path as the game
    // would spell it, with backslashes.
    std::string write(const std::string& relative, const std::string& contents) const
    {
        std::ofstream(root_ / relative, std::ios::binary) << contents;
        return gamePath(relative);
    }

    std::string gamePath(const std::string& relative) const
    {
        std::string path = root_.string() + "\\" + relative;
        for (char& c : path)
            if (c == '/') c = '\\';
        return path;
    }

private:
    std::filesystem::path root_;
};
