// The built program in a folder of its own, driven from outside its process: values entered
// and closed are there again at the next start.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "resource.h"
#include "store/AtomicFile.h"
#include "store/TextEncoding.h"
#include "support/BuiltProgram.h"
#include "support/PictureFiles.h"
#include "support/TempFolder.h"
#include "support/TextLines.h"
#include "support/WindowText.h"
#include "version.h"

namespace {

class RunningProgram {
public:
    RunningProgram(const std::string& folder, const std::string& arguments)
        : RunningProgram(WideFromProgramText(folder), arguments) {}
    RunningProgram(const std::wstring& folder, const std::string& arguments) {
        std::wstring commandLine = L"\"" + folder + L"Placard.exe\" " + WideFromProgramText(arguments);
        STARTUPINFOW startup{};
        startup.cb = sizeof(startup);
        m_started = CreateProcessW(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(),
                                   &startup, &m_process) != FALSE;
    }
    ~RunningProgram() {
        if (!m_started) return;
        if (WaitForSingleObject(m_process.hProcess, 0) == WAIT_TIMEOUT) TerminateProcess(m_process.hProcess, 1);
        CloseHandle(m_process.hThread);
        CloseHandle(m_process.hProcess);
    }
    RunningProgram(const RunningProgram&) = delete;
    RunningProgram& operator=(const RunningProgram&) = delete;

    bool started() const { return m_started; }

    // The settings dialog, once it is on screen.
    HWND WaitForDialog(DWORD timeoutMs = 20000) {
        const DWORD start = GetTickCount();
        while (GetTickCount() - start < timeoutMs) {
            m_found = nullptr;
            EnumWindows(&RunningProgram::Check, reinterpret_cast<LPARAM>(this));
            if (m_found != nullptr) return m_found;
            Sleep(50);
        }
        return nullptr;
    }

    // Waits for the process to end; its exit code, or -1 if it did not end.
    long WaitForExit(DWORD timeoutMs = 20000) {
        if (WaitForSingleObject(m_process.hProcess, timeoutMs) != WAIT_OBJECT_0) return -1;
        DWORD code = 0;
        GetExitCodeProcess(m_process.hProcess, &code);
        return static_cast<long>(code);
    }

private:
    static BOOL CALLBACK Check(HWND hwnd, LPARAM self) {
        auto* program = reinterpret_cast<RunningProgram*>(self);
        DWORD pid = 0;
        GetWindowThreadProcessId(hwnd, &pid);
        if (pid == program->m_process.dwProcessId && IsWindowVisible(hwnd) && WindowText(hwnd) == "Placard" &&
            GetDlgItem(hwnd, IDC_WIDTH) != nullptr) {
            program->m_found = hwnd;
            return FALSE;
        }
        return TRUE;
    }

