// The prefix: a folder that stands for the Windows machine, laid out as Wine lays out its
// prefixes. dosdevices/ holds one entry per drive letter: "c:" -> ../drive_c, "z:" -> /, and a
// double-colon entry ("d::") naming a raw disc (a device or a disc image file), which makes that
// letter a CD drive.
//
// The prefix is chosen by the environment variable DOSPREFIX; without it a per-user prefix under
// the XDG data directory is used. A prefix that does not exist yet is created and seeded with the
// boot files of a Windows 95 machine.
#pragma once

#include "host/win_types.h"

#include <filesystem>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace host {

struct DriveInfo {
    char letter;                                // 'a'..'z'
    unsigned type;                              // DRIVE_* value
    std::filesystem::path root;                 // host folder of the drive's root; empty for a raw disc alone
    std::optional<std::filesystem::path> disc;  // raw disc of a "x::" entry
};

class Prefix {
public:
    // The prefix of this process, opened (and created when missing) on first use.
    static Prefix& current();
    // Forgets the cached prefix so the next current() reads DOSPREFIX again (for tests).
    static void reset();

    explicit Prefix(std::filesystem::path root);

    const std::filesystem::path& root() const { return m_root; }
    std::filesystem::path dosdevices() const { return m_root / "dosdevices"; }

    // Drives in letter order.
    std::vector<DriveInfo> drives() const;
    std::optional<DriveInfo> drive(char letter) const;

    // "C:\WINDOWS" unless MSDOS.SYS names another existing folder as WinDir.
    std::string windows_directory() const;

    // The process's DOS current directory, a full path ("C:\WINDOWS"). It is what
    // set_current_directory last made it while the Linux working directory is still the folder
    // it maps to. When the working directory has been changed otherwise (at start, or by code
    // that does not go through these functions), it follows the working directory when a drive
    // holds it; one that no drive holds leaves the last DOS current directory, or "C:\" at first.
    std::string current_directory() const;
    // Makes an existing folder the current directory and the Linux working directory the folder
    // it maps to. ERROR_SUCCESS, or the Windows error code of the failure.
    DWORD set_current_directory(std::string_view dos_path);
    // The full DOS path of a DOS path by Windows' rules (see DosPathText.h), relative paths taken
    // from the current directory; nothing for UNC and device names.
    std::optional<std::string> full_path(std::string_view dos_path, bool keep_trailing_separator = false) const;

    // The host path of a DOS path. The path is made full first (so relative paths start at the
    // DOS current directory and ".." stops at the drive's root); then existing components are
    // found without regard to case and through their 8.3 short names, and missing ones are kept
    // as written. Fails when the drive does not exist. "\\.\D:" names the raw disc of drive D
    // (its "d::" entry).
    std::optional<std::filesystem::path> to_host(std::string_view dos_path) const;
    // The DOS path of a host path, or nothing when no drive holds it. With short_names, long
    // components are given as their 8.3 short names.
    std::optional<std::string> to_dos(const std::filesystem::path& host_path, bool short_names = false) const;

private:
    struct CurrentDirectory {
        std::string dos;
        unsigned long long device = 0; // identity of the Linux folder it maps to
        unsigned long long inode = 0;
    };

    std::filesystem::path m_root;
    mutable std::mutex m_current_mutex;
    mutable std::optional<CurrentDirectory> m_current;
};

// Where the prefix is when DOSPREFIX is not set.
std::filesystem::path default_prefix_root();

// Creates the prefix folder, its dosdevices links and the Windows 95 boot files, leaving every
// existing file as it is.
void seed_prefix(const std::filesystem::path& root);

}
