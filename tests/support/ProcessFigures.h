// What the kernel says of a process: under Wine each Windows process is a Linux process, and
// /proc is reached through drive Z:. Files there are opened by the Wine server, so
// /proc/self would be the server: a process is found by its command line instead.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// The /proc folder ("Z:\proc\<pid>\") of the process whose command-line words (argv as
// Wine gave them to the Linux process) satisfy `matches` and that started closest to
// `startSeconds` (seconds since the Unix epoch); empty if there is none.
std::string FindProcFolder(const std::function<bool(const std::vector<std::string>&)>& matches,
                           double startSeconds);
// This process's resident memory in bytes: VmRSS under Wine, the working set on Windows.
// 0 when neither can be read.
uint64_t ResidentBytes();
// The most it has had so far: VmHWM under Wine, the peak working set on Windows.
uint64_t PeakResidentBytes();
// Makes the peak the present resident memory, where the kernel allows it (Linux, so under Wine);
// false where it does not (Windows keeps its peak).
bool ResetPeakResident();
// User and system CPU time of the process behind a /proc folder, in ms; -1 if unreadable.
double ProcCpuMs(const std::string& procFolder);
// Seconds since the Unix epoch at which a process started, from its creation time.
double StartSeconds(HANDLE process);
