// dbt.h — the device-change code the game's window receives with
// WM_DEVICECHANGE when a device is plugged in or pulled out.
#pragma once

#define DBT_DEVNODES_CHANGED 0x0007
