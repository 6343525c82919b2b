// resources.h — the program's own resources. A Windows executable carries
// them in its resource section (an .rc file, compiled by the resource
// compiler) and LoadIconA finds them there by number; here the build turns
// the same files into a source of the executable (cmake/embed_icon.cmake)
// whose IconResource objects hand them to the layer before WinMain runs.
// Only icons, the one kind the game loads. Not part of the Windows surface:
// only the build's generated source includes it.
#pragma once

#include <cstddef>

namespace layer {

// Makes the .ico file `bytes` (kept by pointer, not copied) the module's icon
// resource `id`.
struct IconResource {
    IconResource(unsigned id, const unsigned char* bytes, std::size_t size);
};

}  // namespace layer
