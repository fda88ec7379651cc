#include "settings/SettingsDlg.h"

#include <string>
#include <utility>

#include "base/ProgramText.h"
#include "core/Core.h"
#include "framework/DataExchange.h"
#include "framework/PaintDC.h"
#include "framework/WinApp.h"
#include "output/OutputDlg.h"
#include "output/Playlist.h"
#include "resource.h"
#include "runlog/RunLogLines.h"
#include "settings/AboutDlg.h"
#include "settings/AdvancedDlg.h"
#include "settings/IntField.h"
#include "settings/OutputDriving.h"
#include "settings/SaveWarnings.h"
#include "state/SharedState.h"
#include "version.h"

namespace {

constexpr UINT_PTR kStartupTimer = 1;
constexpr UINT kStartupDelayMs = 100;
constexpr UINT_PTR kReloadTimer = 2;
constexpr UINT_PTR kShopHoursTimer = 3;
constexpr UINT kShopHoursLookMs = 30 * 1000;
// The longest list the box takes: what the list file holds in UTF-8 with its byte-order mark.
constexpr WPARAM kLongestTypedList = (CCore::kMaxTextFileBytes - 3) / 3;

}  // namespace

CSettingsDlg::CSettingsDlg(CWnd* parent, std::string folder)
    : WindowImpl(IDD_SETTINGS, parent),
      m_hIcon(::LoadIconW(AfxGetResourceHandle(), MAKEINTRESOURCEW(IDI_APP))),
      m_folder(std::move(folder)) {}

CSettingsDlg::~CSettingsDlg() = default;

void CSettingsDlg::DoDataExchange(CDataExchange* exchange) {
    CDialog::DoDataExchange(exchange);
    DDX_Control(exchange, IDC_ENABLE, m_enableCheck);
    DDX_Control(exchange, IDC_CLRFONT, m_clrfontPicker);
    DDX_Control(exchange, IDC_CLRBG, m_clrbgPicker);
}

MessageEntryList CSettingsDlg::MessageEntries() {
    static const MessageEntry entries[] = {
        OnSimpleEntry<&CSettingsDlg::OnPaint>(WM_PAINT),
        OnSimpleEntry<&CSettingsDlg::OnQueryDragIcon>(WM_QUERYDRAGICON),
        OnSimpleEntry<&CSettingsDlg::OnDestroy>(WM_DESTROY),
        OnCommandEntry<&CSettingsDlg::OnEnableOutput>(BN_CLICKED, IDC_ENABLE),
        OnCommandEntry<&CSettingsDlg::OnAbout>(BN_CLICKED, IDC_ABOUT),
        OnCommandEntry<&CSettingsDlg::OnSecondScreen>(BN_CLICKED, IDC_SECOND_SCREEN),
        OnWParamEntry<&CSettingsDlg::OnTimer, UINT_PTR>(WM_TIMER),
        OnCommandEntry<&CSettingsDlg::OnApply>(BN_CLICKED, IDC_APPLY),
        OnSimpleEntry<&CSettingsDlg::OnQueryEndSession>(WM_QUERYENDSESSION),
        OnWParamEntry<&CSettingsDlg::OnEndSession, BOOL>(WM_ENDSESSION),
        OnWParamEntry<&CSettingsDlg::OnSysCommand, WPARAM>(WM_SYSCOMMAND),
        OnSimpleEntry<&CSettingsDlg::OnOutputMoved>(COutputDlg::kMovedByOperator),
        OnWParamEntry<&CSettingsDlg::OnPowerBroadcast, WPARAM>(WM_POWERBROADCAST),
    };
    return entries;
}

