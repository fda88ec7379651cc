#include "support/Input.h"

#include "support/MessagePump.h"

namespace {

LPARAM ClientPoint(POINT client) {
    return MAKELPARAM(static_cast<WORD>(client.x), static_cast<WORD>(client.y));
}

void PutCursorAt(HWND window, POINT client) {
    POINT screen = client;
    ClientToScreen(window, &screen);
    SetCursorPos(screen.x, screen.y);
}

}  // namespace

void PostKey(HWND window, UINT key) {
    const LPARAM scan = static_cast<LPARAM>(MapVirtualKeyA(key, 0)) << 16;
    PostMessageW(window, WM_KEYDOWN, key, 1 | scan);
    PostMessageW(window, WM_KEYUP, key, static_cast<LPARAM>(1 | scan | 0xC0000000u));
}

void PostMouseMove(HWND window, POINT client) {
    PutCursorAt(window, client);
    PostMessageW(window, WM_MOUSEMOVE, 0, ClientPoint(client));
}

void PostButtonUp(HWND window, POINT client) {
    PutCursorAt(window, client);
    PostMessageW(window, WM_LBUTTONUP, 0, ClientPoint(client));
}

namespace {

void SendLeftButton(DWORD flag) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = flag;
    SendInput(1, &input, sizeof input);
}

POINT dragTarget{};
int dragStep = 0;

void CALLBACK DragStep(HWND, UINT, UINT_PTR, DWORD) {
    ++dragStep;
    if (dragStep == 1) SetCursorPos(dragTarget.x, dragTarget.y);
    if (dragStep == 3) SendLeftButton(MOUSEEVENTF_LEFTUP);
}

}  // namespace

bool DragTo(POINT to) {
    dragTarget = to;
    dragStep = 0;
    const UINT_PTR timer = SetTimer(nullptr, 0, 50, &DragStep);
    SendLeftButton(MOUSEEVENTF_LEFTDOWN);
    const bool ended = PumpUntil([] { return dragStep >= 3 && !(GetAsyncKeyState(VK_LBUTTON) & 0x8000); }, 5000);
    KillTimer(nullptr, timer);
    return ended;
}
