// 高级设置: the opt-in keys of the store in a dialog of their own, opened from the settings
// dialog's system menu. OK checks every field (a warning and the focus on the one refused) and
// leaves the accepted values in `settings()`; Cancel and Escape change nothing.
#pragma once

#include <string>

#include "framework/Dialog.h"
#include "picture/PictureFit.h"

struct AdvancedSettings {
    bool restorePlace = false;  // "restoreplace"
    int reloadSeconds = 0;      // "reload", 0: off
    PictureFit fit = PictureFit::None;
    int scroll = 0;             // "scroll", pixels per second, 0: still
    std::string hours;          // "hours", empty: always on
};

class CAdvancedDlg : public CDialog {
public:
    // `unreadableHours`: the part of the stored "hours" that could not be read, said in the dialog.
    CAdvancedDlg(CWnd* parent, const AdvancedSettings& settings, const std::string& unreadableHours);

    BOOL OnInitDialog() override;
    void OnOK() override;

    const AdvancedSettings& settings() const { return m_settings; }

private:
    // A field's value refused: the warning, then the focus on the field.
    void Refuse(const std::string& warning, int field);

    AdvancedSettings m_settings;
    std::string m_unreadableHours;
};

// "reload" as the dialog and the store take it: 1 to 86400 seconds, 0 off.
constexpr int kLongestReloadSeconds = 86400;
