// The text form of the settings store, "Placard.ini":
//
//     ; Placard settings
//     width=800
//     clrbg=0xFF000000
//     dispbtm=first line\r\nsecond \\ line
//
// One `key=value` line per key, ended by CR LF (a lone LF is read as well). The key is
// everything before the first '=', the value everything after it up to the line break, blanks
// included. Ints are decimal, flags 0 or 1, colours 0xAARRGGBB. Strings and keys escape the
// bytes that would break a line: `\\`, `\r`, `\n`, and `\xHH` for NUL and the other control
// bytes; keys also escape '=' and a leading ';', '#' or '['. Every other byte (CP936 text and
// bytes that are not valid CP936 alike) is stored as it is, so every value round-trips exactly.
//
// Reading is strict: a value that does not parse as the kind asked for counts as never saved.
// Lines without '=', comment lines (';' or '#' first) and section lines ('[' first) are ignored;
// for a duplicate key the last line wins. A line counts only once its line break is there, so a
// cut-off file loses its incomplete last line instead of yielding a shortened value.
#pragma once

#include <string>
#include <vector>

#include <windows.h>
#include <objidl.h>
#include <gdiplus.h>

struct StoreEntry {
    std::string key;    // decoded
    std::string value;  // as written in the file, decoded only when read as a kind
};

std::string EncodeStoreString(const std::string& text);
bool DecodeStoreString(const std::string& encoded, std::string& text);
std::string EncodeStoreKey(const std::string& key);

std::string FormatStoreInt(int value);
bool ParseStoreInt(const std::string& text, int& value);
std::string FormatStoreFlag(bool value);
bool ParseStoreFlag(const std::string& text, bool& value);
std::string FormatStoreColour(Gdiplus::ARGB value);
bool ParseStoreColour(const std::string& text, Gdiplus::ARGB& value);

// The entries of a store text in first-seen order, each with its last value.
std::vector<StoreEntry> ParseStoreText(const std::string& text);
std::string FormatStoreText(const std::vector<StoreEntry>& entries);
// Sets the value of `key`, adding the key at the end when it is new.
void SetStoreEntry(std::vector<StoreEntry>& entries, const std::string& key, const std::string& value);
const StoreEntry* FindStoreEntry(const std::vector<StoreEntry>& entries, const std::string& key);
