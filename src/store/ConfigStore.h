// The settings store: the store file's entries (format in StoreFormat.h) over the defaults
// embedded in the program. A save rewrites the file atomically, changing only the lines of the
// keys saved (StoreDocument.h) in the file as it is at that moment, so that what the operator
// wrote into it meanwhile (say in Notepad, while the program runs) is kept.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "store/AtomicFile.h"
#include "store/StoreDocument.h"

class ConfigStore {
public:
    // Reads the store file at `path`, trying a file held open by another program again for up
    // to `patienceMs`. Without one (a first run), the file starts as the defaults' text, so
    // that the first save keeps them. A file that is there but cannot be read is not read: the
    // run starts from the defaults, and its saves go into the file only for the keys whose
    // value the run changed.
    void load(const std::string& path, const std::string& defaultsText, unsigned patienceMs);
    bool loaded() const { return m_loaded; }

    // The value written under `key` in the store, then in the defaults; null when neither has it.
    const std::string* stored(const std::string& key) const;
    const std::string* defaulted(const std::string& key) const;

    // A store file that cannot be written keeps what it holds; the value still reads back, and
    // the next write tries again. Says what became of the write (Written while a batch holds it).
    FileWrite save(const std::string& key, const std::string& value);

    // The saves between these two are written at the end, in one replacement of the file; the
    // outermost end says what became of it.
    void beginBatch() { ++m_batchDepth; }
    FileWrite endBatch();

    // The store file is a few hundred bytes; anything far larger is not one of ours.
    static constexpr size_t kMaxFileBytes = 4u << 20;

private:
    FileWrite write();

    std::string m_path;
    unsigned m_patienceMs = 0;
    StoreDocument m_file;
    StoreDocument m_defaults;
    bool m_loaded = false;
    bool m_unread = false;  // the file was there but could not be read
    std::vector<std::pair<std::string, std::string>> m_unwritten;  // saved, not yet in the file
    int m_batchDepth = 0;
    bool m_writePending = false;
};
