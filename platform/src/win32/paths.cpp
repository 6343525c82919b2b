// paths.cpp — game path spelling to host path.
#include "win32/paths.h"

namespace layer {

std::string hostPath(const char* gamePath)
{
    std::string path = gamePath ? gamePath : "";
    for (char& c : path)
        if (c == '\\') c = '/';
    return path;
}

}  // namespace layer
