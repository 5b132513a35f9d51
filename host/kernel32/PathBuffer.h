// How the kernel functions that return a path hand it out.
#pragma once

#include "host/win_types.h"

#include <cstring>
#include <string_view>

namespace host {

// Copies the text with its NUL and returns its length; when it does not fit (or there is no
// buffer), copies nothing and returns the size needed including the NUL.
inline DWORD copy_path_out(std::string_view text, char* buffer, DWORD size) {
    if (!buffer || size <= text.size())
        return static_cast<DWORD>(text.size() + 1);
    std::memcpy(buffer, text.data(), text.size());
    buffer[text.size()] = '\0';
    return static_cast<DWORD>(text.size());
}

}
