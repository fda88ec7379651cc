#include "bench/StartBench.h"

#include <windows.h>

#include <vector>

#include "bench/BenchClock.h"
#include "bench/Median.h"
#include "core/Core.h"
#include "resource.h"
#include "support/PictureFiles.h"
#include "support/ProcessFigures.h"

namespace {

constexpr DWORD kStartTimeoutMs = 30000;
constexpr int kStartWidth = 1920;
constexpr int kStartHeight = 1080;

struct ProgramWindows {
    DWORD pid;
    HWND dialog = nullptr;
    HWND output = nullptr;
};

BOOL CALLBACK FindProgramWindows(HWND hwnd, LPARAM param) {
    auto* found = reinterpret_cast<ProgramWindows*>(param);
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    if (pid != found->pid || !IsWindowVisible(hwnd)) return TRUE;
    if (GetDlgItem(hwnd, IDC_WIDTH) != nullptr) found->dialog = hwnd;
    if (GetWindowLongW(hwnd, GWL_EXSTYLE) & WS_EX_LAYERED) found->output = hwnd;
    return TRUE;
}

ProgramWindows Look(DWORD pid) {
    ProgramWindows found{pid};
    EnumWindows(&FindProgramWindows, reinterpret_cast<LPARAM>(&found));
    return found;
}

class StartedProgram {
public:
    StartedProgram(const std::string& folder) {
        std::string commandLine = "\"" + folder + "Placard.exe\"";
        STARTUPINFOA startup{};
        startup.cb = sizeof(startup);
        m_started = CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(),
                                   &startup, &m_process) != FALSE;
    }
    ~StartedProgram() {
        if (!m_started) return;
        if (m_dialog != nullptr) PostMessageW(m_dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
        if (WaitForSingleObject(m_process.hProcess, 20000) != WAIT_OBJECT_0) TerminateProcess(m_process.hProcess, 1);
        CloseHandle(m_process.hThread);
        CloseHandle(m_process.hProcess);
    }
    StartedProgram(const StartedProgram&) = delete;
    StartedProgram& operator=(const StartedProgram&) = delete;

    bool started() const { return m_started; }
    HANDLE process() const { return m_process.hProcess; }
    DWORD pid() const { return m_process.dwProcessId; }
    void closeWith(HWND dialog) { m_dialog = dialog; }

private:
    PROCESS_INFORMATION m_process{};
    bool m_started = false;
    HWND m_dialog = nullptr;
};

// The started program's CPU time so far, in ms. Wine reports no CPU times for other
// processes: the kernel's figures, then.
class ProgramCpu {
public:
    ProgramCpu(const StartedProgram& started, const std::string& folder) : m_process(started.process()) {
        const std::string unique = folder.substr(folder.find_last_of('\\', folder.size() - 2) + 1);
        m_proc = FindProcFolder(
            [&](const std::vector<std::string>& words) {
                return !words.empty() && words[0].find("Placard.exe") != std::string::npos &&
                       words[0].find(unique.substr(0, unique.size() - 1)) != std::string::npos;
            },
            StartSeconds(m_process));
    }
    double operator()() const { return m_proc.empty() ? ProcessCpuMs(m_process) : ProcCpuMs(m_proc); }

private:
    HANDLE m_process;
    std::string m_proc;
};

void LayOut(const std::string& folder, const std::string& program, int interval, int width, int height,
            int reloadSeconds = 0, int scroll = 0, int fade = 0) {
    CopyFileA(program.c_str(), (folder + "Placard.exe").c_str(), FALSE);
    CreateDirectoryA((folder + "data").c_str(), nullptr);
    const std::string picture = EncodePhotoLikePicture(L"image/jpeg", width, height);
    // A fade needs two pictures to fade between.
    const std::string other = EncodePicture(L"image/jpeg", width, height, 0xC04020, 0x2040C0);
    const std::string items = fade > 0 ? "start.jpg\r\nother.jpg\r\n" : "start.jpg\r\n";
    for (const auto& [name, bytes] : {std::pair{"data\\start.jpg", &picture}, std::pair{"data\\other.jpg", &other},
                                      std::pair{"_items.txt", &items}}) {
        HANDLE file = CreateFileA((folder + name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        DWORD written = 0;
        WriteFile(file, bytes->data(), static_cast<DWORD>(bytes->size()), &written, nullptr);
        CloseHandle(file);
    }
    {
        CCore core(folder);
        core.autoFileConfig();
        core.saveConfigB("on", true);
        core.saveConfigInt("width", width);
        core.saveConfigInt("height", height);
        core.saveConfigInt("interval", interval);
        core.saveConfigStr("dispbtm", "Placard 信息栏 今日特价 0123456789");
        if (reloadSeconds > 0) core.saveConfigInt("reload", reloadSeconds);
        if (scroll > 0) core.saveConfigInt("scroll", scroll);
        if (fade > 0) core.saveConfigInt("fade", fade);
    }
}

}  // namespace

StartFigures MeasureStarts(const std::string& program, const std::string& folder, int runs, int idleSeconds,
                           int interval, int reloadSeconds) {
    StartFigures figures;
    LayOut(folder, program, interval, kStartWidth, kStartHeight, reloadSeconds);

    std::vector<double> dialog;
    std::vector<double> firstFrame;
    for (int run = 0; run <= runs; ++run) {
        const BenchClock clock;
        StartedProgram started(folder);
        if (!started.started()) {
            figures.problem = "the program did not start: " + program;
            return figures;
        }
        double dialogAt = -1;
        double frameAt = -1;
        ProgramWindows windows{};
        while ((dialogAt < 0 || frameAt < 0) && clock.ElapsedMs() < kStartTimeoutMs) {
            windows = Look(started.pid());
            if (dialogAt < 0 && windows.dialog != nullptr) dialogAt = clock.ElapsedMs();
            if (frameAt < 0 && windows.output != nullptr) frameAt = clock.ElapsedMs();
            Sleep(1);
        }
        started.closeWith(windows.dialog);
        if (dialogAt < 0 || frameAt < 0) {
            figures.problem = "the program showed no dialog or no output within 30 s";
            return figures;
        }
        // The last start is not timed: it is left running for the idle measurement.
        if (run < runs) {
            dialog.push_back(dialogAt);
            firstFrame.push_back(frameAt);
            continue;
        }
        const ProgramCpu cpuMs(started, folder);
        const auto sleepUntil = [&](double ms) {
            const double now = clock.ElapsedMs();
            if (ms > now) Sleep(static_cast<DWORD>(ms - now));
        };
        // Frames come every `interval` seconds after the first one; the time between them,
        // from half a second after one to half a second before the next, holds no frame.
        const double period = interval * 1000.0;
        sleepUntil(frameAt + 500);
        const double start = cpuMs();
        const double idleFrom = clock.ElapsedMs();
        for (int gap = 0; gap * period < idleSeconds * 1000.0; ++gap) {
            sleepUntil(frameAt + gap * period + 500);
            const double before = cpuMs();
            sleepUntil(frameAt + (gap + 1) * period - 500);
            figures.betweenFramesCpuMs += cpuMs() - before;
            figures.betweenFramesSeconds += (period - 1000) / 1000.0;
            ++figures.idleFrames;
        }
        sleepUntil(frameAt + figures.idleFrames * period + 500);
        figures.idleCpuMs = cpuMs() - start;
        figures.idleSeconds = (clock.ElapsedMs() - idleFrom) / 1000.0;
    }
    figures.dialogMs = Median(dialog);
    figures.firstFrameMs = Median(firstFrame);
    figures.starts = runs;
    figures.ok = true;
    return figures;
}

ShareFigures MeasureCpuShare(const std::string& program, const std::string& folder, int seconds, int interval,
                             int width, int height, int scroll, int fade) {
    ShareFigures figures;
    LayOut(folder, program, interval, width, height, 0, scroll, fade);
    const BenchClock clock;
    StartedProgram started(folder);
    if (!started.started()) {
        figures.problem = "the program did not start: " + program;
        return figures;
    }
    ProgramWindows windows{};
    while ((windows.dialog == nullptr || windows.output == nullptr) && clock.ElapsedMs() < kStartTimeoutMs) {
        windows = Look(started.pid());
        Sleep(10);
    }
    started.closeWith(windows.dialog);
    if (windows.dialog == nullptr || windows.output == nullptr) {
        figures.problem = "the program showed no dialog or no output within 30 s";
        return figures;
    }
    // A few frames first, so that the start is not counted.
    Sleep(static_cast<DWORD>(3 * interval * 1000));
    const ProgramCpu cpuMs(started, folder);
    const double cpuBefore = cpuMs();
    const BenchClock window;
    Sleep(static_cast<DWORD>(seconds * 1000));
    figures.cpuMs = cpuMs() - cpuBefore;
    figures.seconds = window.ElapsedMs() / 1000.0;
    figures.ok = figures.cpuMs >= 0;
    if (!figures.ok) figures.problem = "the program's CPU time could not be read";
    return figures;
}
