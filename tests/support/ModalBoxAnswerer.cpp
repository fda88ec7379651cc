#include "support/ModalBoxAnswerer.h"

#include "support/WindowText.h"

namespace {
thread_local ModalBoxAnswerer* activeAnswerer = nullptr;


// The static control that holds a message box's text.
constexpr int kMessageTextId = 0xFFFF;
}  // namespace

ModalBoxAnswerer::ModalBoxAnswerer(int button)
    : ModalBoxAnswerer([button](HWND box) {
          HWND control = GetDlgItem(box, button);
          PostMessageW(box, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), reinterpret_cast<LPARAM>(control));
      }) {}

ModalBoxAnswerer::ModalBoxAnswerer(std::function<void(HWND box)> answer)
    : m_answer(std::move(answer)), m_timer(SetTimer(nullptr, 0, 20, &ModalBoxAnswerer::OnTimer)),
      m_previous(activeAnswerer) {
    activeAnswerer = this;
}

ModalBoxAnswerer::~ModalBoxAnswerer() {
    KillTimer(nullptr, m_timer);
    activeAnswerer = m_previous;
}

void CALLBACK ModalBoxAnswerer::OnTimer(HWND, UINT, UINT_PTR, DWORD) {
    if (activeAnswerer != nullptr) activeAnswerer->Look();
}

void ModalBoxAnswerer::Look() { EnumThreadWindows(GetCurrentThreadId(), &ModalBoxAnswerer::OnWindow, reinterpret_cast<LPARAM>(this)); }

BOOL CALLBACK ModalBoxAnswerer::OnWindow(HWND hwnd, LPARAM selfParam) {
    auto* self = reinterpret_cast<ModalBoxAnswerer*>(selfParam);
    wchar_t className[64] = {};
    GetClassNameW(hwnd, className, 64);
    if (std::wstring(className) != L"#32770" || !IsWindowVisible(hwnd) || !IsWindowEnabled(hwnd)) return TRUE;
    if (GetDlgItem(hwnd, IDOK) == nullptr) return TRUE;
    if (!self->m_seen.insert(hwnd).second) return TRUE;
    self->m_boxes.push_back(Box{WindowText(hwnd), WindowText(GetDlgItem(hwnd, kMessageTextId)), GetWindow(hwnd, GW_OWNER)});
    self->m_answer(hwnd);
    return TRUE;
}
