// WritePrivateProfileStringA: edit sequences on files of known bytes, byte for byte.
#include "TempPrefix.h"
#include "Unprivileged.h"
#include "host/kernel32.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <filesystem>
#include <optional>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;

namespace {

struct Write {
    const char* section;
    const char* key;   // nullptr deletes the section
    const char* value; // nullptr deletes the key
};

struct WriteCase {
    const char* name;
    std::optional<std::string> before; // nothing: the file does not exist
    std::vector<Write> writes;
    std::string after;
};

class ProfileWrite : public ::testing::TestWithParam<WriteCase> {};

TEST_P(ProfileWrite, produces_exact_bytes) {
    TempPrefix prefix;
    const auto& c = GetParam();
    if (c.before)
        prefix.write("C:\\TEST.INI", *c.before);
    for (const auto& w : c.writes)
        ASSERT_TRUE(WritePrivateProfileStringA(w.section, w.key, w.value, "C:\\TEST.INI"));
    EXPECT_EQ(prefix.read("C:\\TEST.INI"), c.after);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ProfileWrite,
    ::testing::Values(
        WriteCase{"new_file_gets_crlf_and_no_blank_lines",
                  std::nullopt,
                  {{"App1", "key1", "string1"}, {"App1", "key2", "string2"}, {"App1", "key3", "string3"},
                   {"App2", "key4", "string4"}, {"App3", "key5", "string5"}},
                  "[App1]\r\nkey1=string1\r\nkey2=string2\r\nkey3=string3\r\n[App2]\r\nkey4=string4\r\n[App3]\r\n"
                  "key5=string5\r\n"},
        WriteCase{"replace_in_place_keeps_other_lines",
                  "top line\r\n; note\r\n[a]\r\n; c\r\nk=old\r\n\r\nz = 1\r\n[b]\r\nk=b\r\n",
                  {{"a", "k", "new"}},
                  "top line\r\n; note\r\n[a]\r\n; c\r\nk=new\r\n\r\nz = 1\r\n[b]\r\nk=b\r\n"},
        WriteCase{"key_spelled_otherwise_replaced_not_added",
                  "[Options]\r\nBootKeys=1\r\nBootGUI=1\r\n",
                  {{"Options", "BootKeys", "0"}, {"options", "bootkeys", "1"}},
                  "[Options]\r\nBootKeys=1\r\nBootGUI=1\r\n"},
        WriteCase{"lower_case_section_receives_keys_before_blank_separator",
                  "[boot]\r\na=1\r\n\r\n[vcache]\r\nx=1\r\n\r\n[mci]\r\n",
                  {{"VCache", "MinFileCache", "512"}, {"VCache", "MaxFileCache", "1024"}},
                  "[boot]\r\na=1\r\n\r\n[vcache]\r\nx=1\r\nMinFileCache=512\r\nMaxFileCache=1024\r\n\r\n[mci]\r\n"},
        WriteCase{"new_key_goes_after_last_key_line_before_closing_comments",
                  "[Options]\r\nBootGUI=1\r\n;\r\n;padding\r\n\r\n[Other]\r\n",
                  {{"Options", "BootKeys", "0"}},
                  "[Options]\r\nBootGUI=1\r\nBootKeys=0\r\n;\r\n;padding\r\n\r\n[Other]\r\n"},
        WriteCase{"new_key_in_section_without_keys_follows_header", "[s]\r\n; only a comment\r\n",
                  {{"s", "k", "v"}}, "[s]\r\nk=v\r\n; only a comment\r\n"},
        WriteCase{"absent_section_appended_at_end",
                  "[boot]\r\na=1\r\n",
                  {{"VCache", "MinFileCache", "512"}},
                  "[boot]\r\na=1\r\n[VCache]\r\nMinFileCache=512\r\n"},
        WriteCase{"file_without_final_line_end_gets_one_before_new_section",
                  "[boot]\r\na=1",
                  {{"x", "k", "v"}},
                  "[boot]\r\na=1\r\n[x]\r\nk=v\r\n"},
        WriteCase{"file_without_final_line_end_gets_one_before_new_key",
                  "[boot]\r\na=1",
                  {{"boot", "k", "v"}},
                  "[boot]\r\na=1\r\nk=v\r\n"},
        WriteCase{"lf_file_keeps_lf", "[a]\nk=v\n", {{"a", "k2", "w"}, {"b", "k", "v"}, {"a", "k", "x"}},
                  "[a]\nk=x\nk2=w\n[b]\nk=v\n"},
        WriteCase{"cr_file_keeps_cr", "[a]\rk=v\r", {{"a", "k2", "w"}}, "[a]\rk=v\rk2=w\r"},
        WriteCase{"spacing_before_value_kept_on_replace", "[s]\r\n  k = old  \r\n", {{"s", "k", "new"}},
                  "[s]\r\n  k = new\r\n"},
        WriteCase{"empty_value_written_as_key_equals", std::nullopt, {{"s", "k", ""}}, "[s]\r\nk=\r\n"},
        WriteCase{"only_first_duplicate_section_changed", "[s]\r\na=1\r\n[s]\r\nb=2\r\n", {{"s", "b", "3"}},
                  "[s]\r\na=1\r\nb=3\r\n[s]\r\nb=2\r\n"},
        WriteCase{"delete_key_keeps_section", "[s]\r\nk=v\r\nj=w\r\n", {{"s", "k", nullptr}}, "[s]\r\nj=w\r\n"},
        WriteCase{"delete_section_takes_its_lines", "[s]\r\nk=v\r\n\r\n[t]\r\nj=w\r\n", {{"s", nullptr, nullptr}},
                  "[t]\r\nj=w\r\n"},
        WriteCase{"config_sys_pseudo_section_appended_then_replaced",
                  "DEVICE=C:\\WINDOWS\\HIMEM.SYS\r\nFILES=40\r\n",
                  {{"DeleteThisPartinBrackets", "STACKS", "9,256"}, {"DeleteThisPartinBrackets", "FILES", "40"},
                   {"DeleteThisPartinBrackets", "STACKS", "0,0"}},
                  "DEVICE=C:\\WINDOWS\\HIMEM.SYS\r\nFILES=40\r\n[DeleteThisPartinBrackets]\r\nSTACKS=0,0\r\nFILES=40\r\n"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ProfileWriteFailure, read_only_file_refused_and_unchanged) {
    TempPrefix prefix;
    prefix.write("C:\\TEST.INI", "[s]\r\nk=v\r\n");
    ASSERT_TRUE(SetFileAttributesA("C:\\TEST.INI", FILE_ATTRIBUTE_READONLY));
    EXPECT_FALSE(WritePrivateProfileStringA("s", "k", "new", "C:\\TEST.INI"));
    EXPECT_EQ(GetLastError(), ERROR_ACCESS_DENIED);
    EXPECT_EQ(prefix.read("C:\\TEST.INI"), "[s]\r\nk=v\r\n");
}

TEST(ProfileWriteFailure, missing_folder_refused_and_not_created) {
    TempPrefix prefix;
    EXPECT_FALSE(WritePrivateProfileStringA("s", "k", "v", "C:\\NOFOLDER\\TEST.INI"));
    EXPECT_EQ(GetLastError(), ERROR_PATH_NOT_FOUND);
    EXPECT_FALSE(fs::exists(prefix.drive_c() / "NOFOLDER"));
}

TEST(ProfileWriteFailure, missing_section_argument_refused) {
    TempPrefix prefix;
    prefix.write("C:\\TEST.INI", "[s]\r\n");
    EXPECT_FALSE(WritePrivateProfileStringA(nullptr, "k", "v", "C:\\TEST.INI"));
    EXPECT_EQ(prefix.read("C:\\TEST.INI"), "[s]\r\n");
}

TEST(ProfileWriteKeeps, owner_mode_and_dos_attributes) {
    TempPrefix prefix;
    prefix.write("C:\\TEST.INI", "[s]\r\nk=v\r\n");
    fs::path file = prefix.host("C:\\TEST.INI");
    chmod(file.c_str(), 0640);
    ASSERT_TRUE(SetFileAttributesA("C:\\TEST.INI", FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM));
    struct stat before{};
    stat(file.c_str(), &before);
    ASSERT_TRUE(WritePrivateProfileStringA("s", "k", "new", "C:\\TEST.INI"));
    struct stat after{};
    stat(file.c_str(), &after);
    EXPECT_NE(before.st_ino, after.st_ino); // replaced, not rewritten in place
    EXPECT_EQ(after.st_mode & 07777, 0640u);
    EXPECT_EQ(after.st_uid, before.st_uid);
    EXPECT_EQ(GetFileAttributesA("C:\\TEST.INI"), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
}

TEST(ProfileWriteKeeps, symlinked_file_replaced_at_its_target) {
    TempPrefix prefix;
    prefix.write("C:\\REAL.INI", "[s]\r\nk=v\r\n");
    fs::create_symlink(prefix.host("C:\\REAL.INI"), prefix.drive_c() / "LINK.INI");
    ASSERT_TRUE(WritePrivateProfileStringA("s", "k", "new", "C:\\LINK.INI"));
    EXPECT_TRUE(fs::is_symlink(prefix.drive_c() / "LINK.INI"));
    EXPECT_EQ(prefix.read("C:\\REAL.INI"), "[s]\r\nk=new\r\n");
}

// Lets an unprivileged user reach the folder: the test's temporary folders are root's alone.
void open_the_way_to(const fs::path& folder) {
    for (fs::path p = folder; p != p.root_path(); p = p.parent_path())
        if (p.string().find("dosprefix-test-") != std::string::npos)
            chmod(p.c_str(), 0755);
}

std::size_t entries_in(const fs::path& folder) {
    return static_cast<std::size_t>(std::distance(fs::directory_iterator(folder), fs::directory_iterator()));
}

// Where a new file could not keep what the file is, the same bytes go into the file itself.
struct InPlaceCase {
    const char* name;
    mode_t folder_mode;
    uid_t file_owner; // the unprivileged writer is user 65534
};

class ProfileWriteInPlace : public ::testing::TestWithParam<InPlaceCase> {};

TEST_P(ProfileWriteInPlace, keeps_the_file_its_owner_and_its_folder_as_they_are) {
    TempPrefix prefix;
    prefix.write("C:\\HERE\\TEST.INI", "[s]\r\nk=v\r\n");
    fs::path folder = prefix.host("C:\\HERE");
    fs::path file = folder / "TEST.INI";
    open_the_way_to(folder);
    ASSERT_EQ(chown(file.c_str(), GetParam().file_owner, GetParam().file_owner), 0);
    chmod(file.c_str(), 0666);
    chmod(folder.c_str(), GetParam().folder_mode);
    struct stat before{};
    stat(file.c_str(), &before);
    EXPECT_TRUE(run_unprivileged([] { return WritePrivateProfileStringA("s", "k", "new", "C:\\HERE\\TEST.INI") != FALSE; }));
    EXPECT_EQ(prefix.read("C:\\HERE\\TEST.INI"), "[s]\r\nk=new\r\n");
    struct stat after{};
    stat(file.c_str(), &after);
    EXPECT_EQ(after.st_ino, before.st_ino);
    EXPECT_EQ(after.st_uid, before.st_uid);
    EXPECT_EQ(after.st_gid, before.st_gid);
    EXPECT_EQ(entries_in(folder), 1u); // no sibling left
}

INSTANTIATE_TEST_SUITE_P(Cases, ProfileWriteInPlace,
                         ::testing::Values(InPlaceCase{"folder_the_writer_cannot_write", 0555, 65534},
                                           InPlaceCase{"file_of_another_owner", 0777, 0}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ProfileWriteKeeps, hard_links_of_the_file) {
    TempPrefix prefix;
    prefix.write("C:\\TEST.INI", "[s]\r\nk=v\r\n");
    fs::create_hard_link(prefix.host("C:\\TEST.INI"), prefix.drive_c() / "OTHER.INI");
    ASSERT_TRUE(WritePrivateProfileStringA("s", "k", "new", "C:\\TEST.INI"));
    EXPECT_EQ(prefix.read("C:\\OTHER.INI"), "[s]\r\nk=new\r\n");
    EXPECT_EQ(fs::hard_link_count(prefix.host("C:\\TEST.INI")), 2u);
    ASSERT_TRUE(WritePrivateProfileStringA("s", "k", nullptr, "C:\\OTHER.INI"));
    EXPECT_EQ(prefix.read("C:\\TEST.INI"), "[s]\r\n"); // shorter: the old tail is cut
}

// What a writer killed between making its temporary sibling and renaming it leaves behind.
struct SiblingCase {
    const char* name;
    bool held; // a live writer holds its lock
    bool removed;
};

class ProfileWriteSiblings : public ::testing::TestWithParam<SiblingCase> {};

TEST_P(ProfileWriteSiblings, abandoned_ones_are_removed_by_the_next_write) {
    TempPrefix prefix;
    fs::path sibling = prefix.drive_c() / "WINDOWS" / GetParam().name;
    int fd = open(sibling.c_str(), O_CREAT | O_RDWR, 0600);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(write(fd, "[half", 5), 5);
    if (GetParam().held) {
        ASSERT_EQ(flock(fd, LOCK_EX), 0);
    }
    ASSERT_TRUE(WritePrivateProfileStringA("s", "k", "v", "C:\\WINDOWS\\TEST.INI"));
    EXPECT_EQ(fs::exists(sibling), !GetParam().removed);
    close(fd);
}

INSTANTIATE_TEST_SUITE_P(Cases, ProfileWriteSiblings,
                         ::testing::Values(SiblingCase{".host~Ab12yZ", false, true},
                                           SiblingCase{".host~Ab12yZ", true, false},
                                           // Names that only look alike are someone else's.
                                           SiblingCase{".host~Ab12y", false, false},
                                           SiblingCase{".host~Ab12yZ.ini", false, false},
                                           SiblingCase{".host~Ab-2yZ", false, false},
                                           SiblingCase{"x.host~Ab12yZ", false, false}),
                         [](const auto& info) { return "case_" + std::to_string(info.index); });

TEST(ProfileWriteKeeps, names_as_long_as_the_file_system_takes) {
    TempPrefix prefix;
    for (std::size_t length : {246u, 255u}) {
        const std::string name(length, 'L');
        ASSERT_TRUE(WritePrivateProfileStringA("s", "k", "v", ("C:\\" + name).c_str())) << length;
        ASSERT_TRUE(WritePrivateProfileStringA("s", "k", "w", ("C:\\" + name).c_str())) << length;
        EXPECT_EQ(prefix.read("C:\\" + name), "[s]\r\nk=w\r\n") << length;
    }
}

} // namespace
