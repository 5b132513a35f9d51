// TIniFile: INI access over the private-profile functions. An instance names one file and holds
// nothing else; every call goes straight to the file.
#pragma once

#include <stdexcept>
#include <string>

class EIniFileException : public std::runtime_error {
public:
    explicit EIniFileException(const std::string& message) : std::runtime_error(message) {}
    std::string Message() const { return what(); }
};

class TIniFile {
public:
    explicit TIniFile(std::string FileName) : m_fileName(std::move(FileName)) {}

    const std::string& FileName() const { return m_fileName; }

    // The value of the key, at most 1023 characters, or Default when the file, section or key is
    // absent. A key present with an empty value gives the empty text.
    std::string ReadString(const std::string& Section, const std::string& Ident, const std::string& Default) const;
    // Throws EIniFileException("Unable to write to <file name>") when the write fails.
    void WriteString(const std::string& Section, const std::string& Ident, const std::string& Value) const;

private:
    std::string m_fileName;
};
