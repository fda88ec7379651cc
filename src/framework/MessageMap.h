// Message maps: one static table per class, chained to the base class's table.
//
// An entry names the message (and for commands the notification code and control id) and
// an adapter that unpacks wParam/lParam into a typed member function call. The adapters are
// small templates over the member function pointer, so a class's table reads like a list of
// "message -> handler" lines:
//
//     static const MessageEntry entries[] = {
//         OnPaintEntry<&CSettingsDlg::OnPaint>(),
//         OnCommandEntry<&CSettingsDlg::OnApply>(BN_CLICKED, IDC_APPLY),
//     };
#pragma once

#include <windows.h>

#include <cstddef>

class CWnd;

// The framework's reflected form of a message a control sends its parent: the parent
// offers WM_COMMAND to the child as ReflectedMessageBase + WM_COMMAND (0xBD11).
constexpr UINT ReflectedMessageBase = 0xBC00;

// Called with the window object, the message's parameters and the result slot; returns
// whether the entry handled the message (only the "Ex" reflected form can say no).
using MessageInvoker = bool (*)(CWnd* self, WPARAM wParam, LPARAM lParam, LRESULT& result);

struct MessageEntry {
    UINT message;
    UINT code;   // notification code for WM_COMMAND and its reflected form
    UINT id;     // control id for WM_COMMAND; 0 for reflected entries
    MessageInvoker invoke;
};

struct MessageMap {
    const MessageMap* base;
    const MessageEntry* entries;
    std::size_t count;

    // The first entry, in this table or a base's, that matches; null when none does.
    const MessageEntry* Find(UINT message, WPARAM wParam) const;
};

