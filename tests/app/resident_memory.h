#pragma once

#include <fstream>
#include <unistd.h>

// Resident memory of this process in bytes: the second figure of /proc/self/statm, in pages.
inline long ResidentBytes() {
    std::ifstream statm("/proc/self/statm");
    long nSize = 0;
    long nResident = 0;
    statm >> nSize >> nResident;
    return nResident * sysconf(_SC_PAGESIZE);
}
