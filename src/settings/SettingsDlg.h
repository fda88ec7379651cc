// CSettingsDlg: the program's main window, a modal dialog in which the operator edits,
// validates, applies and saves every setting, and which drives the output window.
//
// Its initialisation creates the core services, the paths, the playlist table and loads the
// settings; 100 ms later its one-shot timer creates the output window. Its destruction
// collects the controls, writes the playlist file, saves the settings and releases the
// output window, the playlist table and the core services, in that order. A Windows restart
// or log-off saves as the destruction does, since the process may end without it.
#pragma once

#include <memory>
#include <optional>
#include <string>

#include "colourpicker/ColourButton.h"
#include "framework/Button.h"
#include "framework/Dialog.h"
#include "runlog/RunLog.h"
#include "settings/OutsideChangeWatcher.h"
#include "settings/PlaylistFile.h"
#include "settings/SettingsRecord.h"
#include "settings/ShopHoursClock.h"

class CSettingsDlg : public WindowImpl<CSettingsDlg, CDialog> {
public:
    // The program's files are kept in `folder`; left empty, in the program's own folder.
    explicit CSettingsDlg(CWnd* parent = nullptr, std::string folder = {});
    ~CSettingsDlg() override;

    BOOL PreTranslateMessage(MSG* msg) override;
    BOOL OnInitDialog() override;

    // The operations that drive the output window. Before the start-up timer has created
    // it, ApplyOutput and MoveToSecondScreen do nothing.
    void CreateOutput(CWnd* parent);
    void ApplyOutput();
    void MoveToSecondScreen();

    // Reads every control into SharedState; with `validate`, refuses an out-of-range width,
    // height or interval with a warning. True when the controls were accepted: the playlist box
    // was then handed to the playlist file, and `saved` says what became of it.
    bool CollectSettings(bool validate, PlaylistSave* saved = nullptr);
    int ReadIntField(int id) const;

    static MessageEntryList MessageEntries();

protected:
    void DoDataExchange(CDataExchange* exchange) override;

    void OnPaint();
    HCURSOR OnQueryDragIcon();
    void OnDestroy();
    void OnEnableOutput();
    void OnAbout();
    void OnSecondScreen();
    void OnTimer(UINT_PTR id);
    void OnApply();
    BOOL OnQueryEndSession();
    void OnEndSession(BOOL ending);
    void OnSysCommand(WPARAM command);
    // The operator dropped the output somewhere, or sent it to the second screen: with
    // restoreplace, its place is kept at once.
    void OnOutputMoved();

private:
    // The operator's fields, to tell whether any was changed since it was loaded or applied.
    struct Fields {
        int on;
        std::string width, height, interval, dispbtm;
        std::wstring items;
        COLORREF clrbg, clrfont;
        bool operator==(const Fields& other) const;
    };
    Fields ReadFields() const;

    // The settings as the controls show them, from the record.
    void ShowSettings();

    // Opt-in "reload=N": what another program changed (and then left alone for a look) is taken
    // as if typed and applied, unless the operator is editing.
    void LookForOutsideChanges();
    void TakeListFromOutside();
    void TakeSettingsFromOutside();
    void ArmReload(int seconds);
    // The show and the output made what the record holds: never a value Apply refused.
    void ApplyAccepted();

    // 高级设置: the opt-in keys the operator changed, taken and saved at once.
    void OnAdvanced();
    // Opt-in "hours=": outside them the output shows black where it is (开启输出 unchanged),
    // looked at against the clock at start, every half minute and when the machine wakes.
    void SetShopHours(const std::string& text);
    void LookAtShopHours();
    void OnPowerBroadcast(WPARAM event);
    // Hours that cannot be read, told in a warning; the show goes on meanwhile.
    void TellUnreadableHours();
    // Opt-in "log=1": the run's events kept in Placard.log from now on, or no longer.
    void KeepRunLog(bool keep);

    // The bar's field, unless code page 936 cannot write it.
    std::optional<std::string> TypedBarText() const;

    // What a close keeps: every control collected unvalidated, the playlist file written and
    // the record saved in one write of the store. With `tellOperator`, what could not be saved
    // is told in one warning.
    void SaveEverything(bool tellOperator);
    // One write of the store with `record` (and, with restoreplace, where the output is); where
    // another program's version was kept beside it, its name in `keptCopy` once.
    FileWrite SaveRecord(const SettingsRecord& record, std::string* keptCopy);
    // The record saved now; what the operator is to be told of it (empty: nothing).
    std::string SaveNow();
    // A warning box, unless empty or the folder was found unusable at start (told then).
    void Tell(const std::string& warning);

    PlaylistFile m_playlistFile;
    // The list the show plays: the one last collected, whatever became of its write, never a
    // re-read of the file.
    std::wstring m_playedList;
    bool m_playlistTooLarge = false;
    // What was last accepted: what the store keeps and, but after an Apply that refused a value
    // (which the show is handed as typed, for 开启输出 and 定位到第二屏), what the show plays.
    // The controls may be ahead of it until Apply.
    SettingsRecord m_settings;
    int m_reloadArmed = 0;
    OutsideChangeWatcher m_watcher;
    Fields m_appliedFields{};
    ShopHoursClock m_shopHours;
    CButton m_enableCheck;
    CColourButton m_clrfontPicker;
    CColourButton m_clrbgPicker;
    HICON m_hIcon;
    std::string m_folder;  // for each core the dialog makes
    std::unique_ptr<RunLog> m_runLog;
};
