// KeyNames.cpp — the name table behind virtualKeyByName and virtualKeyName:
// the VK_ constants of windows.h by their names, plus ENTER for RETURN.
#include "game/KeyNames.h"

#include <windows.h>

#include <cctype>
#include <string>
#include <utility>

namespace {

constexpr std::pair<std::string_view, int> NamedKeys[] = {
    {"CANCEL", VK_CANCEL},
    {"BACK", VK_BACK},
    {"TAB", VK_TAB},
    {"RETURN", VK_RETURN},
    {"SHIFT", VK_SHIFT},
    {"CONTROL", VK_CONTROL},
    {"MENU", VK_MENU},
    {"PAUSE", VK_PAUSE},
    {"CAPITAL", VK_CAPITAL},
    {"ESCAPE", VK_ESCAPE},
    {"SPACE", VK_SPACE},
    {"PRIOR", VK_PRIOR},
    {"NEXT", VK_NEXT},
    {"END", VK_END},
    {"HOME", VK_HOME},
    {"LEFT", VK_LEFT},
    {"UP", VK_UP},
    {"RIGHT", VK_RIGHT},
    {"DOWN", VK_DOWN},
    {"INSERT", VK_INSERT},
    {"DELETE", VK_DELETE},
    {"MULTIPLY", VK_MULTIPLY},
    {"ADD", VK_ADD},
    {"SUBTRACT", VK_SUBTRACT},
    {"DECIMAL", VK_DECIMAL},
    {"DIVIDE", VK_DIVIDE},
    {"NUMLOCK", VK_NUMLOCK},
    {"SCROLL", VK_SCROLL},
    {"LSHIFT", VK_LSHIFT},
    {"RSHIFT", VK_RSHIFT},
    {"LCONTROL", VK_LCONTROL},
    {"RCONTROL", VK_RCONTROL},
    {"LMENU", VK_LMENU},
    {"RMENU", VK_RMENU},
    {"OEM_1", VK_OEM_1},
    {"OEM_PLUS", VK_OEM_PLUS},
    {"OEM_COMMA", VK_OEM_COMMA},
    {"OEM_MINUS", VK_OEM_MINUS},
    {"OEM_PERIOD", VK_OEM_PERIOD},
    {"OEM_2", VK_OEM_2},
    {"OEM_3", VK_OEM_3},
    {"OEM_4", VK_OEM_4},
    {"OEM_5", VK_OEM_5},
    {"OEM_6", VK_OEM_6},
    {"OEM_7", VK_OEM_7},
    {"ENTER", VK_RETURN},
};

bool isUpperOrDigit(char c)
{
    return std::isupper(static_cast<unsigned char>(c)) || std::isdigit(static_cast<unsigned char>(c));
}

}  // namespace

std::optional<int> virtualKeyByName(std::string_view name)
{
    std::string upper;
    for (char c : name) upper.push_back(static_cast<char>(std::toupper(static_cast<unsigned char>(c))));
    std::string_view key = upper;
    if (key.starts_with("VK_")) key.remove_prefix(3);
    // Letters and digits are their own ASCII codes.
    if (key.size() == 1 && isUpperOrDigit(key[0])) return key[0];
    if (key.size() == 7 && key.starts_with("NUMPAD") && std::isdigit(static_cast<unsigned char>(key[6])))
        return VK_NUMPAD0 + (key[6] - '0');
    if (key.size() >= 2 && key.size() <= 3 && key[0] == 'F') {
        int number = 0;
        for (char c : key.substr(1)) {
            if (!std::isdigit(static_cast<unsigned char>(c))) return std::nullopt;
            number = number * 10 + (c - '0');
        }
        if (number >= 1 && number <= 12) return VK_F1 + number - 1;
        return std::nullopt;
    }
    for (const auto& [keyName, code] : NamedKeys)
        if (keyName == key) return code;
    return std::nullopt;
}

std::string virtualKeyName(int code)
{
    if (code >= 'A' && code <= 'Z') return std::string(1, static_cast<char>(code));
    for (const auto& [keyName, keyCode] : NamedKeys)
        if (keyCode == code) return std::string(keyName);
    return std::to_string(code);
}
