#include "DosAttributes.h"

#include "FileErrors.h"
#include "host/kernel32.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <linux/msdos_fs.h>
#include <optional>
#include <string>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <sys/statfs.h>
#include <sys/xattr.h>
#include <unistd.h>

namespace host {
namespace {

constexpr const char* kDosAttribName = "user.DOSATTRIB";
constexpr DWORD kStoredBits = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE;
constexpr long kMsdosSuperMagic = 0x4d44;

bool on_fat(const std::filesystem::path& file) {
    struct statfs fs{};
    return statfs(file.c_str(), &fs) == 0 && fs.f_type == kMsdosSuperMagic;
}

std::optional<DWORD> parse_hex_text(std::string_view text) {
    if (text.size() <= 2 || text.substr(0, 2) != "0x")
        return std::nullopt;
    DWORD value = 0;
    for (char c : text.substr(2)) {
        int digit;
        if (c >= '0' && c <= '9')
            digit = c - '0';
        else if (c >= 'a' && c <= 'f')
            digit = c - 'a' + 10;
        else if (c >= 'A' && c <= 'F')
            digit = c - 'A' + 10;
        else
            return std::nullopt;
        value = value * 16 + static_cast<DWORD>(digit);
    }
    return value;
}

std::uint32_t read_le32(const std::string& blob, std::size_t at) {
    std::uint32_t v = 0;
    for (int i = 3; i >= 0; --i)
        v = (v << 8) | static_cast<unsigned char>(blob[at + static_cast<std::size_t>(i)]);
    return v;
}

// Samba 4 stores an NDR blob: a NUL-terminated hex string (empty in newer versions), then a
// version and the info structure whose attribute field is read here.
std::optional<DWORD> parse_samba_blob(const std::string& blob) {
    auto nul = blob.find('\0');
    if (nul == std::string::npos)
        return std::nullopt;
    if (auto text = parse_hex_text(std::string_view(blob).substr(0, nul)))
        return text;
    std::size_t at = (nul + 1 + 1) & ~std::size_t{1};
    if (at + 4 > blob.size())
        return std::nullopt;
    unsigned version = static_cast<unsigned char>(blob[at]) | (static_cast<unsigned char>(blob[at + 1]) << 8);
    at = (at + 4 + 3) & ~std::size_t{3};
    std::size_t attrib_at = version <= 2 ? at : at + 4; // v3..v5 start with valid_flags
    if (version < 1 || version > 5 || attrib_at + 4 > blob.size())
        return std::nullopt;
    return read_le32(blob, attrib_at);
}

std::optional<DWORD> read_stored_bits(const std::filesystem::path& file) {
    char buffer[256];
    ssize_t n = getxattr(file.c_str(), kDosAttribName, buffer, sizeof buffer);
    if (n <= 0)
        return std::nullopt;
    std::string value(buffer, static_cast<std::size_t>(n));
    auto bits = value.find('\0') == std::string::npos ? parse_hex_text(value) : parse_samba_blob(value);
    if (!bits)
        return std::nullopt;
    return *bits & kStoredBits;
}

bool write_stored_bits(const std::filesystem::path& file, DWORD bits) {
    bits &= kStoredBits;
    if (bits == 0) {
        if (removexattr(file.c_str(), kDosAttribName) == 0 || errno == ENODATA)
            return true;
    } else {
        char text[16];
        int length = std::snprintf(text, sizeof text, "0x%x", static_cast<unsigned>(bits));
        if (setxattr(file.c_str(), kDosAttribName, text, static_cast<std::size_t>(length), 0) == 0)
            return true;
    }
    // A file system without user extended attributes cannot keep these bits; Windows on such a
    // disk would not fail the call either.
    return errno == ENOTSUP;
}

mode_t current_umask() {
    mode_t mask = umask(0);
    umask(mask);
    return mask;
}

DWORD get_fat_attributes(const std::filesystem::path& file) {
    int fd = open(file.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        set_last_error_from_errno(errno, file);
        return INVALID_FILE_ATTRIBUTES;
    }
    __u32 attributes = 0;
    int result = ioctl(fd, FAT_IOCTL_GET_ATTRIBUTES, &attributes);
    close(fd);
    if (result != 0) {
        SetLastError(ERROR_ACCESS_DENIED);
        return INVALID_FILE_ATTRIBUTES;
    }
    attributes &= ~static_cast<__u32>(ATTR_VOLUME);
    return attributes == 0 ? FILE_ATTRIBUTE_NORMAL : attributes;
}

bool set_fat_attributes(const std::filesystem::path& file, DWORD attributes) {
    int fd = open(file.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        set_last_error_from_errno(errno, file);
        return false;
    }
    __u32 current = 0;
    bool ok = ioctl(fd, FAT_IOCTL_GET_ATTRIBUTES, &current) == 0;
    if (ok) {
        __u32 wanted = (current & (ATTR_DIR | ATTR_VOLUME)) |
                       (attributes & (FILE_ATTRIBUTE_READONLY | kStoredBits));
        ok = ioctl(fd, FAT_IOCTL_SET_ATTRIBUTES, &wanted) == 0;
    }
    close(fd);
    if (!ok)
        SetLastError(ERROR_ACCESS_DENIED);
    return ok;
}

} // namespace

DWORD get_dos_attributes(const std::filesystem::path& file) {
    struct stat st{};
    if (stat(file.c_str(), &st) != 0) {
        set_last_error_from_errno(errno, file);
        return INVALID_FILE_ATTRIBUTES;
    }
    if (on_fat(file))
        return get_fat_attributes(file);
    DWORD attributes = 0;
    if (S_ISDIR(st.st_mode))
        attributes |= FILE_ATTRIBUTE_DIRECTORY;
    else if ((st.st_mode & 0222) == 0)
        attributes |= FILE_ATTRIBUTE_READONLY;
    if (auto stored = read_stored_bits(file))
        attributes |= *stored;
    else if (file.filename().string().starts_with('.'))
        attributes |= FILE_ATTRIBUTE_HIDDEN;
    return attributes == 0 ? FILE_ATTRIBUTE_NORMAL : attributes;
}

bool set_dos_attributes(const std::filesystem::path& file, DWORD attributes) {
    struct stat st{};
    if (stat(file.c_str(), &st) != 0) {
        set_last_error_from_errno(errno, file);
        return false;
    }
    if (attributes == FILE_ATTRIBUTE_NORMAL)
        attributes = 0;
    if (on_fat(file))
        return set_fat_attributes(file, attributes);
    if (!S_ISDIR(st.st_mode)) {
        mode_t mode = st.st_mode & 07777;
        mode_t wanted = mode;
        if (attributes & FILE_ATTRIBUTE_READONLY)
            wanted = mode & ~mode_t{0222};
        else if ((mode & 0222) == 0)
            wanted = mode | ((0600 | ((mode & 0044) >> 1)) & ~current_umask());
        if (wanted != mode && chmod(file.c_str(), wanted) != 0) {
            set_last_error_from_errno(errno, file);
            return false;
        }
    }
    if (!write_stored_bits(file, attributes)) {
        set_last_error_from_errno(errno, file);
        return false;
    }
    return true;
}

} // namespace host
