#include "settings/PlaylistFile.h"

#include <windows.h>

#include <cstdio>

#include "core/Core.h"

namespace {

// The name beside `path` under which another program's version is kept: it says what the file
// is and when it was kept.
std::string KeptCopyName(const std::string& path, const SYSTEMTIME& time, int attempt) {
    const size_t separator = path.find_last_of("\\/");
    const size_t dot = path.rfind('.');
    const bool hasExtension = dot != std::string::npos && (separator == std::string::npos || dot > separator);
    const std::string stem = hasExtension ? path.substr(0, dot) : path;
    const std::string extension = hasExtension ? path.substr(dot) : std::string();
    char stamp[40] = {};
    std::snprintf(stamp, sizeof(stamp), "%04u%02u%02u-%02u%02u%02u", time.wYear, time.wMonth, time.wDay, time.wHour,
                  time.wMinute, time.wSecond);
    std::string name = stem + ".其他程序的版本." + stamp;
    if (attempt > 1) name += "-" + std::to_string(attempt);
    return name + extension;
}

}  // namespace

FileRead PlaylistFile::open(const CCore& core, const std::string& path, std::string& text) {
    m_path = path;
    m_read = core.readTxtFile(path, m_bytes);
    m_encoding = m_read == FileRead::Read ? DetectTextEncoding(m_bytes) : TextEncoding::Ansi;
    text = DecodeToAnsi(m_bytes, m_encoding);
    shown(text);
    return m_read;
}

void PlaylistFile::shown(const std::string& boxText) {
    m_shown = boxText;
    const bool whole = m_read == FileRead::Read || m_read == FileRead::Missing;
    m_keepFile = !whole || EncodeFromAnsi(boxText, m_encoding) != m_bytes;
}

PlaylistSave PlaylistFile::save(const CCore& core, const std::string& boxText) {
    PlaylistSave result;
    result.list = boxText;
    const bool operatorChanged = boxText != m_shown;
    std::string onDisk;
    const FileRead now = core.readTxtFile(m_path, onDisk);
    const bool outsideEdit = changedOutside(now, onDisk);

    if (outsideEdit && !operatorChanged) {
        // The other program's version stands, and is what the operator sees and the show plays.
        if (now == FileRead::Read) {
            adopt(onDisk, result.list);
            result.tookFileList = true;
        }
        return result;
    }
    if (!outsideEdit && !operatorChanged && m_keepFile) return result;
    if (outsideEdit) {
        result.keptCopy = keepOutsideVersion(now, onDisk);
        // Never overwritten unless it was kept first.
        if (result.keptCopy.empty()) {
            result.outsideVersionUnkept = true;
            return result;
        }
    }

    const std::string bytes = EncodeFromAnsi(boxText, m_encoding);
    result.written = core.outTxtFile(bytes, m_path);
    if (result.written == FileWrite::Written) {
        m_read = FileRead::Read;
        m_bytes = bytes;
        m_shown = boxText;
        m_keepFile = false;
    } else if (outsideEdit && now == FileRead::Read) {
        // The other version stays in the file; it is no longer news.
        m_read = now;
        m_bytes = onDisk;
    }
    return result;
}

bool PlaylistFile::takeOutsideEdit(const CCore& core, const std::string& boxText, std::string& list) {
    if (boxText != m_shown) return false;
    std::string onDisk;
    const FileRead now = core.readTxtFile(m_path, onDisk);
    if (now != FileRead::Read || !changedOutside(now, onDisk)) return false;
    adopt(onDisk, list);
    return true;
}

void PlaylistFile::adopt(const std::string& bytes, std::string& list) {
    m_read = FileRead::Read;
    m_bytes = bytes;
    m_encoding = DetectTextEncoding(m_bytes);
    list = DecodeToAnsi(m_bytes, m_encoding);
    shown(list);
}

bool PlaylistFile::changedOutside(FileRead now, const std::string& bytes) const {
    const bool known = m_read == FileRead::Read || m_read == FileRead::Missing;
    switch (now) {
    case FileRead::Read: return known && bytes != m_bytes;
    case FileRead::TooLarge: return m_read != FileRead::TooLarge;
    case FileRead::Missing:
    case FileRead::Unreadable: return false;
    }
    return false;
}

std::string PlaylistFile::keepOutsideVersion(FileRead now, const std::string& bytes) const {
    SYSTEMTIME time{};
    GetLocalTime(&time);
    for (int attempt = 1; attempt < 100; ++attempt) {
        const std::string name = KeptCopyName(m_path, time, attempt);
        if (GetFileAttributesA(name.c_str()) != INVALID_FILE_ATTRIBUTES) continue;
        // A file too large to read here is copied as it is.
        const bool kept = now == FileRead::Read ? AtomicFile::write(name, bytes) == FileWrite::Written
                                                : CopyFileA(m_path.c_str(), name.c_str(), TRUE) != FALSE;
        return kept ? name : std::string();
    }
    return {};
}
