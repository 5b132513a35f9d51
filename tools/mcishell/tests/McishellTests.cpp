// mcishell as a program: one line per command, code and reply or error text, from arguments or
// standard input.

#include "TempPrefix.h"
#include "host/kernel32.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

namespace {

std::string mcishell() {
    const char* bin = std::getenv("TEST_BIN_DIR");
    return (std::filesystem::path(bin ? bin : TEST_BIN_DIR) / "mcishell").string();
}

// Only the lines mcishell itself writes: answers and messages, without Qt's start-up notices.
std::string own_lines(const std::string& output) {
    std::string kept;
    std::size_t start = 0;
    while (start < output.size()) {
        std::size_t end = output.find('\n', start);
        end = end == std::string::npos ? output.size() : end + 1;
        std::string line = output.substr(start, end - start);
        if (line.rfind("MM_MCI", 0) == 0 || (!line.empty() && line[0] >= '0' && line[0] <= '9'))
            kept += line;
        start = end;
    }
    return kept;
}

// Runs a shell command line and returns its standard output.
std::string output_of(const std::string& command_line) {
    std::string output;
    std::FILE* pipe = popen(command_line.c_str(), "r");
    if (!pipe)
        return output;
    char buffer[512];
    while (std::size_t count = std::fread(buffer, 1, sizeof buffer, pipe))
        output.append(buffer, count);
    pclose(pipe);
    return output;
}

TEST(Mcishell, prints_code_and_reply_or_error_text_per_argument) {
    TempPrefix prefix;
    std::string output =
        output_of(mcishell() + " 'sysinfo all name 1 open' 'open nosuchdevice' '' 2>/dev/null");
    EXPECT_EQ(output, "282\tThe specified parameter is out of range for the specified command.\n"
                      "263\tThe specified device is not open or is not recognized by MCI.\n"
                      "267\tNo command was specified.\n");
}

TEST(Mcishell, reads_commands_from_standard_input_skipping_empty_lines) {
    TempPrefix prefix;
    std::string output = output_of("printf 'sysinfo all quantity open\\r\\n\\n  \\nstatus x mode\\n' | " +
                                   mcishell() + " 2>/dev/null");
    EXPECT_EQ(output, "0\t0\n"
                      "263\tThe specified device is not open or is not recognized by MCI.\n");
}

TEST(Mcishell, callback_window_receives_notifications_and_signals) {
    TempPrefix prefix;
    std::filesystem::path system = prefix.host("C:\\WINDOWS\\SYSTEM");
    std::filesystem::create_directories(system);
    std::filesystem::copy_file(std::filesystem::path(mcishell()).parent_path() / "mcisample.drv",
                               system / "SAMPLE.DRV");
    ASSERT_TRUE(WritePrivateProfileStringA("mci", "SampleVideo", "sample.drv", "C:\\WINDOWS\\SYSTEM.INI"));
    std::string output = output_of(
        mcishell() + " --messages 'open SampleVideo alias s' 'play s notify' 'signal s every 10' 2>&1");
    EXPECT_EQ(own_lines(output), "0\t1\n"
                                 "0\t\n"
                                 "MM_MCINOTIFY\t1\t1\n"
                                 "0\t\n"
                                 "MM_MCISIGNAL\t1\t4242\n");
}

TEST(Mcishell, refuses_unknown_options) {
    EXPECT_NE(std::system((mcishell() + " --bogus >/dev/null 2>&1").c_str()), 0);
}

} // namespace
