// Commit Changes, Save and Exit and Exit: what lands in MSDOS.SYS, in which order, with which
// attributes, and what the user sees when a write fails.
#include "TunerFixture.h"

#include "host/user32_dialogs.h"

namespace {

std::string const BareMsdosSys = "[Paths]\r\n[Options]\r\n";

class TunerCommit : public TunerTest {
  protected:
    void SetUp() override {
        TunerTest::SetUp();
        SetFileAttributesA("C:\\MSDOS.SYS", 0);
    }
    TForm1& OpenOn(std::string const& msdosSys) {
        prefix.write("C:\\MSDOS.SYS", msdosSys);
        return Open();
    }
};

TEST_F(TunerCommit, commit_writes_every_key_in_order_with_autoscan_only_when_checkbox6_is_unchecked) {
    TForm1& f = OpenOn(BareMsdosSys);
    f.CheckBox6->SetChecked(false);
    Click(f.BitBtn2);
    EXPECT_EQ(MsdosSys(),
              "[Paths]\r\nWinDir=C:\\WINDOWS\r\nWinBootDir=C:\\WINDOWS\r\nHostWinBootDrv=c\r\n"
              "[Options]\r\nBootMulti=0\r\nBootGUI=1\r\nNetwork=0\r\nBootDelay=0\r\nAutoscan=2\r\n"
              "BootKeys=0\r\n");
}

TEST_F(TunerCommit, checked_checkbox6_leaves_an_existing_autoscan_line_alone_and_adds_none) {
    TForm1& f = OpenOn("[Options]\r\nAutoscan=1\r\n");
    f.SpinEdit1->SetText(QStringLiteral("2"));
    Click(f.BitBtn2);
    std::string const after = MsdosSys();
    EXPECT_NE(after.find("[Options]\r\nAutoscan=1\r\nBootMulti=0"), std::string::npos) << after;
    EXPECT_EQ(after.find("Autoscan=2"), std::string::npos);
}

TEST_F(TunerCommit, a_commit_right_after_a_click_writes_the_new_flag_before_any_tick) {
    TForm1& f = OpenOn(BareMsdosSys);
    f.Timer1->SetEnabled(false);
    f.CheckBox3->SetChecked(true);
    f.CheckBox2->SetChecked(false);
    Click(f.BitBtn2);
    EXPECT_NE(MsdosSys().find("BootGUI=0\r\nNetwork=1\r\n"), std::string::npos) << MsdosSys();
}

TEST_F(TunerCommit, a_setting_neither_0_nor_1_is_written_back_as_the_boxs_flag_after_a_tick) {
    TForm1& f = OpenOn("[Options]\r\nBootGUI=yes\r\n");
    f.Timer1Timer(f.Timer1);
    Click(f.BitBtn2);
    EXPECT_NE(MsdosSys().find("BootGUI=1\r\n"), std::string::npos) << MsdosSys();
}

TEST_F(TunerCommit, directories_come_from_the_lists_whatever_was_typed) {
    TForm1& f = OpenOn(BareMsdosSys);
    f.Edit1->SetText(QStringLiteral("typed"));
    f.Edit2->SetText(QStringLiteral("typed too"));
    f.DirectoryListBox1->SetDirectory(QStringLiteral("C:\\"));
    f.DirectoryListBox2->SetDirectory(QStringLiteral("C:\\WINDOWS\\SYSTEM"));
    Click(f.BitBtn2);
    EXPECT_NE(MsdosSys().find("WinDir=C:\\\r\nWinBootDir=C:\\WINDOWS\\SYSTEM\r\n"), std::string::npos)
        << MsdosSys();
}

TEST_F(TunerCommit, a_folder_named_in_utf8_on_the_disk_reaches_msdos_sys_in_ansi) {
    std::filesystem::create_directory(prefix.host("C:\\WINDOWS") / "Caf\xC3\xA9");
    TForm1& f = OpenOn(BareMsdosSys);
    f.DirectoryListBox1->SetDirectory(QStringLiteral("C:\\WINDOWS"));
    int const entry = f.DirectoryListBox1->EntryTexts().indexOf(QString::fromUtf8("    Caf\xC3\xA9"));
    ASSERT_GE(entry, 0) << f.DirectoryListBox1->EntryTexts().join(u'|').toStdString();
    f.DirectoryListBox1->OpenEntry(entry);
    Click(f.BitBtn2);
    EXPECT_NE(MsdosSys().find("WinDir=C:\\WINDOWS\\Caf\xE9\r\n"), std::string::npos) << MsdosSys();
}

TEST_F(TunerCommit, commit_leaves_msdos_sys_with_only_the_read_only_bit_it_had) {
    prefix.write("C:\\MSDOS.SYS", BareMsdosSys);
    SetFileAttributesA("C:\\MSDOS.SYS",
                       FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
    TForm1& f = Open();
    Click(f.BitBtn2);
    EXPECT_TRUE(responder.message_boxes.empty());
    DWORD const kept =
        FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE;
    EXPECT_EQ(GetFileAttributesA("C:\\MSDOS.SYS") & kept, 0u);
}

TEST_F(TunerCommit, checkbox6_shows_the_information_box_both_ways) {
    TForm1& f = OpenOn(BareMsdosSys);
    AsUser([&] { f.CheckBox6->SetChecked(false); });
    AsUser([&] { f.CheckBox6->SetChecked(true); });
    ASSERT_EQ(responder.message_boxes.size(), 2u);
    for (auto const& box : responder.message_boxes) {
        EXPECT_EQ(box.caption, "BootFettle by Varn");
        EXPECT_EQ(box.text, TunerTexts::ScandiskNotice);
        EXPECT_EQ(box.style & MB_ICONSTOP, 0u);
    }
}

TEST_F(TunerCommit, save_and_exit_on_an_unwritable_msdos_sys_shows_the_error_and_keeps_running) {
    TForm1& f = OpenOn(BareMsdosSys);
    f.Show();
    std::string const before = MsdosSys();
    SetFileAttributesA("C:\\MSDOS.SYS", FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN);
    Click(f.BitBtn3);
    ASSERT_EQ(responder.message_boxes.size(), 1u);
    EXPECT_EQ(responder.message_boxes[0].text, "Unable to write to c:\\msdos.sys.");
    EXPECT_EQ(responder.message_boxes[0].caption, "BootFettle by Varn");
    EXPECT_EQ(responder.message_boxes[0].style & MB_ICONSTOP, DWORD(MB_ICONSTOP));
    EXPECT_TRUE(f.Visible());
    EXPECT_TRUE(f.Timer1->Active());
    EXPECT_EQ(MsdosSys(), before);
    // The attributes are still set to the read-only bit alone.
    EXPECT_EQ(GetFileAttributesA("C:\\MSDOS.SYS") & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN),
              DWORD(FILE_ATTRIBUTE_READONLY));
}

TEST_F(TunerCommit, save_and_exit_writes_then_stops_the_timer_and_closes) {
    TForm1& f = OpenOn(BareMsdosSys);
    f.Show();
    Click(f.BitBtn3);
    EXPECT_NE(MsdosSys().find("BootKeys=0"), std::string::npos);
    EXPECT_FALSE(f.Visible());
    EXPECT_FALSE(f.Timer1->Enabled());
    EXPECT_TRUE(responder.message_boxes.empty());
}

struct ExitCase {
    const char* name;
    bool menu;
};

class TunerExit : public TunerCommit, public ::testing::WithParamInterface<ExitCase> {};

TEST_P(TunerExit, exit_stops_the_timer_closes_and_touches_no_file) {
    TForm1& f = OpenOn(BareMsdosSys);
    f.Show();
    f.CheckBox1->SetChecked(true);
    std::string const before = MsdosSys();
    if (GetParam().menu)
        AsUser([&] { f.FindComponent<TMenuItem>(QStringLiteral("Exit1"))->Click(); });
    else
        Click(f.BitBtn5);
    EXPECT_FALSE(f.Visible());
    EXPECT_FALSE(f.Timer1->Enabled());
    EXPECT_EQ(MsdosSys(), before);
}

INSTANTIATE_TEST_SUITE_P(Ways, TunerExit,
                         ::testing::Values(ExitCase{"button", false}, ExitCase{"menu", true}),
                         [](auto const& info) { return std::string(info.param.name); });

} // namespace
