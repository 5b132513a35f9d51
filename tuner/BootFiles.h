// The three boot files the tuner reads and writes: their paths, the settings kept in them, the
// CONFIG.SYS value forms and the attribute handling around the writes.
#pragma once

#include "host/win_types.h"

#include <array>
#include <string>
#include <utility>

namespace BootFiles {

// MSDOS.SYS is named two ways on purpose: file names match without regard to case.
inline constexpr const char* MsdosSysAttributePath = "C:\\MSDOS.SYS";
inline constexpr const char* MsdosSysPath = "c:\\msdos.sys";
inline constexpr const char* ConfigSysPath = "c:\\config.sys";
inline constexpr const char* ConfigSysSection = "DeleteThisPartinBrackets";

// The Windows directory as GetWindowsDirectoryA gives it into a 255-character buffer.
std::string WindowsDirectory();
// The Windows directory followed by "\system.ini", with no check for a trailing backslash.
std::string SystemIniPath();

enum class BootFile { MsdosSys, SystemIni, ConfigSys };

// One boot setting: how start-up reads it and how its file's write button writes it. Start-up reads
// every row in table order; a write walks the rows of its file in table order.
struct BootSetting {
    BootFile File;
    const char* Section;
    const char* ReadKey;
    const char* WriteKey;
    const char* DefaultValue; // nullptr stands for the Windows directory
    const char* Control;      // the control start-up reads the value into
    std::size_t KeptOnRead;   // leading characters kept of the value read, 0 for all
    // The control whose text is written; nullptr when no write takes it from a control here: the
    // Autoscan mirror is never written, the CONFIG.SYS rows go through WriteConfigSys.
    const char* WrittenFrom = nullptr;
    std::size_t KeptOnWrite = 0;         // leading characters written of that text, 0 for all
    const char* UnlessChecked = nullptr; // a check box that, while checked, stops the write
};

// clang-format off
inline constexpr std::array<BootSetting, 16> StartupReads = {{
    {BootFile::MsdosSys, "Paths", "WinDir", "WinDir", nullptr, "Edit1", 0, "Edit1"},
    {BootFile::MsdosSys, "Paths", "WinBootDir", "WinBootDir", nullptr, "Edit2", 0, "Edit2"},
    {BootFile::MsdosSys, "Paths", "HostWinBootDrv", "HostWinBootDrv", "C", "Edit3", 0, "Edit3", 1},
    {BootFile::MsdosSys, "Options", "BootMulti", "BootMulti", "0", "Edit4", 0, "Edit4"},
    {BootFile::MsdosSys, "Options", "BootGUI", "BootGUI", "1", "Edit5", 0, "Edit5"},
    {BootFile::MsdosSys, "Options", "Network", "Network", "0", "Edit6", 0, "Edit6"},
    {BootFile::MsdosSys, "Options", "BootDelay", "BootDelay", "0", "Edit7", 0, "Edit7"},
    {BootFile::MsdosSys, "Options", "Autoscan", "Autoscan", "0", "Edit8", 0},
    {BootFile::MsdosSys, "Options", "Autoscan", "Autoscan", "2", "SpinEdit1", 0, "SpinEdit1", 0, "CheckBox6"},
    {BootFile::SystemIni, "VCache", "MinFileCache", "MinFileCache", "512", "SpinEdit2", 0, "Edit9"},
    {BootFile::SystemIni, "VCache", "MaxFileCache", "MaxFileCache", "1024", "SpinEdit3", 0, "Edit10"},
    // Read as "Bootkeys", written as "BootKeys": key names match without regard to case.
    {BootFile::MsdosSys, "Options", "Bootkeys", "BootKeys", "0", "Edit11", 0, "Edit11"},
    {BootFile::ConfigSys, ConfigSysSection, "STACKS", "STACKS", "0", "SpinEdit6", 1},
    {BootFile::ConfigSys, ConfigSysSection, "FILES", "FILES", "35", "SpinEdit4", 2},
    {BootFile::ConfigSys, ConfigSysSection, "BUFFERS", "BUFFERS", "5", "SpinEdit5", 1},
    {BootFile::ConfigSys, ConfigSysSection, "FCBS", "FCBS", "1", "SpinEdit7", 1},
}};
// clang-format on

// The path of a boot file as the tuner names it.
std::string PathOf(BootFile File);

// Reads one setting of the table, cut to the characters it keeps.
std::string ReadSetting(const BootSetting& Setting);

// The four CONFIG.SYS lines in the order they are written, from the spin-box texts.
using ConfigSysValue = std::pair<const char*, std::string>;
std::array<ConfigSysValue, 4> ConfigSysValues(const std::string& Files, const std::string& Buffers,
                                              const std::string& Stacks, const std::string& Fcbs);
// Writes them under the pseudo-section, clearing CONFIG.SYS's read-only bit first. A failed
// write throws "Unable to write to c:\config.sys" and leaves the later keys unwritten.
void WriteConfigSys(const std::string& Files, const std::string& Buffers, const std::string& Stacks,
                    const std::string& Fcbs);

// Clears the read-only bit of the file, keeping every other bit; results are not examined.
void ClearReadOnly(const char* Path);

// Brackets the writes of a boot-option commit: Begin takes the read-only bit of MSDOS.SYS as it is
// now; the destructor sets the file's attributes to that bit alone, also when a write threw.
class MsdosSysCommit {
public:
    MsdosSysCommit();
    ~MsdosSysCommit();
    MsdosSysCommit(const MsdosSysCommit&) = delete;
    MsdosSysCommit& operator=(const MsdosSysCommit&) = delete;

private:
    DWORD m_readOnly;
};

} // namespace BootFiles
