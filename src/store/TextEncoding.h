// The encodings in which Notepad saves a text file, and the program's own ANSI text.
//
// A byte-order mark names the encoding: UTF-8 (EF BB BF), UTF-16 little-endian (FF FE) or
// big-endian (FE FF). Without one, valid UTF-8 text with at least one non-ASCII character is
// UTF-8 (Notepad's default since 2019) when a character of it takes three or four bytes, or when
// all of its characters are ones code page 936 writes and the same bytes are not also Chinese in
// code page 936; anything else is ANSI: code page 936, the program's own, on every system.
#pragma once

#include <string>

#include "base/ProgramText.h"

enum class TextEncoding { Ansi, Utf8, Utf8WithBom, Utf16Le, Utf16Be };

TextEncoding DetectTextEncoding(const std::string& bytes);

// The text as the platform has it, without its byte-order mark, and back into the encoding with
// its mark: every character a Unicode file holds is kept; in an ANSI file a character code page
// 936 lacks comes out as '?' (ProgramTextHolds tells).
std::wstring DecodeToWide(const std::string& bytes, TextEncoding encoding);
std::string EncodeFromWide(const std::wstring& wide, TextEncoding encoding);

// A file's bytes as text whose ASCII bytes stand for themselves, so that lines, keys and '='
// can be found in it: ANSI as it is, UTF-8 without its byte-order mark, UTF-16 as UTF-8 (no
// character is lost on the way). FileBytes turns it back into the file's bytes, with the mark.
std::string LineText(const std::string& bytes, TextEncoding encoding);
std::string FileBytes(const std::string& lineText, TextEncoding encoding);
// Whether LineText gives UTF-8 for the encoding (ANSI otherwise).
bool IsUnicode(TextEncoding encoding);

// Between UTF-8 and code page 936; a character the code page lacks comes out as '?'.
std::string AnsiFromUtf8(const std::string& utf8);
std::string Utf8FromAnsi(const std::string& ansi);
