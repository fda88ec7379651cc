// Another program's version of a file, kept beside it before the program writes its own over
// it: the operator can look at it, and nothing that program wrote is lost unknowingly.
#pragma once

#include <string>

// Another program's version of `path` kept beside it under a name that says what it is and when
// it was kept (the file's stem + ".其他程序的版本." + local time stamp [+ "-n"] + extension).
// At most kKeptCopies such copies of one file are kept: the oldest beyond them are removed.
// Returns the copy's name; empty when it could not be written.
constexpr int kKeptCopies = 5;
std::string KeepOtherVersion(const std::string& path, const std::string& bytes);