BOOL CSettingsDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    SendMessage(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_hIcon));
    SendMessage(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_hIcon));

    SharedState::core = new CCore(m_folder);
    CCore& core = *SharedState::core;
    core.autoFileConfig();

    SharedState::appPath = core.getAppPath();
    SharedState::dataDir = SharedState::appPath + "data\\";
    SharedState::itemsPath = SharedState::appPath + "_items.txt";

    SharedState::placed = 0;
    SharedState::playlistCount = 0;
    SharedState::playlist = new Playlist;

    m_settings = SettingsRecord::Read(core);
    m_settings.HandToShow();
    KeepRunLog(m_settings.runLog);
    SetShopHours(m_settings.hours);
    ShowSettings();
    std::wstring items;
    // As much typed or pasted as the list file may hold in any encoding it is kept in (UTF-8
    // takes three bytes for a Chinese character), not the edit control's 32,767 characters.
    ::SendMessage(::GetDlgItem(m_hWnd, IDC_ITEMS), EM_SETLIMITTEXT, kLongestTypedList, 0);
    m_playlistTooLarge = m_playlistFile.open(core, SharedState::itemsPath, items) == FileRead::TooLarge;
    SetDlgItemWideText(IDC_ITEMS, items);
    m_playedList = GetDlgItemWideText(IDC_ITEMS);
    m_playlistFile.shown(m_playedList);

    SharedState::screenWidth = ::GetSystemMetrics(SM_CXSCREEN);
    SharedState::screenHeight = ::GetSystemMetrics(SM_CYSCREEN);

    m_appliedFields = ReadFields();
    m_watcher.Watch(SharedState::itemsPath, core.configPath(), SharedState::dataDir);
    ArmReload(m_settings.reloadSeconds);

    if (HMENU menu = ::GetSystemMenu(m_hWnd, FALSE)) {
        ::AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
        ::AppendMenuW(menu, MF_STRING, IDM_ADVANCED, WideFromProgramText("高级设置...").c_str());
    }

    SetTimer(kStartupTimer, kStartupDelayMs);
    return TRUE;
}

void CSettingsDlg::OnTimer(UINT_PTR id) {
    if (id == kReloadTimer) LookForOutsideChanges();
    if (id == kShopHoursTimer) LookAtShopHours();
    if (id != kReloadTimer && id != kShopHoursTimer) KillTimer(id);
    if (id == kStartupTimer && SharedState::core != nullptr) {
        CreateOutput(this);
        RunLog::Note(DescribeOutput(m_shopHours.IsOpen()));
        // Told once the show runs.
        CCore& core = *SharedState::core;
        if (!core.appPathUsable()) {
            core.msgboxWarning(m_hWnd, UnusableFolderWarning(core.appPathForDisplay()));
        }
        // The file is left as it is and the list stays empty.
        if (std::exchange(m_playlistTooLarge, false)) {
            RunLog::Note(PlaylistTooLargeWarning(SharedState::itemsPath));
            core.msgboxWarning(m_hWnd, PlaylistTooLargeWarning(SharedState::itemsPath));
        }
        TellUnreadableHours();
    }
    Default();
}

BOOL CSettingsDlg::PreTranslateMessage(MSG* msg) {
    // Escape never reaches the dialog's own controls nor becomes its Cancel. A popup the
    // dialog owns (the colour palette) is not one of them and keeps its Escape.
    if (msg->message == WM_KEYDOWN && msg->wParam == VK_ESCAPE &&
        (msg->hwnd == m_hWnd || ::IsChild(m_hWnd, msg->hwnd))) {
        return TRUE;
    }
    return CDialog::PreTranslateMessage(msg);
}

int CSettingsDlg::ReadIntField(int id) const { return ParseIntField(GetDlgItemText(id)); }

bool CSettingsDlg::CollectSettings(bool validate, PlaylistSave* saved) {
    CCore& core = *SharedState::core;
    const std::wstring items = GetDlgItemWideText(IDC_ITEMS);
    SettingsRecord typed = m_settings;
    typed.on = m_enableCheck.GetCheck() == BST_CHECKED;
    const std::optional<std::string> bar = TypedBarText();
    if (bar) typed.dispbtm = *bar;
    typed.width = ReadIntField(IDC_WIDTH);
    typed.height = ReadIntField(IDC_HEIGHT);
    typed.interval = ReadIntField(IDC_INTERVAL);
    typed.clrbg = CCore::getColor(m_clrbgPicker.GetColour());
    typed.clrfont = CCore::getColor(m_clrfontPicker.GetColour());
    // The show has the values whether or not Apply accepts them; the record keeps the accepted.
    typed.HandToShow();

    if (const std::optional<SettingsRecord::Refusal> refusal = validate ? typed.Refused() : std::nullopt) {
        core.msgboxWarning(m_hWnd, refusal->warning);
        const int field = refusal->setting == &SettingsRecord::width    ? IDC_WIDTH
                          : refusal->setting == &SettingsRecord::height ? IDC_HEIGHT
                                                                        : IDC_INTERVAL;
        ::SetFocus(GetDlgItem(field));
        return false;
    }
    if (validate && !bar) {
        core.msgboxWarning(m_hWnd, BarTextUnwritableWarning());
        ::SetFocus(GetDlgItem(IDC_DISPBTM));
        return false;
    }
    m_settings = typed;

    const PlaylistSave result = m_playlistFile.save(core, items);
    if (result.tookFileList) {
        SetDlgItemWideText(IDC_ITEMS, result.list);
        m_playlistFile.shown(GetDlgItemWideText(IDC_ITEMS));
    }
    m_playedList = result.list;
    if (saved != nullptr) *saved = result;
    return true;
}

