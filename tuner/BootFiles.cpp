#include "BootFiles.h"

#include "IniFiles.h"
#include "host/kernel32.h"

namespace BootFiles {

std::string WindowsDirectory() {
    char buffer[255];
    UINT length = GetWindowsDirectoryA(buffer, sizeof buffer);
    if (length >= sizeof buffer)
        return {};
    return std::string(buffer, length);
}

std::string SystemIniPath() { return WindowsDirectory() + "\\system.ini"; }

std::string PathOf(BootFile File) {
    switch (File) {
    case BootFile::MsdosSys:
        return MsdosSysPath;
    case BootFile::SystemIni:
        return SystemIniPath();
    case BootFile::ConfigSys:
        return ConfigSysPath;
    }
    return {};
}

std::string ReadSetting(const BootSetting& Setting) {
    std::string fallback = Setting.DefaultValue ? Setting.DefaultValue : WindowsDirectory();
    std::string value = TIniFile(PathOf(Setting.File)).ReadString(Setting.Section, Setting.ReadKey, fallback);
    if (Setting.KeptOnRead != 0 && value.size() > Setting.KeptOnRead)
        value.resize(Setting.KeptOnRead);
    return value;
}

std::array<ConfigSysValue, 4> ConfigSysValues(const std::string& Files, const std::string& Buffers,
                                              const std::string& Stacks, const std::string& Fcbs) {
    return {{
        {"STACKS", Stacks == "0" ? std::string("0,0") : Stacks + ",256"},
        {"FILES", Files},
        {"BUFFERS", Buffers + "," + Buffers},
        {"FCBS", Fcbs + ",0"},
    }};
}

void WriteConfigSys(const std::string& Files, const std::string& Buffers, const std::string& Stacks,
                    const std::string& Fcbs) {
    ClearReadOnly(ConfigSysPath);
    TIniFile configSys(ConfigSysPath);
    for (const auto& [key, value] : ConfigSysValues(Files, Buffers, Stacks, Fcbs))
        configSys.WriteString(ConfigSysSection, key, value);
}

void ClearReadOnly(const char* Path) { SetFileAttributesA(Path, GetFileAttributesA(Path) & 0xFFFE); }

MsdosSysCommit::MsdosSysCommit()
    : m_readOnly(GetFileAttributesA(MsdosSysAttributePath) & FILE_ATTRIBUTE_READONLY) {}

MsdosSysCommit::~MsdosSysCommit() { SetFileAttributesA(MsdosSysAttributePath, m_readOnly); }

} // namespace BootFiles
