// The profile functions on names that are not ordinary files: a FIFO, a device, a file beyond
// the size bound. Each call runs in a child process, so that a call that blocks or runs out of
// memory fails the test instead of taking the test program (or the machine) with it.
#include "TempPrefix.h"
#include "host/kernel32.h"

#include <gtest/gtest.h>

#include <csignal>
#include <fcntl.h>
#include <fstream>
#include <functional>
#include <poll.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

// Runs the check in a child with at most 2 GiB more address space than the test has now.
// True when it returned true; false when it returned false, crashed, or had not ended after a
// minute (a safety net for a call that blocks, far beyond what any of these calls takes).
bool in_child(const std::function<bool()>& check) {
    long pages = 0;
    std::ifstream("/proc/self/statm") >> pages;
    pid_t child = fork();
    if (child == 0) {
        rlim_t limit = static_cast<rlim_t>(pages) * static_cast<rlim_t>(sysconf(_SC_PAGESIZE)) + (rlim_t{2} << 30);
        struct rlimit address_space{limit, limit};
        setrlimit(RLIMIT_AS, &address_space);
        _exit(check() ? 0 : 1);
    }
    int status = 0;
    int ended = static_cast<int>(syscall(SYS_pidfd_open, child, 0));
    struct pollfd wait_for{ended, POLLIN, 0};
    if (ended >= 0 && poll(&wait_for, 1, 60'000) == 0) {
        kill(child, SIGKILL);
        ADD_FAILURE() << "the call did not return";
    }
    if (ended >= 0)
        close(ended);
    waitpid(child, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

bool reads_as_missing(const char* file) {
    char value[64] = "untouched";
    DWORD length = GetPrivateProfileStringA("s", "k", "dflt", value, sizeof value, file);
    return length == 4 && std::string(value) == "dflt" && GetLastError() == ERROR_FILE_NOT_FOUND;
}

bool write_refused(const char* file, DWORD error) {
    return !WritePrivateProfileStringA("s", "k", "v", file) && GetLastError() == error;
}

TEST(ProfileFileKinds, fifo_reads_as_missing_and_refuses_writes_without_blocking) {
    TempPrefix prefix;
    ASSERT_EQ(mkfifo((prefix.drive_c() / "FIFO.INI").c_str(), 0666), 0);
    EXPECT_TRUE(in_child([] { return reads_as_missing("C:\\FIFO.INI"); }));
    EXPECT_TRUE(in_child([] { return write_refused("C:\\FIFO.INI", ERROR_ACCESS_DENIED); }));
    // A FIFO as MSDOS.SYS leaves the Windows directory at its default.
    fs::remove(prefix.drive_c() / "MSDOS.SYS");
    ASSERT_EQ(mkfifo((prefix.drive_c() / "MSDOS.SYS").c_str(), 0666), 0);
    EXPECT_TRUE(in_child([] {
        char directory[MAX_PATH];
        return GetWindowsDirectoryA(directory, sizeof directory) == 10 && reads_as_missing("C:\\MSDOS.SYS");
    }));
    EXPECT_TRUE(fs::is_fifo(prefix.drive_c() / "MSDOS.SYS"));
}

TEST(ProfileFileKinds, endless_device_reads_as_missing_and_refuses_writes) {
    TempPrefix prefix;
    EXPECT_TRUE(in_child([] { return reads_as_missing("Z:\\dev\\zero"); }));
    EXPECT_TRUE(in_child([] { return write_refused("Z:\\dev\\null", ERROR_ACCESS_DENIED); }));
}

TEST(ProfileFileKinds, file_beyond_16_mib_reads_as_missing_and_is_left_alone) {
    TempPrefix prefix;
    const std::string head = "[s]\r\nk=v\r\n";
    struct Case {
        off_t size;
        bool readable;
    };
    for (Case c : {Case{off_t{16} << 20, true}, Case{(off_t{16} << 20) + 1, false}}) {
        prefix.write("C:\\BIG.INI", head);
        ASSERT_EQ(truncate(prefix.host("C:\\BIG.INI").c_str(), c.size), 0); // NULs after the key
        if (c.readable) {
            EXPECT_TRUE(in_child([] {
                char value[8];
                return GetPrivateProfileStringA("s", "k", "", value, sizeof value, "C:\\BIG.INI") == 1 &&
                       std::string(value) == "v";
            })) << c.size;
        } else {
            EXPECT_TRUE(in_child([] { return reads_as_missing("C:\\BIG.INI"); })) << c.size;
            EXPECT_TRUE(in_child([] { return write_refused("C:\\BIG.INI", ERROR_FILE_TOO_LARGE); })) << c.size;
            EXPECT_EQ(fs::file_size(prefix.host("C:\\BIG.INI")), static_cast<std::uintmax_t>(c.size));
        }
    }
}

} // namespace
