// The settings store's text as its lines (format in StoreFormat.h). A save changes only the
// line of the key it sets, or adds one at the end: every other byte the operator wrote stays
// as it was, comments, blank and garbled lines, keys of other programs, a byte-order mark and
// each line's own line break included.
#pragma once

#include <string>
#include <unordered_map>
#include <vector>

class StoreDocument {
public:
    StoreDocument() = default;
    explicit StoreDocument(const std::string& text);

    // The value as written in `key`'s entry (the last one for a repeated key), not yet read as
    // any kind; null when no line is an entry for `key`.
    const std::string* find(const std::string& key) const;
    // Makes `value` (already in the store's form) the value of `key`.
    void set(const std::string& key, const std::string& value);

    std::string text() const;

private:
    struct Line {
        std::string written;    // without its line break
        std::string lineBreak;  // "\r\n", "\n", or none on a last line
        std::string value;      // for an entry, its value
    };

    bool m_byteOrderMark = false;
    std::vector<Line> m_lines;
    std::unordered_map<std::string, size_t> m_entries;  // key -> its (last) entry's line
};
