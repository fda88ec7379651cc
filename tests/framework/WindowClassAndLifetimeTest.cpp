// Window classes made on demand, and a window whose own handler destroys it while the object
// owns itself.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <new>
#include <string>
#include <vector>

#include "framework/WindowClass.h"
#include "framework/WindowImpl.h"
#include "support/MessagePump.h"

namespace {

TEST(AfxRegisterWndClass, OneClassPerSetOfArguments) {
    HBRUSH grey = static_cast<HBRUSH>(GetStockObject(LTGRAY_BRUSH));
    const LPCWSTR first = AfxRegisterWndClass(CS_CLASSDC | CS_SAVEBITS, nullptr, grey);
    const LPCWSTR again = AfxRegisterWndClass(CS_CLASSDC | CS_SAVEBITS, nullptr, grey);
    const LPCWSTR other = AfxRegisterWndClass(CS_HREDRAW, nullptr, grey);
    ASSERT_NE(first, nullptr);
    ASSERT_NE(other, nullptr);
    EXPECT_EQ(std::wstring(first), std::wstring(again));
    EXPECT_NE(std::wstring(first), std::wstring(other));

    WNDCLASSW registered{};
    ASSERT_TRUE(GetClassInfoW(GetModuleHandleW(nullptr), first, &registered));
    EXPECT_EQ(registered.style, static_cast<UINT>(CS_CLASSDC | CS_SAVEBITS));
    EXPECT_EQ(registered.hbrBackground, grey);
    EXPECT_EQ(registered.hCursor, nullptr);
}

constexpr UINT kCloseYourself = WM_USER + 40;
constexpr UINT kAskToClose = WM_USER + 41;

// Lives in storage of the test's own; at its end it scribbles over that storage, so that a
// write into the dead object afterwards shows. Logs what its handlers see after the window
// has gone under them.
class SelfClosingWnd : public WindowImpl<SelfClosingWnd, CWnd> {
public:
    SelfClosingWnd(unsigned char* storage, size_t size, std::vector<std::string>* log)
        : m_storage(storage), m_size(size), m_log(log) {}

    LRESULT OnCloseYourself(WPARAM, LPARAM) {
        DestroyWindow();
        m_log->push_back(m_hWnd == nullptr ? "inner: unbound" : "inner: bound");
        return 42;
    }
    // Asks for the close in a message of the same window, inside this one.
    LRESULT OnAskToClose(WPARAM, LPARAM) {
        const LRESULT inner = SendMessage(kCloseYourself);
        m_log->push_back("outer: inner returned " + std::to_string(inner));
        return 7;
    }
    void PostNcDestroy() override {
        unsigned char* storage = m_storage;
        const size_t size = m_size;
        m_log->push_back("final");
        this->~SelfClosingWnd();
        std::memset(storage, 0xAB, size);
    }

    static MessageEntryList MessageEntries() {
        static const MessageEntry entries[] = {
            OnMessageEntry<&SelfClosingWnd::OnCloseYourself>(kCloseYourself),
            OnMessageEntry<&SelfClosingWnd::OnAskToClose>(kAskToClose),
        };
        return entries;
    }

private:
    unsigned char* m_storage;
    size_t m_size;
    std::vector<std::string>* m_log;
};

// The object's final release comes only when the outermost of its window's messages has
// returned, and nothing touches the object after it.
TEST(SelfDeletingWindow, TheObjectOutlivesItsWindowUntilTheOutermostMessageReturns) {
    struct Case {
        UINT message;
        LRESULT result;
        std::vector<std::string> log;
    };
    const Case cases[] = {
        {kCloseYourself, 42, {"inner: unbound", "final"}},
        {kAskToClose, 7, {"inner: unbound", "outer: inner returned 42", "final"}},
    };
    for (const Case& c : cases) {
        alignas(SelfClosingWnd) unsigned char storage[sizeof(SelfClosingWnd)];
        std::vector<std::string> log;
        auto* wnd = new (storage) SelfClosingWnd(storage, sizeof(storage), &log);
        ASSERT_TRUE(wnd->CreateEx(0, AfxRegisterWndClass(0), "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr));
        const HWND hwnd = wnd->m_hWnd;

        EXPECT_EQ(SendMessageW(hwnd, c.message, 0, 0), c.result);
        EXPECT_FALSE(IsWindow(hwnd));
        EXPECT_EQ(log, c.log) << "message " << c.message;
        EXPECT_TRUE(std::all_of(storage, storage + sizeof(storage), [](unsigned char b) { return b == 0xAB; }))
            << "the window procedure wrote into the object after it was gone";
    }
    PumpMessages();
}

}  // namespace
