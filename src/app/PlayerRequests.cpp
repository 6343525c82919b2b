// PlayerRequests.cpp — turning window messages into the scene's requests.
#include "app/PlayerRequests.h"

PlayerRequests playerRequests;

namespace {

bool hearKey(WPARAM key)
{
    switch (key) {
    case 'P':
    case VK_PAUSE: playerRequests.pause = true; return true;
    case 'M': ++playerRequests.muteToggles; return true;
    case 'T': playerRequests.dayRound = true; return true;
    case VK_OEM_MINUS:
    case VK_SUBTRACT: --playerRequests.volumeSteps; return true;
    case VK_OEM_PLUS:
    case VK_ADD: ++playerRequests.volumeSteps; return true;
    default: return false;
    }
}

}  // namespace

bool hearPlayerRequest(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_KEYDOWN:
        // An auto-repeat goes on to the default handling like any other key.
        return !(lParam & KeyWasDown) && hearKey(wParam);
    case WM_ACTIVATE:
        if (LOWORD(wParam) == WA_INACTIVE || HIWORD(wParam) != 0) playerRequests.focusLost = true;
        return false;
    case WM_KILLFOCUS: playerRequests.focusLost = true; return false;
    case WM_SIZE:
        if (wParam == SIZE_MINIMIZED) playerRequests.focusLost = true;
        return false;
    default: return false;
    }
}

void countKeyPress(UINT message, LPARAM lParam)
{
    if ((message == WM_KEYDOWN || message == WM_SYSKEYDOWN) && !(lParam & KeyWasDown)) ++playerRequests.keyPresses;
}
