#include "settings/SettledFile.h"

#include <windows.h>

#include "core/AtomicFile.h"

FileStamp StampOf(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!IsFileName(path) || !GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return {};
    FileStamp stamp;
    stamp.exists = true;
    stamp.size = (static_cast<unsigned long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    stamp.written = (static_cast<unsigned long long>(data.ftLastWriteTime.dwHighDateTime) << 32) |
                    data.ftLastWriteTime.dwLowDateTime;
    return stamp;
}

void SettledFile::take(const FileStamp& stamp) {
    m_taken = stamp;
    m_previous = stamp;
}

bool SettledFile::look(const FileStamp& now) {
    const bool settled = m_previous && *m_previous == now;
    m_previous = now;
    if (!settled || now == m_taken) return false;
    m_taken = now;
    return true;
}
