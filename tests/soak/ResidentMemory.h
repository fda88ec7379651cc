// The resident memory of this process, in bytes. Under Wine it is the kernel's own figure
// (VmRSS in /proc/<pid>/status, reached through drive Z:). Files there are opened by the
// Wine server, so /proc/self would be the server: the process is found by its command line
// and its start time instead. On Windows it is the working set. 0 when neither can be read.
#pragma once

#include <cstdint>

uint64_t ResidentBytes();
