#include "settings/SettingsDlg.h"

#include <set>
#include <string>
#include <utility>

#include "base/SaturatedInt.h"
#include "core/Core.h"
#include "framework/DataExchange.h"
#include "framework/PaintDC.h"
#include "framework/WinApp.h"
#include "output/BarScroll.h"
#include "output/OutputDlg.h"
#include "output/OutputPlacement.h"
#include "output/Playlist.h"
#include "resource.h"
#include "settings/AboutDlg.h"
#include "settings/IntField.h"
#include "settings/SaveWarnings.h"
#include "state/SharedState.h"
#include "store/TextEncoding.h"

namespace {

constexpr UINT_PTR kStartupTimer = 1;
constexpr UINT kStartupDelayMs = 100;
constexpr UINT_PTR kReloadTimer = 2;
constexpr UINT_PTR kShopHoursTimer = 3;
constexpr UINT kShopHoursLookMs = 30 * 1000;

// "reload" beyond a day is no period anyone means: refused, as a value that does not parse.
int ReloadSeconds(const CCore& core) {
    int seconds = 0;
    return core.getConfigInt("reload", seconds) && seconds >= 1 && seconds <= kLongestReloadSeconds ? seconds : 0;
}

// A speed out of range is refused, as one that does not parse: the still bar.
int ScrollSpeed(const CCore& core) {
    int speed = 0;
    return core.getConfigInt("scroll", speed) && ScrollSpeedAccepted(speed) ? speed : 0;
}

// The seven settings of the dialog as the show has them, into the store's batch.
void SaveSevenSettings(CCore& core) {
    core.saveConfigB("on", SharedState::on != 0);
    core.saveConfigInt("width", SharedState::width);
    core.saveConfigInt("height", SharedState::height);
    core.saveConfigClr("clrbg", SharedState::clrbg);
    core.saveConfigClr("clrfont", SharedState::clrfont);
    core.saveConfigStr("dispbtm", SharedState::dispbtm);
    core.saveConfigInt("interval", SharedState::interval);
}

// What Apply accepts.
bool WidthInRange(int width) { return width >= 100 && width <= 8000; }
bool HeightInRange(int height) { return height >= 100 && height <= 4320; }
bool IntervalInRange(int interval) { return interval >= 1; }

}  // namespace

CSettingsDlg::CSettingsDlg(CWnd* parent, std::string folder)
    : WindowImpl(IDD_SETTINGS, parent),
      m_hIcon(::LoadIconA(AfxGetResourceHandle(), MAKEINTRESOURCEA(IDI_APP))),
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

    SharedState::width = core.getConfigInt("width");
    SharedState::height = core.getConfigInt("height");
    SharedState::clrbg = core.getConfigClr("clrbg");
    SharedState::clrfont = core.getConfigClr("clrfont");
    SharedState::dispbtm = core.getConfigStr("dispbtm");
    SharedState::interval = core.getConfigInt("interval");
    SharedState::on = core.getConfigB("on") ? 1 : 0;
    SharedState::fit = static_cast<int>(ParsePictureFit(core.getConfigStr("fit")));
    SharedState::scroll = ScrollSpeed(core);
    SetShopHours(core.getConfigStr("hours"));
    m_restorePlace = core.getConfigB("restoreplace");
    int x = 0, y = 0;
    if (m_restorePlace && core.getConfigInt("placex", x) && core.getConfigInt("placey", y)) {
        m_savedCorner = POINT{x, y};
    }
    const std::string monitor = core.getConfigStr("placemonitor");
    if (m_restorePlace && !monitor.empty() && core.getConfigInt("placeoffsetx", x) &&
        core.getConfigInt("placeoffsety", y)) {
        m_savedHome = HomePlace{monitor, POINT{x, y}};
    }

    m_enableCheck.SetCheck(SharedState::on);
    SetDlgItemText(IDC_WIDTH, core.getStrInt(SharedState::width));
    SetDlgItemText(IDC_HEIGHT, core.getStrInt(SharedState::height));
    SetDlgItemText(IDC_INTERVAL, core.getStrInt(SharedState::interval));
    SetDlgItemText(IDC_DISPBTM, SharedState::dispbtm);
    m_clrbgPicker.SetColour(core.getClrRef(SharedState::clrbg));
    m_clrfontPicker.SetColour(core.getClrRef(SharedState::clrfont));
    std::string items;
    m_playlistTooLarge = m_playlistFile.open(core, SharedState::itemsPath, items) == FileRead::TooLarge;
    SetDlgItemText(IDC_ITEMS, items);
    m_playedList = GetDlgItemText(IDC_ITEMS);
    m_playlistFile.shown(m_playedList);

    SharedState::screenWidth = ::GetSystemMetrics(SM_CXSCREEN);
    SharedState::screenHeight = ::GetSystemMetrics(SM_CYSCREEN);

    m_appliedFields = ReadFields();
    m_itemsFile.take(StampOf(SharedState::itemsPath));
    m_storeFile.take(StampOf(core.configPath()));
    ArmReload(ReloadSeconds(core));

    if (HMENU menu = ::GetSystemMenu(m_hWnd, FALSE)) {
        ::AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
        ::AppendMenuA(menu, MF_STRING, IDM_ADVANCED, "高级设置...");
    }

    SetTimer(kStartupTimer, kStartupDelayMs);
    return TRUE;
}

