// The text form of the settings store, "Placard.ini":
//
//     ; Placard settings
//     width=800
//     clrbg=0xFF000000
//     dispbtm=first line\r\nsecond \\ line
//
// One `key=value` line per key, ended by CR LF (a lone LF is read as well, and the last line
// needs no break). The key is everything before the first '=' and the value everything after
// it up to the line break. Ints are decimal, flags 0 or 1, colours 0xAARRGGBB. Strings and
// keys escape the bytes that would break a line: `\\`, `\r`, `\n`, and `\xHH` for NUL and
// the other control bytes; keys also escape '=', a leading ';', '#' or '[' and blanks at
// either end. Every other byte (CP936 text and bytes that are not valid CP936 alike) is stored
// as it is, so every value round-trips exactly.
//
// Operators edit the file by hand, so reading forgives what Notepad leaves: a UTF-8 byte-order
// mark, blanks around a key and around a number, and `key = value` with blanks on both sides of
// the '=' (the blanks after it are then no part of the value). Otherwise reading is strict: a
// value that does not parse as the kind asked for counts as never saved. Lines without '=',
// comment lines (';' or '#' first) and section lines ('[' first) are no entries; for a
// duplicate key the last line wins.
#pragma once

#include <string>
#include <vector>

#include <windows.h>
#include <objidl.h>
#include <gdiplus.h>

std::string EncodeStoreString(const std::string& text);
bool DecodeStoreString(const std::string& encoded, std::string& text);
std::string EncodeStoreKey(const std::string& key);

std::string FormatStoreInt(int value);
bool ParseStoreInt(const std::string& text, int& value);
std::string FormatStoreFlag(bool value);
bool ParseStoreFlag(const std::string& text, bool& value);
std::string FormatStoreColour(Gdiplus::ARGB value);
bool ParseStoreColour(const std::string& text, Gdiplus::ARGB& value);

// Space and tab: what a hand edit may leave around keys and numbers.
bool IsStoreBlank(char c);
