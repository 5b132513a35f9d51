// The form unit DosFettle: TForm1, the tuner's one window. Its controls come from the form
// description compiled into the program (DosFettle.dfm); its handlers load the boot files at
// creation, keep the hidden setting mirrors in step with the controls every 500 ms, and write
// MSDOS.SYS, SYSTEM.INI and CONFIG.SYS when the user presses the matching button.
//
// Every handler runs on the GUI thread, one at a time; an exception a handler raises stops it and
// reaches the application's error box.
#pragma once

#include "forms/Buttons.h"
#include "forms/ComCtrls.h"
#include "forms/ExtCtrls.h"
#include "forms/FileCtrl.h"
#include "forms/Forms.h"
#include "forms/Spin.h"

#include "components/CapCtrl.h"
#include "components/DrLabel.h"
#include "components/Just1_32.h"

class TIniFile;
namespace BootFiles {
enum class BootFile;
}

class TForm1 : public TForm {
    Q_OBJECT
    Q_PROPERTY(TJustOne32* JustOne321 MEMBER JustOne321)
    Q_PROPERTY(TCaptionControl* CaptionControl1 MEMBER CaptionControl1)
    Q_PROPERTY(TDRLabel* DRLabel1 MEMBER DRLabel1)
    Q_PROPERTY(TImage* Image1 MEMBER Image1)
    Q_PROPERTY(TImage* Image2 MEMBER Image2)
    Q_PROPERTY(TBitBtn* BitBtn1 MEMBER BitBtn1)
    Q_PROPERTY(TBitBtn* BitBtn2 MEMBER BitBtn2)
    Q_PROPERTY(TBitBtn* BitBtn3 MEMBER BitBtn3)
    Q_PROPERTY(TBitBtn* BitBtn4 MEMBER BitBtn4)
    Q_PROPERTY(TBitBtn* BitBtn5 MEMBER BitBtn5)
    Q_PROPERTY(TDriveComboBox* DriveComboBox1 MEMBER DriveComboBox1)
    Q_PROPERTY(TDirectoryListBox* DirectoryListBox1 MEMBER DirectoryListBox1)
    Q_PROPERTY(TDirectoryListBox* DirectoryListBox2 MEMBER DirectoryListBox2)
    Q_PROPERTY(TEdit* Edit1 MEMBER Edit1)
    Q_PROPERTY(TEdit* Edit2 MEMBER Edit2)
    Q_PROPERTY(TEdit* Edit3 MEMBER Edit3)
    Q_PROPERTY(TEdit* Edit4 MEMBER Edit4)
    Q_PROPERTY(TEdit* Edit5 MEMBER Edit5)
    Q_PROPERTY(TEdit* Edit6 MEMBER Edit6)
    Q_PROPERTY(TEdit* Edit7 MEMBER Edit7)
    Q_PROPERTY(TEdit* Edit8 MEMBER Edit8)
    Q_PROPERTY(TEdit* Edit9 MEMBER Edit9)
    Q_PROPERTY(TEdit* Edit10 MEMBER Edit10)
    Q_PROPERTY(TEdit* Edit11 MEMBER Edit11)
    Q_PROPERTY(TEdit* Edit12 MEMBER Edit12)
    Q_PROPERTY(TEdit* Edit13 MEMBER Edit13)
    Q_PROPERTY(TEdit* Edit14 MEMBER Edit14)
    Q_PROPERTY(TEdit* Edit15 MEMBER Edit15)
    Q_PROPERTY(TCheckBox* CheckBox1 MEMBER CheckBox1)
    Q_PROPERTY(TCheckBox* CheckBox2 MEMBER CheckBox2)
    Q_PROPERTY(TCheckBox* CheckBox3 MEMBER CheckBox3)
    Q_PROPERTY(TCheckBox* CheckBox4 MEMBER CheckBox4)
    Q_PROPERTY(TCheckBox* CheckBox5 MEMBER CheckBox5)
    Q_PROPERTY(TCheckBox* CheckBox6 MEMBER CheckBox6)
    Q_PROPERTY(TSpinEdit* SpinEdit1 MEMBER SpinEdit1)
    Q_PROPERTY(TSpinEdit* SpinEdit2 MEMBER SpinEdit2)
    Q_PROPERTY(TSpinEdit* SpinEdit3 MEMBER SpinEdit3)
    Q_PROPERTY(TSpinEdit* SpinEdit4 MEMBER SpinEdit4)
    Q_PROPERTY(TSpinEdit* SpinEdit5 MEMBER SpinEdit5)
    Q_PROPERTY(TSpinEdit* SpinEdit6 MEMBER SpinEdit6)
    Q_PROPERTY(TSpinEdit* SpinEdit7 MEMBER SpinEdit7)
    Q_PROPERTY(TButton* Button4 MEMBER Button4)
    Q_PROPERTY(TButton* Button5 MEMBER Button5)
    Q_PROPERTY(TButton* Button6 MEMBER Button6)
    Q_PROPERTY(TButton* Button7 MEMBER Button7)
    Q_PROPERTY(TTimer* Timer1 MEMBER Timer1)
  public:
    // Reads the form description of the program's resources.
    explicit TForm1(TComponent* AOwner);
    // Reads the given form description instead (a description written back, in tests).
    TForm1(TComponent* AOwner, QString const& Description);

