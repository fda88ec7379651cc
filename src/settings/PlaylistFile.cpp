#include "settings/PlaylistFile.h"

#include "core/Core.h"

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

bool PlaylistFile::save(const CCore& core, const std::string& boxText) {
    if (m_keepFile && boxText == m_shown) return false;
    m_bytes = EncodeFromAnsi(boxText, m_encoding);
    core.outTxtFile(m_bytes, m_path);
    m_read = FileRead::Read;
    m_shown = boxText;
    m_keepFile = false;
    return true;
}
