#include "soak/ResidentMemory.h"

#include <windows.h>
#include <psapi.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

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

std::string BaseName(const std::string& path) {
    const size_t slash = path.find_last_of("\\/");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// This process's arguments as Wine gave them to the Unix process: the program's own name
// last in argv[0], then the arguments, NUL-separated.
bool IsOwnCommandLine(const std::string& cmdline) {
    std::vector<std::string> words;
    for (size_t at = 0; at < cmdline.size();) {
        const size_t end = cmdline.find('\0', at);
        words.push_back(cmdline.substr(at, end == std::string::npos ? std::string::npos : end - at));
        if (end == std::string::npos) break;
        at = end + 1;
    }
    while (!words.empty() && words.back().empty()) words.pop_back();
    if (words.empty() || static_cast<int>(words.size()) != __argc) return false;
    char module[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, module, MAX_PATH);
    if (lstrcmpiA(BaseName(words[0]).c_str(), BaseName(module).c_str()) != 0) return false;
    for (int i = 1; i < __argc; ++i) {
        if (words[i] != __argv[i]) return false;
    }
    return true;
}

// Seconds since the Unix epoch at which the process with this /proc/<pid>/stat started.
double UnixStartSeconds(const std::string& stat, double bootSeconds) {
    const size_t close = stat.rfind(')');
    if (close == std::string::npos) return -1;
    const char* field = stat.c_str() + close + 1;
    for (int index = 3; index < 22; ++index) {  // starttime is field 22
        field = std::strchr(field + 1, ' ');
        if (field == nullptr) return -1;
    }
    return bootSeconds + std::strtod(field, nullptr) / kClockTicksPerSecond;
}

double OwnStartSeconds() {
    FILETIME created;
    FILETIME ended;
    FILETIME kernel;
    FILETIME user;
    GetProcessTimes(GetCurrentProcess(), &created, &ended, &kernel, &user);
    const auto ticks = (static_cast<unsigned long long>(created.dwHighDateTime) << 32) | created.dwLowDateTime;
    return ticks / 1e7 - kUnixEpochAsFileTimeSeconds;
}

// The /proc folder of this process, found once.
std::string OwnProcFolder() {
    static const std::string folder = [] {
        const std::string stat = ReadWhole("Z:\\proc\\stat");
        const size_t btime = stat.find("btime ");
        if (btime == std::string::npos) return std::string();
        const double bootSeconds = std::strtod(stat.c_str() + btime + 6, nullptr);
        const double ownStart = OwnStartSeconds();
        std::string best;
        double bestDistance = 1e18;
        WIN32_FIND_DATAA found;
        HANDLE search = FindFirstFileA("Z:\\proc\\*", &found);
        if (search == INVALID_HANDLE_VALUE) return std::string();
        do {
            const std::string name = found.cFileName;
            if (name.find_first_not_of("0123456789") != std::string::npos) continue;
            const std::string candidate = "Z:\\proc\\" + name + "\\";
            if (!IsOwnCommandLine(ReadWhole(candidate + "cmdline"))) continue;
            const double start = UnixStartSeconds(ReadWhole(candidate + "stat"), bootSeconds);
            if (start < 0) continue;
            const double distance = start > ownStart ? start - ownStart : ownStart - start;
            if (distance < bestDistance) {
                bestDistance = distance;
                best = candidate;
            }
        } while (FindNextFileA(search, &found));
        FindClose(search);
        return best;
    }();
    return folder;
}

}  // namespace

uint64_t ResidentBytes() {
    const std::string folder = OwnProcFolder();
    if (!folder.empty()) {
        const std::string status = ReadWhole(folder + "status");
        const size_t at = status.find("VmRSS:");
        if (at != std::string::npos) {
            const unsigned long long kib = std::strtoull(status.c_str() + at + 6, nullptr, 10);
            if (kib > 0) return kib * 1024u;
        }
    }
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof(counters);
    if (GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof(counters))) return counters.WorkingSetSize;
    return 0;
}
