#include "core/ConfigStore.h"

#include "core/AtomicFile.h"

void ConfigStore::load(const std::string& path, const std::string& defaultsText, unsigned patienceMs) {
    m_path = path;
    m_patienceMs = patienceMs;
    m_defaults = StoreDocument(defaultsText);
    m_changes.clear();
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

void ConfigStore::save(const std::string& key, const std::string& value) {
    if (m_unread) {
        const std::string* before = stored(key);
        if (before == nullptr) before = defaulted(key);
        const bool changed = before == nullptr || *before != value;
        bool recorded = false;
        for (auto& change : m_changes) {
            if (change.first != key) continue;
            change.second = value;
            recorded = true;
        }
        if (changed && !recorded) m_changes.emplace_back(key, value);
    }
    m_file.set(key, value);
    if (m_batchDepth > 0) {
        m_writePending = true;
    } else {
        write();
    }
}

void ConfigStore::endBatch() {
    if (m_batchDepth > 0 && --m_batchDepth == 0 && m_writePending) {
        m_writePending = false;
        write();
    }
}

void ConfigStore::write() {
    if (m_path.empty()) return;
    if (!m_unread) {
        AtomicFile::write(m_path, m_file.text());
        return;
    }
    // The file could not be read at the start: only the keys this run changed go into it, as
    // it is now. Still unreadable, it stays as it is.
    if (m_changes.empty()) return;
    std::string text;
    const FileRead now = AtomicFile::read(m_path, kMaxFileBytes, text, m_patienceMs);
    if (now != FileRead::Read && now != FileRead::Missing) return;
    StoreDocument file(text);
    for (const auto& change : m_changes) file.set(change.first, change.second);
    if (AtomicFile::write(m_path, file.text())) {
        m_file = std::move(file);
        m_unread = false;
        m_changes.clear();
    }
}
