// A user's keyboard and mouse, as the messages they post to a window. Nothing is dispatched
// here: the caller pumps, or lets the loop under test do it.
#pragma once

#include <windows.h>

// A key pressed and let go: WM_KEYDOWN and WM_KEYUP with the key's scan code.
void PostKey(HWND window, UINT key);
// The cursor put at a client point of `window`, then WM_MOUSEMOVE there, so that the
// message's position and the cursor agree.
void PostMouseMove(HWND window, POINT client);
// The left button let go at a client point of `window`, with the cursor there.
void PostButtonUp(HWND window, POINT client);
// The left button pressed or let go (MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP) where the cursor
// is, as real input: the platform's own loops (a window's move) see it.
void SendLeftButton(DWORD flag);
