// Output: writes one generated file below the output root, creating folders.
// Throws std::runtime_error when the file cannot be written, so that a broken
// build stops instead of shipping a partial DATA tree.
// Depends on: std::filesystem.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace datagen {

void writeFile(const std::string& root, const std::string& relativePath, const std::vector<uint8_t>& bytes);
void writeText(const std::string& root, const std::string& relativePath, const std::string& text);

}  // namespace datagen
