// Settings.cpp — the settings file's text form, reading and writing.
#include "app/Settings.h"

#include "app/SaveFile.h"
#include "app/SaveFolders.h"

#include <sstream>

Settings settings;

namespace {

std::string trimmed(const std::string& text)
{
    const size_t first = text.find_first_not_of(" \t\r");
    if (first == std::string::npos) return "";
    return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

bool readSwitch(const std::string& value, bool& on)
{
    if (value == "yes") on = true;
    else if (value == "no") on = false;
    else return false;
    return true;
}

bool readVolume(const std::string& value, int& volume)
{
    if (value.empty() || value.size() > 3 || value.find_first_not_of("0123456789") != std::string::npos) return false;
    const int level = std::stoi(value);
    if (level > 100) return false;
    volume = level;
    return true;
}

std::string pathIn(const std::string& folder) { return folder + "\\" + Settings::FILE_NAME + ".txt"; }

}  // namespace

std::vector<std::string> Settings::parse(const std::string& text)
{
    std::vector<std::string> bad;
    otherLines.clear();
    std::istringstream in(text);
    std::string line;
    for (bool first = true; std::getline(in, line); first = false) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        const std::string content = trimmed(line);
        if (content.empty() || (first && content.rfind(HEADER, 0) == 0)) continue;
        const size_t equals = content.find('=');
        const std::string key = trimmed(content.substr(0, equals));
        const std::string value = equals == std::string::npos ? "" : trimmed(content.substr(equals + 1));
        bool understood = equals != std::string::npos && !key.empty();
        if (!understood) bad.push_back(line);
        else if (key == "volume") understood = readVolume(value, volume);
        else if (key == "mute") understood = readSwitch(value, mute);
        else if (key == "fullscreen") understood = readSwitch(value, fullscreen);
        else otherLines.push_back(line);
        if (equals != std::string::npos && !key.empty() && !understood) bad.push_back(line);
    }
    return bad;
}

std::string Settings::format() const
{
    std::ostringstream out;
    out << HEADER << ' ' << VERSION << '\n';
    out << "volume = " << volume << '\n';
    out << "mute = " << (mute ? "yes" : "no") << '\n';
    out << "fullscreen = " << (fullscreen ? "yes" : "no") << '\n';
    for (const std::string& line : otherLines) out << line << '\n';
    return out.str();
}

void Settings::load()
{
    const std::string folder = saveFolders.settings(false);
    if (folder.empty()) return;
    std::string text;
    const std::string path = pathIn(folder);
    if (readSaveFile(path, text) != SaveRead::Read) return;
    const std::vector<std::string> bad = parse(text);
    if (!bad.empty())
        OutputDebugStringA(("Vantorel: " + path + ": " + std::to_string(bad.size()) +
                            " setting(s) not understood and left as they were, the first: \"" +
                            bad.front().substr(0, 80) + "\"\n")
                               .c_str());
}

bool Settings::save() const
{
    const std::string folder = saveFolders.settings(true);
    DWORD error = ERROR_SUCCESS;
    bool saved = !folder.empty() && makeSaveFolder(folder, error);
    if (saved) {
        SaveLock lock(folder, FILE_NAME);
        saved = lock.held ? replaceSaveFile(pathIn(folder), format(), error) : (error = lock.error, false);
    }
    if (!saved)
        OutputDebugStringA(
            ("Vantorel: the settings could not be saved in \"" + folder + "\" (error " + std::to_string(error) + ")\n")
                .c_str());
    return saved;
}
