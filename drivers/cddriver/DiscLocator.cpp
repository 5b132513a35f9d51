#include "DiscLocator.h"

#include "host/kernel32.h"

#include <algorithm>
#include <cctype>

namespace cddriver {

namespace {

bool equal_ignoring_case(std::string_view a, std::string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return std::toupper(static_cast<unsigned char>(x)) == std::toupper(static_cast<unsigned char>(y));
    });
}

} // namespace

bool is_disc_type(std::string_view device_type) {
    return equal_ignoring_case(device_type, "VCDVideo");
}

bool opens_disc(std::string_view device_type, std::string_view element) {
    return equal_ignoring_case(element, "==CDI") || (element.empty() && is_disc_type(device_type));
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
