#include "support/ProcessFigures.h"

#include <psapi.h>

#include <cstdlib>
#include <cstring>

namespace {

constexpr double kClockTicksPerSecond = 100.0;  // USER_HZ on Linux
constexpr double kUnixEpochAsFileTimeSeconds = 11644473600.0;

// /proc files report no size, so read until the end.
std::string ReadWhole(const std::string& path) {
    std::string text;
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return text;
    char chunk[4096];
    DWORD got = 0;
    while (ReadFile(file, chunk, sizeof(chunk), &got, nullptr) && got > 0) text.append(chunk, got);
    CloseHandle(file);
    return text;
}

std::vector<std::string> Words(const std::string& cmdline) {
    std::vector<std::string> words;
    for (size_t at = 0; at < cmdline.size();) {
        const size_t end = cmdline.find('\0', at);
        words.push_back(cmdline.substr(at, end == std::string::npos ? std::string::npos : end - at));
        if (end == std::string::npos) break;
        at = end + 1;
    }
    while (!words.empty() && words.back().empty()) words.pop_back();
    return words;
}

// The fields of /proc/<pid>/stat after the command name, numbered as in proc(5) from 3.
double StatField(const std::string& stat, int number) {
    const size_t close = stat.rfind(')');
    if (close == std::string::npos) return -1;
    // Field 2 ends at the last ')'; field 3 starts one blank after it.
    const char* field = stat.c_str() + close + 1;
    for (int index = 3; index < number; ++index) {
        field = std::strchr(field + 1, ' ');
        if (field == nullptr) return -1;
    }
    return std::strtod(field, nullptr);
}

std::string BaseName(const std::string& path) {
    const size_t slash = path.find_last_of("\\/");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// This process's own command line, as the Linux process has it.
bool IsOwnCommandLine(const std::vector<std::string>& words) {
    if (words.empty() || static_cast<int>(words.size()) != __argc) return false;
    char module[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, module, MAX_PATH);
    if (lstrcmpiA(BaseName(words[0]).c_str(), BaseName(module).c_str()) != 0) return false;
    for (int i = 1; i < __argc; ++i) {
        if (words[i] != __argv[i]) return false;
    }
    return true;
}

}  // namespace

double StartSeconds(HANDLE process) {
    FILETIME created;
    FILETIME ended;
    FILETIME kernel;
    FILETIME user;
    if (!GetProcessTimes(process, &created, &ended, &kernel, &user)) return 0;
    const auto ticks = (static_cast<unsigned long long>(created.dwHighDateTime) << 32) | created.dwLowDateTime;
    return ticks / 1e7 - kUnixEpochAsFileTimeSeconds;
}

std::string FindProcFolder(const std::function<bool(const std::vector<std::string>&)>& matches,
                           double startSeconds) {
    const std::string stat = ReadWhole("Z:\\proc\\stat");
    const size_t btime = stat.find("btime ");
    if (btime == std::string::npos) return {};
    const double bootSeconds = std::strtod(stat.c_str() + btime + 6, nullptr);
    std::string best;
    double bestDistance = 1e18;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA("Z:\\proc\\*", &found);
    if (search == INVALID_HANDLE_VALUE) return {};
    do {
        const std::string name = found.cFileName;
        if (name.find_first_not_of("0123456789") != std::string::npos) continue;
        const std::string candidate = "Z:\\proc\\" + name + "\\";
        if (!matches(Words(ReadWhole(candidate + "cmdline")))) continue;
        const double ticks = StatField(ReadWhole(candidate + "stat"), 22);  // starttime
        if (ticks < 0) continue;
        const double start = bootSeconds + ticks / kClockTicksPerSecond;
        const double distance = start > startSeconds ? start - startSeconds : startSeconds - start;
        if (distance < bestDistance) {
            bestDistance = distance;
            best = candidate;
        }
    } while (FindNextFileA(search, &found));
    FindClose(search);
    return best;
}

double ProcCpuMs(const std::string& procFolder) {
    if (procFolder.empty()) return -1;
    const std::string stat = ReadWhole(procFolder + "stat");
    const double user = StatField(stat, 14);
    const double system = StatField(stat, 15);
    if (user < 0 || system < 0) return -1;
    return (user + system) * 1000.0 / kClockTicksPerSecond;
}

namespace {

const std::string& OwnProcFolder() {
    static const std::string own = FindProcFolder(IsOwnCommandLine, StartSeconds(GetCurrentProcess()));
    return own;
}

// A "Vm...:" line of this process's status under Wine, in bytes, or the counter Windows keeps.
uint64_t OwnMemory(const char* field, SIZE_T PROCESS_MEMORY_COUNTERS::*counter) {
    const std::string& own = OwnProcFolder();
    if (!own.empty()) {
        const std::string status = ReadWhole(own + "status");
        const size_t at = status.find(field);
        if (at != std::string::npos) {
            const unsigned long long kib = std::strtoull(status.c_str() + at + std::strlen(field), nullptr, 10);
            if (kib > 0) return kib * 1024u;
        }
    }
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof(counters);
    if (GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof(counters))) return counters.*counter;
    return 0;
}

}  // namespace

bool ResetPeakResident() {
    const std::string& own = OwnProcFolder();
    if (own.empty()) return false;
    HANDLE file = CreateFileA((own + "clear_refs").c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    const bool reset = WriteFile(file, "5", 1, &written, nullptr) && written == 1;
    CloseHandle(file);
    return reset;
}

uint64_t ResidentBytes() { return OwnMemory("VmRSS:", &PROCESS_MEMORY_COUNTERS::WorkingSetSize); }

uint64_t PeakResidentBytes() { return OwnMemory("VmHWM:", &PROCESS_MEMORY_COUNTERS::PeakWorkingSetSize); }
