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

// A file's bytes as text whose ASCII bytes stand for themselves, so that lines, keys and '='
// can be found in it: ANSI as it is, UTF-8 without its byte-order mark, UTF-16 as UTF-8 (no
// character is lost on the way). FileBytes turns it back into the file's bytes, with the mark.
std::string LineText(const std::string& bytes, TextEncoding encoding);
std::string FileBytes(const std::string& lineText, TextEncoding encoding);
// Whether LineText gives UTF-8 for the encoding (ANSI otherwise).
bool IsUnicode(TextEncoding encoding);

// Between UTF-8 and the ANSI code page; a character the code page lacks comes out as '?'.
std::string AnsiFromUtf8(const std::string& utf8);
std::string Utf8FromAnsi(const std::string& ansi);

// Between a code page's bytes and UTF-16; empty for empty or unconvertible text.
std::wstring WideFromCodePage(const std::string& text, unsigned codePage);
std::string CodePageFromWide(const std::wstring& wide, unsigned codePage);
