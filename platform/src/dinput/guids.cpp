// guids.cpp — the DirectInput interface, object-type and property GUIDs the
// game and the layer use, and the standard joystick data format
// c_dfDIJoystick2 (DIJOYSTATE2: six axes, two sliders, four POV hats, 128
// buttons, then velocity, acceleration and force blocks) with the SDK's
// object table.
#include <dinput.h>

#include <array>
#include <cstddef>

const IID IID_IDirectInput8A = {0xBF798030, 0x483A, 0x4DA2, {0xAA, 0x99, 0x5D, 0x64, 0xED, 0x36, 0x97, 0x00}};

#define OBJECT_GUID(name, first)                                                                                       \
    const GUID name = {first, 0xC9F3, 0x11CF, {0xBF, 0xC7, 0x44, 0x45, 0x53, 0x54, 0x00, 0x00}}
OBJECT_GUID(GUID_XAxis, 0xA36D02E0);
OBJECT_GUID(GUID_YAxis, 0xA36D02E1);
OBJECT_GUID(GUID_ZAxis, 0xA36D02E2);
OBJECT_GUID(GUID_RzAxis, 0xA36D02E3);
OBJECT_GUID(GUID_Slider, 0xA36D02E4);
OBJECT_GUID(GUID_Button, 0xA36D02F0);
OBJECT_GUID(GUID_POV, 0xA36D02F2);
OBJECT_GUID(GUID_RxAxis, 0xA36D02F4);
OBJECT_GUID(GUID_RyAxis, 0xA36D02F5);
#undef OBJECT_GUID

const GUID DIPROPGUID_RANGE = {4, 0, 0, {0, 0, 0, 0, 0, 0, 0, 0}};
const GUID DIPROPGUID_AUTOCENTER = {9, 0, 0, {0, 0, 0, 0, 0, 0, 0, 0}};

namespace {

constexpr DWORD AspectPosition = DIDOI_ASPECTPOSITION;
constexpr DWORD AspectVelocity = 0x00000200;
constexpr DWORD AspectAccel = 0x00000300;
constexpr DWORD AspectForce = 0x00000400;
constexpr DWORD AnyAxis = DIDFT_AXIS | DIDFT_ANYINSTANCE | DIDFT_OPTIONAL;
constexpr DWORD ObjectCount = 164;

// One block of six axes and two sliders starting at byte offset `first`.
constexpr std::size_t addAxisBlock(std::array<DIOBJECTDATAFORMAT, ObjectCount>& objects, std::size_t at, DWORD first,
                                   DWORD aspect)
{
    const GUID* guids[] = {&GUID_XAxis,  &GUID_YAxis,  &GUID_ZAxis,  &GUID_RxAxis,
                           &GUID_RyAxis, &GUID_RzAxis, &GUID_Slider, &GUID_Slider};
    for (DWORD i = 0; i < 8; ++i) objects[at++] = {guids[i], first + 4 * i, AnyAxis, aspect};
    return at;
}

constexpr std::array<DIOBJECTDATAFORMAT, ObjectCount> joystick2Objects()
{
    std::array<DIOBJECTDATAFORMAT, ObjectCount> objects{};
    std::size_t at = addAxisBlock(objects, 0, offsetof(DIJOYSTATE2, lX), AspectPosition);
    for (DWORD i = 0; i < 4; ++i)
        objects[at++] = {&GUID_POV, DWORD(offsetof(DIJOYSTATE2, rgdwPOV) + 4 * i),
                         DIDFT_POV | DIDFT_ANYINSTANCE | DIDFT_OPTIONAL, 0};
    for (DWORD i = 0; i < 128; ++i)
        objects[at++] = {nullptr, DWORD(offsetof(DIJOYSTATE2, rgbButtons) + i),
                         DIDFT_BUTTON | DIDFT_ANYINSTANCE | DIDFT_OPTIONAL, 0};
    at = addAxisBlock(objects, at, offsetof(DIJOYSTATE2, lVX), AspectVelocity);
    at = addAxisBlock(objects, at, offsetof(DIJOYSTATE2, lAX), AspectAccel);
    addAxisBlock(objects, at, offsetof(DIJOYSTATE2, lFX), AspectForce);
    return objects;
}

// Not const: the SDK's rgodf points at mutable records.
std::array<DIOBJECTDATAFORMAT, ObjectCount> joystick2Table = joystick2Objects();

}  // namespace

static_assert(sizeof(DIJOYSTATE2) == 272);
static_assert(sizeof(DIDEVICEINSTANCEA) == 580);

const DIDATAFORMAT c_dfDIJoystick2 = {sizeof(DIDATAFORMAT), sizeof(DIOBJECTDATAFORMAT),
                                      DIDF_ABSAXIS,         sizeof(DIJOYSTATE2),
                                      ObjectCount,          joystick2Table.data()};
