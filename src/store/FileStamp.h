// A file's size and last-write time at one look: what tells that another program changed it.
#pragma once

#include <string>

struct FileStamp {
    bool exists = false;
    unsigned long long size = 0;
    unsigned long long written = 0;  // last-write time, in 100 ns units

    bool operator==(const FileStamp& other) const {
        return exists == other.exists && size == other.size && written == other.written;
    }
    bool operator!=(const FileStamp& other) const { return !(*this == other); }
};

// The file's stamp now; a missing or unreadable file has none.
FileStamp StampOf(const std::string& path);
FileStamp StampOf(const std::wstring& path);
