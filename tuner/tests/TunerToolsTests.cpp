// VCache and CONFIG.SYS tuning, the viewers, the drive box and folder lists, the menu and the
// message texts.
#include "TunerFixture.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QListWidget>

namespace {

class TunerTools : public TunerTest {
  protected:
    std::vector<std::string> Opened(std::string const& dosPath) const {
        return {"xdg-open", prefix.host(dosPath).string()};
    }
};

TEST_F(TunerTools, cancelled_vcache_input_box_still_writes_both_keys_to_the_default_path) {
    TForm1& f = Open();
    f.SpinEdit2->SetText(QStringLiteral("1024"));
    f.SpinEdit3->SetText(QStringLiteral("4096"));
    f.Timer1Timer(f.Timer1);
    Click(f.Button5);
    ASSERT_EQ(responder.input_boxes.size(), 1u);
    EXPECT_EQ(responder.input_boxes[0].caption, "Enter Path to Windows Version to Alter");
    EXPECT_EQ(responder.input_boxes[0].prompt, "Enter the Windows Version Path Directory / Folder");
    EXPECT_EQ(responder.input_boxes[0].default_text, "C:\\WINDOWS\\system.ini");
    std::string const systemIni = prefix.read("C:\\WINDOWS\\SYSTEM.INI");
    EXPECT_NE(systemIni.find("MinFileCache=1024"), std::string::npos) << systemIni;
    EXPECT_NE(systemIni.find("MaxFileCache=4096"), std::string::npos) << systemIni;
    EXPECT_TRUE(responder.message_boxes.empty());
}

TEST_F(TunerTools, vcache_values_of_any_bytes_are_written_back_unchanged) {
    // Every byte from 0x80 up, the ones Windows-1252 leaves undefined among them.
    std::string high;
    for (int b = 0x80; b <= 0xFF; ++b)
        high += static_cast<char>(b);
    prefix.write("C:\\WINDOWS\\SYSTEM.INI", "[VCache]\r\nMinFileCache=\xFF\xFE\r\nMaxFileCache=" + high + "\r\n");
    TForm1& f = Open();
    f.Timer1Timer(f.Timer1);
    Click(f.Button5);
    EXPECT_EQ(prefix.read("C:\\WINDOWS\\SYSTEM.INI"),
              "[VCache]\r\nMinFileCache=\xFF\xFE\r\nMaxFileCache=" + high + "\r\n");
}

TEST_F(TunerTools, a_spin_change_younger_than_a_tick_writes_the_previous_value) {
    TForm1& f = Open();
    f.Timer1->SetEnabled(false);
    f.Timer1Timer(f.Timer1);
    QString const previous = f.SpinEdit2->Text();
    f.SpinEdit2->SetText(QStringLiteral("8192"));
    Click(f.Button5);
    std::string const systemIni = prefix.read("C:\\WINDOWS\\SYSTEM.INI");
    EXPECT_NE(systemIni.find("MinFileCache=" + previous.toStdString() + "\r\n"), std::string::npos)
        << systemIni;
    EXPECT_EQ(systemIni.find("8192"), std::string::npos);
}

TEST_F(TunerTools, vcache_answer_in_a_new_file_creates_it_and_a_missing_folder_fails_naming_the_path) {
    TForm1& f = Open();
    responder.input_answers = {std::string("C:\\WINDOWS\\OTHER.INI"), std::string("C:\\NOWHERE\\system.ini")};
    Click(f.Button5);
    EXPECT_EQ(prefix.read("C:\\WINDOWS\\OTHER.INI"), "[VCache]\r\nMinFileCache=256\r\nMaxFileCache=512\r\n");
    Click(f.Button5);
    ASSERT_EQ(responder.message_boxes.size(), 1u);
    EXPECT_EQ(responder.message_boxes[0].text, "Unable to write to C:\\NOWHERE\\system.ini.");
}

TEST_F(TunerTools, tune_dos_memory_writes_the_value_forms_in_order_on_a_read_only_config_sys) {
    SetFileAttributesA("C:\\CONFIG.SYS", 0);
    prefix.write("C:\\CONFIG.SYS", "FILES=40\r\n");
    SetFileAttributesA("C:\\CONFIG.SYS", FILE_ATTRIBUTE_READONLY);
    TForm1& f = Open();
    f.SpinEdit4->SetText(QStringLiteral("12"));
    f.SpinEdit5->SetText(QStringLiteral("1"));
    f.SpinEdit6->SetText(QStringLiteral("0"));
    f.SpinEdit7->SetText(QStringLiteral("1"));
    f.Timer1Timer(f.Timer1);
    Click(f.Button4);
    EXPECT_TRUE(responder.message_boxes.empty());
    EXPECT_EQ(
        prefix.read("C:\\CONFIG.SYS"),
        "FILES=40\r\n[DeleteThisPartinBrackets]\r\nSTACKS=0,0\r\nFILES=12\r\nBUFFERS=1,1\r\nFCBS=1,0\r\n");
    EXPECT_EQ(GetFileAttributesA("C:\\CONFIG.SYS") & FILE_ATTRIBUTE_READONLY, 0u);
}

TEST_F(TunerTools, viewers_and_the_system_editor_launch_their_files) {
    TForm1& f = Open();
    Click(f.Button7);
    Click(f.BitBtn1);
    Click(f.Button6); // cancelled: the Windows directory's SYSTEM.INI
    ASSERT_EQ(launcher.launched.size(), 3u);
    EXPECT_EQ(launcher.launched[0], Opened("C:\\CONFIG.SYS"));
    EXPECT_EQ(launcher.launched[1], Opened("C:\\MSDOS.SYS"));
    EXPECT_EQ(launcher.launched[2], Opened("C:\\WINDOWS\\SYSTEM.INI"));
    ASSERT_EQ(responder.input_boxes.size(), 1u);
    EXPECT_EQ(responder.input_boxes[0].caption, "Enter your Windows Directory");
    EXPECT_EQ(responder.input_boxes[0].prompt, "Enter your Windows Directory");
    EXPECT_EQ(responder.input_boxes[0].default_text, "C:\\WINDOWS");
    launcher.launched.clear();
    AsUser([&] { f.FindComponent<TMenuItem>(QStringLiteral("OpenConfigsys1"))->Click(); });
    EXPECT_EQ(launcher.launched.size(), 4u);
    EXPECT_TRUE(responder.message_boxes.empty());
}

TEST_F(TunerTools, quotes_and_shell_characters_in_the_answer_reach_the_editor_as_one_argument) {
    TForm1& f = Open();
    std::filesystem::create_directories(prefix.host("C:\\WINDOWS") / "a;b $(touch x)");
    responder.input_answers = {std::string("C:\\WINDOWS\\a;b $(touch x)")};
    Click(f.Button6);
    ASSERT_EQ(launcher.launched.size(), 1u);
    ASSERT_EQ(launcher.launched[0].size(), 2u);
    EXPECT_EQ(launcher.launched[0][1],
              (prefix.host("C:\\WINDOWS") / "a;b $(touch x)" / "system.ini").string());
}

TEST_F(TunerTools, about_and_help_show_their_texts_any_number_of_times) {
    TForm1& f = Open();
    std::string const before = prefix.read("C:\\MSDOS.SYS");
    auto* about = f.FindComponent<TMenuItem>(QStringLiteral("About1"));
    auto* help = f.FindComponent<TMenuItem>(QStringLiteral("Help1"));
    AsUser([&] { about->Click(); });
    AsUser([&] { about->Click(); });
    AsUser([&] { help->Click(); });
    Click(f.BitBtn4);
    ASSERT_EQ(responder.message_boxes.size(), 4u);
    EXPECT_EQ(responder.message_boxes[0].text,
              "Fettle for DOS 7.0 where you control how DOS boots up to Windows 95.  Choose the Multiboot, "
              "Boot DOS "
              "only and more. Varn Website is http://www.example.com/varn/, come visit!");
    EXPECT_EQ(responder.message_boxes[1].text, responder.message_boxes[0].text);
    for (size_t i : {size_t(2), size_t(3)}) {
        EXPECT_EQ(responder.message_boxes[i].text, TunerTexts::HelpText);
        EXPECT_EQ(responder.message_boxes[i].caption, "BootFettle by Varn");
    }
    EXPECT_EQ(prefix.read("C:\\MSDOS.SYS"), before);
}

class TunerDrives : public TunerTools {
  protected:
    void SetUp() override {
        TunerTools::SetUp();
        std::filesystem::create_directories(prefix.root() / "drive_d" / "GAMES");
        std::filesystem::create_directory_symlink("../drive_d", prefix.root() / "dosdevices" / "d:");
    }
};

TEST_F(TunerDrives, drive_box_lists_each_drive_in_letter_order_with_its_text) {
    TForm1& f = Open();
    auto const& entries = f.DriveComboBox1->Entries();
    ASSERT_GE(entries.size(), 2u);
    EXPECT_EQ(entries[0].Letter, QChar(u'c'));
    EXPECT_EQ(entries[1].Letter, QChar(u'd'));
    for (size_t i = 0; i < entries.size(); ++i) {
        QString const& text = entries[i].Text;
        EXPECT_EQ(text.left(2), QString(entries[i].Letter) + u':');
        EXPECT_EQ(text, text.toLower());
        if (i > 0) {
            EXPECT_LT(entries[i - 1].Letter, entries[i].Letter);
        }
    }
}

TEST_F(TunerDrives, choosing_another_drive_moves_both_lists_and_the_next_commit_writes_its_letter) {
    SetFileAttributesA("C:\\MSDOS.SYS", 0);
    TForm1& f = Open();
    AsUser([&] { f.DriveComboBox1->SetDrive(u'D'); });
    EXPECT_EQ(f.DirectoryListBox1->Directory(), QStringLiteral("D:\\"));
    EXPECT_EQ(f.DirectoryListBox2->Directory(), QStringLiteral("D:\\"));
    EXPECT_TRUE(f.DirectoryListBox1->EntryTexts().contains(QStringLiteral("  GAMES")));
    f.Timer1Timer(f.Timer1);
    EXPECT_EQ(f.Edit1->Text(), QStringLiteral("D:\\"));
    EXPECT_EQ(f.Edit3->Text(), f.DriveComboBox1->Text());
    EXPECT_TRUE(f.Edit3->Text().startsWith(QStringLiteral("d:")));
    Click(f.BitBtn2);
    EXPECT_NE(MsdosSys().find("HostWinBootDrv=d\r\n"), std::string::npos) << MsdosSys();
}

TEST_F(TunerTools, enter_or_double_click_makes_an_entry_current_in_one_list_only) {
    TForm1& f = Open();
    auto* list = static_cast<QListWidget*>(f.DirectoryListBox1->Widget());
    int const system = f.DirectoryListBox1->EntryTexts().indexOf(QStringLiteral("    SYSTEM"));
    ASSERT_GE(system, 0);
    list->setCurrentRow(system);
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QCoreApplication::sendEvent(list, &enter);
    EXPECT_EQ(f.DirectoryListBox1->Directory(), QStringLiteral("C:\\WINDOWS\\SYSTEM"));
    EXPECT_EQ(f.DirectoryListBox2->Directory(), QStringLiteral("C:\\WINDOWS"));
    EXPECT_EQ(f.DriveComboBox1->Drive(), QChar(u'c'));
}

TEST_F(TunerTools, leaving_the_windows_directory_list_enables_the_vcache_buttons) {
    TForm1& f = Open();
    EXPECT_EQ(f.DirectoryListBox1->OnExit().Name(), QStringLiteral("Edit1Change"));
    f.Button5->SetEnabled(false);
    f.Button6->SetEnabled(false);
    QFocusEvent leave(QEvent::FocusOut, Qt::TabFocusReason);
    AsUser([&] { QCoreApplication::sendEvent(f.DirectoryListBox1->Widget(), &leave); });
    EXPECT_TRUE(f.Button5->Enabled());
    EXPECT_TRUE(f.Button6->Enabled());
}

} // namespace
