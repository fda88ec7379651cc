#include "support/TempFolder.h"

#include <windows.h>

#include <sstream>

#include "base/ProgramText.h"
#include "base/UniqueHandle.h"

namespace {

void RemoveTree(const std::wstring& folder) {
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((folder + L"*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const std::wstring name = found.cFileName;
            if (name == L"." || name == L"..") continue;
            const std::wstring full = folder + name;
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                RemoveTree(full + L"\\");
            } else {
                SetFileAttributesW(full.c_str(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileW(full.c_str());
            }
        } while (FindNextFileW(search, &found));
        FindClose(search);
    }
    RemoveDirectoryW(folder.c_str());
}

void MakeParents(const std::wstring& path) {
    for (size_t i = 3; i < path.size(); ++i) {
        if (path[i] == L'\\') CreateDirectoryW(path.substr(0, i).c_str(), nullptr);
    }
}

}  // namespace

TempFolder::TempFolder() {
    wchar_t base[MAX_PATH + 1] = {};
    GetTempPathW(MAX_PATH, base);
    static unsigned counter = 0;
    for (;;) {
        std::wostringstream name;
        name << base << L"placard-test-" << GetCurrentProcessId() << L"-" << GetTickCount() << L"-" << ++counter;
        if (CreateDirectoryW(name.str().c_str(), nullptr)) {
            m_path = ProgramTextFromWide(name.str() + L"\\");
            break;
        }
    }
}

TempFolder::~TempFolder() { RemoveTree(WideFromProgramText(m_path)); }

void TempFolder::write(const std::string& name, const std::string& bytes) const {
    write(WideFromProgramText(name), bytes);
}

void TempFolder::write(const std::wstring& name, const std::string& bytes) const {
    const std::wstring path = WideFromProgramText(m_path) + name;
    MakeParents(path);
    UniqueFile file(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    DWORD written = 0;
    if (file) WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
}

std::string TempFolder::read(const std::string& name) const {
    UniqueFile file(CreateFileW(WideFromProgramText(m_path + name).c_str(), GENERIC_READ,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    std::string bytes;
    char chunk[65536];
    DWORD got = 0;
    while (file && ReadFile(file.get(), chunk, sizeof(chunk), &got, nullptr) && got > 0) bytes.append(chunk, got);
    return bytes;
}

bool TempFolder::exists(const std::string& name) const {
    return GetFileAttributesW(WideFromProgramText(m_path + name).c_str()) != INVALID_FILE_ATTRIBUTES;
}

void TempFolder::makeFolder(const std::string& name) const { MakeParents(WideFromProgramText(m_path + name + "\\")); }
