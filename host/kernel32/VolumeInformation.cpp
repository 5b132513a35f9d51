// Volume labels, serial numbers and network names of the prefix's drives, found where Wine finds
// them: a raw disc's ISO 9660 volume descriptor, or the .windows-label and .windows-serial files in
// a drive's root; the source of a network mount.
#include "prefix/AtomicFile.h"
#include "host/AnsiCodePage.h"
#include "host/kernel32.h"
#include "prefix/Prefix.h"

#include <algorithm>
#include <cstring>
#include <fstream>
#include <optional>
#include <sstream>
#include <sys/statfs.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

struct Volume {
    std::string label;
    DWORD serial = 0;
    std::string file_system;
};

constexpr std::size_t kIsoSector = 2048;
constexpr std::size_t kRawSector = 2352;

// Where sector 16 of the data track starts in a raw disc: an image of 2048-byte sectors or a
// device, or a cue sheet's binary file of 2352-byte sectors (user data after 16 bytes in mode 1,
// 24 in mode 2).
std::optional<std::pair<fs::path, std::size_t>> descriptor_location(const fs::path& disc) {
    std::string extension = disc.extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(), ::tolower);
    if (extension != ".cue")
        return std::make_pair(disc, 16 * kIsoSector);
    std::ifstream cue(disc);
    std::string line, bin;
    std::size_t header = 0, sector = kIsoSector;
    while (std::getline(cue, line)) {
        if (auto at = line.find("FILE"); at != std::string::npos && bin.empty()) {
            auto open = line.find('"'), close = line.rfind('"');
            if (open != std::string::npos && close > open)
                bin = line.substr(open + 1, close - open - 1);
        } else if (line.find("TRACK") != std::string::npos) {
            if (line.find("MODE2/2352") != std::string::npos)
                header = 24, sector = kRawSector;
            else if (line.find("MODE1/2352") != std::string::npos)
                header = 16, sector = kRawSector;
            break;
        }
    }
    if (bin.empty())
        return std::nullopt;
    return std::make_pair(disc.parent_path() / bin, 16 * sector + header);
}

std::optional<Volume> read_iso_volume(const fs::path& disc) {
    auto location = descriptor_location(disc);
    if (!location)
        return std::nullopt;
    std::ifstream in(location->first, std::ios::binary);
    in.seekg(static_cast<std::streamoff>(location->second));
    unsigned char pvd[kIsoSector];
    if (!in.read(reinterpret_cast<char*>(pvd), sizeof pvd) || pvd[0] != 1 || std::memcmp(pvd + 1, "CD001", 5) != 0)
        return std::nullopt;
    Volume volume;
    volume.label.assign(reinterpret_cast<char*>(pvd + 40), 32);
    volume.label.erase(volume.label.find_last_not_of(' ') + 1);
    unsigned char sums[4] = {};
    for (std::size_t i = 0; i < sizeof pvd; ++i)
        sums[i % 4] = static_cast<unsigned char>(sums[i % 4] + pvd[i]);
    volume.serial = sums[0] | (sums[1] << 8) | (sums[2] << 16) | (static_cast<DWORD>(sums[3]) << 24);
    volume.file_system = "CDFS";
    return volume;
}

Volume read_folder_volume(const host::DriveInfo& drive) {
    Volume volume;
    std::error_code error;
    if (auto text = host::read_whole_file(drive.root / ".windows-label", error)) {
        text->resize(std::min<std::size_t>(text->size(), 255));
        text->erase(text->find_last_not_of(" \r\n") + 1);
        // The file holds the label in UTF-8; the `A` functions hand it out in the ANSI code page.
        volume.label = host::to_ansi(QString::fromUtf8(text->data(), static_cast<qsizetype>(text->size())));
    }
    if (auto text = host::read_whole_file(drive.root / ".windows-serial", error))
        volume.serial = static_cast<DWORD>(std::strtoul(text->c_str(), nullptr, 16));
    struct statfs info{};
    if (drive.type == DRIVE_CDROM)
        volume.file_system = "CDFS";
    else if (statfs(drive.root.c_str(), &info) == 0 && info.f_type == 0x4d44)
        volume.file_system = "FAT";
    else
        volume.file_system = "NTFS";
    return volume;
}

bool copy_text(const std::string& text, char* buffer, DWORD size) {
    if (!buffer)
        return true;
    if (text.size() >= size)
        return false;
    std::memcpy(buffer, text.c_str(), text.size() + 1);
    return true;
}

struct Mount {
    std::string type;
    std::string source;
};

