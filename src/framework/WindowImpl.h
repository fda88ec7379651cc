// WindowImpl<Self, Base>: what every window class with a message map shares. Self derives
// from it in place of Base and lists its own entries, as "message -> handler" lines:
//
//     MessageEntryList CSettingsDlg::MessageEntries() {
//         static const MessageEntry entries[] = {
//             OnPaintEntry<&CSettingsDlg::OnPaint>(),
//             OnCommandEntry<&CSettingsDlg::OnApply>(BN_CLICKED, IDC_APPLY),
//         };
//         return entries;
//     }
//
// WindowImpl supplies GetThisMessageMap(), which puts those entries ahead of Base's table,
// and GetMessageMap(). Each adapter below unpacks wParam/lParam for one handler signature,
// written above it; a handler must be a member of Self or of one of its bases, and one of
// another class does not compile.
#pragma once

#include <type_traits>

#include "framework/MessageMap.h"
#include "framework/Wnd.h"

namespace message_map_detail {

template <class Member>
struct ClassOf;
template <class C, class R, class... A>
struct ClassOf<R (C::*)(A...)> {
    using type = C;
};

inline POINT PointFrom(LPARAM lParam) {
    return POINT{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
}

}  // namespace message_map_detail

template <class Self, class Base>
class WindowImpl : public Base {
public:
    using Base::Base;

    static const MessageMap* GetThisMessageMap() {
        static const MessageEntryList own = Self::MessageEntries();
        static const MessageMap map{Base::GetThisMessageMap(), own.entries, own.count};
        return &map;
    }
    const MessageMap* GetMessageMap() const override { return GetThisMessageMap(); }

protected:
    // The object a handler of this class's table is called on.
    template <auto Handler>
    static Self& Target(CWnd* self) {
        using HandlerClass = typename message_map_detail::ClassOf<decltype(Handler)>::type;
        static_assert(std::is_base_of_v<HandlerClass, Self>,
                      "a message map's handler must be a member of its class or of a base");
        return *static_cast<Self*>(self);
    }

    // void Handler(): WM_COMMAND with a notification code from one control.
    template <auto Handler>
    static constexpr MessageEntry OnCommandEntry(UINT code, UINT id) {
        return {WM_COMMAND, code, id, [](CWnd* self, WPARAM, LPARAM, LRESULT& result) {
                    (Target<Handler>(self).*Handler)();
                    result = 0;
                    return true;
                }};
    }

    // BOOL Handler(): the control's own WM_COMMAND notification reflected back to it. TRUE
    // means handled: the parent then does not see the notification.
    template <auto Handler>
    static constexpr MessageEntry OnReflectedCommandExEntry(UINT code) {
        return {ReflectedMessageBase + WM_COMMAND, code, 0,
                [](CWnd* self, WPARAM, LPARAM, LRESULT& result) {
                    const BOOL handled = (Target<Handler>(self).*Handler)();
                    result = 0;
                    return handled != FALSE;
                }};
    }

    // void Handler(): messages whose parameters carry nothing the handler needs.
    template <auto Handler>
    static constexpr MessageEntry OnSimpleEntry(UINT message) {
        return {message, 0, 0, [](CWnd* self, WPARAM, LPARAM, LRESULT& result) {
                    (Target<Handler>(self).*Handler)();
                    result = 0;
                    return true;
                }};
    }

    template <auto Handler>
    static constexpr MessageEntry OnPaintEntry() {
        return OnSimpleEntry<Handler>(WM_PAINT);
    }

    template <auto Handler>
    static constexpr MessageEntry OnDestroyEntry() {
        return OnSimpleEntry<Handler>(WM_DESTROY);
    }

    template <auto Handler>
    static constexpr MessageEntry OnNcDestroyEntry() {
        return OnSimpleEntry<Handler>(WM_NCDESTROY);
    }

    // HCURSOR Handler()
    template <auto Handler>
    static constexpr MessageEntry OnQueryDragIconEntry() {
        return {WM_QUERYDRAGICON, 0, 0, [](CWnd* self, WPARAM, LPARAM, LRESULT& result) {
                    result = reinterpret_cast<LRESULT>(
                        (Target<Handler>(self).*Handler)());
                    return true;
                }};
    }

