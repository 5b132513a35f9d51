// CreateFileA, ReadFile, WriteFile, SetFilePointer, CloseHandle and DeleteFileA on the files of a
// prefix: the dispositions, exclusive creation that no link can redirect, reads at and past the
// end, and the handles that are refused.
#include "FileHandleCalls.h"
#include "FileSizeLimit.h"
#include "TempPrefix.h"
#include "host/kernel32.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <sys/stat.h>
#include <thread>

namespace {

namespace fs = std::filesystem;

struct DispositionCase {
    char const* name;
    DWORD disposition;
    bool file_exists;
    DWORD error;               // 0: opens
    char const* content_after; // the file's content after open, write "new" and close; null: no file
};

class Dispositions : public ::testing::TestWithParam<DispositionCase> {};

TEST_P(Dispositions, open_write_and_leave_the_file_as_windows_does) {
    TempPrefix prefix;
    DispositionCase const& c = GetParam();
    if (c.file_exists)
        prefix.write("C:\\FILE.BIN", "old content");
    HANDLE file = open_for("C:\\FILE.BIN", GENERIC_WRITE, c.disposition);
    if (c.error) {
        EXPECT_EQ(file, INVALID_HANDLE_VALUE);
        EXPECT_EQ(GetLastError(), c.error);
    } else {
        ASSERT_NE(file, INVALID_HANDLE_VALUE) << GetLastError();
        EXPECT_TRUE(write_text(file, "new"));
        EXPECT_TRUE(CloseHandle(file));
    }
    if (c.content_after)
        EXPECT_EQ(prefix.read("C:\\FILE.BIN"), c.content_after);
    else
        EXPECT_FALSE(fs::exists(prefix.host("C:\\FILE.BIN")));
}

INSTANTIATE_TEST_SUITE_P(
    All, Dispositions,
    ::testing::Values(DispositionCase{"create_new_on_a_free_name", CREATE_NEW, false, 0, "new"},
                      DispositionCase{"create_new_on_a_taken_name", CREATE_NEW, true, ERROR_FILE_EXISTS,
                                      "old content"},
                      DispositionCase{"create_always_on_a_free_name", CREATE_ALWAYS, false, 0, "new"},
                      DispositionCase{"create_always_empties", CREATE_ALWAYS, true, 0, "new"},
                      DispositionCase{"open_existing_missing", OPEN_EXISTING, false, ERROR_FILE_NOT_FOUND,
                                      nullptr},
                      DispositionCase{"open_existing_writes_over_the_start", OPEN_EXISTING, true, 0,
                                      "new content"},
                      DispositionCase{"open_always_creates", OPEN_ALWAYS, false, 0, "new"},
                      DispositionCase{"truncate_existing_missing", TRUNCATE_EXISTING, false,
                                      ERROR_FILE_NOT_FOUND, nullptr},
                      DispositionCase{"truncate_existing_empties", TRUNCATE_EXISTING, true, 0, "new"},
                      DispositionCase{"unknown_disposition", 9, true, ERROR_INVALID_PARAMETER, "old content"}),
    [](auto const& info) { return std::string(info.param.name); });

TEST(FileObjects, no_link_in_the_last_component_redirects_a_write) {
    TempPrefix prefix;
    prefix.write("C:\\TARGET.TXT", "keep");
    fs::create_symlink(prefix.host("C:\\TARGET.TXT"), prefix.drive_c() / "LINK.BMP");
    fs::create_symlink(prefix.drive_c() / "NOWHERE.TXT", prefix.drive_c() / "DANGLING.BMP");

    // The planted links count as taken names for an exclusive creation ...
    for (char const* name : {"C:\\LINK.BMP", "C:\\DANGLING.BMP"}) {
        SCOPED_TRACE(name);
        EXPECT_EQ(open_for(name, GENERIC_WRITE, CREATE_NEW), INVALID_HANDLE_VALUE);
        EXPECT_EQ(GetLastError(), ERROR_FILE_EXISTS);
        // ... and are refused for every other write.
        for (DWORD disposition : {CREATE_ALWAYS, OPEN_ALWAYS}) {
            EXPECT_EQ(open_for(name, GENERIC_WRITE, disposition), INVALID_HANDLE_VALUE);
            EXPECT_EQ(GetLastError(), ERROR_ACCESS_DENIED);
        }
    }
    EXPECT_EQ(prefix.read("C:\\TARGET.TXT"), "keep");
    EXPECT_FALSE(fs::exists(prefix.drive_c() / "NOWHERE.TXT"));

    // Reading through a link is what a link is for.
    HANDLE file = open_for("C:\\LINK.BMP", GENERIC_READ, OPEN_EXISTING);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    EXPECT_EQ(read_all(file), "keep");
    CloseHandle(file);
}

TEST(FileObjects, reads_stop_at_the_end_and_give_nothing_past_it) {
    TempPrefix prefix;
    prefix.write("C:\\DATA.BIN", "0123456789");
    HANDLE file = open_for("c:\\data.bin", GENERIC_READ, OPEN_EXISTING);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);

