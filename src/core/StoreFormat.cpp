#include "core/StoreFormat.h"

#include <cstdint>
#include <string_view>
#include <unordered_map>
#include <utility>

namespace {

const char kHexDigits[] = "0123456789ABCDEF";

bool IsControl(unsigned char byte) { return byte < 0x20 || byte == 0x7F; }

int HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

void AppendHexEscape(std::string& out, unsigned char byte) {
    out += "\\x";
    out += kHexDigits[byte >> 4];
    out += kHexDigits[byte & 0x0F];
}

void AppendEscaped(std::string& out, unsigned char byte) {
    switch (byte) {
    case '\\': out += "\\\\"; break;
    case '\r': out += "\\r"; break;
    case '\n': out += "\\n"; break;
    default:
        if (IsControl(byte)) {
            AppendHexEscape(out, byte);
        } else {
            out += static_cast<char>(byte);
        }
    }
}

}  // namespace

std::string EncodeStoreString(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (char c : text) AppendEscaped(out, static_cast<unsigned char>(c));
    return out;
}

bool DecodeStoreString(const std::string& encoded, std::string& text) {
    std::string out;
    out.reserve(encoded.size());
    for (size_t i = 0; i < encoded.size(); ++i) {
        if (encoded[i] != '\\') {
            out += encoded[i];
            continue;
        }
        if (i + 1 >= encoded.size()) return false;
        const char kind = encoded[++i];
        if (kind == '\\') {
            out += '\\';
        } else if (kind == 'r') {
            out += '\r';
        } else if (kind == 'n') {
            out += '\n';
        } else if (kind == 'x' && i + 2 < encoded.size() && HexValue(encoded[i + 1]) >= 0 &&
                   HexValue(encoded[i + 2]) >= 0) {
            out += static_cast<char>(HexValue(encoded[i + 1]) * 16 + HexValue(encoded[i + 2]));
            i += 2;
        } else {
            return false;
        }
    }
    text = std::move(out);
    return true;
}

std::string EncodeStoreKey(const std::string& key) {
    std::string out;
    for (size_t i = 0; i < key.size(); ++i) {
        const auto byte = static_cast<unsigned char>(key[i]);
        // A key must not end early at its own '=' nor pass for a comment or a section.
        if (byte == '=' || (i == 0 && (byte == ';' || byte == '#' || byte == '['))) {
            AppendHexEscape(out, byte);
        } else {
            AppendEscaped(out, byte);
        }
    }
    return out;
}

std::string FormatStoreInt(int value) { return std::to_string(value); }

bool ParseStoreInt(const std::string& text, int& value) {
    size_t i = 0;
    const bool negative = !text.empty() && text[0] == '-';
    if (negative) i = 1;
    if (i >= text.size()) return false;
    // Magnitudes up to 2^31 fit the int range once the sign is known.
    const int64_t limit = negative ? int64_t{1} << 31 : (int64_t{1} << 31) - 1;
    int64_t magnitude = 0;
    for (; i < text.size(); ++i) {
        if (text[i] < '0' || text[i] > '9') return false;
        magnitude = magnitude * 10 + (text[i] - '0');
        if (magnitude > limit) return false;
    }
    value = static_cast<int>(negative ? -magnitude : magnitude);
    return true;
}

std::string FormatStoreFlag(bool value) { return value ? "1" : "0"; }

bool ParseStoreFlag(const std::string& text, bool& value) {
    if (text != "0" && text != "1") return false;
    value = text == "1";
    return true;
}

std::string FormatStoreColour(Gdiplus::ARGB value) {
    std::string out = "0x";
    for (int shift = 28; shift >= 0; shift -= 4) out += kHexDigits[(value >> shift) & 0x0F];
    return out;
}

bool ParseStoreColour(const std::string& text, Gdiplus::ARGB& value) {
    if (text.size() != 10 || text[0] != '0' || (text[1] != 'x' && text[1] != 'X')) return false;
    Gdiplus::ARGB parsed = 0;
    for (size_t i = 2; i < text.size(); ++i) {
        const int digit = HexValue(text[i]);
        if (digit < 0) return false;
        parsed = (parsed << 4) | static_cast<Gdiplus::ARGB>(digit);
    }
    value = parsed;
    return true;
}

void SetStoreEntry(std::vector<StoreEntry>& entries, const std::string& key, const std::string& value) {
    for (StoreEntry& entry : entries) {
        if (entry.key == key) {
            entry.value = value;
            return;
        }
    }
    entries.push_back(StoreEntry{key, value});
}

const StoreEntry* FindStoreEntry(const std::vector<StoreEntry>& entries, const std::string& key) {
    for (const StoreEntry& entry : entries) {
        if (entry.key == key) return &entry;
    }
    return nullptr;
}

std::vector<StoreEntry> ParseStoreText(const std::string& text) {
    std::vector<StoreEntry> entries;
    // Where each key's entry stands, so that a store of many keys does not read in quadratic time.
    std::unordered_map<std::string, size_t> index;
    size_t start = 0;
    for (size_t end = text.find('\n'); end != std::string::npos; start = end + 1, end = text.find('\n', start)) {
        size_t length = end - start;
        if (length > 0 && text[start + length - 1] == '\r') --length;
        if (length == 0) continue;
        const char first = text[start];
        if (first == ';' || first == '#' || first == '[') continue;
        // Sought within the line only: a search on to the next '=' would make a store of many
        // lines without one take quadratic time.
        const size_t inLine = std::string_view(text.data() + start, length).find('=');
        if (inLine == std::string_view::npos) continue;
        const size_t equals = start + inLine;
        std::string key;
        if (!DecodeStoreString(text.substr(start, equals - start), key)) continue;
        std::string value = text.substr(equals + 1, start + length - equals - 1);
        const auto placed = index.emplace(key, entries.size());
        if (placed.second) {
            entries.push_back(StoreEntry{std::move(key), std::move(value)});
        } else {
            entries[placed.first->second].value = std::move(value);
        }
    }
    return entries;
}

std::string FormatStoreText(const std::vector<StoreEntry>& entries) {
    std::string text = "; Placard settings\r\n";
    for (const StoreEntry& entry : entries) {
        text += EncodeStoreKey(entry.key);
        text += '=';
        text += entry.value;
        text += "\r\n";
    }
    return text;
}
