// A file held open by "another program", as a backup or a virus scanner holds one: opened
// with no sharing, so that nobody else may read, write, replace or delete it meanwhile.
#pragma once

#include <windows.h>

#include <string>
#include <thread>

class HeldFile {
public:
    explicit HeldFile(const std::string& path);
    ~HeldFile();
    HeldFile(const HeldFile&) = delete;
    HeldFile& operator=(const HeldFile&) = delete;

    bool held() const { return m_handle != INVALID_HANDLE_VALUE; }
    // Lets go now, or after `ms` milliseconds from a thread of its own.
    void release();
    void releaseAfter(unsigned ms);

private:
    HANDLE m_handle;
    std::thread m_releaser;
};
