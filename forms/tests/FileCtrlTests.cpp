// The directory list and the drive box over their hooks, and the two-state glyph.
#include "TestApplication.h"

#include "forms/Buttons.h"
#include "forms/FileCtrl.h"

#include <QComboBox>
#include <QListWidget>
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

bool SameImage(QIcon const& icon, QImage const& image) {
    return icon.pixmap(16, 16).toImage().convertToFormat(QImage::Format_ARGB32) == image;
}

TEST_F(FileCtrlTest, drive_box_shows_each_drive_with_the_icon_of_its_type_on_a_white_field) {
    SetDriveSource([] {
        return std::vector<TDriveEntry>{{u'a', QStringLiteral("a:"), dtFloppy},
                                        {u'c', QStringLiteral("c: [system]"), dtFixed},
                                        {u'd', QStringLiteral("d: [cdrom]"), dtCDROM},
                                        {u'n', QStringLiteral("n: \\\\server\\share"), dtNetwork}};
    });
    auto* drives = new TDriveComboBox(form.get());
    auto* combo = static_cast<QComboBox*>(drives->Widget());
    ASSERT_EQ(combo->count(), 4);
    QList<QImage> seen;
    for (int i = 0; i < combo->count(); ++i) {
        QImage const expected = DriveIcon(drives->Entries()[static_cast<size_t>(i)].Type);
        EXPECT_EQ(expected.size(), QSize(16, 16));
        EXPECT_TRUE(SameImage(combo->itemIcon(i), expected)) << i;
        EXPECT_FALSE(seen.contains(expected)) << "four kinds of drive, four icons: " << i;
        seen << expected;
    }
    // The text field is white, as the list below it; the arrow button keeps the button face.
    drives->SetBounds(0, 0, 145, 21);
    QImage const shot = combo->grab().toImage();
    QColor const field = shot.pixelColor(shot.width() - 30, shot.height() / 2);
    QColor const button = shot.pixelColor(shot.width() - 6, 5);
    EXPECT_EQ(field, QColor(Qt::white)) << field.name().toStdString();
    EXPECT_EQ(button, SystemColor(15)) << button.name().toStdString();
}

TEST_F(FileCtrlTest, directory_list_shows_open_folders_for_the_path_and_closed_ones_below) {
    auto* list = new TDirectoryListBox(form.get());
    list->SetDirectory(QStringLiteral("C:\\WINDOWS"));
    auto* widget = static_cast<QListWidget*>(list->Widget());
    ASSERT_EQ(widget->count(), 4);
    for (int i = 0; i < widget->count(); ++i)
        EXPECT_TRUE(SameImage(widget->item(i)->icon(), FolderIcon(i < 2))) << i;
    EXPECT_NE(FolderIcon(true), FolderIcon(false));
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
