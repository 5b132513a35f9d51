#include "host/kernel32.h"

namespace {
thread_local DWORD t_last_error = ERROR_SUCCESS;
}

extern "C" DWORD GetLastError() { return t_last_error; }
extern "C" void SetLastError(DWORD code) { t_last_error = code; }
