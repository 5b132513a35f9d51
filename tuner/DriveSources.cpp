#include "DriveSources.h"

#include "host/AnsiCodePage.h"
#include "host/kernel32.h"

#include <algorithm>
#include <string>

namespace DriveSources {

namespace {

TDriveType TypeOf(UINT Type) {
    switch (Type) {
    case DRIVE_REMOVABLE: return dtFloppy;
    case DRIVE_FIXED: return dtFixed;
    case DRIVE_REMOTE: return dtNetwork;
    case DRIVE_CDROM: return dtCDROM;
    case DRIVE_RAMDISK: return dtRAM;
    default: return dtUnknown;
    }
}

QString DriveText(char Letter, UINT Type) {
    char const root[] = {Letter, ':', '\\', '\0'};
    char const local[] = {Letter, ':', '\0'};
    QString text = QString(QChar(Letter)) + u':';
    switch (Type) {
    case DRIVE_FIXED:
    case DRIVE_CDROM:
    case DRIVE_RAMDISK: {
        char label[256] = {};
        if (GetVolumeInformationA(root, label, sizeof label, nullptr, nullptr, nullptr, nullptr, 0))
            text += QStringLiteral(" [") + host::from_ansi(label).toLower() + u']';
        break;
    }
    case DRIVE_REMOTE: {
        char remote[256] = {};
        DWORD length = sizeof remote;
        if (WNetGetConnectionA(local, remote, &length) == NO_ERROR)
            text += u' ' + host::from_ansi(remote).toLower();
        break;
    }
    default:
        break;
    }
    return text;
}

} // namespace

std::vector<TDriveEntry> Drives() {
    std::vector<TDriveEntry> entries;
    DWORD const mask = GetLogicalDrives();
    for (int i = 0; i < 26; ++i) {
        if (!(mask & (DWORD(1) << i)))
            continue;
        char const letter = static_cast<char>('a' + i);
        char const root[] = {letter, ':', '\\', '\0'};
        UINT const type = GetDriveTypeA(root);
        entries.push_back({QChar(letter), DriveText(letter, type), TypeOf(type)});
    }
    return entries;
}

QStringList Subdirectories(QString const& Directory) {
    QStringList names;
    std::string pattern = host::to_ansi(Directory);
    if (!pattern.empty() && pattern.back() != '\\' && pattern.back() != '/')
        pattern += '\\';
    pattern += '*';
    WIN32_FIND_DATAA found;
    HANDLE const search = FindFirstFileA(pattern.c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return names;
    // As the directory list lists a folder: its directories, not the hidden or system ones, and
    // not "." and "..".
    DWORD const left_out = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
    do {
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && !(found.dwFileAttributes & left_out) &&
            found.cFileName[0] != '.')
            names << host::from_ansi(found.cFileName);
    } while (FindNextFileA(search, &found));
    FindClose(search);
    std::sort(names.begin(), names.end(),
              [](QString const& a, QString const& b) { return a.compare(b, Qt::CaseInsensitive) < 0; });
    return names;
}

QString ProcessDirectory() {
    std::string directory(MAX_PATH, '\0');
    DWORD length = GetCurrentDirectoryA(static_cast<DWORD>(directory.size()), directory.data());
    if (length >= directory.size()) {
        directory.resize(length);
        length = GetCurrentDirectoryA(static_cast<DWORD>(directory.size()), directory.data());
    }
    if (length == 0 || length >= directory.size())
        return QStringLiteral("C:\\");
    directory.resize(length);
    return host::from_ansi(directory);
}

QString CurrentDirectory(QChar Drive) {
    // The path made of the letter and a colon names the drive's current directory.
    char const drive_only[] = {static_cast<char>(Drive.toUpper().toLatin1()), ':', '\0'};
    char full[MAX_PATH];
    DWORD const length = GetFullPathNameA(drive_only, sizeof full, full, nullptr);
    if (length == 0 || length >= sizeof full)
        return QString(Drive.toUpper()) + QStringLiteral(":\\");
    return host::from_ansi(std::string_view(full, length));
}

void Install() {
    SetDriveSource(&Drives);
    SetDirectorySource({&Subdirectories, &CurrentDirectory});
}

} // namespace DriveSources