void CSettingsDlg::OnApply() {
    PlaylistSave saved;
    if (!CollectSettings(true, &saved)) return;
    m_appliedFields = ReadFields();
    ApplyOutput();
    // What was applied is kept at once: a power cut is no close.
    Tell(JoinedWarnings(SaveNow(), ApplyWarning(saved, SharedState::itemsPath)));
    // Played with the interval all the same.
    const std::string seconds =
        UnreadableSecondsWarning(LinesWithUnreadableSeconds(ProgramTextFromWide(m_playedList)));
    if (!seconds.empty()) SharedState::core->msgboxWarning(m_hWnd, seconds);
}

FileWrite CSettingsDlg::SaveRecord(const SettingsRecord& record, std::string* keptCopy) {
    CCore& core = *SharedState::core;
    SettingsRecord kept = record;
    // Once the window is gone (the dialog closing), its last corner is kept.
    const bool placed = record.restorePlace && SharedState::placed != 0 && SharedState::outputWnd != nullptr;
    if (placed) {
        kept.corner = SharedState::outputWnd->LastCorner();
        kept.home = SharedState::outputWnd->Home();
    }
    const FileWrite written = kept.Save(core, placed ? SettingsRecord::Extra::Place : SettingsRecord::Extra::None);
    const std::string news = core.takeConfigKeptCopyNews();
    if (keptCopy != nullptr) *keptCopy = news;
    return written;
}

std::string CSettingsDlg::SaveNow() {
    std::string keptCopy;
    const FileWrite written = SaveRecord(m_settings, &keptCopy);
    return SettingsWarning(written, SharedState::core->configPath(), keptCopy);
}

void CSettingsDlg::Tell(const std::string& warning) {
    CCore& core = *SharedState::core;
    RunLog::Note(warning);
    // A folder that cannot keep its files was told at start.
    if (!warning.empty() && core.appPathUsable()) core.msgboxWarning(m_hWnd, warning);
}

void CSettingsDlg::OnOutputMoved() {
    if (SharedState::core != nullptr && m_settings.restorePlace) Tell(SaveNow());
}

bool CSettingsDlg::Fields::operator==(const Fields& other) const {
    return on == other.on && width == other.width && height == other.height && interval == other.interval &&
           dispbtm == other.dispbtm && items == other.items && clrbg == other.clrbg && clrfont == other.clrfont;
}

CSettingsDlg::Fields CSettingsDlg::ReadFields() const {
    return Fields{m_enableCheck.GetCheck(),      GetDlgItemText(IDC_WIDTH),   GetDlgItemText(IDC_HEIGHT),
                  GetDlgItemText(IDC_INTERVAL),  GetDlgItemText(IDC_DISPBTM), GetDlgItemWideText(IDC_ITEMS),
                  m_clrbgPicker.GetColour(),     m_clrfontPicker.GetColour()};
}

void CSettingsDlg::ShowSettings() {
    m_enableCheck.SetCheck(m_settings.on ? BST_CHECKED : BST_UNCHECKED);
    SetDlgItemText(IDC_WIDTH, CCore::getStrInt(m_settings.width));
    SetDlgItemText(IDC_HEIGHT, CCore::getStrInt(m_settings.height));
    SetDlgItemText(IDC_INTERVAL, CCore::getStrInt(m_settings.interval));
    SetDlgItemText(IDC_DISPBTM, m_settings.dispbtm);
    m_clrbgPicker.SetColour(CCore::getClrRef(m_settings.clrbg));
    m_clrfontPicker.SetColour(CCore::getClrRef(m_settings.clrfont));
}

void CSettingsDlg::ArmReload(int seconds) {
    m_settings.reloadSeconds = seconds;
    if (seconds == m_reloadArmed) return;
    m_reloadArmed = seconds;
    KillTimer(kReloadTimer);
    if (seconds > 0) SetTimer(kReloadTimer, static_cast<UINT>(seconds) * 1000u);
}