// The file system holding path, from the process's mount table.
std::optional<Mount> mount_of(const fs::path& path) {
    std::ifstream table("/proc/self/mountinfo");
    std::string line, best_source, best_type;
    std::size_t best_length = 0;
    std::string target = path.string();
    while (std::getline(table, line)) {
        std::istringstream fields(line);
        std::string id, parent, device, root, mount_point;
        fields >> id >> parent >> device >> root >> mount_point;
        auto dash = line.find(" - ");
        if (dash == std::string::npos)
            continue;
        std::istringstream tail(line.substr(dash + 3));
        std::string type, source;
        tail >> type >> source;
        bool inside = target == mount_point || mount_point == "/" ||
                      target.starts_with(mount_point + "/");
        if (inside && mount_point.size() >= best_length) {
            best_length = mount_point.size();
            best_source = source;
            best_type = type;
        }
    }
    if (best_source.empty())
        return std::nullopt;
    return Mount{best_type, best_source};
}

bool is_network_file_system(std::string const& type) {
    static constexpr std::string_view kTypes[] = {"nfs",  "nfs4", "cifs", "smb3",      "smbfs",
                                                  "ncpfs", "afs", "9p",   "fuse.sshfs", "ceph"};
    return std::find(std::begin(kTypes), std::end(kTypes), type) != std::end(kTypes);
}

// A folder of this machine given out as a network drive (drives.ini says "network") is named as
// the share of this machine that holds it: "\\host\srv\share" for /srv/share.
std::string local_share_name(const fs::path& folder) {
    char host[256] = {};
    if (gethostname(host, sizeof host - 1) != 0 || !host[0])
        std::strcpy(host, "localhost");
    std::string name = "\\\\" + std::string(host) + folder.generic_string();
    std::replace(name.begin(), name.end(), '/', '\\');
    return name;
}

// "//server/share" and "server:/path" become "\\server\share" and "\\server\path".
std::string windows_remote_name(std::string source) {
    if (auto colon = source.find(":/"); colon != std::string::npos && !source.starts_with("//"))
        source = "//" + source.substr(0, colon) + source.substr(colon + 1);
    std::replace(source.begin(), source.end(), '/', '\\');
    return source;
}

} // namespace

extern "C" BOOL GetVolumeInformationA(LPCSTR root_path, LPSTR volume_name, DWORD volume_name_size,
                                      DWORD* serial_number, DWORD* max_component_length, DWORD* file_system_flags,
                                      LPSTR file_system_name, DWORD file_system_name_size) {
    if (!root_path || !root_path[0] || root_path[1] != ':') {
        SetLastError(ERROR_PATH_NOT_FOUND);
        return FALSE;
    }
    auto drive = host::Prefix::current().drive(root_path[0]);
    if (!drive) {
        SetLastError(ERROR_PATH_NOT_FOUND);
        return FALSE;
    }
    std::optional<Volume> volume;
    if (drive->disc)
        volume = read_iso_volume(*drive->disc);
    if (!volume && !drive->root.empty())
        volume = read_folder_volume(*drive);
    if (!volume) {
        SetLastError(ERROR_NOT_READY);
        return FALSE;
    }
    if (serial_number)
        *serial_number = volume->serial;
    if (max_component_length)
        *max_component_length = 255;
    if (file_system_flags)
        *file_system_flags = 0;
    if (!copy_text(volume->label, volume_name, volume_name_size) ||
        !copy_text(volume->file_system, file_system_name, file_system_name_size)) {
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return FALSE;
    }
    return TRUE;
}

extern "C" DWORD WNetGetConnectionA(LPCSTR local_name, LPSTR remote_name, DWORD* length) {
    if (!local_name || !local_name[0] || local_name[1] != ':' || !length)
        return ERROR_INVALID_PARAMETER;
    auto drive = host::Prefix::current().drive(local_name[0]);
    if (!drive || drive->type != DRIVE_REMOTE || drive->root.empty())
        return ERROR_NOT_CONNECTED;
    // A network mount names its server and share; a local folder is not named by the device its
    // file system lives on, but as a share of this machine.
    auto mount = mount_of(drive->root);
    std::string name = mount && is_network_file_system(mount->type) ? windows_remote_name(mount->source)
                                                                     : local_share_name(drive->root);
    name = host::to_ansi(QString::fromStdString(name));
    if (!remote_name || *length <= name.size()) {
        *length = static_cast<DWORD>(name.size() + 1);
        return ERROR_MORE_DATA;
    }
    std::memcpy(remote_name, name.c_str(), name.size() + 1);
    return NO_ERROR;
}
