#include "core/ConfigStore.h"

#include <windows.h>

#include "core/AtomicFile.h"

void ConfigStore::load(const std::string& path, const std::string& defaultsText) {
    m_path = path;
    m_defaults = ParseStoreText(defaultsText);
    std::string text;
    if (AtomicFile::read(path, kMaxFileBytes, text)) {
        m_entries = ParseStoreText(text);
    } else if (GetFileAttributesA(path.c_str()) == INVALID_FILE_ATTRIBUTES) {
        m_entries = m_defaults;
    } else {
        // There but unreadable: what cannot be read counts as never saved.
        m_entries.clear();
    }
    m_loaded = true;
}

const std::string* ConfigStore::stored(const std::string& key) const {
    const StoreEntry* entry = FindStoreEntry(m_entries, key);
    return entry != nullptr ? &entry->value : nullptr;
}

const std::string* ConfigStore::defaulted(const std::string& key) const {
    const StoreEntry* entry = FindStoreEntry(m_defaults, key);
    return entry != nullptr ? &entry->value : nullptr;
}

void ConfigStore::save(const std::string& key, const std::string& value) {
    SetStoreEntry(m_entries, key, value);
    if (!m_path.empty()) AtomicFile::write(m_path, FormatStoreText(m_entries));
}
