#include "IniFiles.h"

#include "host/kernel32.h"

std::string TIniFile::ReadString(const std::string& Section, const std::string& Ident,
                                 const std::string& Default) const {
    char buffer[1024];
    DWORD length = GetPrivateProfileStringA(Section.c_str(), Ident.c_str(), Default.c_str(), buffer, sizeof buffer,
                                            m_fileName.c_str());
    return std::string(buffer, length);
}

void TIniFile::WriteString(const std::string& Section, const std::string& Ident, const std::string& Value) const {
    if (!WritePrivateProfileStringA(Section.c_str(), Ident.c_str(), Value.c_str(), m_fileName.c_str()))
        throw EIniFileException("Unable to write to " + m_fileName);
}
