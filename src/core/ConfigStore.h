// The settings store: the entries of the store file (format in StoreFormat.h) over the
// defaults embedded in the program. Each save rewrites the whole file atomically with every
// entry known, keys of the file that this program does not use included.
#pragma once

#include <string>
#include <vector>

#include "core/StoreFormat.h"

class ConfigStore {
public:
    // Reads the store file at `path`. Without one (a first run), the entries start from the
    // defaults, so that the first save keeps them.
    void load(const std::string& path, const std::string& defaultsText);
    bool loaded() const { return m_loaded; }

    // The value written under `key` in the store, then in the defaults; null when neither has it.
    const std::string* stored(const std::string& key) const;
    const std::string* defaulted(const std::string& key) const;

    // A store file that cannot be written keeps what it holds; the value still reads back.
    void save(const std::string& key, const std::string& value);

    // The store file is a few hundred bytes; anything far larger is not one of ours.
    static constexpr size_t kMaxFileBytes = 4u << 20;

private:
    std::string m_path;
    std::vector<StoreEntry> m_entries;
    std::vector<StoreEntry> m_defaults;
    bool m_loaded = false;
};
