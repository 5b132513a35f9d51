#include "SeedFiles.h"

#include "host/win_types.h"

namespace host {
namespace {

// Joins lines with CR LF, the line end of every DOS text file.
std::string dos_text(std::initializer_list<std::string_view> lines) {
    std::string text;
    for (auto line : lines) {
        text += line;
        text += "\r\n";
    }
    return text;
}

// Setup keeps MSDOS.SYS over 1024 bytes with comment lines that nothing reads.
std::string msdos_sys() {
    std::string text = dos_text({
        "[Paths]",
        "WinDir=C:\\WINDOWS",
        "WinBootDir=C:\\WINDOWS",
        "HostWinBootDrv=C",
        "",
        "[Options]",
        "BootMulti=1",
        "BootGUI=1",
        "DoubleBuffer=1",
        "AutoScan=1",
        "WinVer=4.00.950",
        ";",
        ";The following lines are required for compatibility with other programs.",
        ";Do not remove them (MSDOS.SYS needs to be >1024 bytes).",
    });
    for (char letter = 'a'; letter <= 's'; ++letter)
        text += ";" + std::string(70, 'x') + letter + "\r\n";
    return text;
}

} // namespace

const std::vector<SeedFile>& seed_files() {
    static const std::vector<SeedFile> files = {
        {"MSDOS.SYS", msdos_sys(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_READONLY},
        {"CONFIG.SYS",
         dos_text({"DEVICE=C:\\WINDOWS\\HIMEM.SYS", "DEVICE=C:\\WINDOWS\\EMM386.EXE NOEMS", "DOS=HIGH,UMB",
                   "FILES=40", "BUFFERS=30"}),
         FILE_ATTRIBUTE_ARCHIVE},
        {"AUTOEXEC.BAT",
         dos_text({"@ECHO OFF", "SET TEMP=C:\\WINDOWS\\TEMP", "SET PATH=C:\\WINDOWS;C:\\WINDOWS\\COMMAND",
                   "PROMPT $p$g"}),
         FILE_ATTRIBUTE_ARCHIVE},
        {"WINDOWS/SYSTEM.INI",
         dos_text({"[boot]",
                   "oemfonts.fon=vgaoem.fon",
                   "shell=Explorer.exe",
                   "system.drv=system.drv",
                   "drivers=mmsystem.dll power.drv",
                   "user.exe=user.exe",
                   "gdi.exe=gdi.exe",
                   "sound.drv=mmsound.drv",
                   "dibeng.drv=dibeng.dll",
                   "comm.drv=comm.drv",
                   "mouse.drv=mouse.drv",
                   "keyboard.drv=keyboard.drv",
                   "display.drv=pnpdrvr.drv",
                   "fixedfon.fon=vgafix.fon",
                   "fonts.fon=vgasys.fon",
                   "386Grabber=vgafull.3gr",
                   "network.drv=",
                   "",
                   "[keyboard]",
                   "keyboard.dll=",
                   "oemansi.bin=",
                   "subtype=",
                   "type=4",
                   "",
                   "[boot.description]",
                   "keyboard.typ=Standard 101/102-Key or Microsoft Natural Keyboard",
                   "mouse.drv=Standard mouse",
                   "display.drv=Standard Display Adapter (VGA)",
                   "system.drv=Standard PC",
                   "",
                   "[386Enh]",
                   "mouse=*vmouse, msmouse.vxd",
                   "device=*dynapage",
                   "device=*vcd",
                   "device=*vpd",
                   "device=*int13",
                   "keyboard=*vkd",
                   "display=*vdd,*vflatd",
                   "",
                   "[NonWindowsApp]",
                   "TTInitialSizes=4 5 6 7 8 9 10 11 12 13 14 15 16 18 20 22",
                   "",
                   "[power.drv]",
                   "",
                   "[drivers]",
                   "wave=mmsystem.dll",
                   "midi=mmsystem.dll",
                   "timer=timer.drv",
                   "midimapper=midimap.drv",
                   "",
                   "[mci]",
                   "cdaudio=mcicda.drv",
                   "sequencer=mciseq.drv",
                   "waveaudio=mciwave.drv",
                   "avivideo=mciavi.drv",
                   "videodisc=mcipionr.drv",
                   "vcr=mcivisca.drv",
                   "QTWVideo=mciqtw.drv",
                   "Animation1=mcianim.drv",
                   "MPEGVideo=mciqtz.drv"}),
         FILE_ATTRIBUTE_ARCHIVE},
        {"WINDOWS/WIN.INI",
         dos_text({"[windows]", "load=", "run=", "NullPort=None", "device=", "", "[Desktop]",
                   "Wallpaper=(None)", "TileWallpaper=0", "WallpaperStyle=0", "", "[intl]", "iCountry=1", "",
                   "[fonts]", "", "[extensions]", "txt=notepad.exe ^.txt", "ini=notepad.exe ^.ini",
                   "bat=notepad.exe ^.bat", "", "[mci extensions]", "avi=AVIVideo", "mov=QTWVideo",
                   "fli=Animation1", "flc=Animation1", "mpg=MPEGVideo", "mpeg=MPEGVideo", "wav=waveaudio", "mid=sequencer", "rmi=sequencer"}),
         FILE_ATTRIBUTE_ARCHIVE},
    };
    return files;
}

const std::vector<std::string_view>& seed_folders() {
    static const std::vector<std::string_view> folders = {"WINDOWS", "WINDOWS/SYSTEM", "WINDOWS/TEMP",
                                                         "WINDOWS/COMMAND", "MOVIES"};
    return folders;
}

} // namespace host
