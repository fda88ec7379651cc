// The encodings in which Notepad saves a text file, and the program's own ANSI text.
//
// A byte-order mark names the encoding: UTF-8 (EF BB BF), UTF-16 little-endian (FF FE) or
// big-endian (FE FF). Without one, text that is valid UTF-8, holds at least one non-ASCII
// character and has only characters the ANSI code page knows is UTF-8 (Notepad's default since
// 2019), unless its UTF-8 reading holds only European letters and the same bytes are Chinese in
// a double-byte ANSI code page; anything else is ANSI, the system's code page, which the program
// works in.
#pragma once

#include <string>

enum class TextEncoding { Ansi, Utf8, Utf8WithBom, Utf16Le, Utf16Be };

TextEncoding DetectTextEncoding(const std::string& bytes);

// The text in the ANSI code page, without its byte-order mark. ANSI bytes come through as they
// are; a character the code page lacks comes out as '?'.
std::string DecodeToAnsi(const std::string& bytes, TextEncoding encoding);
// ANSI text in the encoding, with the byte-order mark the encoding has.
std::string EncodeFromAnsi(const std::string& ansi, TextEncoding encoding);

// Between a code page's bytes and UTF-16; empty for empty or unconvertible text.
std::wstring WideFromCodePage(const std::string& text, unsigned codePage);
std::string CodePageFromWide(const std::wstring& wide, unsigned codePage);
