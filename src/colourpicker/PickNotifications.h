// The picker notifications: the palette popup sends them to its picker button, and the
// button passes them on to its own parent (wParam a COLORREF, lParam the control id).
#pragma once

#include <windows.h>

constexpr UINT PICK_CHANGED = WM_USER + 1001;
constexpr UINT PICK_OPENED = WM_USER + 1002;
constexpr UINT PICK_CLOSED = WM_USER + 1003;
constexpr UINT PICK_ACCEPTED = WM_USER + 1004;
constexpr UINT PICK_CANCELLED = WM_USER + 1005;
