// The settings store's text as its lines (format in StoreFormat.h). A save changes only the
// line of the key it sets, or adds one at the end: every other byte the operator wrote stays
// as it was, comments, blank and garbled lines, keys of other programs and each line's own line
// break included. The text is ANSI, or UTF-8 (LineText in TextEncoding.h) whose keys and values
// are read and written in ANSI.
#pragma once

#include <string>
#include <unordered_map>
#include <vector>

class StoreDocument {
public:
    StoreDocument() = default;
    explicit StoreDocument(const std::string& text, bool utf8 = false);

    // The value as written in `key`'s entry (the last one for a repeated key), not yet read as
    // any kind; null when no line is an entry for `key`.
    const std::string* find(const std::string& key) const;
    // Makes `value` (already in the store's form) the value of `key`.
    void set(const std::string& key, const std::string& value);

    std::string text() const;
    // Whether any line is an entry.
    bool hasEntries() const { return !m_entries.empty(); }

private:
    struct Line {
        std::string written;    // without its line break
        std::string lineBreak;  // "\r\n", "\n", or none on a last line
        std::string value;      // for an entry, its value in ANSI
    };

    bool m_utf8 = false;
    std::vector<Line> m_lines;
    std::unordered_map<std::string, size_t> m_entries;  // key -> its (last) entry's line
};
