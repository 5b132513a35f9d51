// The iniprofile tool, run as a script runs it.
#include "IniprofileProcess.h"
#include "TempPrefix.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <sys/stat.h>
#include <sys/wait.h>

namespace {

struct ToolRun {
    int status;
    std::string out;
    std::string err;
};

std::string quote(const std::string& arg) {
    std::string quoted = "'";
    for (char c : arg)
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

ToolRun iniprofile(const TempPrefix& prefix, std::initializer_list<std::string> args) {
    std::string err_file = (prefix.root().parent_path() / "stderr.txt").string();
    std::string command = quote(std::string(TEST_BIN_DIR) + "/iniprofile");
    for (const auto& arg : args)
        command += " " + quote(arg);
    command += " 2>" + quote(err_file);
    ToolRun run{};
    FILE* pipe = popen(command.c_str(), "r");
    std::array<char, 4096> buffer{};
    while (std::size_t n = fread(buffer.data(), 1, buffer.size(), pipe))
        run.out.append(buffer.data(), n);
    int status = pclose(pipe);
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    FILE* err = fopen(err_file.c_str(), "r");
    while (std::size_t n = fread(buffer.data(), 1, buffer.size(), err))
        run.err.append(buffer.data(), n);
    fclose(err);
    return run;
}

TEST(Iniprofile, get_set_and_attrib_on_a_prefix) {
    TempPrefix prefix;
    EXPECT_EQ(iniprofile(prefix, {"get", "C:\\MSDOS.SYS", "paths", "windir", "x"}).out, "C:\\WINDOWS\n");
    EXPECT_EQ(iniprofile(prefix, {"get", "C:\\MSDOS.SYS", "Paths", "None", "dflt  "}).out, "dflt\n");
    EXPECT_EQ(iniprofile(prefix, {"attrib", "C:\\MSDOS.SYS"}).out, "7\n");
    EXPECT_EQ(iniprofile(prefix, {"attrib", "C:\\MSDOS.SYS", "65534"}).status, 0);
    EXPECT_EQ(iniprofile(prefix, {"attrib", "C:\\MSDOS.SYS"}).out, "38\n");
    EXPECT_EQ(iniprofile(prefix, {"set", "c:\\msdos.sys", "Options", "BootKeys", "0"}).status, 0);
    EXPECT_EQ(iniprofile(prefix, {"get", "c:\\msdos.sys", "Options", "Bootkeys", "1"}).out, "0\n");
    EXPECT_EQ(iniprofile(prefix, {"attrib", "C:\\NONE"}).out, "4294967295\n");
}

TEST(Iniprofile, get_prints_a_value_up_to_a_nul_byte) {
    TempPrefix prefix;
    prefix.write("C:\\NUL.INI", std::string_view("[s]\r\nk=ab\0cd\r\n", 14));
    EXPECT_EQ(iniprofile(prefix, {"get", "C:\\NUL.INI", "s", "k", "d"}).out, "ab\n");
}

TEST(Iniprofile, failed_set_reports_and_exits_1) {
    TempPrefix prefix;
    ToolRun run = iniprofile(prefix, {"set", "C:\\MSDOS.SYS", "Options", "BootGUI", "0"}); // still read-only
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, "Unable to write to C:\\MSDOS.SYS\n");
    EXPECT_EQ(iniprofile(prefix, {"set", "C:\\NO\\X.INI", "s", "k", "v"}).status, 1);
}

TEST(Iniprofile, bad_usage_exits_2) {
    TempPrefix prefix;
    EXPECT_EQ(iniprofile(prefix, {"get", "C:\\X.INI"}).status, 2);
    EXPECT_EQ(iniprofile(prefix, {"attrib", "C:\\MSDOS.SYS", "12x"}).status, 2);
}

TEST(Iniprofile, fifo_reads_as_missing_and_is_not_written) {
    TempPrefix prefix;
    ASSERT_EQ(mkfifo((prefix.drive_c() / "FIFO.INI").c_str(), 0666), 0);
    ASSERT_EQ(wait_for_at_most(start_iniprofile({"get", "C:\\FIFO.INI", "s", "k", "dflt"}), 60), 0);
    EXPECT_EQ(iniprofile(prefix, {"get", "C:\\FIFO.INI", "s", "k", "dflt"}).out, "dflt\n");
    EXPECT_EQ(wait_for_at_most(start_iniprofile({"set", "C:\\FIFO.INI", "s", "k", "v"}), 60), 1);
}

} // namespace