    EXPECT_EQ(SetFilePointer(file, 4, nullptr, FILE_BEGIN), 4u);
    EXPECT_EQ(read_all(file, 3), "456");
    EXPECT_EQ(SetFilePointer(file, -2, nullptr, FILE_CURRENT), 5u);
    EXPECT_EQ(read_all(file, 100), "56789"); // fewer than asked: the file ended
    EXPECT_EQ(SetFilePointer(file, -1, nullptr, FILE_END), 9u);
    EXPECT_EQ(read_all(file), "9");

    // Past the end: the move succeeds, a read gives 0 bytes and succeeds.
    EXPECT_EQ(SetFilePointer(file, 1000000, nullptr, FILE_BEGIN), 1000000u);
    EXPECT_EQ(read_all(file), "");

    // Before the start: refused, the pointer stays.
    EXPECT_EQ(SetFilePointer(file, -1, nullptr, FILE_BEGIN), INVALID_SET_FILE_POINTER);
    EXPECT_EQ(GetLastError(), ERROR_NEGATIVE_SEEK);

    // A 64-bit move through the high part.
    LONG high = 1;
    EXPECT_EQ(SetFilePointer(file, 16, &high, FILE_BEGIN), 16u);
    EXPECT_EQ(high, 1);
    EXPECT_EQ(GetLastError(), ERROR_SUCCESS);
    EXPECT_TRUE(CloseHandle(file));
}

// Blocks of every size around the handle's read-ahead, each checked against the file and
// against the pointer SetFilePointer reports; a move in between drops what was read ahead.
TEST(FileObjects, reads_of_any_size_give_the_file_byte_for_byte_and_the_pointer_follows) {
    TempPrefix prefix;
    std::string content(300000, '\0');
    for (std::size_t i = 0; i < content.size(); ++i)
        content[i] = static_cast<char>((i * 7 + i / 251) & 0xFF);
    prefix.write("C:\\BIG.BIN", content);
    HANDLE file = open_for("C:\\BIG.BIN", GENERIC_READ, OPEN_EXISTING);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);

    std::size_t at = 0;
    for (DWORD size : {1u, 1023u, 1024u, 65535u, 65536u, 65537u, 3u, 100000u, 1024u}) {
        const std::string got = read_all(file, size);
        ASSERT_EQ(got, content.substr(at, size)) << "block of " << size << " at " << at;
        at += got.size();
        EXPECT_EQ(SetFilePointer(file, 0, nullptr, FILE_CURRENT), at);
    }
    EXPECT_EQ(SetFilePointer(file, -5000, nullptr, FILE_CURRENT), at - 5000);
    EXPECT_EQ(read_all(file, 10), content.substr(at - 5000, 10));
    EXPECT_EQ(SetFilePointer(file, 10, nullptr, FILE_BEGIN), 10u);
    EXPECT_EQ(read_all(file, 1024), content.substr(10, 1024));
    EXPECT_EQ(SetFilePointer(file, -3, nullptr, FILE_END), content.size() - 3);
    EXPECT_EQ(read_all(file, 1024), content.substr(content.size() - 3));
    EXPECT_TRUE(CloseHandle(file));
}

