#include "support/HeldFile.h"

HeldFile::HeldFile(const std::string& path)
    : m_handle(CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                           FILE_ATTRIBUTE_NORMAL, nullptr)) {}

HeldFile::~HeldFile() {
    if (m_releaser.joinable()) m_releaser.join();
    release();
}

void HeldFile::release() {
    if (m_handle == INVALID_HANDLE_VALUE) return;
    CloseHandle(m_handle);
    m_handle = INVALID_HANDLE_VALUE;
}

void HeldFile::releaseAfter(unsigned ms) {
    HANDLE handle = m_handle;
    m_handle = INVALID_HANDLE_VALUE;
    m_releaser = std::thread([handle, ms] {
        Sleep(ms);
        if (handle != INVALID_HANDLE_VALUE) CloseHandle(handle);
    });
}
