// The prefix: seeding, drives, DOS paths and short names.
#include "TempPrefix.h"
#include "host/kernel32.h"
#include "prefix/Prefix.h"
#include "prefix/ShortNames.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

namespace {

TEST(PrefixSeed, new_prefix_has_windows_95_boot_layout) {
    TempPrefix prefix;
    std::string msdos = prefix.read("C:\\MSDOS.SYS");
    EXPECT_GT(msdos.size(), 1024u);
    EXPECT_TRUE(msdos.starts_with("[Paths]\r\nWinDir=C:\\WINDOWS\r\n"));
    EXPECT_EQ(msdos.find("\n"), msdos.find("\r\n") + 1); // CR LF line ends
    EXPECT_NE(msdos.find(";Do not remove them (MSDOS.SYS needs to be >1024 bytes).\r\n"), std::string::npos);
    EXPECT_TRUE(msdos.ends_with("xs\r\n"));
    for (const char* path : {"C:\\CONFIG.SYS", "C:\\AUTOEXEC.BAT", "C:\\WINDOWS\\WIN.INI", "C:\\WINDOWS\\SYSTEM.INI"})
        EXPECT_TRUE(fs::is_regular_file(prefix.host(path))) << path;
    EXPECT_TRUE(fs::is_directory(prefix.host("C:\\WINDOWS\\SYSTEM")));
    char value[64];
    for (const char* type : {"avivideo", "QTWVideo", "Animation1"})
        EXPECT_GT(GetPrivateProfileStringA("mci", type, "", value, sizeof value, "C:\\WINDOWS\\SYSTEM.INI"), 0u) << type;
    EXPECT_EQ(fs::read_symlink(prefix.root() / "dosdevices" / "c:"), fs::path("../drive_c"));
    EXPECT_EQ(fs::read_symlink(prefix.root() / "dosdevices" / "z:"), fs::path("/"));
}

TEST(PrefixSeed, existing_files_left_as_they_are) {
    TempPrefix prefix;
    prefix.write("C:\\CONFIG.SYS", "FILES=99\r\n");
    fs::remove(prefix.host("C:\\AUTOEXEC.BAT"));
    host::seed_prefix(prefix.root());
    EXPECT_EQ(prefix.read("C:\\CONFIG.SYS"), "FILES=99\r\n");
    EXPECT_TRUE(fs::exists(prefix.host("C:\\AUTOEXEC.BAT")));
}

TEST(PrefixDrives, letters_types_and_raw_disc) {
    TempPrefix prefix;
    fs::create_directory(prefix.root() / "cdrom");
    fs::create_directory_symlink("../cdrom", prefix.root() / "dosdevices" / "d:");
    std::ofstream(prefix.root() / "disc.cue") << "FILE \"disc.bin\" BINARY\n";
    fs::create_symlink("../disc.cue", prefix.root() / "dosdevices" / "e::");
    EXPECT_EQ(GetLogicalDrives(), (1u << 2) | (1u << 3) | (1u << 4) | (1u << 25));
    EXPECT_EQ(GetDriveTypeA("C:\\"), DRIVE_FIXED);
    EXPECT_EQ(GetDriveTypeA("d:\\"), DRIVE_FIXED);
    EXPECT_EQ(GetDriveTypeA("E:\\"), DRIVE_CDROM);
    EXPECT_EQ(GetDriveTypeA("Q:\\"), DRIVE_NO_ROOT_DIR);
    auto e = host::Prefix::current().drive('e');
    ASSERT_TRUE(e && e->disc);
    EXPECT_EQ(e->disc->filename(), "disc.cue");
    // The device namespace names a drive's raw disc; a drive without one has none.
    EXPECT_EQ(host::Prefix::current().to_host("\\\\.\\e:"), e->disc);
    EXPECT_EQ(host::Prefix::current().to_host("//./E:"), e->disc);
    EXPECT_FALSE(host::Prefix::current().to_host("\\\\.\\D:"));
    EXPECT_FALSE(host::Prefix::current().to_host("\\\\.\\Q:"));
    EXPECT_NE(GetFileAttributesA("\\\\.\\E:"), INVALID_FILE_ATTRIBUTES);
    std::ofstream(prefix.root() / "drives.ini") << "[Drives]\r\nd:=cdrom\r\n";
    EXPECT_EQ(GetDriveTypeA("D:\\"), DRIVE_CDROM);
}

TEST(PrefixPaths, existing_names_found_without_regard_to_case_and_new_names_kept) {
    TempPrefix prefix;
    auto& p = host::Prefix::current();
    EXPECT_EQ(p.to_host("c:\\windows\\system.ini"), prefix.drive_c() / "WINDOWS" / "SYSTEM.INI");
    EXPECT_EQ(p.to_host("C:/Windows/System.Ini"), prefix.drive_c() / "WINDOWS" / "SYSTEM.INI");
    EXPECT_EQ(p.to_host("C:\\WINDOWS\\NewFile.Txt"), prefix.drive_c() / "WINDOWS" / "NewFile.Txt");
    EXPECT_EQ(p.to_host("C:\\WINDOWS\\..\\..\\MSDOS.SYS"), prefix.drive_c() / "MSDOS.SYS");
    EXPECT_EQ(p.to_host("C:\\"), prefix.drive_c());
    EXPECT_FALSE(p.to_host("Q:\\X"));
    EXPECT_EQ(p.to_dos(prefix.drive_c() / "WINDOWS" / "SYSTEM.INI"), "C:\\WINDOWS\\SYSTEM.INI");
    EXPECT_EQ(p.to_dos(prefix.drive_c()), "C:\\");
}

TEST(PrefixPaths, long_names_have_stable_short_names_that_resolve_back) {
    TempPrefix prefix;
    prefix.write("C:\\My Movies\\longfilename.text", "x");
    auto& p = host::Prefix::current();
    auto dos = p.to_dos(prefix.drive_c() / "My Movies" / "longfilename.text", true);
    ASSERT_TRUE(dos);
    EXPECT_EQ(*dos, "C:\\" + host::short_name_of("My Movies") + "\\" + host::short_name_of("longfilename.text"));
    EXPECT_EQ(p.to_host(*dos), prefix.drive_c() / "My Movies" / "longfilename.text");
    EXPECT_EQ(p.to_dos(prefix.drive_c() / "My Movies" / "longfilename.text", true), dos);
}

TEST(PrefixPaths, relative_paths_start_in_working_directory) {
    TempPrefix prefix;
    fs::path saved = fs::current_path();
    fs::current_path(prefix.drive_c() / "WINDOWS");
    auto& p = host::Prefix::current();
    EXPECT_EQ(p.to_host("system.ini"), prefix.drive_c() / "WINDOWS" / "SYSTEM.INI");
    EXPECT_EQ(p.to_host("\\MSDOS.SYS"), prefix.drive_c() / "MSDOS.SYS");
    EXPECT_EQ(p.to_host("C:SYSTEM\\..\\WIN.INI"), prefix.drive_c() / "WINDOWS" / "WIN.INI");
    fs::current_path(saved);
}

struct ShortNameCase {
    const char* long_name;
    const char* pattern; // the short name, with '?' for each hash character
};

class ShortNames : public ::testing::TestWithParam<ShortNameCase> {};

TEST_P(ShortNames, follow_the_8_3_rules) {
    std::string name = host::short_name_of(GetParam().long_name);
    std::string pattern = GetParam().pattern;
    ASSERT_EQ(name.size(), pattern.size()) << name;
    for (std::size_t i = 0; i < name.size(); ++i) {
        if (pattern[i] != '?') {
            EXPECT_EQ(name[i], pattern[i]) << name;
        }
    }
    EXPECT_TRUE(host::is_valid_short_name(name)) << name;
    EXPECT_EQ(name, host::short_name_of(GetParam().long_name)); // stable
}

INSTANTIATE_TEST_SUITE_P(Names, ShortNames,
                         ::testing::Values(ShortNameCase{"SYSTEM.INI", "SYSTEM.INI"},
                                           ShortNameCase{"readme.txt", "README.TXT"},
                                           ShortNameCase{"longfilename.text", "LONG~???.TEX"},
                                           ShortNameCase{"a b.c", "A_B~~???.C"},
                                           ShortNameCase{"archive.tar.gz", "ARCH~???.GZ"},
                                           ShortNameCase{".hidden", "HIDD~???"},
                                           ShortNameCase{"toolongname", "TOOL~???"}),
                         [](const auto& info) { return "name_" + std::to_string(info.index); });

TEST(ShortNamesHash, differs_between_names_with_the_same_start) {
    EXPECT_NE(host::short_name_of("longfilename1.text"), host::short_name_of("longfilename2.text"));
    EXPECT_EQ(host::short_name_of("LongFileName.TEXT"), host::short_name_of("longfilename.text"));
}

TEST(WindowsDirectory, default_and_buffer_rules) {
    TempPrefix prefix;
    char buffer[255];
    EXPECT_EQ(GetWindowsDirectoryA(buffer, sizeof buffer), 10u);
    EXPECT_STREQ(buffer, "C:\\WINDOWS");
    EXPECT_EQ(GetWindowsDirectoryA(buffer, 5), 11u);
}

TEST(WindowsDirectory, msdos_sys_may_name_another_existing_folder) {
    TempPrefix prefix;
    fs::create_directory(prefix.drive_c() / "WIN95");
    prefix.write("C:\\MSDOS.SYS", "[Paths]\r\nWinDir=C:\\WIN95\r\n");
    char buffer[255];
    GetWindowsDirectoryA(buffer, sizeof buffer);
    EXPECT_STREQ(buffer, "C:\\WIN95");
    prefix.write("C:\\MSDOS.SYS", "[Paths]\r\nWinDir=C:\\NOTHERE\r\n");
    GetWindowsDirectoryA(buffer, sizeof buffer);
    EXPECT_STREQ(buffer, "C:\\WINDOWS");
}

} // namespace
