// strings.cpp — lstrcmpiA and lstrlenA. The comparison folds ASCII letters
// only, which is all that file names and extensions in the game need; a null
// string compares lower than any other and has length 0.
#include <windows.h>

int lstrcmpiA(LPCSTR a, LPCSTR b)
{
    if (!a || !b) return (a ? 1 : 0) - (b ? 1 : 0);
    auto fold = [](char c) {
        const auto u = static_cast<unsigned char>(c);
        return (u >= 'A' && u <= 'Z') ? u + ('a' - 'A') : u;
    };
    for (;; ++a, ++b) {
        const int diff = fold(*a) - fold(*b);
        if (diff != 0) return diff < 0 ? -1 : 1;
        if (*a == '\0') return 0;
    }
}

int lstrlenA(LPCSTR text)
{
    if (!text) return 0;
    int length = 0;
    while (text[length]) ++length;
    return length;
}
