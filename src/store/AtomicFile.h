// Whole files as exact bytes. A write goes to a temporary file beside the target, is flushed
// to the disk and then replaces the target in one move, so the target is never seen
// half-written: after a crash or a power cut it holds the old bytes or the new ones.
#pragma once

#include <cstddef>
#include <functional>
#include <string>

// Whether `path` can name a file: not empty and without a NUL. The platform reads a path only
// up to a NUL, so a path holding one would name another file.
bool IsFileName(const std::string& path);
bool IsFileName(const std::wstring& path);

// What became of reading a whole file.
enum class FileRead {
    Read,        // the bytes are the file's, all of them
    Missing,     // nothing there (a path that names no file at all)
    Unreadable,  // there, but not to be read: a folder, no access, held open by another program
    TooLarge,    // larger than the caller allows; left unread
};

// What became of writing a whole file. Whatever the failure, the file is left as it was.
enum class FileWrite {
    Written,  // the file holds the new bytes
    Held,     // another program held the file open throughout the wait
    Denied,   // not to be written here: a read-only file, a folder or a file the user may not write
    Failed,   // the system could not finish the write (say, the disk is full) or the path names no file
};

class AtomicFile {
public:
    // The whole file into `bytes` (empty unless Read). A file that another program holds open
    // without sharing (a backup or a virus scanner, for a moment) is tried again for up to
    // `patienceMs` milliseconds.
    static FileRead read(const std::string& path, size_t maxBytes, std::string& bytes, unsigned patienceMs = 0);
    // The same, into memory of the caller's: `room(size)` gives space for the file's `size`
    // bytes (nullptr when it has none: TooLarge), and `length` how many were read (a file
    // shortened while it is read gives fewer). One call of `room` per attempt.
    static FileRead read(const std::string& path, size_t maxBytes, const std::function<char*(size_t)>& room,
                         size_t& length, unsigned patienceMs = 0);
    // The same for a path as the platform names it, for a name the program's code page cannot write.
    static FileRead read(const std::wstring& path, size_t maxBytes, const std::function<char*(size_t)>& room,
                         size_t& length, unsigned patienceMs = 0);
    // Afterwards the file holds exactly `bytes`; on failure it is left as it was. A target that
    // another program holds open is tried again for up to `patienceMs` milliseconds.
    static FileWrite write(const std::string& path, const std::string& bytes, unsigned patienceMs = 0);
};