void CSettingsDlg::LookForOutsideChanges() {
    if (SharedState::core == nullptr) return;
    if (m_watcher.ListChanged()) TakeListFromOutside();
    // While the operator is editing the dialog wins; a change of the store waits until then.
    if (ReadFields() == m_appliedFields && m_watcher.StoreChanged()) TakeSettingsFromOutside();
    if (Playlist* table = SharedState::playlist) table->setUnsettled(m_watcher.UnsettledPictures(table->names()));
}

void CSettingsDlg::TakeListFromOutside() {
    std::wstring list;
    if (!m_playlistFile.takeOutsideEdit(*SharedState::core, GetDlgItemWideText(IDC_ITEMS), list)) return;
    SetDlgItemWideText(IDC_ITEMS, list);
    m_playlistFile.shown(GetDlgItemWideText(IDC_ITEMS));
    m_playedList = list;
    m_appliedFields.items = GetDlgItemWideText(IDC_ITEMS);
    ApplyAccepted();
    RunLog::Note(OutsideListEvent(SharedState::itemsPath));
}

void CSettingsDlg::TakeSettingsFromOutside() {
    // Each key another program changed since the store was last read or written here is taken
    // as if typed and applied, or refused as Apply refuses it, without a box: nobody is there
    // to read one. A store gone, empty or unreadable (a sync tool between its delete and its
    // write) changes nothing.
    CCore& core = *SharedState::core;
    const SettingsRecord known = SettingsRecord::Read(core);
    if (!core.rereadConfig()) return;
    SettingsRecord taken = m_settings;
    const std::vector<SettingsRecord::KeyChange> changes = taken.TakeChanges(known, SettingsRecord::Read(core));
    ArmReload(taken.reloadSeconds);
    KeepRunLog(taken.runLog);
    for (const auto& key : changes) {
        RunLog::Note(OutsideKeyEvent(core.configPath(), key.name, key.refusedValue, key.refusal));
    }
    if (taken == m_settings) return;
    const bool newHours = taken.hours != m_settings.hours;
    m_settings = taken;
    SetShopHours(m_settings.hours);
    ShowSettings();
    m_appliedFields = ReadFields();
    ApplyAccepted();
    if (newHours) TellUnreadableHours();
}

void CSettingsDlg::TellUnreadableHours() {
    if (!m_shopHours.Unreadable().empty()) {
        RunLog::Note(UnreadableHoursWarning(m_shopHours.Unreadable()));
        SharedState::core->msgboxWarning(m_hWnd, UnreadableHoursWarning(m_shopHours.Unreadable()));
    }
}

void CSettingsDlg::ApplyAccepted() {
    m_settings.HandToShow();
    ApplyOutput();
}

void CSettingsDlg::OnEnableOutput() {
    m_settings.on = m_enableCheck.GetCheck() == BST_CHECKED;
    // Only the box: the show keeps the values last collected, refused ones included.
    SharedState::on = m_settings.on ? 1 : 0;
    m_appliedFields.on = m_enableCheck.GetCheck();  // the box takes effect at once: applied
    ApplyOutput();
    Tell(SaveNow());
}

void CSettingsDlg::OnSecondScreen() { MoveToSecondScreen(); }

void CSettingsDlg::OnAbout() {
    CAboutDlg about(this);
    about.DoModal();
}

void CSettingsDlg::SaveEverything(bool tellOperator) {
    if (SharedState::core == nullptr) return;
    PlaylistSave playlist;
    CollectSettings(false, &playlist);
    std::string keptCopy;
    const FileWrite settings = SaveRecord(m_settings, &keptCopy);
    const std::string& path = SharedState::core->configPath();
    std::string warning = JoinedWarnings(SettingsWarning(FileWrite::Written, path, keptCopy),
                                         CloseWarning(settings, path, playlist, SharedState::itemsPath));
    if (!TypedBarText()) warning = JoinedWarnings(warning, BarTextUnwritableWarning());
    if (tellOperator) {
        Tell(warning);
    } else {
        RunLog::Note(warning);
    }
}

// The system is ending: no box, but everything is still tried.
BOOL CSettingsDlg::OnQueryEndSession() {
    SaveEverything(false);
    return TRUE;
}

void CSettingsDlg::OnEndSession(BOOL ending) {
    if (!ending) return;
    SaveEverything(false);
    RunLog::Note(EndEvent(true, DescribeOutput(m_shopHours.IsOpen())));
}

