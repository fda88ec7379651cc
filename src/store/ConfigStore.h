// The settings store: the store file's entries (format in StoreFormat.h) over the defaults
// embedded in the program. A save rewrites the file atomically, in the encoding it was found in,
// changing only the lines of the keys saved (StoreDocument.h) in the file as it is at that
// moment, so that what another program wrote into it meanwhile (Notepad, a sync tool) is kept.
// Where that program changed a key this one saves with another value, this one's value is
// written and the other version of the file is kept beside it first (KeptCopy.h).
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "store/AtomicFile.h"
#include "store/StoreDocument.h"
#include "store/TextEncoding.h"

class ConfigStore {
public:
    // Reads the store file at `path`, trying a file held open by another program again for up
    // to `patienceMs`. Without one (a first run), the file starts as the defaults' text, so
    // that the first save keeps them. A file that is there but cannot be read is not read: the
    // run starts from the defaults, and its saves go into the file only for the keys whose
    // value the run changed.
    void load(const std::string& path, const std::string& defaultsText, unsigned patienceMs);
    bool loaded() const { return m_loaded; }
    // The file as another program left it becomes what the store holds, the saves not yet
    // written kept over it. A file missing, unreadable or without a single entry is no news:
    // false, and nothing changes.
    bool reread();

    // The value written under `key` in the store, then in the defaults; null when neither has it.
    const std::string* stored(const std::string& key) const;
    const std::string* defaulted(const std::string& key) const;

    // A store file that cannot be written keeps what it holds; the value still reads back, and
    // the next write tries again. Says what became of the write (Written while a batch holds it).
    FileWrite save(const std::string& key, const std::string& value);
    // The same, for a value this run did not change: written only into a file without an entry
    // for `key` (so that a first save completes the file), never over another program's value.
    FileWrite fill(const std::string& key, const std::string& value);

    // The saves between these two are written at the end, in one replacement of the file; the
    // outermost end says what became of it.
    void beginBatch() { ++m_batchDepth; }
    FileWrite endBatch();

    // Where a write kept another program's version, the first time in a run of writes that each
    // met one; empty otherwise, and once told, empty until a write meets none.
    std::string takeKeptCopyNews() { return std::exchange(m_keptCopyNews, std::string()); }

    // The store file is a few hundred bytes; anything far larger is not one of ours.
    static constexpr size_t kMaxFileBytes = 4u << 20;

private:
    FileWrite write();
    FileWrite record(const std::string& key, const std::string& value, bool onlyIfAbsent);
    // `bytes`, as read from the file, become what the store holds.
    void take(const std::string& bytes);
    StoreDocument Document(const std::string& bytes, TextEncoding& encoding) const;

    std::string m_path;
    unsigned m_patienceMs = 0;
    TextEncoding m_encoding = TextEncoding::Ansi;
    StoreDocument m_known;  // the file as last read, with what this program wrote into it since
    StoreDocument m_file;   // that, with the saves not yet written: what the store reads as
    StoreDocument m_defaults;
    bool m_loaded = false;
    bool m_unread = false;  // the file was there but could not be read
    struct Unwritten {
        std::string key, value;
        bool onlyIfAbsent;
    };
    std::vector<Unwritten> m_unwritten;  // saved, not yet in the file
    int m_batchDepth = 0;
    bool m_writePending = false;
    bool m_inConflict = false;  // the last write met another program's version of a key
    std::string m_keptCopyNews;
};