void CSettingsDlg::OnTimer(UINT_PTR id) {
    if (id == kReloadTimer || id == kShopHoursTimer) {
        if (id == kReloadTimer) LookForOutsideChanges();
        if (id == kShopHoursTimer) LookAtShopHours();
        Default();
        return;
    }
    KillTimer(id);
    if (id == kStartupTimer) {
        CreateOutput(this);
        // Told once the show runs.
        if (SharedState::core != nullptr && !SharedState::core->appPathUsable()) {
            SharedState::core->msgboxWarning(
                m_hWnd, UnusableFolderWarning(CodePageFromWide(SharedState::core->appPathForDisplay(), CP_ACP)));
        }
        // The file is left as it is and the list stays empty.
        if (m_playlistTooLarge && SharedState::core != nullptr) {
            m_playlistTooLarge = false;
            SharedState::core->msgboxWarning(
                m_hWnd, "播放列表文件太大（超过 " + std::to_string(CCore::kMaxTextFileBytes >> 20) +
                            " MB），没有读取，也不会被改写：\n" + SharedState::itemsPath);
        }
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
    SharedState::on = m_enableCheck.GetCheck() == BST_CHECKED ? 1 : 0;
    const std::string items = GetDlgItemText(IDC_ITEMS);
    SharedState::dispbtm = GetDlgItemText(IDC_DISPBTM);
    SharedState::width = ReadIntField(IDC_WIDTH);
    SharedState::height = ReadIntField(IDC_HEIGHT);
    SharedState::interval = ReadIntField(IDC_INTERVAL);
    SharedState::clrbg = core.getColor(m_clrbgPicker.GetColour());
    SharedState::clrfont = core.getColor(m_clrfontPicker.GetColour());

    if (validate) {
        struct Check {
            bool refused;
            const char* warning;
            int field;
        };
        const Check checks[] = {
            {!WidthInRange(SharedState::width), "输出显示宽度必须是100到8000之间的整数", IDC_WIDTH},
            {!HeightInRange(SharedState::height), "输出显示高度必须是100到4320之间的整数", IDC_HEIGHT},
            {!IntervalInRange(SharedState::interval), "轮换间隔不能小于1秒", IDC_INTERVAL},
        };
        for (const Check& check : checks) {
            if (!check.refused) continue;
            core.msgboxWarning(m_hWnd, check.warning);
            ::SetFocus(GetDlgItem(check.field));
            return false;
        }
    }

    const PlaylistSave result = m_playlistFile.save(core, items);
    if (result.tookFileList) {
        SetDlgItemText(IDC_ITEMS, result.list);
        m_playlistFile.shown(GetDlgItemText(IDC_ITEMS));
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
    const std::string warning = ApplyWarning(saved, SharedState::itemsPath);
    if (!warning.empty()) SharedState::core->msgboxWarning(m_hWnd, warning);
}

bool CSettingsDlg::Fields::operator==(const Fields& other) const {
    return on == other.on && width == other.width && height == other.height && interval == other.interval &&
           dispbtm == other.dispbtm && items == other.items && clrbg == other.clrbg && clrfont == other.clrfont;
}

CSettingsDlg::Fields CSettingsDlg::ReadFields() const {
    return Fields{m_enableCheck.GetCheck(),      GetDlgItemText(IDC_WIDTH),   GetDlgItemText(IDC_HEIGHT),
                  GetDlgItemText(IDC_INTERVAL),  GetDlgItemText(IDC_DISPBTM), GetDlgItemText(IDC_ITEMS),
                  m_clrbgPicker.GetColour(),     m_clrfontPicker.GetColour()};
}

void CSettingsDlg::ArmReload(int seconds) {
    if (seconds == m_reloadSeconds) return;
    m_reloadSeconds = seconds;
    KillTimer(kReloadTimer);
    if (seconds > 0) SetTimer(kReloadTimer, static_cast<UINT>(seconds) * 1000u);
}

void CSettingsDlg::LookForOutsideChanges() {
    if (SharedState::core == nullptr) return;
    if (m_itemsFile.look(StampOf(SharedState::itemsPath))) TakeListFromOutside();
    if (m_storeFile.look(StampOf(SharedState::core->configPath()))) TakeSettingsFromOutside();
    LookAtPictures();
}

void CSettingsDlg::TakeListFromOutside() {
    std::string list;
    if (!m_playlistFile.takeOutsideEdit(*SharedState::core, GetDlgItemText(IDC_ITEMS), list)) return;
    SetDlgItemText(IDC_ITEMS, list);
    m_playlistFile.shown(GetDlgItemText(IDC_ITEMS));
    m_playedList = list;
    m_appliedFields.items = GetDlgItemText(IDC_ITEMS);
    ApplyOutput();
}

void CSettingsDlg::TakeSettingsFromOutside() {
    // The store as another program left it, read as the next start would read it.
    CCore stored(m_folder);
    stored.autoFileConfig();
    ArmReload(ReloadSeconds(stored));
    if (!(ReadFields() == m_appliedFields)) return;  // the operator is editing: the dialog wins
    const int width = stored.getConfigInt("width");
    const int height = stored.getConfigInt("height");
    const int interval = stored.getConfigInt("interval");
    // Refused as Apply refuses it, without a box: nobody is there to read one.
    if (!WidthInRange(width) || !HeightInRange(height) || !IntervalInRange(interval)) return;
    const int on = stored.getConfigB("on") ? 1 : 0;
    const Gdiplus::ARGB clrbg = stored.getConfigClr("clrbg");
    const Gdiplus::ARGB clrfont = stored.getConfigClr("clrfont");
    const std::string dispbtm = stored.getConfigStr("dispbtm");
    const int fit = static_cast<int>(ParsePictureFit(stored.getConfigStr("fit")));
    const int scroll = ScrollSpeed(stored);
    const std::string hours = stored.getConfigStr("hours");
    if (width == SharedState::width && height == SharedState::height && interval == SharedState::interval &&
        on == SharedState::on && clrbg == SharedState::clrbg && clrfont == SharedState::clrfont &&
        dispbtm == SharedState::dispbtm && fit == SharedState::fit && scroll == SharedState::scroll &&
        hours == m_hoursText) {
        return;
    }
    SharedState::fit = fit;
    SharedState::scroll = scroll;
    SetShopHours(hours);
    SharedState::width = width;
    SharedState::height = height;
    SharedState::interval = interval;
    SharedState::on = on;
    SharedState::clrbg = clrbg;
    SharedState::clrfont = clrfont;
    SharedState::dispbtm = dispbtm;
    m_enableCheck.SetCheck(on);
    SetDlgItemText(IDC_WIDTH, CCore::getStrInt(width));
    SetDlgItemText(IDC_HEIGHT, CCore::getStrInt(height));
    SetDlgItemText(IDC_INTERVAL, CCore::getStrInt(interval));
    SetDlgItemText(IDC_DISPBTM, dispbtm);
    m_clrbgPicker.SetColour(CCore::getClrRef(clrbg));
    m_clrfontPicker.SetColour(CCore::getClrRef(clrfont));
    m_appliedFields = ReadFields();
    ApplyOutput();
}

void CSettingsDlg::LookAtPictures() {
    Playlist* table = SharedState::playlist;
    if (table == nullptr) return;
    std::map<std::string, FileStamp> stamps;
    std::set<std::string> unsettled;
    for (const std::string& name : table->names()) {
        const FileStamp stamp = StampOf(SharedState::dataDir + name);
        const auto before = m_pictureStamps.find(name);
        if (before != m_pictureStamps.end() && before->second != stamp) unsettled.insert(name);
        stamps.emplace(name, stamp);
    }
    m_pictureStamps.swap(stamps);
    table->setUnsettled(std::move(unsettled));
}

void CSettingsDlg::OnEnableOutput() {
    SharedState::on = m_enableCheck.GetCheck() == BST_CHECKED ? 1 : 0;
    m_appliedFields.on = m_enableCheck.GetCheck();  // the box takes effect at once: applied
    ApplyOutput();
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
    CCore& core = *SharedState::core;
    CCore::SaveBatch oneWrite(core);
    SaveSevenSettings(core);
    // The window is gone by now when the dialog closes; its last corner is kept.
    if (m_restorePlace && SharedState::placed != 0 && SharedState::outputWnd != nullptr) {
        const POINT corner = SharedState::outputWnd->LastCorner();
        core.saveConfigInt("placex", corner.x);
        core.saveConfigInt("placey", corner.y);
        if (const std::optional<HomePlace> home = SharedState::outputWnd->Home()) {
            core.saveConfigStr("placemonitor", home->monitor);
            core.saveConfigInt("placeoffsetx", home->offset.x);
            core.saveConfigInt("placeoffsety", home->offset.y);
        }
    }
    const FileWrite settings = oneWrite.commit();
    // A folder that cannot keep its files was told at start.
    if (!tellOperator || !core.appPathUsable()) return;
    const std::string warning = CloseWarning(settings, core.configPath(), playlist, SharedState::itemsPath);
    if (!warning.empty()) core.msgboxWarning(m_hWnd, warning);
}

// The system is ending: no box, but everything is still tried.
BOOL CSettingsDlg::OnQueryEndSession() {
    SaveEverything(false);
    return TRUE;
}

void CSettingsDlg::OnEndSession(BOOL ending) {
    if (ending) SaveEverything(false);
}

void CSettingsDlg::OnDestroy() {
    Default();
    SaveEverything(true);
    delete SharedState::outputWnd;
    SharedState::outputWnd = nullptr;
    delete SharedState::playlist;
    SharedState::playlist = nullptr;
    SharedState::playlistCount = 0;
    delete SharedState::core;
    SharedState::core = nullptr;
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
    if (SharedState::outputWnd != nullptr) return;  // there is one output window per run
    SharedState::outputWnd = new COutputDlg(nullptr);
    SharedState::outputWnd->Create(IDD_OUTPUT, parent);
    ApplyOutput();
}

void CSettingsDlg::ApplyOutput() {
    COutputDlg* output = SharedState::outputWnd;
    if (output == nullptr || output->m_hWnd == nullptr) return;
    if (SharedState::on == 0 || !m_shopOpen) {
        output->ShowWindow(SW_HIDE);
        return;
    }
    LoadPlaylist(m_playedList);

    RECT& rect = SharedState::outputRect;
    if (SharedState::placed == 0) {
        const POINT corner = ChooseFirstCorner(m_savedCorner, m_savedHome, SharedState::screenWidth,
                                               SharedState::screenHeight, Monitors());
        // Non-zero from now on, also for a corner restored at the left edge.
        SharedState::placed = corner.x != 0 ? corner.x : 1;
        rect.left = corner.x;
        rect.top = corner.y;
    } else {
        rect = output->GetWindowRect();
    }
    rect.right = SaturatedInt(LONGLONG{rect.left} + SharedState::width);
    rect.bottom = SaturatedInt(LONGLONG{rect.top} + SharedState::height);
    output->Place(rect);
}

void CSettingsDlg::MoveToSecondScreen() {
    COutputDlg* output = SharedState::outputWnd;
    if (output == nullptr || output->m_hWnd == nullptr) return;
    const std::optional<POINT> corner = SecondScreenCorner(SharedState::screenWidth, Monitors());
    if (!corner) {
        // With one screen the output stays where it is: anywhere else lies on no monitor.
        SharedState::core->msgboxWarning(m_hWnd, "没有检测到第二屏");
        return;
    }
    SharedState::outputRect = RECT{corner->x, corner->y, SaturatedInt(LONGLONG{corner->x} + SharedState::width),
                                   SaturatedInt(LONGLONG{corner->y} + SharedState::height)};
    // Non-zero from now on, also for a second screen whose left edge is at 0.
    SharedState::placed = corner->x != 0 ? corner->x : 1;
    m_enableCheck.SetCheck(SharedState::on);
    if (!m_shopOpen) {
        // Closed: it goes there hidden and shows there when the hours begin.
        output->SetWindowPos(nullptr, corner->x, corner->y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        return;
    }
    output->Place(SharedState::outputRect);
}

void CSettingsDlg::OnSysCommand(WPARAM command) {
    if ((command & 0xFFF0) == IDM_ADVANCED) {
        OnAdvanced();
        return;
    }
    Default();
}

AdvancedSettings CSettingsDlg::CurrentAdvanced() const {
    return AdvancedSettings{m_restorePlace, m_reloadSeconds, static_cast<PictureFit>(SharedState::fit),
                            SharedState::scroll, m_hoursText};
}

void CSettingsDlg::OnAdvanced() {
    if (SharedState::core == nullptr) return;
    CAdvancedDlg dialog(this, CurrentAdvanced(), m_unreadableHours);
    if (dialog.DoModal() != IDOK) return;
    TakeAdvanced(dialog.settings());

    CCore& core = *SharedState::core;
    const AdvancedSettings& taken = dialog.settings();
    CCore::SaveBatch oneWrite(core);
    SaveSevenSettings(core);
    core.saveConfigB("restoreplace", taken.restorePlace);
    core.saveConfigInt("reload", taken.reloadSeconds);
    core.saveConfigStr("fit", PictureFitName(taken.fit));
    core.saveConfigInt("scroll", taken.scroll);
    core.saveConfigStr("hours", taken.hours);
    const FileWrite written = oneWrite.commit();
    m_storeFile.take(StampOf(core.configPath()));  // our own write is no outside change
    if (written != FileWrite::Written && core.appPathUsable()) {
        core.msgboxWarning(m_hWnd, CloseWarning(written, core.configPath(), PlaylistSave{}, SharedState::itemsPath));
    }
}

void CSettingsDlg::TakeAdvanced(const AdvancedSettings& settings) {
    m_restorePlace = settings.restorePlace;
    ArmReload(settings.reloadSeconds);
    SharedState::fit = static_cast<int>(settings.fit);
    SharedState::scroll = settings.scroll;
    SetShopHours(settings.hours);
    ApplyOutput();
}

void CSettingsDlg::SetShopHours(const std::string& text) {
    m_hoursText = text;
    m_unreadableHours.clear();
    std::string unreadable;
    const std::optional<ShopHours> hours = ShopHours::Parse(text, &unreadable);
    // Not guessed at: the show stays on, and 高级设置 says what could not be read.
    m_shopHours = hours ? *hours : ShopHours{};
    if (!hours) m_unreadableHours = unreadable.empty() ? text : unreadable;
    KillTimer(kShopHoursTimer);
    if (!m_shopHours.AlwaysOpen()) SetTimer(kShopHoursTimer, kShopHoursLookMs);
    SYSTEMTIME now{};
    ::GetLocalTime(&now);
    m_shopOpen = m_shopHours.IsOpenAt(now);
}

void CSettingsDlg::LookAtShopHours() {
    SYSTEMTIME now{};
    ::GetLocalTime(&now);
    const bool open = m_shopHours.IsOpenAt(now);
    if (open == m_shopOpen) return;
    m_shopOpen = open;
    ApplyOutput();
}
