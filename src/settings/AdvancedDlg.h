// 高级设置: the opt-in keys of the store in a dialog of their own, opened from the settings
// dialog's system menu. OK checks every field (a warning and the focus on the one refused) and
// leaves the record with the accepted values in `Settings()`; Cancel and Escape change nothing.
#pragma once

#include <string>

#include "framework/Dialog.h"
#include "settings/SettingsRecord.h"

class CAdvancedDlg : public CDialog {
public:
    // `unreadableHours`: the part of the stored "hours" that could not be read, said in the dialog.
    CAdvancedDlg(CWnd* parent, const SettingsRecord& settings, const std::string& unreadableHours);

    BOOL OnInitDialog() override;
    void OnOK() override;

    const SettingsRecord& Settings() const { return m_settings; }

private:
    // A field's value refused: the warning, then the focus on the field.
    void Refuse(const std::string& warning, int field);
    // One more entry of a drop-down list, in the program's text.
    void AddChoice(int comboId, const char* text) const;

    SettingsRecord m_settings;
    std::string m_unreadableHours;
    int m_shownClock = 0;  // the clock's list entry as opened
};
