// Output: file writing with folder creation.
#include "Output.h"

#include <filesystem>
#include <fstream>
#include <stdexcept>

namespace datagen {

void writeFile(const std::string& root, const std::string& relativePath, const std::vector<uint8_t>& bytes)
{
    std::filesystem::path path = std::filesystem::path(root) / relativePath;
    std::filesystem::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    if (!out) throw std::runtime_error("cannot write " + path.string());
}

void writeText(const std::string& root, const std::string& relativePath, const std::string& text)
{
    writeFile(root, relativePath, std::vector<uint8_t>(text.begin(), text.end()));
}

}  // namespace datagen
