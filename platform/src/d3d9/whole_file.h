// whole_file.h — a file read whole into memory, for the calls that take a
// file's name and need all of it (an image, an effect's source).
// The size rule, the same as the game's for the files it keeps: the file is
// read to its end in chunks, and one that grows past the caller's limit is
// refused as too large, so no more than the limit and one chunk is ever
// held, whatever the file (a pipe or a device has no size to ask first).
// Each kind of file has its limit named once, with the reason for it:
// LargestImageFile (png_image.h), LargestEffectFile (effect_create.cpp).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace layer::d3d {

enum class WholeFile { Read, NotOpened, TooLarge, Failed };

// The whole file at path (as the host spells it) into `bytes`; `bytes` is
// empty unless it was Read.
WholeFile readWholeFile(const std::string& path, size_t limit, std::vector<uint8_t>& bytes);

// What went wrong, for a message: "cannot open the file", "file too large",
// "cannot read the file".
const char* wholeFileError(WholeFile result);

}  // namespace layer::d3d
