#include "store/ConfigStore.h"

#include "store/AtomicFile.h"

void ConfigStore::load(const std::string& path, const std::string& defaultsText, unsigned patienceMs) {
    m_path = path;
    m_patienceMs = patienceMs;
    m_defaults = StoreDocument(defaultsText);
    m_unwritten.clear();
    std::string text;
    switch (AtomicFile::read(path, kMaxFileBytes, text, patienceMs)) {
    case FileRead::Read:
        m_file = StoreDocument(text);
        m_unread = false;
        break;
    case FileRead::Missing:
        m_file = m_defaults;
        m_unread = false;
        break;
    case FileRead::Unreadable:
    case FileRead::TooLarge:
        // What cannot be read counts as never saved; it is not replaced either.
        m_file = StoreDocument();
        m_unread = true;
        break;
    }
    m_loaded = true;
}

const std::string* ConfigStore::stored(const std::string& key) const { return m_file.find(key); }

const std::string* ConfigStore::defaulted(const std::string& key) const { return m_defaults.find(key); }

FileWrite ConfigStore::save(const std::string& key, const std::string& value) {
    const std::string* before = stored(key);
    if (before == nullptr) before = defaulted(key);
    // A store that could not be read gets only what this run changed.
    if (!m_unread || before == nullptr || *before != value) {
        bool recorded = false;
        for (auto& unwritten : m_unwritten) {
            if (unwritten.first != key) continue;
            unwritten.second = value;
            recorded = true;
        }
        if (!recorded) m_unwritten.emplace_back(key, value);
    }
    m_file.set(key, value);
    if (m_batchDepth > 0) {
        m_writePending = true;
        return FileWrite::Written;
    }
    return write();
}

FileWrite ConfigStore::endBatch() {
    if (m_batchDepth == 0 || --m_batchDepth > 0 || !m_writePending) return FileWrite::Written;
    m_writePending = false;
    return write();
}

FileWrite ConfigStore::write() {
    if (m_unwritten.empty()) return FileWrite::Written;
    if (m_path.empty()) return FileWrite::Failed;
    // The saves go into the file as it is now; one that cannot be read now is left as it is.
    std::string text;
    StoreDocument file;
    switch (AtomicFile::read(m_path, kMaxFileBytes, text, m_patienceMs)) {
    case FileRead::Read: file = StoreDocument(text); break;
    case FileRead::Missing: file = m_unread ? StoreDocument() : m_file; break;
    case FileRead::Unreadable: return FileWrite::Held;
    case FileRead::TooLarge: return FileWrite::Failed;
    }
    for (const auto& unwritten : m_unwritten) file.set(unwritten.first, unwritten.second);
    const FileWrite written = AtomicFile::write(m_path, file.text(), m_patienceMs);
    if (written != FileWrite::Written) return written;
    m_file = std::move(file);
    m_unread = false;
    m_unwritten.clear();
    return written;
}
