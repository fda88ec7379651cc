// WindowImpl<Self, Base>: what every window class with a message map shares. Self derives
// from it in place of Base and lists its own entries, as "message -> handler" lines:
//
//     MessageEntryList CSettingsDlg::MessageEntries() {
//         static const MessageEntry entries[] = {
//             OnSimpleEntry<&CSettingsDlg::OnPaint>(WM_PAINT),
//             OnWParamEntry<&CSettingsDlg::OnTimer, UINT_PTR>(WM_TIMER),
//             OnCommandEntry<&CSettingsDlg::OnApply>(BN_CLICKED, IDC_APPLY),
//         };
//         return entries;
//     }
//
// WindowImpl supplies GetThisMessageMap(), which puts those entries ahead of Base's table,
// and GetMessageMap(); a Self without its own MessageEntries() does not compile. Each adapter
// below unpacks wParam/lParam for one handler signature, written above it; a handler must be a
// member (const or not) of Self or of one of its bases, and one of another class does not compile.
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
template <class C, class R, class... A>
struct ClassOf<R (C::*)(A...) const> {
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

    // Self declares its own; one that forgets it finds this and does not compile, rather than
    // taking its base's entries a second time.
    static MessageEntryList MessageEntries() = delete;

protected:
    // The object a handler of this class's table is called on.
    template <auto Handler>
    static Self& Target(CWnd* self) {
        using HandlerClass = typename message_map_detail::ClassOf<decltype(Handler)>::type;
        static_assert(std::is_base_of_v<HandlerClass, Self>,
                      "a message map's handler must be a member of its class or of a base");
        return *static_cast<Self*>(self);
    }

    // Calls Handler with `args` and makes what it returns the message's result: 0 for a
    // handler that returns nothing, a handle by its bits.
    template <auto Handler, class... Args>
    static bool Invoke(CWnd* self, LRESULT& result, Args... args) {
        Self& target = Target<Handler>(self);
        using Result = decltype((target.*Handler)(args...));
        if constexpr (std::is_void_v<Result>) {
            (target.*Handler)(args...);
            result = 0;
        } else if constexpr (std::is_pointer_v<Result>) {
            result = reinterpret_cast<LRESULT>((target.*Handler)(args...));
        } else {
            result = static_cast<LRESULT>((target.*Handler)(args...));
        }
        return true;
    }

    // void Handler(): WM_COMMAND with a notification code from one control.
    template <auto Handler>
    static constexpr MessageEntry OnCommandEntry(UINT code, UINT id) {
        return {WM_COMMAND, code, id, [](CWnd* self, WPARAM, LPARAM, LRESULT& result) {
                    return Invoke<Handler>(self, result);
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

    // Handler(): messages whose parameters carry nothing the handler needs (WM_PAINT,
    // WM_DESTROY, WM_QUERYDRAGICON, ...); what it returns, if anything, is the result.
    template <auto Handler>
    static constexpr MessageEntry OnSimpleEntry(UINT message) {
        return {message, 0, 0, [](CWnd* self, WPARAM, LPARAM, LRESULT& result) {
                    return Invoke<Handler>(self, result);
                }};
    }

    // Handler(Arg): messages whose wParam is the one thing the handler needs, as an Arg:
    // WM_TIMER (UINT_PTR id), WM_ERASEBKGND (HDC), WM_ENABLE and WM_ENDSESSION (BOOL).
    template <auto Handler, class Arg>
    static constexpr MessageEntry OnWParamEntry(UINT message) {
        return {message, 0, 0, [](CWnd* self, WPARAM wParam, LPARAM, LRESULT& result) {
                    if constexpr (std::is_pointer_v<Arg>) {
                        return Invoke<Handler>(self, result, reinterpret_cast<Arg>(wParam));
                    } else {
                        return Invoke<Handler>(self, result, static_cast<Arg>(wParam));
                    }
                }};
    }

    // int Handler(LPCREATESTRUCT): 0 to go on, -1 to make the creation fail.
    template <auto Handler>
    static constexpr MessageEntry OnCreateEntry() {
        return {WM_CREATE, 0, 0, [](CWnd* self, WPARAM, LPARAM lParam, LRESULT& result) {
                    return Invoke<Handler>(self, result, reinterpret_cast<LPCREATESTRUCT>(lParam));
                }};
    }

    // void Handler(UINT flags, POINT point): mouse messages in client coordinates.
    template <auto Handler>
    static constexpr MessageEntry OnMouseEntry(UINT message) {
        return {message, 0, 0, [](CWnd* self, WPARAM wParam, LPARAM lParam, LRESULT& result) {
                    return Invoke<Handler>(self, result, static_cast<UINT>(wParam),
                                           message_map_detail::PointFrom(lParam));
                }};
    }

    // void Handler(UINT key, UINT repeat, UINT flags)
    template <auto Handler>
    static constexpr MessageEntry OnKeyDownEntry() {
        return {WM_KEYDOWN, 0, 0, [](CWnd* self, WPARAM wParam, LPARAM lParam, LRESULT& result) {
                    return Invoke<Handler>(self, result, static_cast<UINT>(wParam),
                                           static_cast<UINT>(LOWORD(lParam)),
                                           static_cast<UINT>(HIWORD(lParam)));
                }};
    }

    // LRESULT Handler(WPARAM, LPARAM): any message, parameters as they come (user messages).
    template <auto Handler>
    static constexpr MessageEntry OnMessageEntry(UINT message) {
        return {message, 0, 0, [](CWnd* self, WPARAM wParam, LPARAM lParam, LRESULT& result) {
                    return Invoke<Handler>(self, result, wParam, lParam);
                }};
    }
};