    PROCESS_INFORMATION m_process{};
    bool m_started = false;
    HWND m_found = nullptr;
};

struct OwnedWindowSearch {
    HWND owner;
    HWND found;
};

BOOL CALLBACK CheckOwned(HWND hwnd, LPARAM param) {
    auto* search = reinterpret_cast<OwnedWindowSearch*>(param);
    if (GetWindow(hwnd, GW_OWNER) != search->owner || !IsWindowVisible(hwnd)) return TRUE;
    search->found = hwnd;
    return FALSE;
}

// The output window: the program's top-level window that the dialog owns, once it shows.
HWND WaitForOutput(HWND dialog, DWORD timeoutMs = 20000) {
    OwnedWindowSearch search{dialog, nullptr};
    const DWORD start = GetTickCount();
    while (search.found == nullptr && GetTickCount() - start < timeoutMs) {
        EnumWindows(&CheckOwned, reinterpret_cast<LPARAM>(&search));
        if (search.found == nullptr) Sleep(50);
    }
    return search.found;
}

// The ANSI name of a file whose long name the code page cannot write.
std::string ShortName(const std::wstring& path) {
    wchar_t shortName[MAX_PATH] = {};
    GetShortPathNameW(path.c_str(), shortName, MAX_PATH);
    return ProgramTextFromWide(shortName);
}

// The same folder through another path. Windows gives a program the path it was started
// through, the short name included; Wine's loader gives it the long name, but keeps drive Z:,
// the Unix root, under which every other drive's folders stand again.
std::string AnotherSpelling(const std::string& folder) {
    using UnixName = char*(CDECL*)(const wchar_t*);
    const auto unixName = reinterpret_cast<UnixName>(reinterpret_cast<void (*)()>(
        GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name")));
    const std::wstring wide = WideFromProgramText(folder);
    if (unixName == nullptr) return ShortName(wide);
    char* unix = unixName(wide.c_str());
    if (unix == nullptr) return folder;
    std::wstring spelling = L"Z:" + WideFromCodePage(unix, CP_UTF8);
    HeapFree(GetProcessHeap(), 0, unix);
    for (wchar_t& unit : spelling) {
        if (unit == L'/') unit = L'\\';
    }
    if (spelling.back() != L'\\') spelling += L'\\';
    return ProgramTextFromWide(spelling);
}

bool CopyProgramInto(const TempFolder& folder) {
    return CopyFileW(WideFromProgramText(BuiltProgram()).c_str(), WideFromProgramText(folder.file("Placard.exe")).c_str(),
                     FALSE) != FALSE;
}

POINT Corner(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    return POINT{rect.left, rect.top};
}

std::string ItemText(HWND dialog, int id) { return WindowText(GetDlgItem(dialog, id)); }

void SetItemText(HWND dialog, int id, const std::string& text) { SetWindowTextOf(GetDlgItem(dialog, id), text); }

TEST(EndToEndTest, ValuesEnteredAndClosedAreThereAtTheNextStart) {
    TempFolder folder;
    ASSERT_TRUE(CopyProgramInto(folder)) << BuiltProgram();
    folder.makeFolder("data");

    {
        // Command-line arguments change nothing.
        RunningProgram program(folder.path(), "--width 5 /x");
        ASSERT_TRUE(program.started());
        HWND dialog = program.WaitForDialog();
        ASSERT_NE(dialog, nullptr);
        SetItemText(dialog, IDC_WIDTH, "1280");
        SetItemText(dialog, IDC_HEIGHT, "720");
        SetItemText(dialog, IDC_INTERVAL, "9");
        SetItemText(dialog, IDC_DISPBTM, "端到端 测试");
        SetItemText(dialog, IDC_ITEMS, "a.png\r\nb.png");
        SendMessageW(GetDlgItem(dialog, IDC_ENABLE), BM_CLICK, 0, 0);  // on -> off
        PostMessageW(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
        EXPECT_EQ(program.WaitForExit(), 0);
    }

    EXPECT_EQ(folder.read("_items.txt"), "a.png\r\nb.png");
    EXPECT_FALSE(folder.exists("Placard.log")) << "no log without log=1";
    RunningProgram again(folder.path(), "");
    ASSERT_TRUE(again.started());
    HWND dialog = again.WaitForDialog();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(ItemText(dialog, IDC_WIDTH), "1280");
    EXPECT_EQ(ItemText(dialog, IDC_HEIGHT), "720");
    EXPECT_EQ(ItemText(dialog, IDC_INTERVAL), "9");
    EXPECT_EQ(ItemText(dialog, IDC_DISPBTM), "端到端 测试");
    EXPECT_EQ(ItemText(dialog, IDC_ITEMS), "a.png\r\nb.png");
    EXPECT_EQ(SendMessageW(GetDlgItem(dialog, IDC_ENABLE), BM_GETCHECK, 0, 0), BST_UNCHECKED);
    PostMessageW(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_EQ(again.WaitForExit(), 0);
}

TEST(EndToEndTest, WithRestorePlaceAMovedOutputComesBackWhereItWasAfterARestart) {
    TempFolder folder;
    ASSERT_TRUE(CopyProgramInto(folder)) << BuiltProgram();
    folder.makeFolder("data");
    const POINT moved{37, 412};
    POINT usual{};  // where the first run places it

    // One run that moves the output, as a drag leaves it, and one that starts after it.
    auto runTwice = [&](POINT* cornerAfterRestart) {
        for (int run = 0; run < 2; ++run) {
            RunningProgram program(folder.path(), "");
            ASSERT_TRUE(program.started());
            HWND dialog = program.WaitForDialog();
            ASSERT_NE(dialog, nullptr);
            HWND output = WaitForOutput(dialog);
            ASSERT_NE(output, nullptr);
            if (run == 0) {
                usual = Corner(output);
                SetWindowPos(output, nullptr, moved.x, moved.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
            } else {
                *cornerAfterRestart = Corner(output);
            }
            PostMessageW(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
            EXPECT_EQ(program.WaitForExit(), 0);
        }
    };

    POINT withoutKey{};
    runTwice(&withoutKey);
    EXPECT_EQ(withoutKey.x, usual.x) << "by default every run starts at the usual corner";
    EXPECT_EQ(withoutKey.y, usual.y);
    EXPECT_EQ(folder.read("Placard.ini").find("placex"), std::string::npos);

    folder.write("Placard.ini", folder.read("Placard.ini") + "restoreplace=1\r\n");
    POINT withKey{};
    runTwice(&withKey);
    EXPECT_EQ(withKey.x, moved.x);
    EXPECT_EQ(withKey.y, moved.y);
    EXPECT_NE(folder.read("Placard.ini").find("restoreplace=1\r\n"), std::string::npos) << "the key is kept";
    EXPECT_NE(folder.read("Placard.ini").find("placemonitor="), std::string::npos)
        << "the screen it was on";
}

TEST(EndToEndTest, ASecondStartFromTheSameFolderBringsTheFirstToTheFrontAndEnds) {
    TempFolder folder, elsewhere;
    for (const TempFolder* each : {&folder, &elsewhere}) {
        ASSERT_TRUE(CopyProgramInto(*each)) << BuiltProgram();
        each->makeFolder("data");
    }
    RunningProgram first(folder.path(), "");
    ASSERT_TRUE(first.started());
    HWND dialog = first.WaitForDialog();
    ASSERT_NE(dialog, nullptr);
    ShowWindow(dialog, SW_MINIMIZE);

    const std::string spelling = AnotherSpelling(folder.path());
    ASSERT_NE(spelling, folder.path());
    RunningProgram second(spelling, "");
    ASSERT_TRUE(second.started());
    EXPECT_EQ(second.WaitForExit(), 0);
    EXPECT_FALSE(IsIconic(dialog)) << "the first is restored";
    EXPECT_EQ(GetForegroundWindow(), dialog) << "and in front";
    EXPECT_FALSE(folder.exists("Placard.ini")) << "the second saved nothing";
    EXPECT_FALSE(folder.exists("_items.txt"));

    RunningProgram other(elsewhere.path(), "");
    ASSERT_TRUE(other.started());
    HWND otherDialog = other.WaitForDialog();
    EXPECT_NE(otherDialog, nullptr) << "a copy in another folder runs";
    for (HWND each : {dialog, otherDialog}) PostMessageW(each, WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_EQ(first.WaitForExit(), 0);
    EXPECT_EQ(other.WaitForExit(), 0);
}

// "D:\Łódź": the settings are kept there, or the operator is told at start that they cannot be.
// Wine keeps short names, as most Windows system drives do, so here they are kept.
TEST(EndToEndTest, AFolderWhoseNameTheCodePageCannotWriteStillKeepsTheSettings) {
    TempFolder folder;
    const std::wstring inside = WideFromProgramText(folder.path()) + L"\x141\xF3\x64\x17A\\";
    ASSERT_TRUE(CreateDirectoryW(inside.c_str(), nullptr));
    ASSERT_TRUE(CopyFileW(WideFromProgramText(BuiltProgram()).c_str(), (inside + L"Placard.exe").c_str(), FALSE));
    {
        RunningProgram program(inside, "");
        ASSERT_TRUE(program.started());
        HWND dialog = program.WaitForDialog();
        ASSERT_NE(dialog, nullptr);
        SetItemText(dialog, IDC_WIDTH, "1234");
        SetItemText(dialog, IDC_ITEMS, "a.png");
        PostMessageW(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
        EXPECT_EQ(program.WaitForExit(), 0) << "no warning holds the close";
    }
    std::string stored, items;
    EXPECT_EQ(AtomicFile::read(ShortName(inside + L"Placard.ini"), 1 << 20, stored), FileRead::Read);
    EXPECT_NE(stored.find("width=1234"), std::string::npos) << stored;
    EXPECT_EQ(AtomicFile::read(ShortName(inside + L"_items.txt"), 1 << 20, items), FileRead::Read);
    EXPECT_EQ(items, "a.png");
    for (const wchar_t* name : {L"Placard.ini", L"_items.txt", L"Placard.exe"}) {
        DeleteFileW((inside + name).c_str());
    }
    RemoveDirectoryW(inside.c_str());
}

// The lines of the run log, as Notepad shows them; none before it is there.
std::vector<std::string> LogLines(const TempFolder& folder) {
    if (!folder.exists("Placard.log")) return {};
    const std::string bytes = folder.read("Placard.log");
    if (bytes.compare(0, 3, "\xEF\xBB\xBF") != 0) return {"(no UTF-8 byte-order mark)"};
    return TextLines(AnsiFromUtf8(bytes.substr(3)));
}

size_t LinesWith(const std::vector<std::string>& lines, const std::vector<std::string>& words) {
    const auto hasAll = [&](const std::string& line) {
        return std::all_of(words.begin(), words.end(), [&](const std::string& w) { return line.find(w) != std::string::npos; });
    };
    return static_cast<size_t>(std::count_if(lines.begin(), lines.end(), hasAll));
}

// With log=1, what went wrong while nobody watched can be read afterwards: a picture missing and
// one broken, each once however many rounds the show made, another program's edit taken and
// refused key by key, and a second start sent back.
TEST(EndToEndTest, WithTheLogOnTheRunSaysWhatItCouldNotShowAndWhatItRefused) {
    TempFolder folder;
    ASSERT_TRUE(CopyProgramInto(folder)) << BuiltProgram();
    folder.makeFolder("data");
    folder.write("data\\broken.jpg", "a text file named as a picture");
    folder.write("data\\good.png", EncodePicture(L"image/png", 40, 30, 0xFF0000, 0x0000FF));
    folder.write("_items.txt", "missing.png\r\nbroken.jpg\r\ngood.png\r\n");
    const std::string settings = "log=1\r\nreload=1\r\ninterval=1\r\n";
    folder.write("Placard.ini", settings);

    const auto within = [&](DWORD ms, const std::vector<std::string>& words) {
        const DWORD start = GetTickCount();
        while (LinesWith(LogLines(folder), words) == 0 && GetTickCount() - start < ms) Sleep(100);
    };
    {
        RunningProgram program(folder.path(), "");
        ASSERT_TRUE(program.started());
        HWND dialog = program.WaitForDialog();
        ASSERT_NE(dialog, nullptr);
        ASSERT_NE(WaitForOutput(dialog), nullptr);
        Sleep(4500);  // two rounds of the list and more
        folder.write("Placard.ini", settings + "width=99999\r\ndispbtm=别处改的\r\n");
        within(8000, {"dispbtm"});
        RunningProgram second(folder.path(), "");
        ASSERT_TRUE(second.started());
        EXPECT_EQ(second.WaitForExit(), 0);
        PostMessageW(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
        EXPECT_EQ(program.WaitForExit(), 0);
    }

    const std::vector<std::string> lines = LogLines(folder);
    ASSERT_GE(lines.size(), 7u);
    EXPECT_NE(lines.front().find(PLACARD_VERSION_STRING), std::string::npos) << lines.front();
    EXPECT_NE(lines.front().find("DISPLAY1"), std::string::npos) << "the screens found: " << lines.front();
    EXPECT_EQ(LinesWith(lines, {"800×600"}), 2u) << "the output at the start and at the end";
    EXPECT_EQ(LinesWith(lines, {"missing.png"}), 1u) << "once, however many rounds";
    EXPECT_EQ(LinesWith(lines, {"broken.jpg"}), 1u);
    EXPECT_EQ(LinesWith(lines, {"good.png"}), 0u);
    EXPECT_EQ(LinesWith(lines, {"Placard.ini", "width", "99999", "100到8000"}), 1u) << "refused, and why";
    EXPECT_EQ(LinesWith(lines, {"Placard.ini", "dispbtm"}), 1u) << "taken";
    EXPECT_EQ(LinesWith(lines, {"Placard.ini", "height"}), 0u) << "a key nobody changed";
    EXPECT_EQ(LinesWith(lines, {"又被启动"}), 1u) << "the second start";
    EXPECT_NE(lines.back().find("退出"), std::string::npos) << lines.back();
}

}  // namespace

// A power cut after Apply: what was applied is in the store, though the program never closed.
TEST(EndToEndTest, WhatWasAppliedIsKeptByAProcessThatIsKilledAfterwards) {
    TempFolder folder;
    ASSERT_TRUE(CopyProgramInto(folder)) << BuiltProgram();
    folder.makeFolder("data");
    {
        RunningProgram program(folder.path(), "");
        ASSERT_TRUE(program.started());
        HWND dialog = program.WaitForDialog();
        ASSERT_NE(dialog, nullptr);
        SetItemText(dialog, IDC_WIDTH, "1280");
        SetItemText(dialog, IDC_DISPBTM, "应用后断电");
        SendMessageW(GetDlgItem(dialog, IDC_APPLY), BM_CLICK, 0, 0);
        SendMessageW(GetDlgItem(dialog, IDC_ENABLE), BM_CLICK, 0, 0);  // on -> off, taken at once
    }  // killed, as a power cut would end it
    std::string stored;
    ASSERT_EQ(AtomicFile::read(folder.file("Placard.ini"), 1 << 20, stored), FileRead::Read);
    for (const char* line : {"\nwidth=1280", "\ndispbtm=应用后断电", "\non=0"}) {
        EXPECT_NE(stored.find(line), std::string::npos) << line << " in " << stored;
    }
}
