// The texts the tuner shows in its boxes, and the command lines it launches.
#pragma once

namespace TunerTexts {

inline constexpr const char* ApplicationTitle = "BootFettle by Varn";

inline constexpr const char* ScandiskNotice =
    "While checked, This disables the setting of scandisk tuning for Win95 400.950a systems prior to "
    "Osr/2 model of Windows95 that did not have it";

inline constexpr const char* AboutText =
    "Fettle for DOS 7.0 where you control how DOS boots up to Windows 95.  Choose the Multiboot, Boot DOS "
    "only and more. Varn Website is http://www.example.com/varn/, come visit!";

inline constexpr const char* HelpText =
    "BootMulti=0, AutoScan=0 (not in Win95 400 950a), Network=0, BootDelay=1 must be in [Options] or wont "
    "work on them. Add to c:\\msdos.sys. Under [Paths] HostWinBootDrv=C must be also. USE TOOLTIPS! "
    "Exiting, MUST BE IN VALID WIN95 BootDrive, Dir and BootDir";

inline constexpr const char* VCachePathCaption = "Enter Path to Windows Version to Alter";
inline constexpr const char* VCachePathPrompt = "Enter the Windows Version Path Directory / Folder";
inline constexpr const char* WindowsDirectoryQuestion = "Enter your Windows Directory";

inline constexpr const char* NotepadCommand = "notepad.exe ";
inline constexpr const char* ExamineMsdosSysCommand = "notepad.exe c:\\msdos.sys";
inline constexpr const char* ViewConfigSysCommand = "notepad.exe c:\\config.sys";
inline constexpr const char* SystemEditorCommand = "sysedit.exe";
inline constexpr unsigned ShowNormal = 1;

} // namespace TunerTexts
