// The network name of a drive (WNetGetConnectionA).
#include "TempPrefix.h"
#include "host/kernel32.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

TEST(NetworkDrives, a_local_folder_marked_network_is_named_as_a_share_of_this_machine) {
    TempPrefix prefix;
    fs::path const share = prefix.root() / "Caf\xC3\xA9 share";
    fs::create_directory(share);
    fs::create_directory_symlink(share, prefix.root() / "dosdevices" / "n:");
    std::ofstream(prefix.root() / "drives.ini") << "[Drives]\r\nn:=network\r\n";
    ASSERT_EQ(GetDriveTypeA("N:\\"), UINT(DRIVE_REMOTE));

    char host[256] = {};
    ASSERT_EQ(gethostname(host, sizeof host - 1), 0);
    std::string folder = fs::canonical(share).generic_string();
    folder.replace(folder.find("Caf\xC3\xA9"), 5, "Caf\xE9"); // handed out in ANSI
    std::replace(folder.begin(), folder.end(), '/', '\\');
    std::string const expected = "\\\\" + std::string(host) + folder;

    char name[512] = {};
    DWORD length = sizeof name;
    ASSERT_EQ(WNetGetConnectionA("N:", name, &length), DWORD(NO_ERROR));
    EXPECT_EQ(std::string(name), expected);
    EXPECT_NE(std::string(name).substr(0, 4), "\\dev");

    DWORD small = 4;
    EXPECT_EQ(WNetGetConnectionA("n:", name, &small), DWORD(ERROR_MORE_DATA));
    EXPECT_EQ(small, expected.size() + 1);
    length = sizeof name;
    EXPECT_EQ(WNetGetConnectionA("C:", name, &length), DWORD(ERROR_NOT_CONNECTED));
}

} // namespace
