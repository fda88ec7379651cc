#include "bench/FadeBench.h"

#include <windows.h>

#include <algorithm>

#include "bench/BenchClock.h"
#include "core/Core.h"
#include "output/OutputDlg.h"
#include "output/Playlist.h"
#include "resource.h"
#include "state/SharedState.h"
#include "support/MessagePump.h"
#include "support/PictureFiles.h"
#include "support/SharedStateReset.h"

namespace {

HWND g_window = nullptr;
int g_steps = 0;
double g_lastMoveMs = -1;
double g_longestGapMs = 0;
const BenchClock* g_clock = nullptr;

// Each fade timer message the window takes from the queue is one step pushed.
LRESULT CALLBACK CountSteps(int code, WPARAM wParam, LPARAM lParam) {
    const MSG* msg = reinterpret_cast<const MSG*>(lParam);
    if (code == HC_ACTION && wParam == PM_REMOVE && msg->hwnd == g_window && msg->message == WM_TIMER &&
        msg->wParam == COutputDlg::kFadeTimer) {
        ++g_steps;
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

// The time between each two moves of the band the window takes from the queue.
LRESULT CALLBACK TimeMoves(int code, WPARAM wParam, LPARAM lParam) {
    const MSG* msg = reinterpret_cast<const MSG*>(lParam);
    if (code == HC_ACTION && wParam == PM_REMOVE && msg->hwnd == g_window && msg->message == WM_TIMER &&
        msg->wParam == COutputDlg::kScrollTimer) {
        const double now = g_clock->ElapsedMs();
        if (g_lastMoveMs >= 0) g_longestGapMs = std::max(g_longestGapMs, now - g_lastMoveMs);
        g_lastMoveMs = now;
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

void WriteFile(const std::string& path, const std::string& bytes) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    ::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
}

// The two pictures of the folder's data\\ in turn on a width x height output, with the bar's
// text scrolling at 120 px/s and a long interval: the bench makes the changes.
void ShowTwoPictures(CCore& core, Playlist& playlist, const std::string& folder, int width, int height, int fadeMs) {
    ResetSharedState();
    playlist.add("photo.jpg");
    playlist.add("plain.jpg");
    SharedState::core = &core;
    SharedState::playlist = &playlist;
    SharedState::playlistCount = playlist.count();
    SharedState::dataDir = folder + "data\\";
    SharedState::width = width;
    SharedState::height = height;
    SharedState::interval = 60;
    SharedState::fade = fadeMs;
    SharedState::scroll = 120;
    SharedState::clrbg = 0xFF203040;
    SharedState::clrfont = 0xFFFFE000;
    SharedState::dispbtm = "Placard 信息栏 今日特价 0123456789";
}

}  // namespace

FadeFigures MeasureFade(const std::string& folder, int width, int height, int fadeMs, int fades) {
    FadeFigures figures{width, height, fadeMs, fades};
    CreateDirectoryA((folder + "data").c_str(), nullptr);
    WriteFile(folder + "data\\photo.jpg", EncodePhotoLikePicture(L"image/jpeg", width, height));
    WriteFile(folder + "data\\plain.jpg", EncodePicture(L"image/jpeg", width, height, 0xC04020, 0x2040C0));

    CCore core(folder);
    Playlist playlist;
    ShowTwoPictures(core, playlist, folder, width, height, fadeMs);
    {
        COutputDlg window(nullptr);
        window.Create(IDD_OUTPUT, nullptr);
        window.Place(RECT{0, 0, width, height});
        PumpMessages(200);
        g_window = window.m_hWnd;
        g_steps = 0;
        HHOOK hook = SetWindowsHookExW(WH_GETMESSAGE, &CountSteps, nullptr, GetCurrentThreadId());
        const double cpuBefore = ProcessCpuMs();
        for (int i = 0; i < fades; ++i) {
            // A change of picture as the rotation makes it, then the whole fade and a little more.
            window.PostMessage(WM_TIMER, COutputDlg::kRotationTimer, 0);
            PumpMessages(fadeMs + 100);
        }
        figures.cpuMsPerFade = (ProcessCpuMs() - cpuBefore) / fades;
        UnhookWindowsHookEx(hook);
        figures.stepsPerSecond = g_steps * 1000.0 / (static_cast<double>(fadeMs) * fades);
        window.DestroyWindow();
    }
    ResetSharedState();
    return figures;
}

PauseFigures MeasureBandPause(const std::string& folder, int width, int height, int pictureWidth, int pictureHeight,
                              int changes) {
    PauseFigures figures{width, height, changes};
    CreateDirectoryA((folder + "data").c_str(), nullptr);
    const std::string photo = EncodePhotoLikePicture(L"image/jpeg", pictureWidth, pictureHeight);
    WriteFile(folder + "data\\photo.jpg", photo);
    WriteFile(folder + "data\\plain.jpg", photo);
    CCore core(folder);
    Playlist playlist;
    ShowTwoPictures(core, playlist, folder, width, height, 0);
    SharedState::fit = PictureFit::Contain;
    {
        COutputDlg window(nullptr);
        window.Create(IDD_OUTPUT, nullptr);
        window.Place(RECT{0, 0, width, height});
        g_window = window.m_hWnd;
        const BenchClock clock;
        g_clock = &clock;
        g_lastMoveMs = -1;
        g_longestGapMs = 0;
        HHOOK hook = SetWindowsHookExA(WH_GETMESSAGE, &TimeMoves, nullptr, GetCurrentThreadId());
        for (int i = 0; i < changes; ++i) {
            // The picture shown stands for a while, as between two ticks of the rotation.
            PumpMessages(1500);
            const BenchClock tick;
            SendMessage(window.m_hWnd, WM_TIMER, COutputDlg::kRotationTimer, 0);
            figures.longestTickMs = std::max(figures.longestTickMs, tick.ElapsedMs());
        }
        PumpMessages(200);
        UnhookWindowsHookEx(hook);
        figures.longestGapMs = g_longestGapMs;
        g_clock = nullptr;
        window.DestroyWindow();
    }
    ResetSharedState();
    return figures;
}
