#include "store/ConfigStore.h"

#include <optional>

#include "store/AtomicFile.h"
#include "store/KeptCopy.h"

namespace {

std::optional<std::string> ValueOf(const StoreDocument& file, const std::string& key) {
    const std::string* value = file.find(key);
    return value != nullptr ? std::optional<std::string>(*value) : std::nullopt;
}

}  // namespace

StoreDocument ConfigStore::Document(const std::string& bytes, TextEncoding& encoding) const {
    encoding = DetectTextEncoding(bytes);
    return StoreDocument(LineText(bytes, encoding), IsUnicode(encoding));
}

void ConfigStore::take(const std::string& bytes) {
    m_known = Document(bytes, m_encoding);
    m_file = m_known;
    for (const Unwritten& unwritten : m_unwritten) {
        if (!unwritten.onlyIfAbsent || m_file.find(unwritten.key) == nullptr) m_file.set(unwritten.key, unwritten.value);
    }
    m_unread = false;
}

void ConfigStore::load(const std::string& path, const std::string& defaultsText, unsigned patienceMs) {
    m_path = path;
    m_patienceMs = patienceMs;
    m_defaults = StoreDocument(defaultsText);
    m_unwritten.clear();
    std::string text;
    switch (AtomicFile::read(path, kMaxFileBytes, text, patienceMs)) {
    case FileRead::Read: take(text); break;
    case FileRead::Missing:
        m_known = m_file = m_defaults;
        m_encoding = TextEncoding::Ansi;
        m_unread = false;
        break;
    case FileRead::Unreadable:
    case FileRead::TooLarge:
        // What cannot be read counts as never saved; it is not replaced either.
        m_known = m_file = StoreDocument();
        m_encoding = TextEncoding::Ansi;
        m_unread = true;
        break;
    }
    m_loaded = true;
}

bool ConfigStore::reread() {
    std::string bytes;
    if (m_path.empty() || AtomicFile::read(m_path, kMaxFileBytes, bytes, m_patienceMs) != FileRead::Read) return false;
    TextEncoding encoding = TextEncoding::Ansi;
    if (!Document(bytes, encoding).hasEntries()) return false;
    take(bytes);
    return true;
}

const std::string* ConfigStore::stored(const std::string& key) const { return m_file.find(key); }

const std::string* ConfigStore::defaulted(const std::string& key) const { return m_defaults.find(key); }

FileWrite ConfigStore::save(const std::string& key, const std::string& value) { return record(key, value, false); }

FileWrite ConfigStore::fill(const std::string& key, const std::string& value) {
    // A store that could not be read gets only what this run changed.
    if (m_unread) return FileWrite::Written;
    return record(key, value, true);
}

FileWrite ConfigStore::record(const std::string& key, const std::string& value, bool onlyIfAbsent) {
    const std::string* before = stored(key);
    if (before == nullptr) before = defaulted(key);
    // A store that could not be read gets only what this run changed.
    if (!m_unread || before == nullptr || *before != value) {
        bool recorded = false;
        for (Unwritten& unwritten : m_unwritten) {
            if (unwritten.key != key) continue;
            unwritten.value = value;
            unwritten.onlyIfAbsent = unwritten.onlyIfAbsent && onlyIfAbsent;
            recorded = true;
        }
        if (!recorded) m_unwritten.push_back(Unwritten{key, value, onlyIfAbsent});
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
    std::string bytes;
    StoreDocument file;
    TextEncoding encoding = m_encoding;
    switch (AtomicFile::read(m_path, kMaxFileBytes, bytes, m_patienceMs)) {
    case FileRead::Read: file = Document(bytes, encoding); break;
    case FileRead::Missing: file = m_unread ? StoreDocument() : m_file; break;
    case FileRead::Unreadable: return FileWrite::Held;
    case FileRead::TooLarge: return FileWrite::Failed;
    }
    // A key another program changed since it was last read or written here, that this program
    // now saves with a value of its own.
    bool conflict = false, anyChange = false;
    for (const Unwritten& unwritten : m_unwritten) {
        const std::optional<std::string> theirs = ValueOf(file, unwritten.key);
        if (unwritten.onlyIfAbsent && theirs) continue;
        conflict = conflict || (theirs != ValueOf(m_known, unwritten.key) && theirs != unwritten.value);
        anyChange = anyChange || theirs != unwritten.value;
        file.set(unwritten.key, unwritten.value);
    }
    // A file that already holds every value is left as it is.
    const bool alreadyHeld = !anyChange && !bytes.empty();
    // Never overwritten unless it was kept first.
    const std::string keptCopy = conflict ? KeepOtherVersion(m_path, bytes) : std::string();
    if (conflict && keptCopy.empty()) return FileWrite::Failed;
    const FileWrite written =
        alreadyHeld ? FileWrite::Written : AtomicFile::write(m_path, FileBytes(file.text(), encoding), m_patienceMs);
    if (written != FileWrite::Written) return written;
    // What the other program changed and this one did not stays its, and news for a reread.
    for (const Unwritten& unwritten : m_unwritten) {
        if (!unwritten.onlyIfAbsent || m_known.find(unwritten.key) == nullptr) m_known.set(unwritten.key, unwritten.value);
    }
    m_encoding = encoding;
    m_unread = false;
    m_unwritten.clear();
    if (conflict && !m_inConflict) m_keptCopyNews = keptCopy;
    m_inConflict = conflict;
    return written;
}
