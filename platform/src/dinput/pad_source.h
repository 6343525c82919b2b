// pad_source.h — one opened SDL pad as DirectInput sees it: its objects
// (axes, POV hats, buttons, each at its DIJOYSTATE2 offset) and its state
// read into a DIJOYSTATE2 with the axis ranges the game set.
//
// A controller that SDL's game-controller database recognises is presented
// in one fixed layout whatever its raw layout (controller_layout.cpp); any
// other joystick presents its raw axes (up to six, then two sliders), hats
// (up to four) and buttons (up to 128) in SDL's order.
#pragma once

#include <dinput.h>

#include <array>
#include <memory>
#include <string>
#include <vector>

struct _SDL_Joystick;
struct _SDL_GameController;

namespace layer::input {

// DIJOYSTATE2 has eight position axes: lX, lY, lZ, lRx, lRy, lRz, two sliders.
constexpr int AxisSlots = 8;

struct AxisRange {
    LONG min = 0;
    LONG max = 65535;  // DirectInput's own range until the game sets one
};
using AxisRanges = std::array<AxisRange, AxisSlots>;

struct PadObject {
    const GUID* guidType;
    DWORD offset;  // byte offset in DIJOYSTATE2
    DWORD type;    // DIDFT_* type with the instance number
    DWORD flags;
    std::string name;
    WORD usagePage;
    WORD usage;
};

class PadSource {
public:
    // Opens SDL device `deviceIndex`; null when SDL cannot open it.
    static std::unique_ptr<PadSource> open(int deviceIndex);
    ~PadSource();
    PadSource(const PadSource&) = delete;
    PadSource& operator=(const PadSource&) = delete;

    bool attached() const;
    const std::vector<PadObject>& objects() const { return objects_; }
    // Fills the whole state from SDL's latest values.
    void read(DIJOYSTATE2& state, const AxisRanges& ranges) const;

private:
    PadSource(_SDL_Joystick* joystick, _SDL_GameController* controller);
    void listRawObjects();
    void readRaw(DIJOYSTATE2& state, const AxisRanges& ranges) const;

    _SDL_Joystick* joystick_;
    _SDL_GameController* controller_;  // null for an unrecognised joystick
    std::vector<PadObject> objects_;
};

// The position field of slot 0…7: lX, lY, lZ, lRx, lRy, lRz, two sliders.
LONG& axisField(DIJOYSTATE2& state, int slot);
// An SDL axis value (-32768…32767) scaled linearly onto [min, max].
LONG scaleAxis(int raw, const AxisRange& range);
// A POV value from held directions: hundredths of a degree clockwise from
// up, 0xFFFFFFFF when centred. Opposite directions held together cancel.
DWORD povFrom(bool up, bool right, bool down, bool left);
// The DirectInput object description shared by both layouts.
PadObject axisObject(int slot);
PadObject povObject(int instance);
PadObject buttonObject(int instance);

}  // namespace layer::input