    // The form description compiled into the program.
    static QString StoredDescription();

    TJustOne32* JustOne321 = nullptr;
    TCaptionControl* CaptionControl1 = nullptr;
    TDRLabel* DRLabel1 = nullptr;
    TImage* Image1 = nullptr;
    TImage* Image2 = nullptr;
    TBitBtn* BitBtn1 = nullptr;
    TBitBtn* BitBtn2 = nullptr;
    TBitBtn* BitBtn3 = nullptr;
    TBitBtn* BitBtn4 = nullptr;
    TBitBtn* BitBtn5 = nullptr;
    TDriveComboBox* DriveComboBox1 = nullptr;
    TDirectoryListBox* DirectoryListBox1 = nullptr;
    TDirectoryListBox* DirectoryListBox2 = nullptr;
    TEdit* Edit1 = nullptr;
    TEdit* Edit2 = nullptr;
    TEdit* Edit3 = nullptr;
    TEdit* Edit4 = nullptr;
    TEdit* Edit5 = nullptr;
    TEdit* Edit6 = nullptr;
    TEdit* Edit7 = nullptr;
    TEdit* Edit8 = nullptr;
    TEdit* Edit9 = nullptr;
    TEdit* Edit10 = nullptr;
    TEdit* Edit11 = nullptr;
    TEdit* Edit12 = nullptr;
    TEdit* Edit13 = nullptr;
    TEdit* Edit14 = nullptr;
    TEdit* Edit15 = nullptr;
    TCheckBox* CheckBox1 = nullptr;
    TCheckBox* CheckBox2 = nullptr;
    TCheckBox* CheckBox3 = nullptr;
    TCheckBox* CheckBox4 = nullptr;
    TCheckBox* CheckBox5 = nullptr;
    TCheckBox* CheckBox6 = nullptr;
    TSpinEdit* SpinEdit1 = nullptr;
    TSpinEdit* SpinEdit2 = nullptr;
    TSpinEdit* SpinEdit3 = nullptr;
    TSpinEdit* SpinEdit4 = nullptr;
    TSpinEdit* SpinEdit5 = nullptr;
    TSpinEdit* SpinEdit6 = nullptr;
    TSpinEdit* SpinEdit7 = nullptr;
    TButton* Button4 = nullptr;
    TButton* Button5 = nullptr;
    TButton* Button6 = nullptr;
    TButton* Button7 = nullptr;
    TTimer* Timer1 = nullptr;

    void Loaded() override;

  public slots:
    void FormCreate(TObject* Sender);
    void Timer1Timer(TObject* Sender);
    void CheckBox1Click(TObject* Sender);
    void CheckBox2Click(TObject* Sender);
    void CheckBox3Click(TObject* Sender);
    void CheckBox4Click(TObject* Sender);
    void CheckBox5Click(TObject* Sender);
    void CheckBox6Click(TObject* Sender);
    void SpinEdit1Change(TObject* Sender);
    void BitBtn2Click(TObject* Sender);
    void BitBtn3Click(TObject* Sender);
    void BitBtn5Click(TObject* Sender);
    void Exit1Click(TObject* Sender);
    // Memory tuning and viewers.
    void Button5Click(TObject* Sender);
    void Button6Click(TObject* Sender);
    void Button4Click(TObject* Sender);
    void Button7Click(TObject* Sender);
    // Folders, drives, menus.
    void DriveComboBox1Change(TObject* Sender);
    void Edit1Change(TObject* Sender);
    void OpenConfigsys1Click(TObject* Sender);
    void About1Click(TObject* Sender);
    void Help1Click(TObject* Sender);
    void BitBtn4Click(TObject* Sender);
    void BitBtn1Click(TObject* Sender);

  private:
    // Raises EReadError naming the first field the form description did not fill.
    void RequireControls() const;
    void CopyFolderMirrors();
    void CommitBootOptions();
    // Writes the settings of File that are written from a control, in table order; a failed write
    // throws and leaves the later ones unwritten.
    void WriteSettings(BootFiles::BootFile File, TIniFile const& Ini) const;
};

// Registers the classes the tuner's form description names beyond the framework's own.
void RegisterTunerClasses();
