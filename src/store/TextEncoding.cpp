#include "store/TextEncoding.h"

#include <windows.h>

#include <algorithm>
#include <limits>

namespace {

const char kUtf8Bom[] = "\xEF\xBB\xBF";
const char kUtf16LeBom[] = "\xFF\xFE";
const char kUtf16BeBom[] = "\xFE\xFF";

bool StartsWith(const std::string& bytes, const char* prefix) { return bytes.rfind(prefix, 0) == 0; }

bool FitsInt(size_t size) { return size <= static_cast<size_t>(std::numeric_limits<int>::max()); }

bool IsValidUtf8(const std::string& bytes) {
    if (bytes.empty() || !FitsInt(bytes.size())) return bytes.empty();
    return MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, bytes.data(), static_cast<int>(bytes.size()), nullptr,
                               0) > 0;
}

// Whether the ANSI code page is a double-byte one (such as 936) and `bytes` are valid text in it.
bool IsWholeInDoubleByteAnsi(const std::string& bytes) {
    CPINFO info{};
    if (!GetCPInfo(CP_ACP, &info) || info.MaxCharSize < 2 || !FitsInt(bytes.size())) return false;
    return MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, bytes.data(), static_cast<int>(bytes.size()), nullptr,
                               0) > 0;
}

bool HasNonAscii(const std::string& bytes) {
    for (char c : bytes) {
        if (static_cast<unsigned char>(c) >= 0x80) return true;
    }
    return false;
}

// UTF-16 code units from bytes in the given order; a lone last byte is no unit.
std::wstring WideFromUtf16(const std::string& bytes, size_t start, bool bigEndian) {
    std::wstring wide;
    wide.reserve((bytes.size() - start) / 2);
    for (size_t i = start; i + 1 < bytes.size(); i += 2) {
        const auto first = static_cast<unsigned char>(bytes[i]);
        const auto second = static_cast<unsigned char>(bytes[i + 1]);
        wide += static_cast<wchar_t>(bigEndian ? (first << 8) | second : (second << 8) | first);
    }
    return wide;
}

std::string Utf16FromWide(const std::wstring& wide, bool bigEndian) {
    std::string bytes;
    bytes.reserve(wide.size() * 2);
    for (wchar_t unit : wide) {
        const auto high = static_cast<char>((unit >> 8) & 0xFF);
        const auto low = static_cast<char>(unit & 0xFF);
        bytes += bigEndian ? high : low;
        bytes += bigEndian ? low : high;
    }
    return bytes;
}

}  // namespace

std::wstring WideFromCodePage(const std::string& text, unsigned codePage) {
    if (text.empty() || !FitsInt(text.size())) return {};
    const int length = static_cast<int>(text.size());
    const int wideLength = MultiByteToWideChar(codePage, 0, text.data(), length, nullptr, 0);
    if (wideLength <= 0) return {};
    std::wstring wide(static_cast<size_t>(wideLength), L'\0');
    MultiByteToWideChar(codePage, 0, text.data(), length, &wide[0], wideLength);
    return wide;
}

std::string CodePageFromWide(const std::wstring& wide, unsigned codePage) {
    if (wide.empty() || !FitsInt(wide.size())) return {};
    const int length = static_cast<int>(wide.size());
    const int narrowLength = WideCharToMultiByte(codePage, 0, wide.data(), length, nullptr, 0, nullptr, nullptr);
    if (narrowLength <= 0) return {};
    std::string narrow(static_cast<size_t>(narrowLength), '\0');
    WideCharToMultiByte(codePage, 0, wide.data(), length, &narrow[0], narrowLength, nullptr, nullptr);
    return narrow;
}

TextEncoding DetectTextEncoding(const std::string& bytes) {
    if (StartsWith(bytes, kUtf8Bom)) return TextEncoding::Utf8WithBom;
    if (StartsWith(bytes, kUtf16LeBom)) return TextEncoding::Utf16Le;
    if (StartsWith(bytes, kUtf16BeBom)) return TextEncoding::Utf16Be;
    if (!HasNonAscii(bytes) || !IsValidUtf8(bytes)) return TextEncoding::Ansi;
    // Short ANSI text can pass for UTF-8 too: "图片" in code page 936 is two valid UTF-8
    // characters, neither of them Chinese, and "小猫" reads as Cyrillic and accented Latin. Read
    // as UTF-8 only what the ANSI code page can show whole; anything else keeps its bytes as
    // ANSI text.
    const std::wstring wide = WideFromCodePage(bytes, CP_UTF8);
    if (WideFromCodePage(CodePageFromWide(wide, CP_ACP), CP_ACP) != wide) return TextEncoding::Ansi;
    // Chinese, Japanese and Korean take three bytes a character in UTF-8; the letters of
    // European scripts take two, as does every character of a double-byte code page. Text whose
    // UTF-8 reading has nothing but such letters, and which is also whole in a double-byte ANSI
    // code page, was written in that code page: this is a Chinese program, and its own names
    // are Chinese. A list of European names without a byte-order mark is read as ANSI then.
    const bool anyThreeByteCharacter = std::any_of(wide.begin(), wide.end(), [](wchar_t c) { return c >= 0x800; });
    return anyThreeByteCharacter || !IsWholeInDoubleByteAnsi(bytes) ? TextEncoding::Utf8 : TextEncoding::Ansi;
}

std::string DecodeToAnsi(const std::string& bytes, TextEncoding encoding) {
    return IsUnicode(encoding) ? AnsiFromUtf8(LineText(bytes, encoding)) : bytes;
}

std::string EncodeFromAnsi(const std::string& ansi, TextEncoding encoding) {
    return IsUnicode(encoding) ? FileBytes(Utf8FromAnsi(ansi), encoding) : ansi;
}

bool IsUnicode(TextEncoding encoding) { return encoding != TextEncoding::Ansi; }

std::string AnsiFromUtf8(const std::string& utf8) { return CodePageFromWide(WideFromCodePage(utf8, CP_UTF8), CP_ACP); }

std::string Utf8FromAnsi(const std::string& ansi) { return CodePageFromWide(WideFromCodePage(ansi, CP_ACP), CP_UTF8); }

std::string LineText(const std::string& bytes, TextEncoding encoding) {
    switch (encoding) {
    case TextEncoding::Ansi:
    case TextEncoding::Utf8: return bytes;
    case TextEncoding::Utf8WithBom: return bytes.substr(bytes.size() < 3 ? bytes.size() : 3);
    case TextEncoding::Utf16Le: return CodePageFromWide(WideFromUtf16(bytes, 2, false), CP_UTF8);
    case TextEncoding::Utf16Be: return CodePageFromWide(WideFromUtf16(bytes, 2, true), CP_UTF8);
    }
    return bytes;
}

std::string FileBytes(const std::string& lineText, TextEncoding encoding) {
    switch (encoding) {
    case TextEncoding::Ansi:
    case TextEncoding::Utf8: return lineText;
    case TextEncoding::Utf8WithBom: return kUtf8Bom + lineText;
    case TextEncoding::Utf16Le: return kUtf16LeBom + Utf16FromWide(WideFromCodePage(lineText, CP_UTF8), false);
    case TextEncoding::Utf16Be: return kUtf16BeBom + Utf16FromWide(WideFromCodePage(lineText, CP_UTF8), true);
    }
    return lineText;
}
