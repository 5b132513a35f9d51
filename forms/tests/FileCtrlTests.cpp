// The directory list and the drive box over their hooks, and the two-state glyph.
#include "TestApplication.h"

#include "forms/Buttons.h"
#include "forms/FileCtrl.h"

#include <QPushButton>

#include <gtest/gtest.h>

namespace {

class FileCtrlTest : public ::testing::Test {
  protected:
    void SetUp() override {
        TestApplication();
        SetDriveSource([] {
            return std::vector<TDriveEntry>{{u'c', QStringLiteral("c: [system]")},
                                            {u'd', QStringLiteral("d: [cdrom]")}};
        });
        SetDirectorySource({[](QString const& directory) {
                                return directory == QStringLiteral("C:\\WINDOWS")
                                           ? QStringList{"COMMAND", "SYSTEM"}
                                           : QStringList{};
                            },
                            [](QChar drive) { return QString(drive) + QStringLiteral(":\\VIDEO"); }});
        form = std::make_unique<TForm>(nullptr);
    }
    void TearDown() override {
        form.reset();
        SetDriveSource(nullptr);
        SetDirectorySource({});
    }
    std::unique_ptr<TForm> form;
};

TEST_F(FileCtrlTest, directory_list_shows_the_path_and_the_subdirectories) {
    auto* list = new TDirectoryListBox(form.get());
    list->SetDirectory(QStringLiteral("C:\\WINDOWS"));
    EXPECT_EQ(list->EntryTexts(), QStringList({"c:\\", "  WINDOWS", "    COMMAND", "    SYSTEM"}));
    EXPECT_EQ(list->EntryPath(3), QStringLiteral("C:\\WINDOWS\\SYSTEM"));
    EXPECT_EQ(list->EntryPath(0), QStringLiteral("C:\\"));
}

TEST_F(FileCtrlTest, opening_an_entry_makes_it_current_and_fires_change_once) {
    auto* list = new TDirectoryListBox(form.get());
    list->SetDirectory(QStringLiteral("C:\\WINDOWS"));
    int changes = 0;
    list->SetOnChange(TNotifyEvent([&](TObject*) { ++changes; }));
    list->OpenEntry(2);
    EXPECT_EQ(list->Directory(), QStringLiteral("C:\\WINDOWS\\COMMAND"));
    list->OpenEntry(0);
    EXPECT_EQ(list->Directory(), QStringLiteral("C:\\"));
    list->SetDirectory(QStringLiteral("C:\\"));
    EXPECT_EQ(changes, 2);
}

TEST_F(FileCtrlTest, drive_change_moves_to_that_drives_current_directory_unless_already_there) {
    auto* list = new TDirectoryListBox(form.get());
    list->SetDirectory(QStringLiteral("C:\\WINDOWS"));
    list->SetDrive(u'C');
    EXPECT_EQ(list->Directory(), QStringLiteral("C:\\WINDOWS"));
    list->SetDrive(u'd');
    EXPECT_EQ(list->Directory(), QStringLiteral("D:\\VIDEO"));
}

TEST_F(FileCtrlTest, drive_box_lists_the_drives_and_reports_a_new_choice) {
    auto* drives = new TDriveComboBox(form.get());
    int changes = 0;
    drives->SetOnChange(TNotifyEvent([&](TObject*) { ++changes; }));
    EXPECT_EQ(drives->Entries().size(), 2u);
    EXPECT_EQ(drives->Text(), QStringLiteral("c: [system]"));
    drives->SetDrive(u'D');
    drives->SetDrive(u'd');
    EXPECT_EQ(drives->Text(), QStringLiteral("d: [cdrom]"));
    EXPECT_EQ(drives->Drive(), QChar(u'd'));
    EXPECT_EQ(changes, 1);
    drives->SetDrive(u'x');
    EXPECT_EQ(drives->Drive(), QChar(u'd'));
}

TEST_F(FileCtrlTest, two_state_glyph_splits_into_normal_and_disabled_images) {
    QImage strip(32, 16, QImage::Format_RGB32);
    strip.fill(Qt::magenta); // the bottom-left colour: transparent
    strip.setPixel(5, 5, qRgb(255, 0, 0));
    strip.setPixel(21, 5, qRgb(128, 128, 128));
    auto* button = new TBitBtn(form.get());
    button->SetNumGlyphs(2);
    button->Glyph()->SetImage(strip);
    QImage const normal = button->GlyphImage(0);
    QImage const disabled = button->GlyphImage(1);
    ASSERT_EQ(normal.size(), QSize(16, 16));
    EXPECT_EQ(normal.pixelColor(5, 5), QColor(255, 0, 0));
    EXPECT_EQ(disabled.pixelColor(5, 5), QColor(128, 128, 128));
    EXPECT_EQ(normal.pixelColor(0, 0).alpha(), 0);
    EXPECT_FALSE(button->PushButton()->icon().isNull());
    button->SetNumGlyphs(5); // out of range: ignored
    EXPECT_EQ(button->NumGlyphs(), 2);
}

} // namespace
