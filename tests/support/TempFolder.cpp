#include "support/TempFolder.h"

#include <windows.h>

#include <fstream>
#include <sstream>

namespace {

void RemoveTree(const std::string& folder) {
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const std::string name = found.cFileName;
            if (name == "." || name == "..") continue;
            const std::string full = folder + name;
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                RemoveTree(full + "\\");
            } else {
                SetFileAttributesA(full.c_str(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileA(full.c_str());
            }
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    RemoveDirectoryA(folder.c_str());
}

void MakeParents(const std::string& path) {
    for (size_t i = 3; i < path.size(); ++i) {
        if (path[i] == '\\') CreateDirectoryA(path.substr(0, i).c_str(), nullptr);
    }
}

}  // namespace

TempFolder::TempFolder() {
    char base[MAX_PATH + 1] = {};
    GetTempPathA(MAX_PATH, base);
    static unsigned counter = 0;
    for (;;) {
        std::ostringstream name;
        name << base << "placard-test-" << GetCurrentProcessId() << "-" << GetTickCount() << "-"
             << ++counter;
        if (CreateDirectoryA(name.str().c_str(), nullptr)) {
            m_path = name.str() + "\\";
            break;
        }
    }
}

TempFolder::~TempFolder() { RemoveTree(m_path); }

void TempFolder::write(const std::string& name, const std::string& bytes) const {
    MakeParents(m_path + name);
    std::ofstream out(m_path + name, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string TempFolder::read(const std::string& name) const {
    std::ifstream in(m_path + name, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

bool TempFolder::exists(const std::string& name) const {
    return GetFileAttributesA((m_path + name).c_str()) != INVALID_FILE_ATTRIBUTES;
}

void TempFolder::makeFolder(const std::string& name) const {
    MakeParents(m_path + name + "\\");
}
