// icons.cpp — LoadIconA and the module's icon resources (platform/resources.h),
// and the class icon a new window shows: the .ico's 32-bit picture nearest to
// 64 pixels (at most that, where there is one) goes to SDL_SetWindowIcon, which
// puts it on the X11 window for task bars and window switchers. A number the
// module has no icon for gives the system's default icon, which needs no
// pixels here.
#include "win32/icons.h"

#include "resources.h"

#include <SDL.h>

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace layer {

struct Icon {
    int size = 0;
    std::vector<uint32_t> argb;  // rows top down
};

namespace {

struct IconFile {
    const unsigned char* bytes;
    std::size_t size;
};

std::map<unsigned, IconFile>& moduleIcons()
{
    static std::map<unsigned, IconFile> icons;
    return icons;
}

uint32_t read16(const unsigned char* p) { return p[0] | (p[1] << 8); }
uint32_t read32(const unsigned char* p) { return read16(p) | (read16(p + 2) << 16); }

// The 32-bit bitmap of one directory entry, or an empty icon when the entry
// is something else (a PNG, fewer bits) or runs past the file.
Icon decodeBitmap(const IconFile& file, const unsigned char* entry)
{
    Icon icon;
    const int side = entry[0] ? entry[0] : 256;
    const uint32_t length = read32(entry + 8), offset = read32(entry + 12);
    const uint64_t pixels = uint64_t(side) * side * 4;
    if (uint64_t(offset) + length > file.size || length < 40 + pixels) return icon;
    const unsigned char* dib = file.bytes + offset;
    if (read32(dib) != 40 || int(read32(dib + 4)) != side || int(read32(dib + 8)) != 2 * side ||
        read16(dib + 14) != 32 || read32(dib + 16) != 0)
        return icon;
    icon.size = side;
    icon.argb.resize(size_t(side) * side);
    const unsigned char* rows = dib + 40;
    for (int y = 0; y < side; ++y)
        for (int x = 0; x < side; ++x) {
            const unsigned char* p = rows + (size_t(side - 1 - y) * side + x) * 4;
            icon.argb[size_t(y) * side + x] = uint32_t(p[3]) << 24 | uint32_t(p[2]) << 16 | uint32_t(p[1]) << 8 | p[0];
        }
    return icon;
}

// The picture of the .ico a window shows: the largest of at most 64 pixels,
// else the smallest.
Icon decodeIcon(unsigned id, const IconFile& file)
{
    Icon best;
    const bool header = file.size >= 6 && read16(file.bytes) == 0 && read16(file.bytes + 2) == 1;
    const std::size_t count = header ? read16(file.bytes + 4) : 0;
    for (std::size_t i = 0; file.size >= 6 + 16 * count && i < count; ++i) {
        Icon icon = decodeBitmap(file, file.bytes + 6 + 16 * i);
        if (icon.size == 0) continue;
        const bool better = best.size == 0 || (icon.size <= 64 ? icon.size > best.size || best.size > 64
                                                               : best.size > 64 && icon.size < best.size);
        if (better) best = std::move(icon);
    }
    if (best.size == 0)
        OutputDebugStringA(("LoadIconA: icon resource " + std::to_string(id) +
                            " holds no 32-bit picture; the window shows the default icon\n")
                               .c_str());
    return best;
}

}  // namespace

IconResource::IconResource(unsigned id, const unsigned char* bytes, std::size_t size)
{
    moduleIcons()[id] = {bytes, size};
}

void showClassIcon(SDL_Window* window, HICON handle)
{
    const Icon* icon = reinterpret_cast<const Icon*>(handle);
    if (!window || !icon || icon->size == 0) return;
    SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormatFrom(const_cast<uint32_t*>(icon->argb.data()), icon->size,
                                                              icon->size, 32, icon->size * 4, SDL_PIXELFORMAT_ARGB8888);
    if (!surface) return;
    SDL_SetWindowIcon(window, surface);
    SDL_FreeSurface(surface);
}

}  // namespace layer

// Icons loaded from the module are shared, as Windows' LR_SHARED icons are:
// each is decoded once and kept for the life of the process.
HICON LoadIconA(HINSTANCE /*instance*/, LPCSTR name)
{
    static std::map<unsigned, std::unique_ptr<layer::Icon>> loaded;
    static layer::Icon defaultIcon;
    const auto number = static_cast<unsigned>(reinterpret_cast<ULONG_PTR>(name));
    const auto file = layer::moduleIcons().find(number);
    if (number > 0xFFFF || file == layer::moduleIcons().end()) return reinterpret_cast<HICON>(&defaultIcon);
    auto& icon = loaded[number];
    if (!icon) icon = std::make_unique<layer::Icon>(layer::decodeIcon(number, file->second));
    return reinterpret_cast<HICON>(icon.get());
}
