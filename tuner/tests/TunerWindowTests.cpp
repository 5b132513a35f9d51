// The tuner window as its form description makes it: every control with its class, caption,
// hint, range, initial state and geometry, and a description that survives writing and reading.
#include "TunerFixture.h"

#include "forms/FormReader.h"

#include <QRegularExpression>

namespace {

struct ControlRow {
    const char* name;
    const char* className;
    const char* caption; // nullptr: not checked
    const char* hint;    // nullptr: not checked
    QRect bounds;        // empty: not checked
};

QString CaptionOf(QObject* component) {
    QVariant const caption = component->property("Caption");
    return caption.isValid() ? caption.toString() : QString();
}

ControlRow const Controls[] = {
    {"Panel2", "TPanel", "", nullptr, {0, 0, 609, 41}},
    {"Image2", "TImage", nullptr, nullptr, {8, 12, 192, 17}},
    {"CaptionControl1", "TCaptionControl", nullptr, nullptr, {}},
    {"DRLabel1", "TDRLabel", "BootFettle 3.0", nullptr, {}},
    {"Image1", "TImage", nullptr, nullptr, {408, 12, 193, 17}},
    {"Bevel1", "TBevel", nullptr, nullptr, {0, 48, 609, 41}},
    {"BitBtn2",
     "TBitBtn",
     "Commit Changes",
     "Commits Changes but does not lleave program, use Examine Changes to see them",
     {8, 56, 113, 25}},
    {"BitBtn3",
     "TBitBtn",
     "Save and Exit",
     "Saves your changes and exits program, you must reboot for it to become effective",
     {128, 56, 113, 25}},
    {"BitBtn1",
     "TBitBtn",
     "Examine Changes",
     "Allows users to examine all changes and change manually",
     {248, 56, 113, 25}},
    {"BitBtn5", "TBitBtn", "Exit", "Shuts down the program", {368, 56, 113, 25}},
    {"BitBtn4", "TBitBtn", "Help", "Help System", {488, 56, 113, 25}},
    {"Panel1", "TPanel", "", nullptr, {0, 96, 609, 289}},
    {"GroupBox4", "TGroupBox", "Win95 Folders and Drives Setup", "", {8, 8, 169, 265}},
    {"GroupBox1", "TGroupBox", "BootTime Switches Options Section", "", {184, 8, 193, 265}},
    {"GroupBox3",
     "TGroupBox",
     "Config.sys Conventional Memory Tuning",
     "CAUTION: Make Sure you check this area and remove the added part in brackets! or it will generate "
     "minor "
     "bootup error...",
     {384, 8, 209, 153}},
    {"GroupBox2",
     "TGroupBox",
     "VCache Control Section",
     "Make sure you set Win95 Dir First!!!",
     {384, 168, 209, 105}},
    {"StaticText1", "TStaticText", "Change Win95 Boot Drive", "", {}},
    {"DriveComboBox1", "TDriveComboBox", nullptr, "Change Drive Windows Boots from, MUST BE VALID HERE!", {}},
    {"StaticText2", "TStaticText", "Change Win95 Directory", "", {}},
    {"Edit1",
     "TEdit",
     nullptr,
     "MUST BE VALID WINDIR HERE!  Change Directory Win95 is in allowing you to have different versions of it "
     "online and boot to each one",
     {}},
    {"DirectoryListBox1",
     "TDirectoryListBox",
     nullptr,
     "MUST BE VALID WINDIR HERE!  TreeList to choose Windows95 Directory to use",
     {}},
    {"StaticText3", "TStaticText", "Change Win95 Boot Dir", "", {}},
    {"Edit2", "TEdit", nullptr, "MUST BE VALID WINDIR HERE!  Changes directory to boot 95 from", {}},
    {"DirectoryListBox2",
     "TDirectoryListBox",
     nullptr,
     "MUST BE VALID WINDIR HERE!  Treelist to choose for changing 95 boot directory above",
     {}},
    {"Edit3",
     "TEdit",
     nullptr,
     "Validates your input from WinBootDir Change above, and lets you type over it manually",
     {}},
    {"StaticText4",
     "TStaticText",
     "MultiBoot Menu On? ",
     "Allows you to Boot into DOS with the MultiBoot Menu system active to boot previous version of DOS and "
     "other "
     "choices like Safe Mode",
     {}},
    {"CheckBox1", "TCheckBox", "", "Unchecked is 95 Default", {}},
    {"StaticText5", "TStaticText", " Boot to 95 GUI? ", "Allows you to Boot DOS 7.0 if unchecked", {}},
    {"CheckBox2",
     "TCheckBox",
     "",
     "Checked is 95 Default and boots straight to Windows95 GUI, unchecked boots DOS",
     {}},
    {"StaticText6", "TStaticText", "Boot Network Enable? ", "Enables Network Booting as a client", {}},
    {"CheckBox3",
     "TCheckBox",
     "",
     "If on a network like NT or Novell, its checked.  If standalone system, its not checked by default",
     {}},
    {"StaticText7", "TStaticText", "Turn Off F5, F6, F8", "", {}},
    {"CheckBox5", "TCheckBox", "", "Unchecked by Default, but boots faster if checked", {}},
    {"StaticText8",
     "TStaticText",
     "Turn off F5, F6, and F8 ?  ",
     "Allows you to turn off boot bypass keys of config.sys file, good for security for netadmins",
     {}},
    {"CheckBox4", "TCheckBox", "", "Default is unchecked and zero in msdos.sys file", {}},
    {"StaticText9",
     "TStaticText",
     "Tune Scandisk",
     "Allows you to start Scandisk autoscan of drives at boot time and tune behaviour as well",
     {}},
    {"SpinEdit1",
     "TSpinEdit",
     nullptr,
     "This can be 0 (no autoscan), 1(scan non fast), or 2(scan thorough)",
     {}},
    {"CheckBox6",
     "TCheckBox",
     "",
     "DO NOT ADD Scandisk Settings ( For Win95 400.950a, original non service pack or Osr2 that dont have it "
     "), "
     "default is to disable this..Varn",
     {}},
    {"StaticText10",
     "TStaticText",
     "FILE HANDLES TUNE",
     "Make it at least 35 for Windows and 12 for a DOS bootup",
     {}},
    {"StaticText11", "TStaticText", "BUFFERS TUNE", "Make it at least 5", {}},
    {"StaticText12",
     "TStaticText",
     "STACKS TUNE",
     "Make it as low as zero up to 500 or memory limitation",
     {}},
    {"StaticText13", "TStaticText", "FCBS TUNE", "As low as 1 up to 99", {}},
    {"Button4",
     "TButton",
     "Tune DOS Memory",
     "Applies settings to config.sys that can gain back substantial conventional memory, the Main Menu above "
     "lets "
     "you open the config.sys file to validate the entries or adjust them",
     {}},
    {"Button7",
     "TButton",
     "View",
     "View Config.sys File to see STACKS, BUFFERS, FILES, and FCBS settings alterations and remove bracketed "
     "part "
     "prior to leaving this app or a small non serious boot error will occur...",
     {}},
    {"StaticText14",
     "TStaticText",
     "MinFileCache Value",
     "This writes to the system.ini file to help control the VCache settings to give you more Windows RAM",
     {}},
    {"SpinEdit2",
     "TSpinEdit",
     nullptr,
     "When done with this and MaxFileCache, click on Tune Win95 Cache Settings button to commit the change",
     {}},
    {"StaticText15",
     "TStaticText",
     "MaxFileCacheValue",
     "This writes to the system.ini to help control VCache settings to give you more Windows RAM",
     {}},
    {"SpinEdit3",
     "TSpinEdit",
     nullptr,
     "When done with this and MinFileCache Setting, click on Tune Win95 DiskCache Settings to commit the "
     "change",
     {}},
    {"Button5",
     "TButton",
     "Tune VCache Settings",
     "This allows you to limit VCache in  Win95, stopping it from growing too large since it rarely gives "
     "back RAM, "
     "the Main Menu above lets you open System.ini to validate the entry and is dependent on what you put in "
     "as your "
     "Windows95 directory at top left",
     {}},
    {"Button6", "TButton", "View", "View System.Ini file and look for [VCache]", {}},
    {"StatusBar1", "TStatusBar", nullptr, nullptr, {}},
    {"Timer1", "TTimer", nullptr, nullptr, {}},
    {"Main1", "TMenuItem", "Main", nullptr, {}},
    {"OpenConfigsys1", "TMenuItem", "Open System Editor", nullptr, {}},
    {"About1", "TMenuItem", "About", nullptr, {}},
    {"Help1", "TMenuItem", "Help", "Let you change the 95 boot directory", {}},
    {"Exit1", "TMenuItem", "Exit", nullptr, {}},
};

TEST_F(TunerTest, the_form_description_yields_every_control_with_caption_hint_and_geometry) {
    TForm1& f = Open();
    EXPECT_EQ(f.Caption(), QStringLiteral("BootFettle 3.0 by Tamsin Orrel"));
    EXPECT_EQ(f.Width(), 618);
    EXPECT_EQ(f.Height(), 441);
    EXPECT_EQ(f.Position(), poScreenCenter);
    EXPECT_EQ(f.Font()->Name(), QStringLiteral("MS Sans Serif"));
    EXPECT_EQ(f.Font()->Size(), 8);
    ASSERT_NE(f.Menu(), nullptr);
    for (ControlRow const& row : Controls) {
        SCOPED_TRACE(row.name);
        TComponent* component = f.FindComponent(QString::fromLatin1(row.name));
        ASSERT_NE(component, nullptr);
        EXPECT_STREQ(component->metaObject()->className(), row.className);
        if (row.caption) {
            EXPECT_EQ(CaptionOf(component), QString::fromLatin1(row.caption));
        }
        if (row.hint) {
            EXPECT_EQ(component->property("Hint").toString(), QString::fromLatin1(row.hint));
        }
        if (!row.bounds.isEmpty()) {
            EXPECT_EQ(qobject_cast<TControl*>(component)->BoundsRect(), row.bounds);
        }
    }
}

struct SpinRow {
    const char* name;
    int minimum, maximum, step, initial;
};

TEST_F(TunerTest, spin_boxes_have_their_ranges_and_steps) {
    // The form as described, before any boot file is read into it.
    TForm1& f = Open();
    SpinRow const rows[] = {{"SpinEdit1", 0, 2, 1, 0},
                            {"SpinEdit2", 256, 16000000, 32, 256},
                            {"SpinEdit3", 512, 16000000, 32, 512},
                            {"SpinEdit4", 12, 500, 1, 12},
                            {"SpinEdit5", 1, 99, 1, 1},
                            {"SpinEdit6", 0, 500, 1, 0},
                            {"SpinEdit7", 1, 99, 1, 1}};
    std::unique_ptr<TForm> plain = std::make_unique<TForm>(nullptr);
    for (SpinRow const& row : rows) {
        SCOPED_TRACE(row.name);
        auto* spin = f.FindComponent<TSpinEdit>(QString::fromLatin1(row.name));
        ASSERT_NE(spin, nullptr);
        EXPECT_EQ(spin->MinValue(), row.minimum);
        EXPECT_EQ(spin->MaxValue(), row.maximum);
        EXPECT_EQ(spin->Increment(), row.step);
    }
    // Initial values as the description stores them.
    QString const text = TForm1::StoredDescription();
    for (SpinRow const& row : rows) {
        QString const object = QStringLiteral("object %1: TSpinEdit").arg(QString::fromLatin1(row.name));
        qsizetype const at = text.indexOf(object);
        ASSERT_GE(at, 0) << row.name;
        qsizetype const end = text.indexOf(QStringLiteral("end"), at);
        QString const body = text.mid(at, end - at);
        bool const stored = body.contains(QStringLiteral(" Value = %1\n").arg(row.initial));
        EXPECT_TRUE(stored || row.initial == 0) << row.name;
    }
}

// The initial state of every switch and spin box: checked (1) or not (0), or the spin box's value.
struct InitialState {
    const char* control;
    int initial;
};

constexpr InitialState kInitialStates[] = {
    {"CheckBox1", 0}, {"CheckBox2", 1}, {"CheckBox3", 0},   {"CheckBox5", 0},   {"CheckBox4", 0},
    {"SpinEdit1", 0}, {"CheckBox6", 1}, {"SpinEdit4", 12},  {"SpinEdit5", 1},   {"SpinEdit6", 0},
    {"SpinEdit7", 1}, {"SpinEdit2", 256}, {"SpinEdit3", 512}};

// The state a control shows: 1 or 0 for a check box, the value for a spin box.
int StateOf(TForm1& form, const char* name) {
    QString const control = QString::fromLatin1(name);
    if (auto* box = form.FindComponent<TCheckBox>(control))
        return box->Checked() ? 1 : 0;
    auto* spin = form.FindComponent<TSpinEdit>(control);
    EXPECT_NE(spin, nullptr) << name;
    return spin ? spin->Text().toInt() : -1;
}

TEST_F(TunerTest, every_switch_and_spin_box_starts_in_its_initial_state_and_keeps_it_for_other_texts) {
    {
        // The window as its description makes it, before the start-up load runs.
        QString description = TForm1::StoredDescription();
        ASSERT_TRUE(description.contains(QStringLiteral("  OnCreate = FormCreate\n")));
        description.remove(QStringLiteral("  OnCreate = FormCreate\n"));
        TForm1 described(nullptr, description);
        for (InitialState const& row : kInitialStates)
            EXPECT_EQ(StateOf(described, row.control), row.initial) << "as described: " << row.control;
    }
    // Flags whose texts are neither "0" nor "1" leave every check box as it starts; a commit then
    // writes those states.
    SetFileAttributesA("C:\\MSDOS.SYS", 0);
    prefix.write("C:\\MSDOS.SYS", "[Paths]\r\nWinDir=C:\\WINDOWS\r\n[Options]\r\nBootMulti=yes\r\nBootGUI=yes\r\n"
                                  "Network=yes\r\nBootDelay=yes\r\nBootKeys=yes\r\n");
    TForm1& f = Open();
    for (InitialState const& row : kInitialStates) {
        if (QByteArray(row.control).startsWith("CheckBox")) {
            EXPECT_EQ(StateOf(f, row.control), row.initial) << "after the start-up load: " << row.control;
        }
    }
    f.Timer1Timer(f.Timer1); // the first refresh turns the mirrors into the boxes' states
    Click(f.BitBtn2);
    std::string const written = MsdosSys();
    for (const char* line : {"BootMulti=0\r\n", "BootGUI=1\r\n", "Network=0\r\n", "BootDelay=0\r\n", "BootKeys=0\r\n"})
        EXPECT_NE(written.find(line), std::string::npos) << line << " in " << written;
}

TEST_F(TunerTest, initial_states_of_switches_mirrors_timer_and_status_strip) {
    // No boot files: the start-up load keeps every switch at its described state.
    for (const char* path : {"C:\\MSDOS.SYS", "C:\\CONFIG.SYS", "C:\\WINDOWS\\SYSTEM.INI"}) {
        SetFileAttributesA(path, 0);
        std::filesystem::remove(prefix.host(path));
    }
    TForm1& f = Open();
    EXPECT_FALSE(f.CheckBox1->Checked());
    EXPECT_TRUE(f.CheckBox2->Checked());
    EXPECT_FALSE(f.CheckBox3->Checked());
    EXPECT_FALSE(f.CheckBox4->Checked());
    EXPECT_FALSE(f.CheckBox5->Checked());
    EXPECT_TRUE(f.CheckBox6->Checked());
    for (TEdit* mirror : {f.Edit3, f.Edit4, f.Edit5, f.Edit6, f.Edit7, f.Edit8, f.Edit9, f.Edit10, f.Edit11,
                          f.Edit12, f.Edit13, f.Edit14, f.Edit15})
        EXPECT_FALSE(mirror->Visible()) << mirror->Name().toStdString();
    EXPECT_TRUE(f.Edit1->Visible());
    EXPECT_TRUE(f.Edit2->Visible());
    EXPECT_EQ(f.Timer1->Interval(), 500);
    EXPECT_TRUE(f.Timer1->Active());
    auto* status = f.FindComponent<TStatusBar>(QStringLiteral("StatusBar1"));
    EXPECT_EQ(status->Height(), 9);
    ASSERT_EQ(status->Panels()->Count(), 13);
    for (int i = 0; i < 13; ++i) {
        EXPECT_EQ(status->Panels()->Items(i)->Width(), 50);
        EXPECT_TRUE(status->Panels()->Items(i)->Text().isEmpty());
    }
    auto* label = f.DRLabel1;
    EXPECT_EQ(label->Alignment(), taCenter);
    EXPECT_FALSE(label->AutoSize());
    EXPECT_EQ(label->Font()->Name(), QStringLiteral("Arial"));
    EXPECT_EQ(label->Font()->Height(), -13);
    EXPECT_EQ(label->Font()->Style(), TFontStyles(fsBold | fsItalic));
    EXPECT_EQ(label->Font()->Color(), clNavy);
    EXPECT_EQ(label->HiColor(), clBlue);
    EXPECT_EQ(label->LoColor(), clNavy);
    EXPECT_EQ(label->Border(), boLowered);
    EXPECT_TRUE(label->Ctl3D());
    EXPECT_EQ(label->BlinkInterval(), 500);
    EXPECT_EQ(label->Blink(), blNone);
    EXPECT_EQ(label->Deep(), 1);
    EXPECT_EQ(label->ShadowColor(), clBtnHighlight);
    EXPECT_FALSE(label->BlinkTimer()->Active());
}

TEST_F(TunerTest, group_labels_are_sunken_centred_yellow_on_black) {
    TForm1& f = Open();
    for (int i = 1; i <= 15; ++i) {
        auto* text = f.FindComponent<TStaticText>(QStringLiteral("StaticText%1").arg(i));
        ASSERT_NE(text, nullptr) << i;
        EXPECT_EQ(text->Alignment(), taCenter);
        EXPECT_EQ(text->BorderStyle(), sbsSunken);
        EXPECT_EQ(text->Color(), clBlack);
        EXPECT_EQ(text->Font()->Color(), clYellow);
    }
}

TEST_F(TunerTest, form_description_round_trip_is_identical_and_stores_no_defaults) {
    QString const first = WriteComponentText(&Open());
    TForm1 again(nullptr, first);
    QString const second = WriteComponentText(&again);
    EXPECT_EQ(first, second);
    for (const char* defaulted : {"Visible = True", "Enabled = True", "ShadowColor", "Transparent = False",
                                  "Checked = False", "TabStop = True", "Tag = 0"})
        EXPECT_FALSE(first.contains(QString::fromLatin1(defaulted))) << defaulted;
    // The label's own properties are always written, ShadowColor only when it is not the default.
    for (const char* always : {"HiColor = clBlue", "LoColor = clNavy", "Border = boLowered", "Ctl3D = True",
                               "BlinkInterval = 500", "Blink = blNone", "Deep = 1"})
        EXPECT_TRUE(first.contains(QString::fromLatin1(always))) << always;
}

// The description without the pictures, which the program draws rather than stores.
QString WithoutPictureData(QString Text) {
    static QRegularExpression const data(QStringLiteral("\\n *[\\w.]+\\.Data = \\{[^}]*\\}"));
    return Text.remove(data);
}

TEST_F(TunerTest, stored_description_is_what_the_writer_writes_back_so_it_holds_no_defaults) {
    // Boot files that hold the controls' initial states, so the start-up load changes none of them.
    for (const char* path : {"C:\\MSDOS.SYS", "C:\\CONFIG.SYS", "C:\\WINDOWS\\SYSTEM.INI"})
        SetFileAttributesA(path, 0);
    prefix.write("C:\\MSDOS.SYS", "[Options]\r\nBootMulti=0\r\nBootGUI=1\r\nNetwork=0\r\nBootDelay=0\r\n"
                                  "Autoscan=0\r\nBootKeys=0\r\n");
    prefix.write("C:\\WINDOWS\\SYSTEM.INI", "[VCache]\r\nMinFileCache=256\r\nMaxFileCache=512\r\n");
    prefix.write("C:\\CONFIG.SYS", "[DeleteThisPartinBrackets]\r\nSTACKS=0\r\nFILES=12\r\nBUFFERS=1\r\nFCBS=1\r\n");
    QString const written = WithoutPictureData(WriteComponentText(&Open()));
    EXPECT_EQ(written, TForm1::StoredDescription());
}

} // namespace

namespace {

TEST_F(TunerTest, a_description_missing_a_control_is_refused_with_its_name) {
    QString description = TForm1::StoredDescription();
    qsizetype const start = description.indexOf(QStringLiteral("object DirectoryListBox2"));
    ASSERT_GE(start, 0);
    qsizetype const end = description.indexOf(QStringLiteral("end\n"), start) + 4;
    description.remove(start, end - start);
    try {
        TForm1 broken(nullptr, description);
        FAIL() << "read without DirectoryListBox2";
    } catch (EReadError const& error) {
        EXPECT_TRUE(error.Message().contains(QStringLiteral("DirectoryListBox2"))) << error.what();
    }
}

} // namespace
