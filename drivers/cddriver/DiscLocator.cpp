#include "DiscLocator.h"

#include "host/kernel32.h"

#include <cctype>

namespace cddriver {

bool names_disc(std::string_view element) {
    if (element.size() != disc_element.size())
        return false;
    for (std::size_t i = 0; i < element.size(); ++i)
        if (std::toupper(static_cast<unsigned char>(element[i])) != disc_element[i])
            return false;
    return true;
}

std::optional<std::string> locate_disc() {
    DWORD drives = GetLogicalDrives();
    for (int index = 0; index < 26; ++index) {
        if (!(drives & (1u << index)))
            continue;
        const char letter = static_cast<char>('A' + index);
        const std::string root = std::string(1, letter) + ":\\";
        if (GetDriveTypeA(root.c_str()) != DRIVE_CDROM)
            continue;
        // Only the first CD drive counts, as with a machine's one drive.
        DWORD folder = GetFileAttributesA((root + "MPEGAV").c_str());
        if (folder != INVALID_FILE_ATTRIBUTES && (folder & FILE_ATTRIBUTE_DIRECTORY))
            return root;
        const std::string volume = std::string("\\\\.\\") + letter + ":";
        if (GetFileAttributesA(volume.c_str()) != INVALID_FILE_ATTRIBUTES)
            return volume;
        return std::nullopt;
    }
    return std::nullopt;
}

} // namespace cddriver
