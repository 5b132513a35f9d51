// The boot files as the tuner reads and writes them through TIniFile.
#include "BootFiles.h"
#include "IniFiles.h"
#include "TempPrefix.h"
#include "host/kernel32.h"

#include <gtest/gtest.h>

#include <map>

using namespace BootFiles;

namespace {

std::map<std::string, std::string> read_all() {
    std::map<std::string, std::string> values;
    for (const auto& setting : StartupReads)
        values[setting.Control] = ReadSetting(setting);
    return values;
}

TEST(BootFilesRead, no_boot_files_give_the_defaults) {
    TempPrefix prefix;
    for (const char* path : {"C:\\MSDOS.SYS", "C:\\CONFIG.SYS", "C:\\WINDOWS\\SYSTEM.INI"}) {
        SetFileAttributesA(path, 0);
        std::filesystem::remove(prefix.host(path));
    }
    auto v = read_all();
    EXPECT_EQ(v["Edit1"], "C:\\WINDOWS");
    EXPECT_EQ(v["Edit2"], "C:\\WINDOWS");
    EXPECT_EQ(v["Edit3"], "C");
    EXPECT_EQ(v["Edit4"], "0");
    EXPECT_EQ(v["Edit5"], "1");
    EXPECT_EQ(v["Edit8"], "0");
    EXPECT_EQ(v["SpinEdit1"], "2");
    EXPECT_EQ(v["SpinEdit2"], "512");
    EXPECT_EQ(v["SpinEdit3"], "1024");
    EXPECT_EQ(v["SpinEdit4"], "35");
    EXPECT_EQ(v["SpinEdit5"], "5");
    EXPECT_EQ(v["SpinEdit6"], "0");
    EXPECT_EQ(v["SpinEdit7"], "1");
}

TEST(BootFilesRead, bootkeys_read_whatever_its_spelling) {
    TempPrefix prefix;
    SetFileAttributesA("C:\\MSDOS.SYS", 0);
    prefix.write("C:\\MSDOS.SYS", "[Options]\r\nBootKeys=1\r\nAutoscan=1\r\n");
    auto v = read_all();
    EXPECT_EQ(v["Edit11"], "1");
    EXPECT_EQ(v["SpinEdit1"], "1");
}

struct CutCase {
    const char* line;
    const char* control;
    const char* expected;
};

class ConfigSysReadBack : public ::testing::TestWithParam<CutCase> {};

TEST_P(ConfigSysReadBack, keeps_leading_characters) {
    TempPrefix prefix;
    prefix.write("C:\\CONFIG.SYS", std::string("FILES=40\r\n[DeleteThisPartinBrackets]\r\n") + GetParam().line + "\r\n");
    EXPECT_EQ(read_all()[GetParam().control], GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Values, ConfigSysReadBack,
                         ::testing::Values(CutCase{"STACKS=9,256", "SpinEdit6", "9"},
                                           CutCase{"BUFFERS=30,30", "SpinEdit5", "3"},
                                           CutCase{"FILES=100", "SpinEdit4", "10"},
                                           CutCase{"FILES=120", "SpinEdit4", "12"},
                                           CutCase{"FCBS=4,0", "SpinEdit7", "4"},
                                           CutCase{"OTHER=1", "SpinEdit4", "35"}),
                         [](const auto& info) { return std::string(info.param.control) + "_" + std::to_string(info.index); });

struct FormCase {
    const char *files, *buffers, *stacks, *fcbs;
    const char* lines;
};

class ConfigSysForms : public ::testing::TestWithParam<FormCase> {};

TEST_P(ConfigSysForms, written_in_order_under_pseudo_section) {
    TempPrefix prefix;
    prefix.write("C:\\CONFIG.SYS", "DOS=HIGH\r\n");
    const auto& c = GetParam();
    WriteConfigSys(c.files, c.buffers, c.stacks, c.fcbs);
    EXPECT_EQ(prefix.read("C:\\CONFIG.SYS"), std::string("DOS=HIGH\r\n[DeleteThisPartinBrackets]\r\n") + c.lines);
}

INSTANTIATE_TEST_SUITE_P(
    Values, ConfigSysForms,
    ::testing::Values(FormCase{"40", "30", "9", "4", "STACKS=9,256\r\nFILES=40\r\nBUFFERS=30,30\r\nFCBS=4,0\r\n"},
                      FormCase{"12", "1", "0", "1", "STACKS=0,0\r\nFILES=12\r\nBUFFERS=1,1\r\nFCBS=1,0\r\n"},
                      // The text is written as the spin box holds it, untested.
                      FormCase{"x", "", "00", "7", "STACKS=00,256\r\nFILES=x\r\nBUFFERS=,\r\nFCBS=7,0\r\n"}),
    [](const auto& info) { return "case_" + std::to_string(info.index); });

TEST(ConfigSysWrite, second_write_replaces_in_place_and_deleted_header_appends_again) {
    TempPrefix prefix;
    prefix.write("C:\\CONFIG.SYS", "DOS=HIGH\r\n");
    WriteConfigSys("40", "30", "9", "4");
    WriteConfigSys("35", "5", "0", "1");
    const std::string block = "[DeleteThisPartinBrackets]\r\nSTACKS=0,0\r\nFILES=35\r\nBUFFERS=5,5\r\nFCBS=1,0\r\n";
    EXPECT_EQ(prefix.read("C:\\CONFIG.SYS"), "DOS=HIGH\r\n" + block);

    // The user deletes the bracketed line by hand: the four lines stay, invisible to reads.
    prefix.write("C:\\CONFIG.SYS", "DOS=HIGH\r\nSTACKS=0,0\r\nFILES=35\r\nBUFFERS=5,5\r\nFCBS=1,0\r\n");
    auto v = read_all();
    EXPECT_EQ(v["SpinEdit6"], "0");
    EXPECT_EQ(v["SpinEdit4"], "35");
    EXPECT_EQ(v["SpinEdit5"], "5");
    EXPECT_EQ(v["SpinEdit7"], "1");
    WriteConfigSys("35", "5", "0", "1");
    EXPECT_EQ(prefix.read("C:\\CONFIG.SYS"),
              "DOS=HIGH\r\nSTACKS=0,0\r\nFILES=35\r\nBUFFERS=5,5\r\nFCBS=1,0\r\n" + block);
}

TEST(ConfigSysWrite, read_only_file_written_and_left_writable) {
    TempPrefix prefix;
    prefix.write("C:\\CONFIG.SYS", "DOS=HIGH\r\n");
    SetFileAttributesA("C:\\CONFIG.SYS", FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_ARCHIVE);
    WriteConfigSys("40", "30", "9", "4");
    EXPECT_EQ(GetFileAttributesA("C:\\CONFIG.SYS"), FILE_ATTRIBUTE_ARCHIVE);
    EXPECT_NE(prefix.read("C:\\CONFIG.SYS").find("FILES=40"), std::string::npos);
}

TEST(IniFile, failed_write_raises_unable_to_write_with_file_name) {
    TempPrefix prefix;
    TIniFile ini("C:\\NOFOLDER\\X.INI");
    try {
        ini.WriteString("s", "k", "v");
        FAIL() << "no error raised";
    } catch (const EIniFileException& error) {
        EXPECT_EQ(error.Message(), "Unable to write to C:\\NOFOLDER\\X.INI");
    }
}

TEST(MsdosSysAttributes, commit_on_hidden_system_read_only_file_leaves_no_bits) {
    TempPrefix prefix; // seeded MSDOS.SYS is hidden, system and read-only
    ASSERT_EQ(GetFileAttributesA(MsdosSysAttributePath), 7u);
    ClearReadOnly(MsdosSysAttributePath); // start-up
    EXPECT_EQ(GetFileAttributesA(MsdosSysAttributePath), 6u);
    {
        MsdosSysCommit commit;
        TIniFile(MsdosSysPath).WriteString("Options", "BootKeys", "1");
    }
    EXPECT_EQ(GetFileAttributesA(MsdosSysAttributePath), FILE_ATTRIBUTE_NORMAL);
}

TEST(MsdosSysAttributes, commit_restores_read_only_even_when_a_write_fails) {
    TempPrefix prefix; // still read-only: the write fails, the restore runs
    EXPECT_THROW(
        {
            MsdosSysCommit commit;
            TIniFile(MsdosSysPath).WriteString("Options", "BootGUI", "0");
        },
        EIniFileException);
    EXPECT_EQ(GetFileAttributesA(MsdosSysAttributePath), FILE_ATTRIBUTE_READONLY);
}

TEST(MsdosSysAttributes, missing_file_created_read_only_by_commit) {
    TempPrefix prefix;
    SetFileAttributesA(MsdosSysAttributePath, 0);
    std::filesystem::remove(prefix.host(MsdosSysAttributePath));
    ClearReadOnly(MsdosSysAttributePath);
    {
        MsdosSysCommit commit;
        TIniFile(MsdosSysPath).WriteString("Options", "BootGUI", "1");
    }
    EXPECT_EQ(GetFileAttributesA(MsdosSysAttributePath), FILE_ATTRIBUTE_READONLY);
    EXPECT_EQ(prefix.read(MsdosSysAttributePath), "[Options]\r\nBootGUI=1\r\n");
}

TEST(SystemIni, path_is_windows_directory_and_lower_case_section_receives_keys) {
    TempPrefix prefix;
    EXPECT_EQ(SystemIniPath(), "C:\\WINDOWS\\system.ini");
    prefix.write("C:\\WINDOWS\\SYSTEM.INI", "[boot]\r\nshell=Explorer.exe\r\n\r\n[vcache]\r\nChunkSize=512\r\n");
    TIniFile ini(SystemIniPath());
    ini.WriteString("VCache", "MinFileCache", "512");
    ini.WriteString("VCache", "MaxFileCache", "1024");
    EXPECT_EQ(prefix.read("C:\\WINDOWS\\SYSTEM.INI"),
              "[boot]\r\nshell=Explorer.exe\r\n\r\n[vcache]\r\nChunkSize=512\r\nMinFileCache=512\r\nMaxFileCache=1024\r\n");
}

} // namespace
