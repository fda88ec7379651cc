// The settings dialog's tests run the real dialog in the test process, in a program folder
// of their own (given to the dialog and to the cores they make), with SharedState as it is
// before the dialog runs.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "core/Core.h"
#include "resource.h"
#include "settings/ScriptedModal.h"
#include "settings/SettingsDlg.h"
#include "state/SharedState.h"
#include "support/Input.h"
#include "support/SharedStateReset.h"
#include "support/TempFolder.h"

class SettingsFixture : public ::testing::Test {
protected:
    void SetUp() override {
        ResetSharedState();
    }
    void TearDown() override {
        ResetSharedState();
    }

    // Saves values into the store before the dialog starts, as an earlier run would have.
    void Store(const std::function<void(CCore&)>& save) {
        CCore core(folder.path());
        core.autoFileConfig();
        save(core);
    }
    // Reads what the store holds now, as the next run would.
    template <class Read>
    auto Stored(Read read) {
        CCore core(folder.path());
        core.autoFileConfig();
        return read(core);
    }

    std::string Text(int id) const { return dialog.GetDlgItemText(id); }
    void SetText(int id, const std::string& text) const { dialog.SetDlgItemText(id, text); }
    HWND Item(int id) const { return dialog.GetDlgItem(id); }
    void Click(int id) const { ::SendMessageW(Item(id), BM_CLICK, 0, 0); }
    bool Checked(int id) const { return ::SendMessageW(Item(id), BM_GETCHECK, 0, 0) == BST_CHECKED; }
    // Moves the focus as Tab does (an edit then has all its text selected).
    void Focus(int id) const { dialog.SendMessage(WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(Item(id)), TRUE); }
    // Focuses the control and posts a key as a user's press sends it.
    void PressKey(int id, UINT key) const {
        Focus(id);
        PostKey(id, key);
    }
    void PostKey(int id, UINT key) const { ::PostKey(Item(id), key); }
    int FocusedId() const { return ::GetDlgCtrlID(::GetFocus()); }
    // The dialog is past its start-up: the output window exists.
    ScriptStep OutputCreated() const {
        return Until([] { return SharedState::outputWnd != nullptr; });
    }
    ScriptStep Close() const {
        return Step([this] { dialog.PostMessage(WM_CLOSE); });
    }

    INT_PTR Run(std::vector<ScriptStep> steps) {
        bool forced = false;
        const INT_PTR result = RunScriptedModal(dialog, std::move(steps), &forced);
        closedByScript = forced;
        return result;
    }

    TempFolder folder;
    CSettingsDlg dialog{nullptr, folder.path()};
    bool closedByScript = false;
};
