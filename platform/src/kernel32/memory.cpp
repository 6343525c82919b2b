// memory.cpp — GlobalAlloc / GlobalFree for fixed blocks (GMEM_FIXED, with or
// without GMEM_ZEROINIT). Movable blocks are not supported. A request for 0
// bytes gets a valid, empty block, as on Windows.
#include <windows.h>

#include <cstdlib>

HGLOBAL GlobalAlloc(UINT flags, SIZE_T bytes)
{
    if (flags & ~static_cast<UINT>(GMEM_FIXED | GMEM_ZEROINIT)) {
        OutputDebugStringA("GlobalAlloc: only fixed blocks are supported\n");
        return nullptr;
    }
    const SIZE_T size = bytes ? bytes : 1;
    return (flags & GMEM_ZEROINIT) ? std::calloc(1, size) : std::malloc(size);
}

HGLOBAL GlobalFree(HGLOBAL memory)
{
    std::free(memory);
    return nullptr;
}