    // void Handler(UINT_PTR id)
    template <auto Handler>
    static constexpr MessageEntry OnTimerEntry() {
        return {WM_TIMER, 0, 0, [](CWnd* self, WPARAM wParam, LPARAM, LRESULT& result) {
                    (Target<Handler>(self).*Handler)(static_cast<UINT_PTR>(wParam));
                    result = 0;
                    return true;
                }};
    }

    // int Handler(LPCREATESTRUCT): 0 to go on, -1 to make the creation fail.
    template <auto Handler>
    static constexpr MessageEntry OnCreateEntry() {
        return {WM_CREATE, 0, 0, [](CWnd* self, WPARAM, LPARAM lParam, LRESULT& result) {
                    result = (Target<Handler>(self).*Handler)(
                        reinterpret_cast<LPCREATESTRUCT>(lParam));
                    return true;
                }};
    }

    // void Handler(UINT flags, POINT point): mouse messages in client coordinates.
    template <auto Handler>
    static constexpr MessageEntry OnMouseEntry(UINT message) {
        return {message, 0, 0, [](CWnd* self, WPARAM wParam, LPARAM lParam, LRESULT& result) {
                    (Target<Handler>(self).*Handler)(
                        static_cast<UINT>(wParam), message_map_detail::PointFrom(lParam));
                    result = 0;
                    return true;
                }};
    }

    // void Handler(UINT key, UINT repeat, UINT flags)
    template <auto Handler>
    static constexpr MessageEntry OnKeyDownEntry() {
        return {WM_KEYDOWN, 0, 0, [](CWnd* self, WPARAM wParam, LPARAM lParam, LRESULT& result) {
                    (Target<Handler>(self).*Handler)(
                        static_cast<UINT>(wParam), static_cast<UINT>(LOWORD(lParam)),
                        static_cast<UINT>(HIWORD(lParam)));
                    result = 0;
                    return true;
                }};
    }

    // BOOL Handler(HDC)
    template <auto Handler>
    static constexpr MessageEntry OnEraseBkgndEntry() {
        return {WM_ERASEBKGND, 0, 0, [](CWnd* self, WPARAM wParam, LPARAM, LRESULT& result) {
                    result = (Target<Handler>(self).*Handler)(
                        reinterpret_cast<HDC>(wParam));
                    return true;
                }};
    }

    // void Handler(BOOL enabled)
    template <auto Handler>
    static constexpr MessageEntry OnEnableEntry() {
        return {WM_ENABLE, 0, 0, [](CWnd* self, WPARAM wParam, LPARAM, LRESULT& result) {
                    (Target<Handler>(self).*Handler)(static_cast<BOOL>(wParam));
                    result = 0;
                    return true;
                }};
    }

    // BOOL Handler(): TRUE lets the session end.
    template <auto Handler>
    static constexpr MessageEntry OnQueryEndSessionEntry() {
        return {WM_QUERYENDSESSION, 0, 0, [](CWnd* self, WPARAM, LPARAM, LRESULT& result) {
                    result = (Target<Handler>(self).*Handler)();
                    return true;
                }};
    }

    // void Handler(BOOL ending): the session ends after this returns when `ending` is set; the
    // process may be ended then without any further message.
    template <auto Handler>
    static constexpr MessageEntry OnEndSessionEntry() {
        return {WM_ENDSESSION, 0, 0, [](CWnd* self, WPARAM wParam, LPARAM, LRESULT& result) {
                    (Target<Handler>(self).*Handler)(static_cast<BOOL>(wParam));
                    result = 0;
                    return true;
                }};
    }

    // LRESULT Handler(WPARAM, LPARAM): any message, parameters as they come (user messages).
    template <auto Handler>
    static constexpr MessageEntry OnMessageEntry(UINT message) {
        return {message, 0, 0, [](CWnd* self, WPARAM wParam, LPARAM lParam, LRESULT& result) {
                    result = (Target<Handler>(self).*Handler)(wParam, lParam);
                    return true;
                }};
    }
};
