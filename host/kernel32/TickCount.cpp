// The system tick count: milliseconds of the monotonic clock, which counts from the system's
// start and never goes back.
#include "host/kernel32.h"

#include <ctime>

extern "C" DWORD GetTickCount() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    const auto milliseconds = static_cast<unsigned long long>(now.tv_sec) * 1000ull +
                              static_cast<unsigned long long>(now.tv_nsec) / 1000000ull;
    return static_cast<DWORD>(milliseconds); // wraps as Windows' count does
}
