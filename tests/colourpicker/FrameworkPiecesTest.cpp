// The framework pieces the colour picker brought along: window classes, and a window whose
// own handler destroys it while the object deletes itself.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <new>
#include <string>

#include "framework/WindowClass.h"
#include "framework/Wnd.h"
#include "support/MessagePump.h"

namespace {

TEST(AfxRegisterWndClass, OneClassPerSetOfArguments) {
    HBRUSH grey = static_cast<HBRUSH>(GetStockObject(LTGRAY_BRUSH));
    const LPCSTR first = AfxRegisterWndClass(CS_CLASSDC | CS_SAVEBITS, nullptr, grey);
    const LPCSTR again = AfxRegisterWndClass(CS_CLASSDC | CS_SAVEBITS, nullptr, grey);
    const LPCSTR other = AfxRegisterWndClass(CS_HREDRAW, nullptr, grey);
    ASSERT_NE(first, nullptr);
    ASSERT_NE(other, nullptr);
    EXPECT_EQ(std::string(first), std::string(again));
    EXPECT_NE(std::string(first), std::string(other));

    WNDCLASSA registered{};
    ASSERT_TRUE(GetClassInfoA(GetModuleHandleA(nullptr), first, &registered));
    EXPECT_EQ(registered.style, static_cast<UINT>(CS_CLASSDC | CS_SAVEBITS));
    EXPECT_EQ(registered.hbrBackground, grey);
    EXPECT_EQ(registered.hCursor, nullptr);
}

constexpr UINT kCloseYourself = WM_USER + 40;

// Lives in storage of the test's own; at its end it scribbles over that storage, so that a
// write into the dead object afterwards shows.
class SelfClosingWnd : public CWnd {
public:
    SelfClosingWnd(unsigned char* storage, size_t size) : m_storage(storage), m_size(size) {}

    LRESULT OnCloseYourself(WPARAM, LPARAM) {
        DestroyWindow();
        return 42;
    }
    void PostNcDestroy() override {
        unsigned char* storage = m_storage;
        const size_t size = m_size;
        this->~SelfClosingWnd();
        std::memset(storage, 0xAB, size);
    }

    static const MessageMap* GetThisMessageMap() {
        static const MessageEntry entries[] = {OnMessageEntry<&SelfClosingWnd::OnCloseYourself>(kCloseYourself)};
        static const MessageMap map{CWnd::GetThisMessageMap(), entries, std::size(entries)};
        return &map;
    }
    const MessageMap* GetMessageMap() const override { return GetThisMessageMap(); }

private:
    unsigned char* m_storage;
    size_t m_size;
};

TEST(SelfDeletingWindow, AHandlerThatDestroysItsWindowLeavesTheDeadObjectAlone) {
    alignas(SelfClosingWnd) unsigned char storage[sizeof(SelfClosingWnd)];
    auto* wnd = new (storage) SelfClosingWnd(storage, sizeof(storage));
    ASSERT_TRUE(wnd->CreateEx(0, AfxRegisterWndClass(0), "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr));
    const HWND hwnd = wnd->m_hWnd;

    EXPECT_EQ(SendMessageA(hwnd, kCloseYourself, 0, 0), 42);
    EXPECT_FALSE(IsWindow(hwnd));
    EXPECT_TRUE(std::all_of(storage, storage + sizeof(storage), [](unsigned char b) { return b == 0xAB; }))
        << "the window procedure wrote into the object after it was gone";
    PumpMessages();
}

}  // namespace
