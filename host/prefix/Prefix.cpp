#include "Prefix.h"

#include "host/AnsiCodePage.h"
#include "host/kernel32.h"
#include "AtomicFile.h"
#include "DosPathText.h"
#include "ShortNames.h"
#include "kernel32/ProfileText.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <memory>
#include <mutex>
#include <sys/statfs.h>

namespace fs = std::filesystem;

namespace host {
namespace {

std::unique_ptr<Prefix> g_prefix;
std::mutex g_prefix_mutex;

char lower(char c) { return static_cast<char>(std::tolower(static_cast<unsigned char>(c))); }

// Names in the ANSI code page, matched without regard to case.
bool equal_ignoring_case(std::string_view a, std::string_view b) {
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return ansi_lower(x) == ansi_lower(y); });
}

// Finds the entry of the folder that a DOS name (ANSI) means: the exact name, then the entry
// whose ANSI spelling is the same name in another letter case, then the entry whose 8.3 short
// name it is. Entries are named in UTF-8 on the disk.
std::optional<std::string> find_entry(const fs::path& folder, std::string_view name) {
    std::error_code error;
    std::string utf8 = ansi_to_utf8(name);
    if (fs::exists(folder / utf8, error))
        return utf8;
    fs::directory_iterator it(folder, error);
    if (error)
        return std::nullopt;
    std::optional<std::string> by_short_name;
    for (const auto& entry : it) {
        std::string entry_name = entry.path().filename().string();
        if (equal_ignoring_case(dos_name_of(entry_name), name))
            return entry_name;
        if (!by_short_name && equal_ignoring_case(short_name_of(entry_name), name))
            by_short_name = entry_name;
    }
    return by_short_name;
}

unsigned type_from_file_system(const fs::path& root) {
    struct statfs info{};
    if (statfs(root.c_str(), &info) != 0)
        return DRIVE_FIXED;
    switch (static_cast<unsigned long>(info.f_type)) {
    case 0x9660:     // iso9660
    case 0x15013346: // udf
        return DRIVE_CDROM;
    case 0x6969:     // nfs
    case 0x517B:     // smb
    case 0xFF534D42: // cifs
    case 0xFE534D42: // smb2
        return DRIVE_REMOTE;
    default:
        return DRIVE_FIXED;
    }
}

// A prefix may name a drive's type in drives.ini, section [Drives], key "d:", as Wine does in
// its registry: hd, network, floppy, cdrom or ramdisk.
std::optional<unsigned> configured_type(const fs::path& prefix_root, char letter) {
    std::error_code error;
    auto text = read_whole_file(prefix_root / "drives.ini", error);
    if (!text)
        return std::nullopt;
    auto value = ProfileText(*text).value("Drives", std::string{letter, ':'});
    if (!value)
        return std::nullopt;
    static constexpr std::pair<std::string_view, unsigned> kTypes[] = {
        {"hd", DRIVE_FIXED},     {"network", DRIVE_REMOTE}, {"floppy", DRIVE_REMOVABLE},
        {"cdrom", DRIVE_CDROM}, {"ramdisk", DRIVE_RAMDISK},
    };
    for (auto [name, type] : kTypes)
        if (equal_ignoring_case(*value, name))
            return type;
    return std::nullopt;
}

} // namespace

fs::path default_prefix_root() {
    const char* data_home = std::getenv("XDG_DATA_HOME");
    fs::path base;
    if (data_home && *data_home)
        base = data_home;
    else if (const char* home = std::getenv("HOME"); home && *home)
        base = fs::path(home) / ".local" / "share";
    else
        base = fs::temp_directory_path();
    return base / "dosprefix";
}

Prefix& Prefix::current() {
    std::lock_guard lock(g_prefix_mutex);
    if (!g_prefix) {
        const char* chosen = std::getenv("DOSPREFIX");
        fs::path root = chosen && *chosen ? fs::path(chosen) : default_prefix_root();
        std::error_code error;
        if (!fs::exists(root / "dosdevices", error))
            seed_prefix(root);
        g_prefix = std::make_unique<Prefix>(root);
    }
    return *g_prefix;
}

void Prefix::reset() {
    std::lock_guard lock(g_prefix_mutex);
    g_prefix.reset();
}

