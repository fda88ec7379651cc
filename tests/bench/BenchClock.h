// Wall time from the performance counter, and this process's CPU time.
#pragma once

#include <windows.h>

class BenchClock {
public:
    BenchClock() { QueryPerformanceCounter(&m_start); }
    double ElapsedMs() const {
        LARGE_INTEGER now;
        LARGE_INTEGER frequency;
        QueryPerformanceCounter(&now);
        QueryPerformanceFrequency(&frequency);
        return (now.QuadPart - m_start.QuadPart) * 1000.0 / frequency.QuadPart;
    }

private:
    LARGE_INTEGER m_start;
};

// User and kernel time of the process so far, in milliseconds; -1 when it cannot be read.
inline double ProcessCpuMs(HANDLE process = GetCurrentProcess()) {
    FILETIME created;
    FILETIME ended;
    FILETIME kernel;
    FILETIME user;
    if (!GetProcessTimes(process, &created, &ended, &kernel, &user)) return -1.0;
    const auto ticks = [](const FILETIME& time) {
        return (static_cast<unsigned long long>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
    };
    return (ticks(kernel) + ticks(user)) / 10000.0;
}
