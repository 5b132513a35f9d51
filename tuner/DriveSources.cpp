#include "DriveSources.h"

#include "host/kernel32.h"
#include "host/HostPaths.h"

#include <QDir>

#include <algorithm>
#include <filesystem>
#include <system_error>

namespace DriveSources {

namespace {

constexpr UINT DRIVE_RAMDISK_TYPE = 6;

QString DriveText(char Letter) {
    char const root[] = {Letter, ':', '\\', '\0'};
    char const local[] = {Letter, ':', '\0'};
    QString text = QString(QChar(Letter)) + u':';
    switch (GetDriveTypeA(root)) {
    case DRIVE_FIXED:
    case DRIVE_CDROM:
    case DRIVE_RAMDISK_TYPE: {
        char label[256] = {};
        if (GetVolumeInformationA(root, label, sizeof label, nullptr, nullptr, nullptr, nullptr, 0))
            text += QStringLiteral(" [") + QString::fromLocal8Bit(label).toLower() + u']';
        break;
    }
    case DRIVE_REMOTE: {
        char remote[256] = {};
        DWORD length = sizeof remote;
        if (WNetGetConnectionA(local, remote, &length) == NO_ERROR)
            text += u' ' + QString::fromLocal8Bit(remote).toLower();
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
        entries.push_back({QChar(letter), DriveText(letter)});
    }
    return entries;
}

QStringList Subdirectories(QString const& Directory) {
    QStringList names;
    auto const host = host::host_path_of(Directory.toStdString());
    if (!host)
        return names;
    std::error_code error;
    for (std::filesystem::directory_iterator it(*host, error), end; !error && it != end;
         it.increment(error)) {
        std::error_code kind;
        if (!it->is_directory(kind))
            continue;
        QString const name = QString::fromStdString(it->path().filename().string());
        if (!name.startsWith(u'.'))
            names << name;
    }
    std::sort(names.begin(), names.end(),
              [](QString const& a, QString const& b) { return a.compare(b, Qt::CaseInsensitive) < 0; });
    return names;
}

QString ProcessDirectory() {
    std::error_code error;
    auto const cwd = std::filesystem::current_path(error);
    if (!error)
        if (auto const dos = host::dos_path_of(cwd))
            return QString::fromStdString(*dos);
    return QStringLiteral("C:\\");
}

QString CurrentDirectory(QChar Drive) {
    QString const own = ProcessDirectory();
    if (own.front().toUpper() == Drive.toUpper())
        return own;
    return QString(Drive.toUpper()) + QStringLiteral(":\\");
}

void Install() {
    SetDriveSource(&Drives);
    SetDirectorySource({&Subdirectories, &CurrentDirectory});
}

} // namespace DriveSources
