// GetFileAttributesA and SetFileAttributesA on an ordinary Linux file system.
#include "TempPrefix.h"
#include "host/kernel32.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/xattr.h>

namespace {

struct AttributeCase {
    DWORD set;
    DWORD read_back;
};

class AttributeRoundTrip : public ::testing::TestWithParam<AttributeCase> {};

TEST_P(AttributeRoundTrip, reads_back_what_was_set) {
    TempPrefix prefix;
    prefix.write("C:\\FILE.TXT", "x");
    ASSERT_TRUE(SetFileAttributesA("C:\\FILE.TXT", GetParam().set));
    EXPECT_EQ(GetFileAttributesA("C:\\FILE.TXT"), GetParam().read_back);
}

INSTANTIATE_TEST_SUITE_P(Words, AttributeRoundTrip,
                         ::testing::Values(AttributeCase{0x01, 0x01}, AttributeCase{0x02, 0x02},
                                           AttributeCase{0x04, 0x04}, AttributeCase{0x20, 0x20},
                                           AttributeCase{0x27, 0x27}, AttributeCase{0x00, 0x80},
                                           AttributeCase{0x80, 0x80},
                                           // Masking the read-only bit off an all-ones word keeps the rest.
                                           AttributeCase{0xFFFE, 0x26}),
                         [](const auto& info) { return "set_" + std::to_string(info.param.set); });

TEST(FileAttributes, read_only_is_the_absence_of_write_bits) {
    TempPrefix prefix;
    prefix.write("C:\\FILE.TXT", "x");
    auto path = prefix.host("C:\\FILE.TXT");
    chmod(path.c_str(), 0644);
    ASSERT_TRUE(SetFileAttributesA("C:\\FILE.TXT", FILE_ATTRIBUTE_READONLY));
    struct stat st{};
    stat(path.c_str(), &st);
    EXPECT_EQ(st.st_mode & 0777, 0444u);
    ASSERT_TRUE(SetFileAttributesA("C:\\FILE.TXT", 0));
    stat(path.c_str(), &st);
    EXPECT_EQ(st.st_mode & 0200, 0200u);
}

TEST(FileAttributes, hidden_and_system_stored_as_wine_text) {
    TempPrefix prefix;
    prefix.write("C:\\FILE.TXT", "x");
    ASSERT_TRUE(SetFileAttributesA("C:\\FILE.TXT", FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM));
    char value[16] = {};
    ssize_t n = getxattr(prefix.host("C:\\FILE.TXT").c_str(), "user.DOSATTRIB", value, sizeof value);
    EXPECT_EQ(std::string(value, n > 0 ? static_cast<std::size_t>(n) : 0), "0x6");
    ASSERT_TRUE(SetFileAttributesA("C:\\FILE.TXT", FILE_ATTRIBUTE_NORMAL));
    EXPECT_LT(getxattr(prefix.host("C:\\FILE.TXT").c_str(), "user.DOSATTRIB", value, sizeof value), 0);
}

TEST(FileAttributes, samba_binary_attribute_read) {
    TempPrefix prefix;
    prefix.write("C:\\FILE.TXT", "x");
    // Version 4 blob: empty hex string, version 4, level 4, valid_flags ATTRIB, attrib hidden|archive.
    const unsigned char blob[] = {0x00, 0x00, 0x04, 0x00, 0x04, 0x00, 0x00, 0x00,
                                  0x01, 0x00, 0x00, 0x00, 0x22, 0x00, 0x00, 0x00};
    ASSERT_EQ(setxattr(prefix.host("C:\\FILE.TXT").c_str(), "user.DOSATTRIB", blob, sizeof blob, 0), 0);
    EXPECT_EQ(GetFileAttributesA("C:\\FILE.TXT"), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE);
}

TEST(FileAttributes, missing_file_gives_all_ones) {
    TempPrefix prefix;
    EXPECT_EQ(GetFileAttributesA("C:\\NONE.TXT"), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(GetLastError(), ERROR_FILE_NOT_FOUND);
    EXPECT_FALSE(SetFileAttributesA("C:\\NONE.TXT", 0xFFFE));
}

TEST(FileAttributes, folder_reports_directory_and_ignores_read_only) {
    TempPrefix prefix;
    EXPECT_EQ(GetFileAttributesA("C:\\WINDOWS"), FILE_ATTRIBUTE_DIRECTORY);
    ASSERT_TRUE(SetFileAttributesA("C:\\WINDOWS", FILE_ATTRIBUTE_READONLY));
    EXPECT_EQ(GetFileAttributesA("C:\\WINDOWS"), FILE_ATTRIBUTE_DIRECTORY);
}

TEST(FileAttributes, seeded_msdos_sys_is_hidden_system_read_only) {
    TempPrefix prefix;
    EXPECT_EQ(GetFileAttributesA("c:\\msdos.sys"),
              FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
}

// A missing file and a missing folder on the way are told apart, as Windows tells them.
TEST(FileAttributes, missing_names_give_the_error_windows_gives) {
    TempPrefix prefix;
    struct Case {
        const char* path;
        DWORD error;
    };
    const Case cases[] = {
        {"C:\\NONE.TXT", ERROR_FILE_NOT_FOUND},      {"C:\\WINDOWS\\NONE", ERROR_FILE_NOT_FOUND},
        {"C:\\NONE\\X.TXT", ERROR_PATH_NOT_FOUND},   {"C:\\NONE\\SUB\\X.TXT", ERROR_PATH_NOT_FOUND},
        {"C:\\MSDOS.SYS\\X", ERROR_PATH_NOT_FOUND},  {"Q:\\X", ERROR_PATH_NOT_FOUND},
        {"", ERROR_PATH_NOT_FOUND},
    };
    for (const auto& c : cases) {
        SetLastError(ERROR_SUCCESS);
        EXPECT_EQ(GetFileAttributesA(c.path), INVALID_FILE_ATTRIBUTES) << c.path;
        EXPECT_EQ(GetLastError(), c.error) << c.path;
    }
}

} // namespace
