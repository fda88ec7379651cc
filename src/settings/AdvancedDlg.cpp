#include "settings/AdvancedDlg.h"

#include <iterator>

#include "base/ProgramText.h"
#include "core/Core.h"
#include "output/BarClock.h"
#include "output/CrossFade.h"
#include "output/InfoBarLayout.h"
#include "output/ScrollPositions.h"
#include "resource.h"
#include "settings/Digits.h"
#include "settings/ShopHours.h"

namespace {

// The fit modes in the order of the list.
const PictureFit kFits[] = {PictureFit::None, PictureFit::Contain, PictureFit::Cover, PictureFit::Stretch};
const char* const kFitNames[] = {"原始大小，从左上角起", "完整显示，居中，空白处为背景色", "填满，居中，裁去多出的部分",
                                 "拉伸填满，不保持比例"};

// The clocks in the order of the list, as the store writes them.
const char* const kClocks[] = {"", "time", "date"};
const char* const kClockNames[] = {"不显示", "时间（14:05）", "日期和时间（2026年12月9日 星期三 14:05）"};

// The speeds offered; any other accepted speed may be typed as a number.
struct Speed {
    int pixelsPerSecond;
    const char* text;
};
const Speed kSpeeds[] = {{0, "0 不滚动"}, {60, "60 慢"}, {120, "120 中"}, {240, "240 快"}};

std::string SpeedText(int speed) {
    for (const Speed& offered : kSpeeds) {
        if (offered.pixelsPerSecond == speed) return offered.text;
    }
    return std::to_string(speed);
}

// Digits only (up to seven), or empty for `empty`; anything else is refused.
bool ReadWholeNumber(const std::string& text, int empty, int& value) {
    size_t at = 0;
    value = text.empty() ? empty : static_cast<int>(ReadDigits(text, at, 7));
    return at == text.size();
}

bool ReadSpeed(const std::string& text, int& speed) {
    for (const Speed& offered : kSpeeds) {
        if (text == offered.text) {
            speed = offered.pixelsPerSecond;
            return true;
        }
    }
    return ReadWholeNumber(text, 0, speed) && ScrollSpeedAccepted(speed);
}

}  // namespace

CAdvancedDlg::CAdvancedDlg(CWnd* parent, const SettingsRecord& settings, const std::string& unreadableHours)
    : CDialog(IDD_ADVANCED, parent), m_settings(settings), m_unreadableHours(unreadableHours) {}

BOOL CAdvancedDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    CheckDlgButton(m_hWnd, IDC_ADV_RESTOREPLACE, m_settings.restorePlace ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(m_hWnd, IDC_ADV_LOG, m_settings.runLog ? BST_CHECKED : BST_UNCHECKED);
    SetDlgItemText(IDC_ADV_RELOAD, std::to_string(m_settings.reloadSeconds));
    for (const char* name : kFitNames) AddChoice(IDC_ADV_FIT, name);
    for (size_t i = 0; i < std::size(kFits); ++i) {
        if (kFits[i] == m_settings.fit) ::SendDlgItemMessageW(m_hWnd, IDC_ADV_FIT, CB_SETCURSEL, i, 0);
    }
    for (const Speed& speed : kSpeeds) {
        AddChoice(IDC_ADV_SCROLL, speed.text);
    }
    SetDlgItemText(IDC_ADV_SCROLL, SpeedText(m_settings.scroll));
    SetDlgItemText(IDC_ADV_BARSIZE, std::to_string(m_settings.barSize));
    SetDlgItemText(IDC_ADV_FADE, std::to_string(m_settings.fade));
    for (const char* name : kClockNames) {
        AddChoice(IDC_ADV_CLOCK, name);
    }
    const BarClock clock = ParseBarClock(m_settings.clock).value_or(BarClock::None);
    ::SendDlgItemMessageW(m_hWnd, IDC_ADV_CLOCK, CB_SETCURSEL, static_cast<WPARAM>(clock), 0);
    m_shownClock = static_cast<int>(clock);
    if (!ParseBarClock(m_settings.clock)) {
        SetDlgItemText(IDC_ADV_CLOCK_NOTE, "设置文件里的时钟无法识别（“" + m_settings.clock + "”），现在不显示。");
    }
    SetDlgItemText(IDC_ADV_HOURS, m_settings.hours);
    if (!m_unreadableHours.empty()) {
        SetDlgItemText(IDC_ADV_HOURS_NOTE, "设置文件里的营业时间无法识别（“" + m_unreadableHours + "”），现在一直显示。");
    }
    return TRUE;
}

void CAdvancedDlg::AddChoice(int comboId, const char* text) const {
    ::SendDlgItemMessageW(m_hWnd, comboId, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(WideFromProgramText(text).c_str()));
}

void CAdvancedDlg::Refuse(const std::string& warning, int field) {
    CCore().msgboxWarning(m_hWnd, warning);
    ::SetFocus(GetDlgItem(field));
}

void CAdvancedDlg::OnOK() {
    SettingsRecord read = m_settings;
    read.restorePlace = IsDlgButtonChecked(m_hWnd, IDC_ADV_RESTOREPLACE) == BST_CHECKED;
    read.runLog = IsDlgButtonChecked(m_hWnd, IDC_ADV_LOG) == BST_CHECKED;
    const LRESULT fit = ::SendDlgItemMessageW(m_hWnd, IDC_ADV_FIT, CB_GETCURSEL, 0, 0);
    read.fit = fit >= 0 && static_cast<size_t>(fit) < std::size(kFits) ? kFits[fit] : PictureFit::None;
    read.hours = GetDlgItemText(IDC_ADV_HOURS);
    std::string unreadable;
    if (!ReadWholeNumber(GetDlgItemText(IDC_ADV_RELOAD), 0, read.reloadSeconds) ||
        (read.reloadSeconds != 0 && !ReloadAccepted(read.reloadSeconds))) {
        Refuse("自动读取间隔必须是0到86400之间的整数（秒），0表示不读取", IDC_ADV_RELOAD);
        return;
    }
    if (!ReadSpeed(GetDlgItemText(IDC_ADV_SCROLL), read.scroll)) {
        Refuse("滚动速度必须是0（不滚动）或30到600之间的整数（像素/秒）", IDC_ADV_SCROLL);
        return;
    }
    if (!ReadWholeNumber(GetDlgItemText(IDC_ADV_BARSIZE), 0, read.barSize) ||
        (read.barSize != 0 && !BarTextSizeAccepted(read.barSize))) {
        Refuse("信息栏文字大小必须是0（默认30）或12到400之间的整数（像素）", IDC_ADV_BARSIZE);
        return;
    }
    if (!ReadWholeNumber(GetDlgItemText(IDC_ADV_FADE), 0, read.fade) || (read.fade != 0 && !FadeAccepted(read.fade))) {
        Refuse("切换时间必须是0（直接切换）或100到5000之间的整数（毫秒）", IDC_ADV_FADE);
        return;
    }
    // A clock the store holds unreadable stays as written until another is chosen.
    const LRESULT clock = ::SendDlgItemMessageW(m_hWnd, IDC_ADV_CLOCK, CB_GETCURSEL, 0, 0);
    if (clock != m_shownClock && clock >= 0 && static_cast<size_t>(clock) < std::size(kClocks)) read.clock = kClocks[clock];
    if (!ShopHours::Parse(read.hours, &unreadable)) {
        Refuse("无法识别营业时间中的“" + unreadable + "”\n格式例如：1-5 08:30-21:00; 6-7 10:00-22:00", IDC_ADV_HOURS);
        return;
    }
    m_settings = read;
    EndDialog(IDOK);
}
