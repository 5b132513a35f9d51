// The framework's classes, by name, for the form reader.
#include "forms/Buttons.h"
#include "forms/ComCtrls.h"
#include "forms/ExtCtrls.h"
#include "forms/FileCtrl.h"
#include "forms/Forms.h"
#include "forms/Menus.h"
#include "forms/Spin.h"

void RegisterFormClasses() {
    RegisterClass<TForm>();
    RegisterClass<TPanel>();
    RegisterClass<TBevel>();
    RegisterClass<TImage>();
    RegisterClass<TLabel>();
    RegisterClass<TStaticText>();
    RegisterClass<TGroupBox>();
    RegisterClass<TBitBtn>();
    RegisterClass<TButton>();
    RegisterClass<TEdit>();
    RegisterClass<TCheckBox>();
    RegisterClass<TSpinEdit>();
    RegisterClass<TDriveComboBox>();
    RegisterClass<TDirectoryListBox>();
    RegisterClass<TStatusBar>();
    RegisterClass<TMainMenu>();
    RegisterClass<TPopupMenu>();
    RegisterClass<TMenuItem>();
    RegisterClass<TTimer>();
}
