// CDialog: a dialog built from a resource template, run modally by our own loop (DoModal)
// or created modeless (Create).
//
// The modal loop disables the owner, then for each message walks PreTranslateMessage from
// the target window up its parent chain to this dialog before dispatching it; the default
// PreTranslateMessage of a dialog hands its input messages to IsDialogMessage, which gives
// Tab, the arrow keys, Enter and Escape their dialog meaning.
#pragma once

#include "framework/WindowImpl.h"

class CDataExchange;

class CDialog : public WindowImpl<CDialog, CWnd> {
public:
    explicit CDialog(UINT templateId, CWnd* parent = nullptr);
    ~CDialog() override;

    virtual INT_PTR DoModal();
    // Modeless: creates the window from the template, owned by parent.
    BOOL Create(UINT templateId, CWnd* parent);

    virtual BOOL OnInitDialog();
    virtual void OnOK();
    virtual void OnCancel();
    virtual void DoDataExchange(CDataExchange* exchange);
    BOOL UpdateData(BOOL saveAndValidate = TRUE);
    void EndDialog(int result);

    BOOL PreTranslateMessage(MSG* msg) override;

    static MessageEntryList MessageEntries();

protected:
    bool OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    static INT_PTR CALLBACK DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    HWND CreateFromTemplate(HWND owner);
    void RunModalLoop();

    UINT m_templateId;
    CWnd* m_parentWnd;
    bool m_modal = false;
    bool m_continueModal = false;
    INT_PTR m_modalResult = -1;
};
