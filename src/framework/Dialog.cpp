#include "framework/Dialog.h"

#include "framework/DataExchange.h"
#include "framework/DisableWhileModal.h"
#include "framework/WinApp.h"
#include "framework/WindowCreationHook.h"

CDialog::CDialog(UINT templateId, CWnd* parent) : m_templateId(templateId), m_parentWnd(parent) {}

CDialog::~CDialog() = default;

HWND CDialog::CreateFromTemplate(HWND owner) {
    WindowCreationHook hook(this);
    return ::CreateDialogParamW(AfxGetResourceHandle(), MAKEINTRESOURCEW(m_templateId), owner, &CDialog::DialogProc,
                                reinterpret_cast<LPARAM>(this));
}

INT_PTR CDialog::DoModal() {
    HWND owner = SafeHwnd(m_parentWnd);
    m_modal = true;
    m_continueModal = true;
    m_modalResult = -1;
    {
        const auto ownerEnabledAgain = DisableWhileModal(owner);
        if (CreateFromTemplate(owner) != nullptr) {
            if (m_continueModal && m_hWnd != nullptr) {
                if (!IsWindowVisible()) ShowWindow(SW_SHOWNORMAL);
                RunModalLoop();
            }
            if (m_hWnd != nullptr) {
                // Hidden before it goes, so that the owner is active again first.
                ::SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0,
                               SWP_HIDEWINDOW | SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_NOZORDER);
            }
        }
    }
    if (owner != nullptr && ::GetActiveWindow() == m_hWnd) ::SetActiveWindow(owner);
    DestroyWindow();

    m_modal = false;
    m_continueModal = false;
    return m_modalResult;
}

void CDialog::RunModalLoop() {
    MSG msg;
    while (m_continueModal && m_hWnd != nullptr) {
        const BOOL got = ::GetMessageW(&msg, nullptr, 0, 0);
        if (got == -1) break;
        if (got == 0) {
            // Leave the quit for the loop outside ours.
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        if (!WalkPreTranslateTree(m_hWnd, &msg)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
    }
}

BOOL CDialog::Create(UINT templateId, CWnd* parent) {
    m_templateId = templateId;
    m_parentWnd = parent;
    m_modal = false;
    return CreateFromTemplate(SafeHwnd(parent)) != nullptr;
}

INT_PTR CALLBACK CDialog::DialogProc(HWND hwnd, UINT message, WPARAM, LPARAM lParam) {
    if (message != WM_INITDIALOG) return FALSE;
    auto* dialog = reinterpret_cast<CDialog*>(lParam);
    if (dialog == nullptr || dialog->m_hWnd != hwnd) return TRUE;
    const BOOL focusFirst = dialog->OnInitDialog();
    // Our modal templates stand at (0, 0): they open centred, as a dialog box does.
    if (dialog->m_modal && dialog->m_hWnd != nullptr) dialog->CenterWindow();
    return focusFirst;
}

bool CDialog::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    if (CWnd::OnWndMsg(message, wParam, lParam, result)) return true;
    // Commands no window handles get a last chance with the application.
    if (message == WM_COMMAND && lParam == 0) {
        CWinApp* app = AfxGetApp();
        if (app != nullptr && app->OnCommand(LOWORD(wParam))) {
            result = 0;
            return true;
        }
    }
    return false;
}

BOOL CDialog::OnInitDialog() {
    UpdateData(FALSE);
    return TRUE;
}

void CDialog::DoDataExchange(CDataExchange*) {}

BOOL CDialog::UpdateData(BOOL saveAndValidate) {
    CDataExchange exchange(this, saveAndValidate);
    DoDataExchange(&exchange);
    return TRUE;
}

void CDialog::OnOK() {
    if (!UpdateData(TRUE)) return;
    EndDialog(IDOK);
}

void CDialog::OnCancel() { EndDialog(IDCANCEL); }

void CDialog::EndDialog(int result) {
    if (m_hWnd == nullptr) return;
    m_modalResult = result;
    if (!m_modal) {
        // A modeless dialog only hides. The platform's EndDialog would also enable its
        // owner, which a modal box over that owner has disabled.
        ShowWindow(SW_HIDE);
        return;
    }
    m_continueModal = false;
    PostMessage(WM_NULL);  // wake the loop if it is waiting
    ::EndDialog(m_hWnd, result);
}

BOOL CDialog::PreTranslateMessage(MSG* msg) {
    const bool input = (msg->message >= WM_KEYFIRST && msg->message <= WM_KEYLAST) ||
                       (msg->message >= WM_MOUSEFIRST && msg->message <= WM_MOUSELAST);
    if (!input || m_hWnd == nullptr) return FALSE;
    if (msg->hwnd != m_hWnd && !::IsChild(m_hWnd, msg->hwnd)) return FALSE;
    return ::IsDialogMessageW(m_hWnd, msg);
}

MessageEntryList CDialog::MessageEntries() {
    static const MessageEntry entries[] = {
        OnCommandEntry<&CDialog::OnOK>(BN_CLICKED, IDOK),
        OnCommandEntry<&CDialog::OnCancel>(BN_CLICKED, IDCANCEL),
    };
    return entries;
}
