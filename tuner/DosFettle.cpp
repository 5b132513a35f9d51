#include "DosFettle.h"

#include "host/AnsiCodePage.h"
#include "Artwork.h"
#include "BootFiles.h"
#include "DriveSources.h"
#include "IniFiles.h"
#include "TunerTexts.h"

#include <QFile>
#include <QMetaProperty>

namespace {

QString FlagOf(TCheckBox const* Box) {
    return Box->Checked() ? QStringLiteral("1") : QStringLiteral("0");
}

// The text of a setting's control: a text box or a spin box.
QString TextOf(TComponent const* Control) {
    if (auto const* edit = qobject_cast<TEdit const*>(Control))
        return edit->Text();
    if (auto const* spin = qobject_cast<TSpinEdit const*>(Control))
        return spin->Text();
    return {};
}

// "0" unchecks, "1" checks, any other text leaves the box as it is.
void CheckFromMirror(TCheckBox* Box, TEdit const* Mirror) {
    if (Mirror->Text() == QStringLiteral("0"))
        Box->SetChecked(false);
    else if (Mirror->Text() == QStringLiteral("1"))
        Box->SetChecked(true);
}

} // namespace

void RegisterTunerClasses() {
    RegisterClass<TJustOne32>();
    RegisterClass<TCaptionControl>();
    RegisterClass<TDRLabel>();
}

QString TForm1::StoredDescription() {
    QFile file(QStringLiteral(":/tuner/DosFettle.dfm"));
    if (!file.open(QIODevice::ReadOnly))
        throw Exception(QStringLiteral("Resource DosFettle.dfm not found"));
    return QString::fromUtf8(file.readAll());
}

TForm1::TForm1(TComponent* AOwner) : TForm1(AOwner, StoredDescription()) {}

TForm1::TForm1(TComponent* AOwner, QString const& Description) : TForm(AOwner) {
    RegisterTunerClasses();
    ReadForm(Description);
}

void TForm1::Loaded() {
    TForm::Loaded();
    RequireControls();
    // The pictures are drawn, not stored; they have no bearing on behaviour.
    Artwork::Decorate(this);
    // The drive box and both lists start on the process's current drive and directory.
    QString const directory = DriveSources::ProcessDirectory();
    DriveComboBox1->SetDrive(directory.front());
    DirectoryListBox1->SetDirectory(directory);
    DirectoryListBox2->SetDirectory(directory);
}

void TForm1::RequireControls() const {
    // Every field is a control the handlers use; a description without one is not this window's.
    QMetaObject const& meta = staticMetaObject;
    for (int i = meta.propertyOffset(); i < meta.propertyCount(); ++i) {
        QMetaProperty const field = meta.property(i);
        if (field.metaType().flags().testFlag(QMetaType::PointerToQObject) &&
            !field.read(this).value<QObject*>())
            throw EReadError(
                QStringLiteral("The form description has no %1").arg(QLatin1String(field.name())));
    }
}

void TForm1::FormCreate(TObject*) {
    BootFiles::ClearReadOnly(BootFiles::MsdosSysAttributePath);
    // Read order matters: the second Autoscan read goes through SpinEdit1Change into Edit8.
    for (BootFiles::BootSetting const& setting : BootFiles::StartupReads) {
        QString const value = host::from_ansi(BootFiles::ReadSetting(setting));
        TComponent* control = FindComponent(QString::fromLatin1(setting.Control));
        if (auto* edit = qobject_cast<TEdit*>(control))
            edit->SetText(value);
        else if (auto* spin = qobject_cast<TSpinEdit*>(control))
            spin->SetText(value);
    }
    CheckFromMirror(CheckBox1, Edit4);
    CheckFromMirror(CheckBox2, Edit5);
    CheckFromMirror(CheckBox3, Edit6);
    CheckFromMirror(CheckBox5, Edit7);
    CheckFromMirror(CheckBox4, Edit11);
}

void TForm1::CopyFolderMirrors() {
    Edit1->SetText(DirectoryListBox1->Directory());
    Edit2->SetText(DirectoryListBox2->Directory());
    Edit3->SetText(DriveComboBox1->Text());
}

void TForm1::Timer1Timer(TObject*) {
    CopyFolderMirrors();
    Edit4->SetText(FlagOf(CheckBox1));
    Edit5->SetText(FlagOf(CheckBox2));
    Edit6->SetText(FlagOf(CheckBox3));
    Edit7->SetText(FlagOf(CheckBox5));
    QString const autoscan = SpinEdit1->Text();
    if (autoscan == QStringLiteral("0") || autoscan == QStringLiteral("1") || autoscan == QStringLiteral("2"))
        Edit8->SetText(autoscan);
    Edit9->SetText(SpinEdit2->Text());
    Edit10->SetText(SpinEdit3->Text());
    Edit12->SetText(SpinEdit4->Text());
    Edit13->SetText(SpinEdit5->Text());
    Edit14->SetText(SpinEdit6->Text());
    Edit15->SetText(SpinEdit7->Text());
    Edit11->SetText(FlagOf(CheckBox4));
}

void TForm1::CheckBox1Click(TObject*) {
    Edit4->SetText(FlagOf(CheckBox1));
}
void TForm1::CheckBox2Click(TObject*) {
    Edit5->SetText(FlagOf(CheckBox2));
}
void TForm1::CheckBox3Click(TObject*) {
    Edit6->SetText(FlagOf(CheckBox3));
}
void TForm1::CheckBox5Click(TObject*) {
    Edit7->SetText(FlagOf(CheckBox5));
}
void TForm1::CheckBox4Click(TObject*) {
    Edit11->SetText(FlagOf(CheckBox4));
}

void TForm1::CheckBox6Click(TObject*) {
    ShowMessage(QString::fromLatin1(TunerTexts::ScandiskNotice));
}

void TForm1::SpinEdit1Change(TObject*) {
    Edit8->SetText(SpinEdit1->Text());
}

void TForm1::CommitBootOptions() {
    // Restores MSDOS.SYS's attributes to its read-only bit alone when this function leaves, after
    // the accessor below is gone, also when a write throws.
    BootFiles::MsdosSysCommit attributes;
    CopyFolderMirrors();
    WriteSettings(BootFiles::BootFile::MsdosSys, TIniFile(BootFiles::MsdosSysPath));
}

void TForm1::WriteSettings(BootFiles::BootFile File, TIniFile const& Ini) const {
    for (BootFiles::BootSetting const& setting : BootFiles::StartupReads) {
        if (setting.File != File || !setting.WrittenFrom)
            continue;
        if (setting.UnlessChecked &&
            FindComponent<TCheckBox>(QString::fromLatin1(setting.UnlessChecked))->Checked())
            continue;
        QString text = TextOf(FindComponent(QString::fromLatin1(setting.WrittenFrom)));
        if (setting.KeptOnWrite != 0)
            text = text.left(static_cast<qsizetype>(setting.KeptOnWrite));
        Ini.WriteString(setting.Section, setting.WriteKey, host::to_ansi(text));
    }
}

void TForm1::BitBtn2Click(TObject*) {
    CommitBootOptions();
}

void TForm1::BitBtn3Click(TObject*) {
    // A failed commit throws past this point: the timer keeps running and the window stays.
    CommitBootOptions();
    Timer1->SetEnabled(false);
    Close();
}

void TForm1::BitBtn5Click(TObject*) {
    Application->ProcessMessages();
    Timer1->SetEnabled(false);
    Application->ProcessMessages();
    Close();
}

void TForm1::Exit1Click(TObject*) {
    Timer1->SetEnabled(false);
    Close();
}
