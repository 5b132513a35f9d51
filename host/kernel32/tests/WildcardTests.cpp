// File-name patterns matched as Windows matches them in folder searches.
#include "kernel32/Wildcards.h"

#include <gtest/gtest.h>

namespace {

struct WildcardCase {
    const char* pattern;
    const char* name;
    bool matches;
};

class Wildcards : public ::testing::TestWithParam<WildcardCase> {};

TEST_P(Wildcards, match_as_windows_does) {
    EXPECT_EQ(host::matches_dos_pattern(GetParam().pattern, GetParam().name), GetParam().matches)
        << GetParam().pattern << " against " << GetParam().name;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Wildcards,
    ::testing::Values(
        // "*" and "*.*" match every name, with or without a dot.
        WildcardCase{"*", "readme", true}, WildcardCase{"*", "a.b.c", true}, WildcardCase{"*.*", "readme", true},
        WildcardCase{"*.*", ".profile", true},
        // Letters match without regard to case.
        WildcardCase{"SYSTEM.INI", "system.ini", true}, WildcardCase{"system.ini", "SYSTEM.IN", false},
        // "*." matches the names without an extension.
        WildcardCase{"*.", "readme", true}, WildcardCase{"*.", "a.txt", false}, WildcardCase{"*.", "a.b.", true},
        // A "*" before a dot stops at the last dot of the name.
        WildcardCase{"*.ini", "win.ini", true}, WildcardCase{"*.ini", "a.b.ini", true},
        WildcardCase{"*.ini", "win.inix", false}, WildcardCase{"*.ini", "ini", false},
        WildcardCase{"*.ini", ".ini", true}, WildcardCase{"a*.txt", "abc.txt", true},
        // A dot before "*" or "?" also matches the end of the name.
        WildcardCase{"a.*", "a", true}, WildcardCase{"a.*", "a.txt", true}, WildcardCase{"a.*", "a.b.ini", true},
        WildcardCase{"a.*", "ab", false}, WildcardCase{"a.?", "a", true}, WildcardCase{"a.?", "a.b", true},
        WildcardCase{"a.?", "a.bc", false},
        // "?" matches one character, or none at the end of the name or before a dot.
        WildcardCase{"ab?", "ab", true}, WildcardCase{"ab?", "abc", true}, WildcardCase{"ab?", "abcd", false},
        WildcardCase{"a?c", "abc", true}, WildcardCase{"a?c", "ac", false}, WildcardCase{"a?.txt", "a.txt", true},
        WildcardCase{"a?.txt", "ab.txt", true}, WildcardCase{"a?.txt", "abc.txt", false},
        WildcardCase{"a?b", "a.b", false}, WildcardCase{"????????.???", "autoexec.bat", true},
        WildcardCase{"????????.???", "config.sys", true}, WildcardCase{"???", "abcd", false},
        // A dot at the end of a name without wildcards matches the name without one.
        WildcardCase{"readme.", "readme", true}, WildcardCase{"readme.", "readme.txt", false},
        // "*" in the middle matches any run, dots included.
        WildcardCase{"a*z", "a.b.z", true}, WildcardCase{"a*z", "a.b.zz", true}, WildcardCase{"a*z", "a.b", false},
        WildcardCase{"", "a", false}),
    [](const auto& info) { return "case_" + std::to_string(info.index); });

} // namespace