// Small writes are collected: the pointer and the end the program sees count them at once, a
// move writes them out first, and the closed file holds every byte in its place.
TEST(FileObjects, collected_writes_keep_their_order_and_their_place) {
    TempPrefix prefix;
    HANDLE file = open_for("C:\\OUT.BIN", GENERIC_WRITE, CREATE_NEW);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    std::string expected;
    for (int i = 0; i < 200; ++i) {
        const std::string block(i % 2 ? 1024 : 700, static_cast<char>('a' + i % 26));
        ASSERT_TRUE(write_text(file, block));
        expected += block;
    }
    EXPECT_EQ(SetFilePointer(file, 0, nullptr, FILE_CURRENT), expected.size());
    EXPECT_EQ(SetFilePointer(file, 0, nullptr, FILE_END), expected.size());
    EXPECT_EQ(SetFilePointer(file, 5, nullptr, FILE_BEGIN), 5u);
    ASSERT_TRUE(write_text(file, "XYZ"));
    expected.replace(5, 3, "XYZ");
    const std::string large(70000, 'L'); // larger than what is collected: written at once
    EXPECT_EQ(SetFilePointer(file, 0, nullptr, FILE_END), expected.size());
    ASSERT_TRUE(write_text(file, "tail"));
    ASSERT_TRUE(write_text(file, large));
    expected += "tail" + large;
    EXPECT_TRUE(CloseHandle(file));
    EXPECT_EQ(prefix.read("C:\\OUT.BIN"), expected);
}

// Writes past what the disk takes (here the process's file size limit): the failure reaches the
// program at the write that sends the collected bytes, or at the close when none did, and no
// later write succeeds.
TEST(FileObjects, a_collected_write_that_fails_is_reported_and_every_later_write_fails) {
    TempPrefix prefix;
    const FileSizeLimit limit(10000);

    HANDLE small = open_for("C:\\SMALL.BIN", GENERIC_WRITE, CREATE_NEW);
    ASSERT_NE(small, INVALID_HANDLE_VALUE);
    for (int i = 0; i < 11; ++i)
        EXPECT_TRUE(write_text(small, std::string(1024, 's'))); // collected, not yet on the disk
    EXPECT_FALSE(CloseHandle(small));
    EXPECT_EQ(GetLastError(), ERROR_WRITE_FAULT);
    EXPECT_EQ(CloseHandle(small), FALSE); // closed all the same
    EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);

    HANDLE big = open_for("C:\\BIG.BIN", GENERIC_WRITE, CREATE_NEW);
    ASSERT_NE(big, INVALID_HANDLE_VALUE);
    int failed_at = -1;
    for (int i = 0; i < 200 && failed_at < 0; ++i)
        if (!write_text(big, std::string(1024, 'b')))
            failed_at = i;
    EXPECT_GT(failed_at, 9);
    EXPECT_LT(failed_at, 200);
    EXPECT_FALSE(write_text(big, "more"));
    EXPECT_EQ(SetFilePointer(big, 0, nullptr, FILE_BEGIN), INVALID_SET_FILE_POINTER);
    EXPECT_FALSE(CloseHandle(big));
}

TEST(FileObjects, a_handle_does_only_what_it_was_opened_for) {
    TempPrefix prefix;
    prefix.write("C:\\DATA.BIN", "abc");
    HANDLE reader = open_for("C:\\DATA.BIN", GENERIC_READ, OPEN_EXISTING);
    HANDLE writer = open_for("C:\\OUT.BIN", GENERIC_WRITE, CREATE_NEW);
    ASSERT_NE(reader, INVALID_HANDLE_VALUE);
    ASSERT_NE(writer, INVALID_HANDLE_VALUE);
    DWORD count = 7;
    EXPECT_FALSE(WriteFile(reader, "x", 1, &count, nullptr));
    EXPECT_EQ(GetLastError(), ERROR_ACCESS_DENIED);
    EXPECT_EQ(count, 0u);
    char buffer[4];
    EXPECT_FALSE(ReadFile(writer, buffer, sizeof buffer, &count, nullptr));
    EXPECT_EQ(GetLastError(), ERROR_ACCESS_DENIED);
    CloseHandle(reader);
    CloseHandle(writer);
    EXPECT_EQ(prefix.read("C:\\DATA.BIN"), "abc");
}

