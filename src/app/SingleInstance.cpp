#include "app/SingleInstance.h"

#include <cstdint>
#include <cwchar>

namespace {

// The block's name for the folder's path text, whatever its letter case, as a hash (a kernel
// object's name may not hold the folder's backslashes).
std::wstring NameOfText(std::wstring folder) {
    if (!folder.empty()) CharUpperBuffW(&folder[0], static_cast<DWORD>(folder.size()));
    std::uint64_t hash = 14695981039346656037ull;  // FNV-1a
    for (wchar_t unit : folder) {
        hash ^= static_cast<std::uint16_t>(unit);
        hash *= 1099511628211ull;
    }
    wchar_t name[64] = {};
    std::swprintf(name, 64, L"Local\\Placard-%016llX", static_cast<unsigned long long>(hash));
    return name;
}

// The block's name: the folder itself, by its volume and its number there, so that every
// path to it (its short name, another drive letter mapped to it, a link) meets the same block.
// A folder that cannot be opened is named by its path's text.
std::wstring BlockName(const std::wstring& folder) {
    const UniqueFile opened(CreateFileW(folder.c_str(), FILE_READ_ATTRIBUTES,
                                        FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                        FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    BY_HANDLE_FILE_INFORMATION identity{};
    if (!opened || !GetFileInformationByHandle(opened.get(), &identity)) return NameOfText(folder);
    wchar_t name[64] = {};
    std::swprintf(name, 64, L"Local\\Placard-%08lX-%08lX%08lX", identity.dwVolumeSerialNumber,
                  identity.nFileIndexHigh, identity.nFileIndexLow);
    return name;
}

struct DialogSearch {
    DWORD processId;
    HWND found;
};

// The first's settings dialog: its one visible top-level window that no other window owns.
BOOL CALLBACK CheckWindow(HWND hwnd, LPARAM param) {
    auto* search = reinterpret_cast<DialogSearch*>(param);
    DWORD processId = 0;
    GetWindowThreadProcessId(hwnd, &processId);
    if (processId != search->processId || GetWindow(hwnd, GW_OWNER) != nullptr || !IsWindowVisible(hwnd)) return TRUE;
    search->found = hwnd;
    return FALSE;
}

constexpr DWORD kPatienceMs = 5000;
constexpr DWORD kPauseMs = 50;

}  // namespace

SingleInstance::SingleInstance(const std::wstring& folder)
    : m_mapping(CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, sizeof(DWORD),
                                   BlockName(folder).c_str())) {
    // Without the block (no memory, a name taken by another kind of object), nothing tells:
    // the program runs as it would have before.
    if (!m_mapping) return;
    m_first = GetLastError() != ERROR_ALREADY_EXISTS;
    m_view.reset(MapViewOfFile(m_mapping.get(), FILE_MAP_WRITE, 0, 0, sizeof(DWORD)));
    if (m_first && m_view) *static_cast<DWORD*>(m_view.get()) = GetCurrentProcessId();
}

void SingleInstance::BringFirstToFront() const {
    if (m_first || !m_view) return;
    for (DWORD waited = 0; waited < kPatienceMs; waited += kPauseMs) {
        DialogSearch search{*static_cast<volatile DWORD*>(m_view.get()), nullptr};
        if (search.processId != 0) EnumWindows(&CheckWindow, reinterpret_cast<LPARAM>(&search));
        if (search.found != nullptr) {
            if (IsIconic(search.found)) ShowWindow(search.found, SW_RESTORE);
            // A warning or the About box it shows is the window to answer.
            SetForegroundWindow(GetLastActivePopup(search.found));
            return;
        }
        Sleep(kPauseMs);
    }
}
