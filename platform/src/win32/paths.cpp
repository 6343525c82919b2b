// paths.cpp — game path spelling to host path.
#include "win32/paths.h"

#include <unistd.h>

#include <algorithm>
#include <vector>

namespace layer {

std::string hostPath(const char* gamePath)
{
    std::string path = gamePath ? gamePath : "";
    for (char& c : path)
        if (c == '\\') c = '/';
    return path;
}

std::string fullHostPath(const char* gamePath)
{
    std::string path = hostPath(gamePath);
    if (path.empty() || path[0] != '/') {
        std::vector<char> folder(4096);
        if (!getcwd(folder.data(), folder.size())) return path;
        path = std::string(folder.data()) + "/" + path;
    }
    std::vector<std::string> parts;
    size_t start = 0;
    while (start <= path.size()) {
        const size_t end = std::min(path.find('/', start), path.size());
        const std::string part = path.substr(start, end - start);
        if (part == "..") {
            if (!parts.empty()) parts.pop_back();
        } else if (!part.empty() && part != ".") {
            parts.push_back(part);
        }
        start = end + 1;
    }
    std::string full;
    for (const std::string& part : parts) full += "/" + part;
    return full.empty() ? "/" : full;
}

}  // namespace layer