TEST(FileObjects, stale_and_made_up_handles_are_refused) {
    TempPrefix prefix;
    HANDLE file = open_for("C:\\NEW.BIN", GENERIC_WRITE, CREATE_NEW);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    EXPECT_TRUE(CloseHandle(file));
    int not_a_file = 0;
    char buffer[4];
    DWORD count = 0;
    for (HANDLE handle : {file, INVALID_HANDLE_VALUE, static_cast<HANDLE>(nullptr), static_cast<HANDLE>(&not_a_file)}) {
        EXPECT_FALSE(CloseHandle(handle));
        EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
        EXPECT_FALSE(ReadFile(handle, buffer, sizeof buffer, &count, nullptr));
        EXPECT_FALSE(WriteFile(handle, buffer, sizeof buffer, &count, nullptr));
        EXPECT_EQ(SetFilePointer(handle, 0, nullptr, FILE_BEGIN), INVALID_SET_FILE_POINTER);
        EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
    }
}

TEST(FileObjects, folders_missing_folders_and_read_only_files) {
    TempPrefix prefix;
    fs::create_directories(prefix.host("C:\\FOLDER"));
    EXPECT_EQ(open_for("C:\\FOLDER", GENERIC_READ, OPEN_EXISTING), INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), ERROR_ACCESS_DENIED);
    EXPECT_EQ(open_for("C:\\NO\\FILE.BIN", GENERIC_WRITE, CREATE_NEW), INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), ERROR_PATH_NOT_FOUND);
    EXPECT_EQ(open_for("Q:\\FILE.BIN", GENERIC_WRITE, CREATE_NEW), INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), ERROR_PATH_NOT_FOUND);

    prefix.write("C:\\LOCKED.TXT", "locked");
    ASSERT_TRUE(SetFileAttributesA("C:\\LOCKED.TXT", FILE_ATTRIBUTE_READONLY));
    if (::geteuid() != 0) { // root writes whatever the permission bits say
        EXPECT_EQ(open_for("C:\\LOCKED.TXT", GENERIC_WRITE, OPEN_EXISTING), INVALID_HANDLE_VALUE);
        EXPECT_EQ(GetLastError(), ERROR_ACCESS_DENIED);
    }
    EXPECT_FALSE(DeleteFileA("C:\\LOCKED.TXT"));
    EXPECT_EQ(GetLastError(), ERROR_ACCESS_DENIED);
    EXPECT_EQ(prefix.read("C:\\LOCKED.TXT"), "locked");
}

TEST(FileObjects, delete_removes_files_and_links_but_not_folders_or_link_targets) {
    TempPrefix prefix;
    prefix.write("C:\\GONE.BIN", "x");
    prefix.write("C:\\TARGET.TXT", "keep");
    fs::create_symlink(prefix.host("C:\\TARGET.TXT"), prefix.drive_c() / "LINK.MPG");
    fs::create_directories(prefix.host("C:\\FOLDER"));

    EXPECT_TRUE(DeleteFileA("c:\\gone.bin"));
    EXPECT_FALSE(fs::exists(prefix.host("C:\\GONE.BIN")));
    EXPECT_TRUE(DeleteFileA("C:\\LINK.MPG"));
    EXPECT_FALSE(fs::is_symlink(prefix.drive_c() / "LINK.MPG"));
    EXPECT_EQ(prefix.read("C:\\TARGET.TXT"), "keep");

    EXPECT_FALSE(DeleteFileA("C:\\GONE.BIN"));
    EXPECT_EQ(GetLastError(), ERROR_FILE_NOT_FOUND);
    EXPECT_FALSE(DeleteFileA("C:\\NO\\GONE.BIN"));
    EXPECT_EQ(GetLastError(), ERROR_PATH_NOT_FOUND);
    EXPECT_FALSE(DeleteFileA("C:\\FOLDER"));
    EXPECT_EQ(GetLastError(), ERROR_ACCESS_DENIED);
    EXPECT_TRUE(fs::is_directory(prefix.host("C:\\FOLDER")));
}

TEST(TickCount, counts_milliseconds_forward) {
    const DWORD before = GetTickCount();
    std::this_thread::sleep_for(std::chrono::milliseconds(30));
    // Unsigned difference, as callers take it, so that a wrap in between does not matter.
    EXPECT_GE(static_cast<DWORD>(GetTickCount() - before), 30u);
}

} // namespace
