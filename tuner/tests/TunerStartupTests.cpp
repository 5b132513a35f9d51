// The start-up load: read order, defaults, the check-box rules and the cut CONFIG.SYS values;
// then the 500 ms mirror refresh.
#include "PumpUntil.h"
#include "TunerFixture.h"

namespace {

class TunerStartup : public TunerTest {
  protected:
    void WriteBootFile(const char* path, std::string const& bytes) {
        SetFileAttributesA(path, 0);
        prefix.write(path, bytes);
    }
    void RemoveBootFiles() {
        for (const char* path : {"C:\\MSDOS.SYS", "C:\\CONFIG.SYS", "C:\\WINDOWS\\SYSTEM.INI"}) {
            SetFileAttributesA(path, 0);
            std::filesystem::remove(prefix.host(path));
        }
    }
};

TEST_F(TunerStartup, no_boot_files_at_all_give_the_defaults) {
    RemoveBootFiles();
    TForm1& f = Open();
    EXPECT_TRUE(f.CheckBox2->Checked());
    for (TCheckBox* box : {f.CheckBox1, f.CheckBox3, f.CheckBox4, f.CheckBox5})
        EXPECT_FALSE(box->Checked()) << box->Name().toStdString();
    EXPECT_EQ(f.SpinEdit1->Text(), QStringLiteral("2"));
    EXPECT_EQ(f.Edit8->Text(), QStringLiteral("2"));
    EXPECT_EQ(f.SpinEdit2->Text(), QStringLiteral("512"));
    EXPECT_EQ(f.SpinEdit3->Text(), QStringLiteral("1024"));
    EXPECT_EQ(f.SpinEdit4->Text(), QStringLiteral("35"));
    EXPECT_EQ(f.SpinEdit5->Text(), QStringLiteral("5"));
    EXPECT_EQ(f.SpinEdit6->Text(), QStringLiteral("0"));
    EXPECT_EQ(f.SpinEdit7->Text(), QStringLiteral("1"));
    EXPECT_EQ(f.Edit1->Text(), QStringLiteral("C:\\WINDOWS"));
    EXPECT_EQ(f.Edit3->Text(), QStringLiteral("C"));
    // Nothing was created by reading.
    EXPECT_FALSE(std::filesystem::exists(prefix.host("C:\\MSDOS.SYS")));
}

struct OptionsCase {
    const char* name;
    const char* options;
    bool multi, gui, network, delay, keys;
    const char* autoscan;
    const char* guiMirror;
};

class StartupOptions : public TunerStartup, public ::testing::WithParamInterface<OptionsCase> {};

TEST_P(StartupOptions, check_boxes_and_scandisk_follow_the_options) {
    OptionsCase const& c = GetParam();
    WriteBootFile("C:\\MSDOS.SYS", std::string("[Paths]\r\nWinDir=C:\\WINDOWS\r\n[Options]\r\n") + c.options);
    TForm1& f = Open();
    EXPECT_EQ(f.CheckBox1->Checked(), c.multi);
    EXPECT_EQ(f.CheckBox2->Checked(), c.gui);
    EXPECT_EQ(f.CheckBox3->Checked(), c.network);
    EXPECT_EQ(f.CheckBox5->Checked(), c.delay);
    EXPECT_EQ(f.CheckBox4->Checked(), c.keys);
    EXPECT_EQ(f.SpinEdit1->Text(), QString::fromLatin1(c.autoscan));
    EXPECT_EQ(f.Edit8->Text(), QString::fromLatin1(c.autoscan));
    EXPECT_EQ(f.Edit5->Text(), QString::fromLatin1(c.guiMirror));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, StartupOptions,
    ::testing::Values(
        OptionsCase{"gui_off", "BootGUI=0\r\n", false, false, false, false, false, "2", "0"},
        OptionsCase{"gui_yes_keeps_initial_state", "BootGUI=yes\r\n", false, true, false, false, false, "2",
                    "yes"},
        OptionsCase{"autoscan_one", "Autoscan=1\r\n", false, true, false, false, false, "1", "1"},
        OptionsCase{"all_on", "BootMulti=1\r\nNetwork=1\r\nBootDelay=1\r\nBootKeys=1\r\n", true, true, true,
                    true, true, "2", "1"},
        OptionsCase{"bootkeys_any_spelling", "bootkeys=1\r\n", false, true, false, false, true, "2", "1"}),
    [](auto const& info) { return std::string(info.param.name); });

TEST_F(TunerStartup, config_sys_values_are_cut_on_reading) {
    WriteBootFile("C:\\CONFIG.SYS", "FILES=40\r\n[DeleteThisPartinBrackets]\r\nFILES=120\r\nBUFFERS=30,"
                                    "30\r\nSTACKS=9,256\r\nFCBS=4,0\r\n");
    TForm1& f = Open();
    EXPECT_EQ(f.SpinEdit4->Text(), QStringLiteral("12"));
    EXPECT_EQ(f.SpinEdit5->Text(), QStringLiteral("3"));
    EXPECT_EQ(f.SpinEdit6->Text(), QStringLiteral("9"));
    EXPECT_EQ(f.SpinEdit7->Text(), QStringLiteral("4"));
}

TEST_F(TunerStartup, start_up_clears_only_the_read_only_bit_of_msdos_sys) {
    SetFileAttributesA("C:\\MSDOS.SYS",
                       FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
    Open();
    DWORD const attributes = GetFileAttributesA("C:\\MSDOS.SYS");
    EXPECT_EQ(attributes & FILE_ATTRIBUTE_READONLY, 0u);
    EXPECT_EQ(attributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM),
              DWORD(FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM));
}

TEST_F(TunerStartup, lists_and_drive_box_start_on_the_process_directory) {
    TForm1& f = Open();
    EXPECT_EQ(f.DirectoryListBox1->Directory(), QStringLiteral("C:\\WINDOWS"));
    EXPECT_EQ(f.DirectoryListBox2->Directory(), QStringLiteral("C:\\WINDOWS"));
    EXPECT_EQ(f.DriveComboBox1->Drive(), QChar(u'c'));
    EXPECT_TRUE(f.DriveComboBox1->Text().startsWith(QStringLiteral("c:")));
}

TEST_F(TunerStartup, path_boxes_show_msdos_sys_until_the_first_tick_replaces_them) {
    SetFileAttributesA("C:\\MSDOS.SYS", 0);
    prefix.write("C:\\MSDOS.SYS", "[Paths]\r\nWinDir=C:\\WIN98\r\nWinBootDir=C:\\BOOT\r\n");
    TForm1& f = Open();
    EXPECT_EQ(f.Edit1->Text(), QStringLiteral("C:\\WIN98"));
    EXPECT_EQ(f.Edit2->Text(), QStringLiteral("C:\\BOOT"));
    f.CheckBox3->SetChecked(true);
    f.SpinEdit2->SetText(QStringLiteral("2048"));
    f.SpinEdit6->SetText(QStringLiteral("7"));
    QString const autoscan = f.Edit8->Text();
    f.SpinEdit1->SetText(QStringLiteral("x"));
    f.Edit8->SetText(autoscan);
    // A real tick of the running timer, which copies every mirror at once.
    pump_until([&] { return f.Edit1->Text() == QStringLiteral("C:\\WINDOWS"); });
    EXPECT_EQ(f.Edit1->Text(), QStringLiteral("C:\\WINDOWS"));
    EXPECT_EQ(f.Edit2->Text(), QStringLiteral("C:\\WINDOWS"));
    EXPECT_EQ(f.Edit3->Text(), f.DriveComboBox1->Text());
    EXPECT_EQ(f.Edit6->Text(), QStringLiteral("1"));
    EXPECT_EQ(f.Edit9->Text(), QStringLiteral("2048"));
    EXPECT_EQ(f.Edit14->Text(), QStringLiteral("7"));
    // A scandisk text other than 0, 1 or 2 leaves its mirror alone.
    EXPECT_EQ(f.Edit8->Text(), autoscan);
}

} // namespace
