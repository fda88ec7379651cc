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
// A drag with the left button from where the cursor is to the screen point `to`, pressed and let
// go through the input queue, so that the platform's move loop sees it held (newer Wines end the
// loop at once when it is not); the loop is driven from a thread timer, which it dispatches.
// True once the button is up again, within a few seconds.
bool DragTo(POINT to);
