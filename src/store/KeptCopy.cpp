#include "store/KeptCopy.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <utility>
#include <vector>

#include "base/ProgramText.h"
#include "store/AtomicFile.h"

namespace {

const char kMarker[] = ".其他程序的版本.";
constexpr size_t kStampLength = 15;  // YYYYMMDD-HHMMSS

// `path` in its parts: the folder (with its separator), the name's stem and its extension.
struct NameParts {
    std::string folder;
    std::string stem;
    std::string extension;
};

NameParts Split(const std::string& path) {
    const size_t separator = path.find_last_of("\\/");
    const size_t nameStart = separator == std::string::npos ? 0 : separator + 1;
    const size_t dot = path.rfind('.');
    const bool hasExtension = dot != std::string::npos && dot > nameStart;
    const size_t stemEnd = hasExtension ? dot : path.size();
    return NameParts{path.substr(0, nameStart), path.substr(nameStart, stemEnd - nameStart), path.substr(stemEnd)};
}

std::string Stamp(const SYSTEMTIME& time) {
    char stamp[40] = {};
    std::snprintf(stamp, sizeof(stamp), "%04u%02u%02u-%02u%02u%02u", time.wYear, time.wMonth, time.wDay, time.wHour,
                  time.wMinute, time.wSecond);
    return stamp;
}

std::string CopyName(const NameParts& parts, const std::string& stamp, long attempt) {
    std::string name = parts.folder + parts.stem + kMarker + stamp;
    if (attempt > 1) name += "-" + std::to_string(attempt);
    return name + parts.extension;
}

bool AllDigits(const std::string& text) {
    return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// When a name found beside the file was kept, as (stamp, attempt), which sort as the copies
// were made; false for a name that is not one of this file's kept copies.
bool WhenKept(const NameParts& parts, const std::string& name, std::pair<std::string, long>& when) {
    const std::string prefix = parts.stem + kMarker;
    if (name.size() < prefix.size() + kStampLength + parts.extension.size()) return false;
    if (name.compare(0, prefix.size(), prefix) != 0) return false;
    if (name.compare(name.size() - parts.extension.size(), std::string::npos, parts.extension) != 0) return false;
    const std::string rest = name.substr(prefix.size(), name.size() - prefix.size() - parts.extension.size());
    const std::string stamp = rest.substr(0, kStampLength);
    if (!AllDigits(stamp.substr(0, 8)) || stamp[8] != '-' || !AllDigits(stamp.substr(9))) return false;
    long attempt = 1;
    if (rest.size() > kStampLength) {
        const std::string suffix = rest.substr(kStampLength + 1);
        if (rest[kStampLength] != '-' || !AllDigits(suffix) || suffix.size() > 6) return false;
        attempt = std::strtol(suffix.c_str(), nullptr, 10);
    }
    when = {stamp, attempt};
    return true;
}

// When a copy was kept, and where it is.
struct Copy {
    std::pair<std::string, long> when;
    std::wstring path;
};

// The file's copies beside it.
std::vector<Copy> CopiesOf(const NameParts& parts) {
    std::vector<Copy> copies;
    WIN32_FIND_DATAW found{};
    // The pattern finds more than the copies (short names match it too): each name is checked.
    const std::wstring pattern = WideFromProgramText(parts.folder + parts.stem + kMarker + "*" + parts.extension);
    HANDLE search = FindFirstFileW(pattern.c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return copies;
    do {
        Copy copy;
        const std::wstring name = found.cFileName;
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0 && ProgramTextHolds(name) &&
            WhenKept(parts, ProgramTextFromWide(name), copy.when)) {
            copy.path = WideFromProgramText(parts.folder) + name;
            copies.push_back(std::move(copy));
        }
    } while (FindNextFileW(search, &found));
    FindClose(search);
    return copies;
}

}  // namespace

std::string KeepOtherVersion(const std::string& path, const std::string& bytes) {
    const NameParts parts = Split(path);
    std::vector<Copy> copies = CopiesOf(parts);
    SYSTEMTIME time{};
    GetLocalTime(&time);
    const std::string stamp = Stamp(time);
    // Within one second the attempts count on from the last copy's, never back into a name an
    // older copy left free: the names sort as the copies were made.
    long attempt = 1;
    for (const Copy& copy : copies) {
        if (copy.when.first == stamp) attempt = std::max(attempt, copy.when.second + 1);
    }
    std::string name = CopyName(parts, stamp, attempt);
    for (int tries = 1; GetFileAttributesW(WideFromProgramText(name).c_str()) != INVALID_FILE_ATTRIBUTES; ++tries) {
        if (tries == 100) return {};
        name = CopyName(parts, stamp, ++attempt);
    }
    if (AtomicFile::write(name, bytes) != FileWrite::Written) return {};
    // The copy just kept stays among the newest, even when the clock went back.
    const size_t others = kKeptCopies - 1;
    if (copies.size() > others) {
        std::sort(copies.begin(), copies.end(), [](const Copy& a, const Copy& b) { return a.when > b.when; });
        for (size_t i = others; i < copies.size(); ++i) DeleteFileW(copies[i].path.c_str());
    }
    return name;
}
