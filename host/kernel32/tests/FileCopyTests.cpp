// copy_file_bytes between two open files: the same bytes and positions as ReadFile and WriteFile
// of them, with read-ahead and collected writes on either side, a source that ends, files the
// kernel does not copy between, the failing side named, and the handles that are refused.
#include "FileHandleCalls.h"
#include "FileSizeLimit.h"
#include "TempPrefix.h"
#include "host/FileCopy.h"
#include "host/kernel32.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

std::string pattern(std::size_t size) {
    std::string bytes(size, '\0');
    for (std::size_t i = 0; i < size; ++i)
        bytes[i] = static_cast<char>((i * 13 + i / 509) & 0xFF);
    return bytes;
}

constexpr std::size_t source_size = 300000;

struct CopyCase {
    char const* name;
    DWORD read_before;   // ReadFile of the source first (fills its read-ahead)
    DWORD written_before; // WriteFile to the target first (collected, not yet on the disk)
    DWORD count;
    DWORD copied;
};

class FileCopy : public ::testing::TestWithParam<CopyCase> {};

// After the copy both handles go on where ReadFile and WriteFile of the copied bytes would have
// left them: the next read gives the following bytes, the next write lands after the copy.
TEST_P(FileCopy, leaves_the_bytes_and_positions_readfile_and_writefile_would) {
    CopyCase const& c = GetParam();
    TempPrefix prefix;
    const std::string content = pattern(source_size);
    prefix.write("C:\\SOURCE.BIN", content);
    HANDLE source = open_for("C:\\SOURCE.BIN", GENERIC_READ, OPEN_EXISTING);
    HANDLE target = open_for("C:\\TARGET.BIN", GENERIC_WRITE, CREATE_NEW);
    ASSERT_NE(source, INVALID_HANDLE_VALUE);
    ASSERT_NE(target, INVALID_HANDLE_VALUE);

    ASSERT_EQ(read_all(source, c.read_before), content.substr(0, c.read_before));
    const std::string before(c.written_before, 'w');
    ASSERT_TRUE(write_text(target, before));
    DWORD copied = 12345;
    ASSERT_TRUE(host::copy_file_bytes(source, target, c.count, &copied)) << GetLastError();
    EXPECT_EQ(copied, c.copied);

    const std::size_t at = c.read_before + c.copied;
    EXPECT_EQ(SetFilePointer(source, 0, nullptr, FILE_CURRENT), at);
    EXPECT_EQ(read_all(source, 10), content.substr(std::min(at, source_size), 10));
    EXPECT_EQ(SetFilePointer(target, 0, nullptr, FILE_CURRENT), c.written_before + c.copied);
    ASSERT_TRUE(write_text(target, "after"));
    EXPECT_TRUE(CloseHandle(source));
    EXPECT_TRUE(CloseHandle(target));
    EXPECT_TRUE(prefix.read("C:\\TARGET.BIN") == before + content.substr(c.read_before, c.copied) + "after");
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FileCopy,
    ::testing::Values(CopyCase{"fresh_handles", 0, 0, 200000, 200000},
                      CopyCase{"after_read_ahead_and_collected_writes", 100, 10, 200001, 200001},
                      CopyCase{"all_from_the_read_ahead", 100, 0, 50, 50},
                      CopyCase{"nothing", 1024, 1024, 0, 0},
                      CopyCase{"past_the_end_copies_what_exists", 299990, 7, 1000, 10},
                      CopyCase{"at_the_end", source_size, 0, 1000, 0}),
    [](auto const& info) { return std::string(info.param.name); });

// A source on another file system (a memory file system here), which the kernel does not copy
// from: the bytes go through memory, with the same result.
TEST(FileCopyBetweenFileSystems, gives_the_same_bytes) {
    if (!fs::is_directory("/dev/shm"))
        GTEST_SKIP() << "no /dev/shm";
    TempPrefix prefix;
    const std::string host_name = "/dev/shm/file-copy-test-" + std::to_string(getpid());
    const std::string content = pattern(source_size);
    std::ofstream(host_name, std::ios::binary) << content;
    const std::string dos_name = "Z:" + host_name;
    HANDLE source = open_for(dos_name.c_str(), GENERIC_READ, OPEN_EXISTING);
    HANDLE target = open_for("C:\\TARGET.BIN", GENERIC_WRITE, CREATE_NEW);
    ASSERT_NE(source, INVALID_HANDLE_VALUE);
    ASSERT_NE(target, INVALID_HANDLE_VALUE);
    ASSERT_EQ(read_all(source, 3), content.substr(0, 3));
    DWORD copied = 0;
    EXPECT_TRUE(host::copy_file_bytes(source, target, 250000, &copied)) << GetLastError();
    EXPECT_EQ(copied, 250000u);
    EXPECT_TRUE(CloseHandle(source));
    EXPECT_TRUE(CloseHandle(target));
    fs::remove(host_name);
    EXPECT_TRUE(prefix.read("C:\\TARGET.BIN") == content.substr(3, 250000));
}

