// A file another program may be writing while the program runs (a sync tool, a copy from a USB
// stick): its stamp at each look, and whether it changed and then held still for two looks in a
// row, so that a file still being copied is never taken half-written.
#pragma once

#include <optional>

#include "store/FileStamp.h"

class SettledFile {
public:
    // The file as it is now is what the program has: read or written by it.
    void take(const FileStamp& stamp);
    // One look: true when the file differs from the one taken and is the same as at the look
    // before (it is then taken).
    bool look(const FileStamp& now);

private:
    std::optional<FileStamp> m_previous;
    FileStamp m_taken;
};