Prefix::Prefix(fs::path root) : m_root(std::move(root)) {}

std::optional<DriveInfo> Prefix::drive(char letter) const {
    letter = lower(letter);
    if (letter < 'a' || letter > 'z')
        return std::nullopt;
    std::error_code error;
    fs::path link = dosdevices() / std::string{letter, ':'};
    fs::path raw = dosdevices() / std::string{letter, ':', ':'};
    bool has_root = fs::is_directory(link, error);
    bool has_raw = fs::exists(raw, error);
    if (!has_root && !has_raw)
        return std::nullopt;
    DriveInfo info{letter, DRIVE_FIXED, has_root ? fs::canonical(link, error) : fs::path{}, std::nullopt};
    if (has_raw) {
        info.disc = fs::weakly_canonical(raw, error);
        info.type = DRIVE_CDROM;
    } else if (letter == 'a' || letter == 'b') {
        info.type = DRIVE_REMOVABLE;
    } else {
        info.type = type_from_file_system(link);
    }
    if (auto type = configured_type(m_root, letter))
        info.type = *type;
    return info;
}

std::vector<DriveInfo> Prefix::drives() const {
    std::vector<DriveInfo> list;
    for (char letter = 'a'; letter <= 'z'; ++letter)
        if (auto info = drive(letter))
            list.push_back(*info);
    return list;
}

std::string Prefix::windows_directory() const {
    static constexpr std::string_view kDefault = "C:\\WINDOWS";
    std::error_code error;
    auto c = drive('c');
    if (!c)
        return std::string(kDefault);
    auto msdos = find_entry(c->root, "MSDOS.SYS");
    if (!msdos)
        return std::string(kDefault);
    auto text = read_whole_file(c->root / *msdos, error);
    if (!text)
        return std::string(kDefault);
    auto named = ProfileText(*text).value("Paths", "WinDir");
    if (!named || named->size() < 3 || (*named)[1] != ':')
        return std::string(kDefault);
    auto host_path = to_host(*named);
    if (!host_path || !fs::is_directory(*host_path, error))
        return std::string(kDefault);
    return *named;
}

std::optional<fs::path> Prefix::to_host(std::string_view dos_path) const {
    // "\\.\D:" names the volume of drive D itself, as Windows' device namespace does: the raw
    // disc of a "d::" entry.
    if (dos_path.size() == 6 && (dos_path.starts_with("\\\\.\\") || dos_path.starts_with("//./")) &&
        dos_path[5] == ':') {
        auto info = drive(dos_path[4]);
        if (!info || !info->disc)
            return std::nullopt;
        return info->disc;
    }
    auto full = full_path(dos_path);
    if (!full)
        return std::nullopt;
    auto info = drive((*full)[0]);
    if (!info || info->root.empty())
        return std::nullopt;
    fs::path result = info->root;
    for (auto part : split_dos_components(std::string_view(*full).substr(3))) {
        auto found = find_entry(result, part);
        result /= found ? *found : ansi_to_utf8(part);
    }
    return result;
}

std::optional<std::string> Prefix::to_dos(const fs::path& host_path, bool short_names) const {
    std::error_code error;
    fs::path target = fs::weakly_canonical(host_path, error);
    if (error)
        return std::nullopt;
    std::optional<std::string> best;
    std::size_t best_depth = 0;
    for (const auto& info : drives()) {
        if (info.root.empty())
            continue;
        fs::path root = fs::weakly_canonical(info.root, error);
        if (error)
            continue;
        auto [root_end, target_at] = std::mismatch(root.begin(), root.end(), target.begin(), target.end());
        if (root_end != root.end())
            continue;
        std::size_t depth = std::distance(root.begin(), root.end());
        if (best && depth <= best_depth)
            continue;
        std::string dos{static_cast<char>(std::toupper(static_cast<unsigned char>(info.letter))), ':'};
        for (auto it = target_at; it != target.end(); ++it) {
            std::string name = it->string();
            if (name.empty())
                continue;
            dos += '\\';
            dos += short_names ? short_name_of(name) : dos_name_of(name);
        }
        if (dos.size() == 2)
            dos += '\\';
        best = dos;
        best_depth = depth;
    }
    return best;
}

} // namespace host
