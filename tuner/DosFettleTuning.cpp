// TForm1's memory tuning, viewers, folders and menus.
#include "DosFettle.h"

#include "host/AnsiCodePage.h"
#include "BootFiles.h"
#include "IniFiles.h"
#include "TunerTexts.h"
#include "forms/Dialogs.h"
#include "host/kernel32.h"

namespace {

// Started without a shell; the result is not examined and a failed launch shows nothing.
void Launch(std::string const& CommandLine) {
    WinExec(CommandLine.c_str(), TunerTexts::ShowNormal);
}

} // namespace

void TForm1::Button5Click(TObject*) {
    // The answer is the whole path of the file, although the prompt speaks of a folder; Cancel
    // gives the default path, so the write happens either way.
    QString const path =
        InputBox(QString::fromLatin1(TunerTexts::VCachePathCaption),
                 QString::fromLatin1(TunerTexts::VCachePathPrompt), host::from_ansi(BootFiles::SystemIniPath()));
    // From the mirrors: a spin-box change younger than a tick writes the previous value.
    WriteSettings(BootFiles::BootFile::SystemIni, TIniFile(host::to_ansi(path)));
}

void TForm1::Button6Click(TObject*) {
    QString const question = QString::fromLatin1(TunerTexts::WindowsDirectoryQuestion);
    QString const directory = InputBox(question, question, host::from_ansi(BootFiles::WindowsDirectory()));
    Launch(TunerTexts::NotepadCommand + host::to_ansi(directory) + "\\system.ini");
}

void TForm1::Button4Click(TObject*) {
    BootFiles::WriteConfigSys(host::to_ansi(Edit12->Text()), host::to_ansi(Edit13->Text()), host::to_ansi(Edit14->Text()),
                              host::to_ansi(Edit15->Text()));
}

void TForm1::Button7Click(TObject*) {
    Launch(TunerTexts::ViewConfigSysCommand);
}

void TForm1::DriveComboBox1Change(TObject*) {
    QChar const drive = DriveComboBox1->Drive();
    DirectoryListBox1->SetDrive(drive);
    DirectoryListBox2->SetDrive(drive);
}

void TForm1::Edit1Change(TObject*) {
    Button5->SetEnabled(true);
    Button6->SetEnabled(true);
}

void TForm1::OpenConfigsys1Click(TObject*) {
    Launch(TunerTexts::SystemEditorCommand);
}

void TForm1::About1Click(TObject*) {
    ShowMessage(QString::fromLatin1(TunerTexts::AboutText));
}

void TForm1::Help1Click(TObject*) {
    ShowMessage(QString::fromLatin1(TunerTexts::HelpText));
}

void TForm1::BitBtn4Click(TObject*) {
    ShowMessage(QString::fromLatin1(TunerTexts::HelpText));
}

void TForm1::BitBtn1Click(TObject*) {
    Launch(TunerTexts::ExamineMsdosSysCommand);
}