namespace message_map_detail {

template <class Member>
struct ClassOf;
template <class C, class R, class... A>
struct ClassOf<R (C::*)(A...)> {
    using type = C;
};

template <auto Handler>
auto& Target(CWnd* self) {
    using C = typename ClassOf<decltype(Handler)>::type;
    return *static_cast<C*>(self);
}

inline POINT PointFrom(LPARAM lParam) {
    return POINT{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
}

}  // namespace message_map_detail

// void Handler(): WM_COMMAND with a notification code from one control.
template <auto Handler>
constexpr MessageEntry OnCommandEntry(UINT code, UINT id) {
    return {WM_COMMAND, code, id, [](CWnd* self, WPARAM, LPARAM, LRESULT& result) {
                (message_map_detail::Target<Handler>(self).*Handler)();
                result = 0;
                return true;
            }};
}

// BOOL Handler(): the control's own WM_COMMAND notification reflected back to it. TRUE
// means handled: the parent then does not see the notification.
template <auto Handler>
constexpr MessageEntry OnReflectedCommandExEntry(UINT code) {
    return {ReflectedMessageBase + WM_COMMAND, code, 0,
            [](CWnd* self, WPARAM, LPARAM, LRESULT& result) {
                const BOOL handled = (message_map_detail::Target<Handler>(self).*Handler)();
                result = 0;
                return handled != FALSE;
            }};
}

// void Handler(): messages whose parameters carry nothing the handler needs.
template <auto Handler>
constexpr MessageEntry OnSimpleEntry(UINT message) {
    return {message, 0, 0, [](CWnd* self, WPARAM, LPARAM, LRESULT& result) {
                (message_map_detail::Target<Handler>(self).*Handler)();
                result = 0;
                return true;
            }};
}

template <auto Handler>
constexpr MessageEntry OnPaintEntry() {
    return OnSimpleEntry<Handler>(WM_PAINT);
}

template <auto Handler>
constexpr MessageEntry OnDestroyEntry() {
    return OnSimpleEntry<Handler>(WM_DESTROY);
}

template <auto Handler>
constexpr MessageEntry OnNcDestroyEntry() {
    return OnSimpleEntry<Handler>(WM_NCDESTROY);
}

// HCURSOR Handler()
template <auto Handler>
constexpr MessageEntry OnQueryDragIconEntry() {
    return {WM_QUERYDRAGICON, 0, 0, [](CWnd* self, WPARAM, LPARAM, LRESULT& result) {
                result = reinterpret_cast<LRESULT>(
                    (message_map_detail::Target<Handler>(self).*Handler)());
                return true;
            }};
}

// void Handler(UINT_PTR id)
template <auto Handler>
constexpr MessageEntry OnTimerEntry() {
    return {WM_TIMER, 0, 0, [](CWnd* self, WPARAM wParam, LPARAM, LRESULT& result) {
                (message_map_detail::Target<Handler>(self).*Handler)(static_cast<UINT_PTR>(wParam));
                result = 0;
                return true;
            }};
}

// int Handler(LPCREATESTRUCT): 0 to go on, -1 to make the creation fail.
template <auto Handler>
constexpr MessageEntry OnCreateEntry() {
    return {WM_CREATE, 0, 0, [](CWnd* self, WPARAM, LPARAM lParam, LRESULT& result) {
                result = (message_map_detail::Target<Handler>(self).*Handler)(
                    reinterpret_cast<LPCREATESTRUCT>(lParam));
                return true;
            }};
}

// void Handler(UINT flags, POINT point): mouse messages in client coordinates.
template <auto Handler>
constexpr MessageEntry OnMouseEntry(UINT message) {
    return {message, 0, 0, [](CWnd* self, WPARAM wParam, LPARAM lParam, LRESULT& result) {
                (message_map_detail::Target<Handler>(self).*Handler)(
                    static_cast<UINT>(wParam), message_map_detail::PointFrom(lParam));
                result = 0;
                return true;
            }};
}

// void Handler(UINT key, UINT repeat, UINT flags)
template <auto Handler>
constexpr MessageEntry OnKeyDownEntry() {
    return {WM_KEYDOWN, 0, 0, [](CWnd* self, WPARAM wParam, LPARAM lParam, LRESULT& result) {
                (message_map_detail::Target<Handler>(self).*Handler)(
                    static_cast<UINT>(wParam), static_cast<UINT>(LOWORD(lParam)),
                    static_cast<UINT>(HIWORD(lParam)));
                result = 0;
                return true;
            }};
}

// BOOL Handler(HDC)
template <auto Handler>
constexpr MessageEntry OnEraseBkgndEntry() {
    return {WM_ERASEBKGND, 0, 0, [](CWnd* self, WPARAM wParam, LPARAM, LRESULT& result) {
                result = (message_map_detail::Target<Handler>(self).*Handler)(
                    reinterpret_cast<HDC>(wParam));
                return true;
            }};
}

// void Handler(BOOL enabled)
template <auto Handler>
constexpr MessageEntry OnEnableEntry() {
    return {WM_ENABLE, 0, 0, [](CWnd* self, WPARAM wParam, LPARAM, LRESULT& result) {
                (message_map_detail::Target<Handler>(self).*Handler)(static_cast<BOOL>(wParam));
                result = 0;
                return true;
            }};
}

// BOOL Handler(): TRUE lets the session end.
template <auto Handler>
constexpr MessageEntry OnQueryEndSessionEntry() {
    return {WM_QUERYENDSESSION, 0, 0, [](CWnd* self, WPARAM, LPARAM, LRESULT& result) {
                result = (message_map_detail::Target<Handler>(self).*Handler)();
                return true;
            }};
}

// void Handler(BOOL ending): the session ends after this returns when `ending` is set; the
// process may be ended then without any further message.
template <auto Handler>
constexpr MessageEntry OnEndSessionEntry() {
    return {WM_ENDSESSION, 0, 0, [](CWnd* self, WPARAM wParam, LPARAM, LRESULT& result) {
                (message_map_detail::Target<Handler>(self).*Handler)(static_cast<BOOL>(wParam));
                result = 0;
                return true;
            }};
}

// LRESULT Handler(WPARAM, LPARAM): any message, parameters as they come (user messages).
template <auto Handler>
constexpr MessageEntry OnMessageEntry(UINT message) {
    return {message, 0, 0, [](CWnd* self, WPARAM wParam, LPARAM lParam, LRESULT& result) {
                result = (message_map_detail::Target<Handler>(self).*Handler)(wParam, lParam);
                return true;
            }};
}