// The failing side is named: a source that cannot be read, a target past what the disk takes
// (the process's file size limit), which then fails its later writes and its close too.
TEST(FileCopyFailures, name_the_side_that_failed) {
    TempPrefix prefix;
    prefix.write("C:\\SOURCE.BIN", pattern(source_size));
    {
        // The process's own memory file fails every read at an address that is not mapped.
        HANDLE memory = open_for("Z:\\PROC\\SELF\\MEM", GENERIC_READ, OPEN_EXISTING);
        HANDLE target = open_for("C:\\FROM_MEMORY.BIN", GENERIC_WRITE, CREATE_NEW);
        ASSERT_NE(memory, INVALID_HANDLE_VALUE);
        ASSERT_NE(target, INVALID_HANDLE_VALUE);
        DWORD copied = 1;
        EXPECT_FALSE(host::copy_file_bytes(memory, target, 4096, &copied));
        EXPECT_EQ(GetLastError(), ERROR_READ_FAULT);
        EXPECT_EQ(copied, 0u);
        EXPECT_TRUE(CloseHandle(memory));
        EXPECT_TRUE(CloseHandle(target));
    }
    std::optional<FileSizeLimit> limit(10000);
    HANDLE source = open_for("C:\\SOURCE.BIN", GENERIC_READ, OPEN_EXISTING);
    HANDLE target = open_for("C:\\FULL.BIN", GENERIC_WRITE, CREATE_NEW);
    DWORD copied = 0;
    const BOOL done = host::copy_file_bytes(source, target, 100000, &copied);
    const DWORD error = GetLastError();
    const bool later_write = write_text(target, "more");
    const BOOL closed = CloseHandle(target);
    limit.reset();
    EXPECT_FALSE(done);
    EXPECT_EQ(error, ERROR_WRITE_FAULT);
    EXPECT_LE(copied, 10000u);
    EXPECT_FALSE(later_write);
    EXPECT_FALSE(closed);
    EXPECT_TRUE(CloseHandle(source));
}

TEST(FileCopyHandles, that_are_not_a_readable_and_a_writable_file_are_refused) {
    TempPrefix prefix;
    prefix.write("C:\\SOURCE.BIN", "abc");
    HANDLE reading = open_for("C:\\SOURCE.BIN", GENERIC_READ, OPEN_EXISTING);
    HANDLE writing = open_for("C:\\TARGET.BIN", GENERIC_WRITE, CREATE_NEW);
    HANDLE both = open_for("C:\\BOTH.BIN", GENERIC_READ | GENERIC_WRITE, CREATE_NEW);
    const HANDLE made_up = reinterpret_cast<HANDLE>(static_cast<std::uintptr_t>(0x7777));
    struct Refused {
        HANDLE source;
        HANDLE target;
        DWORD error;
    };
    for (auto const& r : {Refused{writing, both, ERROR_ACCESS_DENIED}, Refused{both, both, ERROR_INVALID_PARAMETER},
                          Refused{writing, reading, ERROR_ACCESS_DENIED},
                          Refused{made_up, writing, ERROR_INVALID_HANDLE}, Refused{reading, made_up, ERROR_INVALID_HANDLE}}) {
        DWORD copied = 9;
        EXPECT_FALSE(host::copy_file_bytes(r.source, r.target, 3, &copied));
        EXPECT_EQ(GetLastError(), r.error);
        EXPECT_EQ(copied, 0u);
    }
    DWORD copied = 0;
    EXPECT_TRUE(host::copy_file_bytes(reading, both, 3, &copied));
    EXPECT_EQ(copied, 3u);
    for (HANDLE h : {reading, writing, both})
        EXPECT_TRUE(CloseHandle(h));
    EXPECT_EQ(prefix.read("C:\\BOTH.BIN"), "abc");
}

} // namespace
