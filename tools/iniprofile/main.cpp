// iniprofile: the private-profile functions and file attributes of the prefix, for scripts.
//
//   iniprofile get FILE SECTION KEY DEFAULT   prints the value and a newline
//   iniprofile set FILE SECTION KEY VALUE     writes it
//   iniprofile attrib FILE [WORD]             prints or sets the attribute word (decimal)
//
// FILE is a DOS path resolved in the prefix that DOSPREFIX names.
#include "host/kernel32.h"

#include <charconv>
#include <cstdio>
#include <cstring>
#include <string_view>

namespace {

constexpr const char* kUsage = "usage: iniprofile get FILE SECTION KEY DEFAULT\n"
                               "       iniprofile set FILE SECTION KEY VALUE\n"
                               "       iniprofile attrib FILE [WORD]\n";

int usage() {
    std::fputs(kUsage, stderr);
    return 2;
}

int get(char** args) {
    char value[1024];
    DWORD length = GetPrivateProfileStringA(args[1], args[2], args[3], value, sizeof value, args[0]);
    std::fwrite(value, 1, length, stdout);
    std::fputc('\n', stdout);
    return 0;
}

int set(char** args) {
    if (!WritePrivateProfileStringA(args[1], args[2], args[3], args[0])) {
        std::fprintf(stderr, "Unable to write to %s\n", args[0]);
        return 1;
    }
    return 0;
}

int attrib(int count, char** args) {
    if (count == 1) {
        std::printf("%lu\n", static_cast<unsigned long>(GetFileAttributesA(args[0])));
        return 0;
    }
    std::string_view text(args[1]);
    unsigned long word = 0;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), word);
    if (error != std::errc{} || end != text.data() + text.size() || word > 0xFFFFFFFFul) {
        std::fprintf(stderr, "iniprofile: not an attribute word: %s\n", args[1]);
        return 2;
    }
    if (!SetFileAttributesA(args[0], static_cast<DWORD>(word))) {
        std::fprintf(stderr, "Unable to set attributes of %s\n", args[0]);
        return 1;
    }
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2)
        return usage();
    std::string_view verb(argv[1]);
    int count = argc - 2;
    char** args = argv + 2;
    if (verb == "get" && count == 4)
        return get(args);
    if (verb == "set" && count == 4)
        return set(args);
    if (verb == "attrib" && (count == 1 || count == 2))
        return attrib(count, args);
    return usage();
}
