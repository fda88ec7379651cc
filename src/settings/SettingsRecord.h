// Everything the store "Placard.ini" holds for the program, as one value: the seven settings of
// the dialog, the opt-in keys of 高级设置 and where the output was left. It is read from the
// store, compared, saved and handed to the show here alone; each key is named once, in its row
// of the table in SettingsRecord.cpp, with its kind, its range and its group.
#pragma once

#include <windows.h>
#include <objidl.h>
#include <gdiplus.h>

#include <optional>
#include <string>
#include <vector>

#include "output/OutputPlacement.h"
#include "picture/PictureFit.h"
#include "store/AtomicFile.h"

class CCore;

struct SettingsRecord {
    // The seven settings of the dialog.
    bool on = false;
    int width = 0;
    int height = 0;
    Gdiplus::ARGB clrbg = 0xFF000000;
    Gdiplus::ARGB clrfont = 0xFF000000;
    std::string dispbtm;
    int interval = 0;
    // The opt-in keys; each is off when absent, unreadable or out of its range.
    bool restorePlace = false;  // the output comes back to where the last run left it
    int reloadSeconds = 0;      // outside changes are looked for every N seconds; 0: never
    PictureFit fit = PictureFit::None;
    int scroll = 0;             // the bar's text moves at N pixels per second; 0: still
    std::string hours;          // shop hours as written (ShopHours.h); empty: always open
    std::string clock;          // the bar's clock as written (BarClock.h); empty: none
    int barSize = 0;            // the bar's text size in pixels; 0: the usual
    int fade = 0;               // a change of picture cross-fades over N ms; 0: a cut
    bool runLog = false;        // the run's events appended to Placard.log (RunLog.h)
    // Where the output was left: its corner, and its monitor with the offset within it. Read
    // only with restorePlace, as nothing else uses it.
    std::optional<POINT> corner;
    std::optional<HomePlace> home;

    bool operator==(const SettingsRecord& other) const;
    bool operator!=(const SettingsRecord& other) const { return !(*this == other); }

    // The record as the store holds it now (values the store cannot read count as never saved,
    // and read as the embedded defaults).
    static SettingsRecord Read(const CCore& core);

    // One atomic save of the store: the keys whose value differs from what the store holds for
    // this run (as last read or written by it), the seven first, in the order the store has
    // always had them; the seven complete a file without them. Every other line of the file, and
    // any key another program changed meanwhile that this record did not, stays as it is. With
    // Place, where the output was left is saved too.
    enum class Extra { None, Place };
    FileWrite Save(CCore& core, Extra extra) const;

    // Takes each key that differs between `before` and `after` (an edit made elsewhere) from
    // `after`, unless Apply would refuse its value: that key keeps this record's. Says which
    // keys differed, and for each one refused the value and Apply's warning.
    struct KeyChange {
        const char* name;
        std::string refusedValue;
        std::string refusal;  // empty: taken
    };
    std::vector<KeyChange> TakeChanges(const SettingsRecord& before, const SettingsRecord& after);

    // The values the show plays with, into SharedState.
    void HandToShow() const;

    // What Apply refuses first, in the order it checks the output's size and the interval: its
    // warning and the setting refused. None when all three are accepted.
    struct Refusal {
        const char* warning;
        int SettingsRecord::*setting;
    };
    std::optional<Refusal> Refused() const;
};

// "reload" as the store and 高级设置 take it: 1 to 86400 seconds, else off.
constexpr int kLongestReloadSeconds = 86400;
bool ReloadAccepted(int seconds);
