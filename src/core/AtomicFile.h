// Whole files as exact bytes. A write goes to a temporary file beside the target, is flushed
// to the disk and then replaces the target in one move, so the target is never seen
// half-written: after a crash or a power cut it holds the old bytes or the new ones.
#pragma once

#include <cstddef>
#include <string>

class AtomicFile {
public:
    // The whole file into `bytes`; false (and `bytes` empty) for a missing or unreadable
    // file, a folder, or a file larger than `maxBytes`.
    static bool read(const std::string& path, size_t maxBytes, std::string& bytes);
    // Afterwards the file holds exactly `bytes`; on failure it is left as it was.
    static bool write(const std::string& path, const std::string& bytes);

    // Tests only: stop each write after the temporary file, as a crash there would.
    static void stopBeforeReplace(bool stop);
    static std::string temporaryPath(const std::string& path) { return path + ".tmp"; }
};
