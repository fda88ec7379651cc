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

// Whether `bytes` are valid text of code page 936.
bool IsWholeInProgramCodePage(const std::string& bytes) {
    if (!FitsInt(bytes.size())) return false;
    return MultiByteToWideChar(kProgramCodePage, MB_ERR_INVALID_CHARS, bytes.data(), static_cast<int>(bytes.size()),
                               nullptr, 0) > 0;
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

TextEncoding DetectTextEncoding(const std::string& bytes) {
    if (StartsWith(bytes, kUtf8Bom)) return TextEncoding::Utf8WithBom;
    if (StartsWith(bytes, kUtf16LeBom)) return TextEncoding::Utf16Le;
    if (StartsWith(bytes, kUtf16BeBom)) return TextEncoding::Utf16Be;
    if (!HasNonAscii(bytes) || !IsValidUtf8(bytes)) return TextEncoding::Ansi;
    // Chinese, Japanese and Korean take three bytes a character in UTF-8 (emoji four); the
    // letters of European scripts take two, as does every character of a double-byte code page.
    // Short text of code page 936 can pass for UTF-8 too: "图片" is two valid UTF-8 characters,
    // neither of them Chinese, and "小猫" reads as Cyrillic and accented Latin. Text whose UTF-8
    // reading has nothing but such two-byte letters is read as UTF-8 only if code page 936 writes
    // all of them and the bytes are not also whole text of code page 936: this is a Chinese
    // program, and its own names are Chinese. A list of European names without a byte-order
    // mark is read as code page 936 then.
    const std::wstring wide = WideFromCodePage(bytes, CP_UTF8);
    const bool anyThreeByteCharacter = std::any_of(wide.begin(), wide.end(), [](wchar_t c) { return c >= 0x800; });
    if (anyThreeByteCharacter) return TextEncoding::Utf8;
    return ProgramTextHolds(wide) && !IsWholeInProgramCodePage(bytes) ? TextEncoding::Utf8 : TextEncoding::Ansi;
}

std::wstring DecodeToWide(const std::string& bytes, TextEncoding encoding) {
    return IsUnicode(encoding) ? WideFromCodePage(LineText(bytes, encoding), CP_UTF8) : WideFromProgramText(bytes);
}

std::string EncodeFromWide(const std::wstring& wide, TextEncoding encoding) {
    return IsUnicode(encoding) ? FileBytes(CodePageFromWide(wide, CP_UTF8), encoding) : ProgramTextFromWide(wide);
}

bool IsUnicode(TextEncoding encoding) { return encoding != TextEncoding::Ansi; }

std::string AnsiFromUtf8(const std::string& utf8) { return ProgramTextFromWide(WideFromCodePage(utf8, CP_UTF8)); }

std::string Utf8FromAnsi(const std::string& ansi) { return CodePageFromWide(WideFromProgramText(ansi), CP_UTF8); }

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
