#include "store/StoreDocument.h"

#include <string_view>

#include "store/StoreFormat.h"
#include "store/TextEncoding.h"

namespace {

const char kCrLf[] = "\r\n";

// The key and value of an entry line; false for a line that is no entry.
bool ParseEntry(std::string_view line, std::string& key, std::string& value) {
    size_t first = 0;
    while (first < line.size() && IsStoreBlank(line[first])) ++first;
    if (first == line.size()) return false;
    const char mark = line[first];
    if (mark == ';' || mark == '#' || mark == '[') return false;
    const size_t equals = line.find('=');
    if (equals == std::string_view::npos) return false;
    size_t keyEnd = equals;
    while (keyEnd > first && IsStoreBlank(line[keyEnd - 1])) --keyEnd;
    if (!DecodeStoreString(std::string(line.substr(first, keyEnd - first)), key)) return false;
    size_t valueStart = equals + 1;
    // "key = value": blanks on both sides of the '=' are a hand edit's layout, not the value's.
    if (keyEnd < equals) {
        while (valueStart < line.size() && IsStoreBlank(line[valueStart])) ++valueStart;
    }
    value = std::string(line.substr(valueStart));
    return true;
}

}  // namespace

StoreDocument::StoreDocument(const std::string& text, bool utf8) : m_utf8(utf8) {
    size_t start = 0;
    while (start < text.size()) {
        const size_t lineFeed = text.find('\n', start);
        Line line;
        size_t end = lineFeed == std::string::npos ? text.size() : lineFeed;
        if (lineFeed != std::string::npos) {
            const bool crLf = end > start && text[end - 1] == '\r';
            if (crLf) --end;
            line.lineBreak = crLf ? kCrLf : "\n";
        }
        line.written = text.substr(start, end - start);
        std::string key;
        if (ParseEntry(line.written, key, line.value)) {
            if (m_utf8) {
                key = AnsiFromUtf8(key);
                line.value = AnsiFromUtf8(line.value);
            }
            m_entries[key] = m_lines.size();
        }
        m_lines.push_back(std::move(line));
        start = lineFeed == std::string::npos ? text.size() : lineFeed + 1;
    }
}

const std::string* StoreDocument::find(const std::string& key) const {
    const auto found = m_entries.find(key);
    return found != m_entries.end() ? &m_lines[found->second].value : nullptr;
}

void StoreDocument::set(const std::string& key, const std::string& value) {
    const std::string entry = EncodeStoreKey(key) + "=" + value;
    const std::string written = m_utf8 ? Utf8FromAnsi(entry) : entry;
    const auto found = m_entries.find(key);
    if (found != m_entries.end()) {
        Line& line = m_lines[found->second];
        line.written = written;
        line.value = value;
        return;
    }
    if (!m_lines.empty() && m_lines.back().lineBreak.empty()) m_lines.back().lineBreak = kCrLf;
    m_entries[key] = m_lines.size();
    m_lines.push_back(Line{written, kCrLf, value});
}

std::string StoreDocument::text() const {
    std::string text;
    for (const Line& line : m_lines) {
        text += line.written;
        text += line.lineBreak;
    }
    return text;
}
