#include "settings/PlaylistFile.h"

#include "core/Core.h"
#include "store/KeptCopy.h"

FileRead PlaylistFile::open(const CCore& core, const std::string& path, std::wstring& text) {
    m_path = path;
    m_read = core.readTxtFile(path, m_bytes);
    m_encoding = m_read == FileRead::Read ? DetectTextEncoding(m_bytes) : TextEncoding::Ansi;
    text = DecodeToWide(m_bytes, m_encoding);
    shown(text);
    return m_read;
}

void PlaylistFile::shown(const std::wstring& boxText) {
    m_shown = boxText;
    const bool whole = m_read == FileRead::Read || m_read == FileRead::Missing;
    m_keepFile = !whole || EncodeFromWide(boxText, m_encoding) != m_bytes;
}

PlaylistSave PlaylistFile::save(const CCore& core, const std::wstring& boxText) {
    PlaylistSave result;
    result.list = boxText;
    const bool operatorChanged = boxText != m_shown;
    std::string onDisk;
    const FileRead now = core.readTxtFile(m_path, onDisk);
    const bool outsideEdit = changedOutside(now, onDisk);
    // A conflict that goes on (a sync tool rewriting the file between Applies) is told once.
    const bool conflict = outsideEdit && operatorChanged;
    result.alreadyTold = conflict && m_inConflict;
    m_inConflict = conflict;

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
        // A list too large to read is too large to keep a copy of.
        if (now == FileRead::Read) result.keptCopy = KeepOtherVersion(m_path, onDisk);
        // Never overwritten unless it was kept first.
        if (result.keptCopy.empty()) {
            result.outsideVersionUnkept = true;
            result.outsideTooLarge = now == FileRead::TooLarge;
            return result;
        }
    }

    const TextEncoding encoding =
        IsUnicode(m_encoding) || ProgramTextHolds(boxText) ? m_encoding : TextEncoding::Utf8WithBom;
    const std::string bytes = EncodeFromWide(boxText, encoding);
    result.written = core.outTxtFile(bytes, m_path);
    if (result.written == FileWrite::Written) {
        m_encoding = encoding;
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

bool PlaylistFile::takeOutsideEdit(const CCore& core, const std::wstring& boxText, std::wstring& list) {
    if (boxText != m_shown) return false;
    std::string onDisk;
    const FileRead now = core.readTxtFile(m_path, onDisk);
    if (now != FileRead::Read || !changedOutside(now, onDisk)) return false;
    adopt(onDisk, list);
    return true;
}

void PlaylistFile::adopt(const std::string& bytes, std::wstring& list) {
    m_read = FileRead::Read;
    m_bytes = bytes;
    m_encoding = DetectTextEncoding(m_bytes);
    list = DecodeToWide(m_bytes, m_encoding);
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
