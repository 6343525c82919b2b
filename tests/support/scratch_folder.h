// scratch_folder.h — a folder of a test program's own under the system's
// temporary folder, named for the program and the process so that parallel
// runs never meet, removed with its contents when it goes; and whole files
// written and read back as bytes.
#pragma once

#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

class ScratchFolder {
public:
    explicit ScratchFolder(const std::string& name)
        : path_(std::filesystem::temp_directory_path() / ("vt_" + name + "_" + std::to_string(::getpid())))
    {
        std::filesystem::remove_all(path_);  // what a killed run with the same id left
        std::filesystem::create_directories(path_);
    }
    ~ScratchFolder()
    {
        if (!previous_.empty()) std::filesystem::current_path(previous_);
        std::filesystem::remove_all(path_);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }
    std::string file(const std::string& name) const { return (path_ / name).string(); }

    // The working directory until the folder goes, for code that reads
    // relative paths such as DATA/...
    void enter()
    {
        previous_ = std::filesystem::current_path();
        std::filesystem::current_path(path_);
    }

private:
    std::filesystem::path path_;
    std::filesystem::path previous_;
};

inline std::string writeFile(const std::string& path, const std::vector<uint8_t>& bytes)
{
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return path;
}

inline std::vector<uint8_t> readFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}
