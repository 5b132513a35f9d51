// The drive and folder sources of the tuner's drive box and directory lists, read through the
// host's Windows functions.
#include "DriveSources.h"
#include "TempPrefix.h"
#include "host/kernel32.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>

namespace fs = std::filesystem;

namespace {

class DriveSourcesTest : public ::testing::Test {
  protected:
    void TearDown() override { fs::current_path(m_Saved); }

    TempPrefix prefix;

  private:
    fs::path m_Saved = fs::current_path();
};

TEST_F(DriveSourcesTest, drives_carry_their_type_and_a_local_network_folder_shows_as_a_share) {
    for (const char* folder : {"floppy", "cdrom", "share"})
        fs::create_directory(prefix.root() / folder);
    fs::create_directory_symlink("../floppy", prefix.root() / "dosdevices" / "a:");
    fs::create_directory_symlink("../cdrom", prefix.root() / "dosdevices" / "d:");
    fs::create_directory_symlink("../share", prefix.root() / "dosdevices" / "n:");
    std::ofstream(prefix.root() / "drives.ini") << "[Drives]\r\nd:=cdrom\r\nn:=network\r\n";
    std::vector<TDriveEntry> const drives = DriveSources::Drives();
    std::map<QChar, TDriveEntry> by_letter;
    for (TDriveEntry const& entry : drives)
        by_letter[entry.Letter] = entry;
    EXPECT_EQ(by_letter[u'a'].Type, dtFloppy);
    EXPECT_EQ(by_letter[u'c'].Type, dtFixed);
    EXPECT_EQ(by_letter[u'd'].Type, dtCDROM);
    EXPECT_EQ(by_letter[u'n'].Type, dtNetwork);
    // The share of this machine that holds the folder, never the device its file system is on.
    QString const share = QString::fromStdString(fs::canonical(prefix.root() / "share").generic_string())
                              .replace(u'/', u'\\')
                              .toLower();
    EXPECT_TRUE(by_letter[u'n'].Text.startsWith(QStringLiteral("n: \\\\"))) << by_letter[u'n'].Text.toStdString();
    EXPECT_TRUE(by_letter[u'n'].Text.endsWith(share)) << by_letter[u'n'].Text.toStdString();
}

TEST_F(DriveSourcesTest, subdirectories_leave_out_files_dot_entries_and_hidden_or_system_folders) {
    for (char const* folder : {"Games", "apps", "Zeta", ".config", "Hidden", "System"})
        fs::create_directories(prefix.drive_c() / "LIST" / folder);
    prefix.write("C:\\LIST\\file.txt", "x");
    ASSERT_TRUE(SetFileAttributesA("C:\\LIST\\Hidden", FILE_ATTRIBUTE_HIDDEN));
    ASSERT_TRUE(SetFileAttributesA("C:\\LIST\\System", FILE_ATTRIBUTE_SYSTEM));
    QStringList const expected{QStringLiteral("apps"), QStringLiteral("Games"), QStringLiteral("Zeta")};
    EXPECT_EQ(DriveSources::Subdirectories(QStringLiteral("C:\\LIST")), expected);
    EXPECT_EQ(DriveSources::Subdirectories(QStringLiteral("c:\\list\\")), expected);
    EXPECT_TRUE(DriveSources::Subdirectories(QStringLiteral("C:\\LIST\\Games")).isEmpty());
    EXPECT_TRUE(DriveSources::Subdirectories(QStringLiteral("C:\\NOFOLDER")).isEmpty());
    EXPECT_TRUE(DriveSources::Subdirectories(QStringLiteral("C:\\")).contains(QStringLiteral("WINDOWS")));
}

TEST_F(DriveSourcesTest, current_directories_come_from_the_process_current_directory) {
    fs::create_directory(prefix.root() / "cdrom");
    fs::create_directory_symlink("../cdrom", prefix.root() / "dosdevices" / "d:");
    ASSERT_TRUE(SetCurrentDirectoryA("C:\\WINDOWS\\SYSTEM"));
    EXPECT_EQ(DriveSources::ProcessDirectory(), QStringLiteral("C:\\WINDOWS\\SYSTEM"));
    EXPECT_EQ(DriveSources::CurrentDirectory(QChar(u'c')), QStringLiteral("C:\\WINDOWS\\SYSTEM"));
    EXPECT_EQ(DriveSources::CurrentDirectory(QChar(u'D')), QStringLiteral("D:\\"));
    ASSERT_TRUE(SetCurrentDirectoryA("D:\\"));
    EXPECT_EQ(DriveSources::ProcessDirectory(), QStringLiteral("D:\\"));
    EXPECT_EQ(DriveSources::CurrentDirectory(QChar(u'C')), QStringLiteral("C:\\"));
}

} // namespace
