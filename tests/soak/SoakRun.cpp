#include "soak/SoakRun.h"

#include <algorithm>

#include "core/Core.h"
#include "framework/WinApp.h"
#include "framework/Wnd.h"
#include "output/InfoBarLayout.h"
#include "output/OutputDlg.h"
#include "output/Playlist.h"
#include "resource.h"
#include "state/SharedState.h"
#include "support/GdiSlots.h"
#include "support/ProcessFigures.h"
#include "support/TestDib.h"

namespace {

SoakRun* activeRun = nullptr;
constexpr UINT kTickMs = 100;
// A JPEG's flat areas come back within a few steps; the push adds its constant alpha.
constexpr int kPictureTolerance = 10;

std::string Joined(const std::vector<std::string>& names) {
    std::string text;
    for (const std::string& name : names) text += name + "\r\n";
    return text;
}

}  // namespace

SoakRun::SoakRun(SoakOptions options, std::vector<SoakPicture> pictures, uint32_t background, uint32_t text)
    : m_options(options), m_pictures(std::move(pictures)), m_background(background), m_text(text) {}

SoakRun::~SoakRun() {
    if (m_hook != nullptr) UnhookWindowsHookEx(m_hook);
    if (m_timer != 0) KillTimer(nullptr, m_timer);
    if (activeRun == this) activeRun = nullptr;
}

void SoakRun::Start(const std::string& itemsPath) {
    activeRun = this;
    m_itemsPath = itemsPath;
    for (const SoakPicture& picture : m_pictures) m_order.push_back(picture.name);
    m_nextSwitch = m_options.switchEvery;
    m_started = m_lastProgress = GetTickCount();
    m_hook = SetWindowsHookExW(WH_GETMESSAGE, &SoakRun::OnMessage, nullptr, GetCurrentThreadId());
    m_timer = SetTimer(nullptr, 0, kTickMs, &SoakRun::OnTick);
}

// Every rotation tick the output window takes from the queue is one frame composed.
LRESULT CALLBACK SoakRun::OnMessage(int code, WPARAM wParam, LPARAM lParam) {
    SoakRun* run = activeRun;
    if (code == HC_ACTION && wParam == PM_REMOVE && run != nullptr && run->m_output != nullptr) {
        const MSG* msg = reinterpret_cast<const MSG*>(lParam);
        if (msg->message == WM_TIMER && msg->hwnd == run->m_output && msg->wParam == COutputDlg::kRotationTimer) {
            ++run->m_report.frames;
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

void CALLBACK SoakRun::OnTick(HWND, UINT, UINT_PTR, DWORD) {
    if (activeRun != nullptr) activeRun->Tick();
}

HWND SoakRun::Dialog() const {
    CWinApp* app = AfxGetApp();
    return app != nullptr && app->m_pMainWnd != nullptr ? app->m_pMainWnd->m_hWnd : nullptr;
}

void SoakRun::Tick() {
    if (m_finished || m_inTick) return;
    m_inTick = true;
    const DWORD now = GetTickCount();
    if (m_report.frames != m_lastFrames) {
        m_lastFrames = m_report.frames;
        m_lastProgress = now;
    } else if (now - m_lastProgress > m_options.stallMs) {
        m_report.stalled = true;
        Finish();
    }

    COutputDlg* output = SharedState::outputWnd;
    if (!m_finished && m_output == nullptr && output != nullptr && output->IsWindowVisible()) {
        // Dragged to the screen's corner, so that the whole frame can be read back.
        m_output = output->m_hWnd;
        ++m_report.placements;
        ::SetWindowPos(m_output, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    if (!m_finished && m_output != nullptr) {
        if (m_report.frames >= m_nextSwitch && m_report.frames < m_options.frames) SwitchPlaylist();
        if (m_report.residentBaseline == 0 && m_report.frames >= m_options.baselineAt) {
            m_report.gdiBefore = FreeGdiSlots();
            m_report.residentBaseline = ResidentBytes();
        }
        if (m_report.frames >= m_options.frames) Finish();
    }
    m_inTick = false;
}

void SoakRun::SwitchPlaylist() {
    m_nextSwitch += m_options.switchEvery;
    // The next picture first; the file is written as an editor would, in place.
    std::rotate(m_order.begin(), m_order.begin() + 1, m_order.end());
    HANDLE file = CreateFileA(m_itemsPath.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                              nullptr);
    if (file != INVALID_HANDLE_VALUE) {
        const std::string text = Joined(m_order);
        DWORD written = 0;
        WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
        CloseHandle(file);
    }
    HWND checkbox = GetDlgItem(Dialog(), IDC_ENABLE);
    SendMessageW(checkbox, BM_CLICK, 0, 0);  // off: hidden
    SendMessageW(checkbox, BM_CLICK, 0, 0);  // on: the list read again, the first picture placed
    ++m_report.switches;
    ++m_report.placements;
}

void SoakRun::Finish() {
    m_finished = true;
    m_report.seconds = (GetTickCount() - m_started) / 1000.0;
    COutputDlg* output = SharedState::outputWnd;
    if (output != nullptr && !m_report.stalled) {
        output->StopTimer();
        CheckLastFrame();
    }
    if (m_report.residentBaseline == 0) m_report.residentBaseline = ResidentBytes();
    m_report.gdiAfter = FreeGdiSlots();
    m_report.residentEnd = ResidentBytes();
    if (HWND dialog = Dialog()) PostMessageW(dialog, WM_CLOSE, 0, 0);
}

// The frame last pushed, read back from the screen: the picture it showed, both halves,
// and the bar's band in the background colour with text in the text colour on it.
void SoakRun::CheckLastFrame() {
    const COutputDlg& output = *SharedState::outputWnd;
    if (SharedState::playlistCount <= 0 || SharedState::playlist == nullptr) {
        m_report.lastFrame = "the playlist is empty";
        return;
    }
    const int width = SharedState::width;
    const int height = SharedState::height;
    TestDib screen(width, height);
    const RECT window = output.GetWindowRect();
    CaptureScreen(screen, window.left, window.top);

    const InfoBarLayout bar =
        LayoutInfoBar(SharedState::core->getTextBounds("黑体", 30, SharedState::dispbtm).cy, width, height);
    const int bandTop = static_cast<int>(bar.bandY) + 1;
    const int middle = bandTop / 2;
    // The picture is the one whose left half shows.
    const SoakPicture* picture = nullptr;
    for (const SoakPicture& candidate : m_pictures) {
        if (RgbClose(screen.rgb(width / 4, middle), candidate.left, kPictureTolerance)) picture = &candidate;
    }
    if (picture == nullptr) {
        m_report.lastFrame = "no picture of the playlist shows";
        return;
    }
    const std::string& shown = picture->name;
    const bool right = RgbClose(screen.rgb(width * 3 / 4, middle), picture->right, kPictureTolerance);
    const bool band = RgbClose(screen.rgb(1, height - 2), m_background) &&
                      RgbClose(screen.rgb(width - 2, height - 2), m_background);
    int textPixels = 0;
    for (int y = bandTop; y < height; ++y) {
        for (int x = 0; x < width; ++x) textPixels += RgbClose(screen.rgb(x, y), m_text) ? 1 : 0;
    }
    m_report.lastFrameRight = right && band && textPixels > 0;
    m_report.lastFrame = shown + " by its left half: right half " +
                         (right ? "right" : "WRONG") + ", band " + (band ? "right" : "WRONG") + ", " +
                         std::to_string(textPixels) + " text pixels";
}
