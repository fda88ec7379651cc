// A text file's lines, as Notepad shows them.
#pragma once

#include <string>
#include <vector>

// The lines of text whose lines end in CR LF, without their ends; a last line without one too.
std::vector<std::string> TextLines(const std::string& text);
