// The program's text is code page 936, as a Chinese Windows has it, whatever the system's ANSI
// code page says: at each boundary with the platform it goes to and from UTF-16 through these,
// and to the platform's Unicode (W) calls. A name the code page cannot write (Korean, emoji) is
// found by ProgramTextHolds before it would become '?'.
#pragma once

#include <windows.h>

#include <limits>
#include <string>

constexpr unsigned kProgramCodePage = 936;

// Between a code page's bytes and UTF-16; empty for empty or unconvertible text.
inline std::wstring WideFromCodePage(const std::string& text, unsigned codePage) {
    if (text.empty() || text.size() > static_cast<size_t>(std::numeric_limits<int>::max())) return {};
    const int length = static_cast<int>(text.size());
    const int wideLength = MultiByteToWideChar(codePage, 0, text.data(), length, nullptr, 0);
    if (wideLength <= 0) return {};
    std::wstring wide(static_cast<size_t>(wideLength), L'\0');
    MultiByteToWideChar(codePage, 0, text.data(), length, &wide[0], wideLength);
    return wide;
}

inline std::string CodePageFromWide(const std::wstring& wide, unsigned codePage) {
    if (wide.empty() || wide.size() > static_cast<size_t>(std::numeric_limits<int>::max())) return {};
    const int length = static_cast<int>(wide.size());
    const int narrowLength = WideCharToMultiByte(codePage, 0, wide.data(), length, nullptr, 0, nullptr, nullptr);
    if (narrowLength <= 0) return {};
    std::string narrow(static_cast<size_t>(narrowLength), '\0');
    WideCharToMultiByte(codePage, 0, wide.data(), length, &narrow[0], narrowLength, nullptr, nullptr);
    return narrow;
}

inline std::wstring WideFromProgramText(const std::string& text) { return WideFromCodePage(text, kProgramCodePage); }

// A character the code page lacks comes out as '?'.
inline std::string ProgramTextFromWide(const std::wstring& wide) { return CodePageFromWide(wide, kProgramCodePage); }

// Whether the code page writes every character of `wide` as itself, with no '?' and no look-alike
// in its place.
inline bool ProgramTextHolds(const std::wstring& wide) {
    if (wide.empty()) return true;
    if (wide.size() > static_cast<size_t>(std::numeric_limits<int>::max())) return false;
    BOOL lossy = FALSE;
    const int length = static_cast<int>(wide.size());
    return WideCharToMultiByte(kProgramCodePage, WC_NO_BEST_FIT_CHARS, wide.data(), length, nullptr, 0, nullptr,
                               &lossy) > 0 &&
           !lossy;
}