void CSettingsDlg::OnDestroy() {
    Default();
    SaveEverything(true);
    RunLog::Note(EndEvent(false, DescribeOutput(m_shopHours.IsOpen())));
    delete SharedState::outputWnd;
    SharedState::outputWnd = nullptr;
    delete SharedState::playlist;
    SharedState::playlist = nullptr;
    SharedState::playlistCount = 0;
    delete SharedState::core;
    SharedState::core = nullptr;
}

std::optional<std::string> CSettingsDlg::TypedBarText() const {
    const std::wstring bar = GetDlgItemWideText(IDC_DISPBTM);
    if (!ProgramTextHolds(bar)) return std::nullopt;
    return ProgramTextFromWide(bar);
}

void CSettingsDlg::OnPaint() {
    if (!::IsIconic(m_hWnd)) {
        Default();
        return;
    }
    PaintDC dc(m_hWnd);
    SendMessage(WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc.get()), 0);
    const RECT client = GetClientRect();
    const int x = (client.right - client.left - ::GetSystemMetrics(SM_CXICON) + 1) / 2;
    const int y = (client.bottom - client.top - ::GetSystemMetrics(SM_CYICON) + 1) / 2;
    ::DrawIcon(dc.get(), x, y, m_hIcon);
}

HCURSOR CSettingsDlg::OnQueryDragIcon() { return static_cast<HCURSOR>(m_hIcon); }

void CSettingsDlg::CreateOutput(CWnd* parent) {
    CreateOutputWindow(parent);
    ApplyOutput();
}

void CSettingsDlg::ApplyOutput() {
    ApplyToOutput(m_playedList, m_shopHours.IsOpen(), m_settings.corner, m_settings.home);
}

void CSettingsDlg::MoveToSecondScreen() {
    switch (SendOutputToSecondScreen(m_shopHours.IsOpen())) {
    case SecondScreenMove::NoOutput: break;
    case SecondScreenMove::NoSecondScreen: SharedState::core->msgboxWarning(m_hWnd, "没有检测到第二屏"); break;
    case SecondScreenMove::Moved:
        m_enableCheck.SetCheck(SharedState::on);
        OnOutputMoved();
        break;
    }
}

void CSettingsDlg::OnSysCommand(WPARAM command) {
    if ((command & 0xFFF0) == IDM_ADVANCED) {
        OnAdvanced();
        return;
    }
    Default();
}

void CSettingsDlg::OnAdvanced() {
    if (SharedState::core == nullptr) return;
    const SettingsRecord opened = m_settings;
    CAdvancedDlg dialog(this, opened, m_shopHours.Unreadable());
    if (dialog.DoModal() != IDOK) return;
    // Only what the operator changed in the box: the reload may have taken another program's
    // edit of the store while it was open.
    m_settings.TakeChanges(opened, dialog.Settings());
    ArmReload(m_settings.reloadSeconds);
    KeepRunLog(m_settings.runLog);
    SetShopHours(m_settings.hours);
    ApplyAccepted();
    Tell(SaveNow());
}

void CSettingsDlg::SetShopHours(const std::string& text) {
    m_settings.hours = text;
    m_shopHours.Set(text);
    KillTimer(kShopHoursTimer);
    if (!m_shopHours.AlwaysOpen()) SetTimer(kShopHoursTimer, kShopHoursLookMs);
}

void CSettingsDlg::OnPowerBroadcast(WPARAM event) {
    // Woken from sleep: the hours may have begun or ended meanwhile.
    if (event == PBT_APMRESUMEAUTOMATIC || event == PBT_APMRESUMESUSPEND) LookAtShopHours();
}

void CSettingsDlg::LookAtShopHours() {
    if (!m_shopHours.Look()) return;
    RunLog::Note(ShopHoursEvent(m_shopHours.IsOpen()));
    ApplyAccepted();
}

void CSettingsDlg::KeepRunLog(bool keep) {
    m_settings.runLog = keep;
    if (keep == (m_runLog != nullptr)) return;
    if (!keep) {
        m_runLog->Write(LogOffEvent());
        m_runLog.reset();
        return;
    }
    m_runLog = std::make_unique<RunLog>(SharedState::appPath);
    const bool running = SharedState::outputWnd != nullptr;
    m_runLog->Write(StartEvent(PLACARD_VERSION_STRING, running, ScreensSeen(Monitors())));
    if (running) m_runLog->Write(DescribeOutput(m_shopHours.IsOpen()));
}
