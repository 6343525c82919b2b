// whole_file.cpp — reading a file whole, in chunks, up to a limit.
#include "d3d9/whole_file.h"

#include <cstdio>
#include <memory>

namespace layer::d3d {

WholeFile readWholeFile(const std::string& path, size_t limit, std::vector<uint8_t>& bytes)
{
    bytes.clear();
    std::unique_ptr<FILE, int (*)(FILE*)> file(std::fopen(path.c_str(), "rb"), &std::fclose);
    if (!file) return WholeFile::NotOpened;
    uint8_t chunk[65536];
    WholeFile result = WholeFile::Read;
    while (result == WholeFile::Read) {
        const size_t got = std::fread(chunk, 1, sizeof chunk, file.get());
        if (got > 0) bytes.insert(bytes.end(), chunk, chunk + got);
        if (bytes.size() > limit) result = WholeFile::TooLarge;
        else if (got < sizeof chunk) break;
    }
    if (result == WholeFile::Read && std::ferror(file.get())) result = WholeFile::Failed;
    if (result != WholeFile::Read) bytes = {};
    return result;
}

const char* wholeFileError(WholeFile result)
{
    switch (result) {
    case WholeFile::Read: return "";
    case WholeFile::NotOpened: return "cannot open the file";
    case WholeFile::TooLarge: return "file too large";
    case WholeFile::Failed: break;
    }
    return "cannot read the file";
}

}  // namespace layer::d3d
