// The calls on file handles the file tests make over and over: open with an access and a
// disposition, read up to a size, write a text whole.
#pragma once

#include "host/kernel32.h"

#include <gtest/gtest.h>

#include <string>

inline HANDLE open_for(char const* name, DWORD access, DWORD disposition) {
    return CreateFileA(name, access, FILE_SHARE_READ, nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
}

inline std::string read_all(HANDLE file, DWORD size = 4096) {
    std::string bytes(size, '\0');
    DWORD got = 0;
    EXPECT_TRUE(ReadFile(file, bytes.data(), size, &got, nullptr));
    bytes.resize(got);
    return bytes;
}

inline bool write_text(HANDLE file, std::string const& text) {
    DWORD written = 0;
    return WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr) &&
           written == text.size();
}
