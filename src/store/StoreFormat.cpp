#include "store/StoreFormat.h"

#include <cstdint>
#include <utility>

namespace {

const char kHexDigits[] = "0123456789ABCDEF";

bool IsControl(unsigned char byte) { return byte < 0x20 || byte == 0x7F; }

std::string TrimmedBlanks(const std::string& text) {
    size_t first = 0;
    size_t last = text.size();
    while (first < last && IsStoreBlank(text[first])) ++first;
    while (last > first && IsStoreBlank(text[last - 1])) --last;
    return text.substr(first, last - first);
}

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

bool IsStoreBlank(char c) { return c == ' ' || c == '\t'; }

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
        // A key must not end early at its own '=' nor pass for a comment or a section, and
        // keeps the blanks at its ends that reading trims.
        const bool atEnd = i == 0 || i + 1 == key.size();
        if (byte == '=' || (i == 0 && (byte == ';' || byte == '#' || byte == '[')) ||
            (atEnd && IsStoreBlank(key[i]))) {
            AppendHexEscape(out, byte);
        } else {
            AppendEscaped(out, byte);
        }
    }
    return out;
}

std::string FormatStoreInt(int value) { return std::to_string(value); }

bool ParseStoreInt(const std::string& written, int& value) {
    const std::string text = TrimmedBlanks(written);
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

bool ParseStoreFlag(const std::string& written, bool& value) {
    const std::string text = TrimmedBlanks(written);
    if (text != "0" && text != "1") return false;
    value = text == "1";
    return true;
}

std::string FormatStoreColour(Gdiplus::ARGB value) {
    std::string out = "0x";
    for (int shift = 28; shift >= 0; shift -= 4) out += kHexDigits[(value >> shift) & 0x0F];
    return out;
}

bool ParseStoreColour(const std::string& written, Gdiplus::ARGB& value) {
    const std::string text = TrimmedBlanks(written);
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
