#include "AtomicFile.h"

#include <cerrno>
#include <fcntl.h>
#include <linux/msdos_fs.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>
#include <vector>

namespace host {
namespace {

class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : m_fd(fd) {}
    ~FileDescriptor() {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    int get() const { return m_fd; }
    bool close() {
        int fd = m_fd;
        m_fd = -1;
        return ::close(fd) == 0;
    }

private:
    int m_fd;
};

bool write_all(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

// Copies the extended attributes of the original (user.DOSATTRIB among them). A file system
// without them has nothing to copy.
void copy_extended_attributes(const std::filesystem::path& from, int to_fd) {
    ssize_t size = listxattr(from.c_str(), nullptr, 0);
    if (size <= 0)
        return;
    std::vector<char> names(static_cast<std::size_t>(size));
    size = listxattr(from.c_str(), names.data(), names.size());
    for (ssize_t at = 0; at < size;) {
        const char* name = names.data() + at;
        at += static_cast<ssize_t>(std::char_traits<char>::length(name)) + 1;
        ssize_t value_size = getxattr(from.c_str(), name, nullptr, 0);
        if (value_size < 0)
            continue;
        std::vector<char> value(static_cast<std::size_t>(value_size));
        value_size = getxattr(from.c_str(), name, value.data(), value.size());
        if (value_size >= 0)
            fsetxattr(to_fd, name, value.data(), static_cast<std::size_t>(value_size), 0);
    }
}

void copy_fat_attributes(const std::filesystem::path& from, int to_fd) {
    int fd = open(from.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return;
    __u32 attributes = 0;
    if (ioctl(fd, FAT_IOCTL_GET_ATTRIBUTES, &attributes) == 0) {
        attributes &= ~static_cast<__u32>(ATTR_RO); // the mode bits carry read-only
        ioctl(to_fd, FAT_IOCTL_SET_ATTRIBUTES, &attributes);
    }
    close(fd);
}

void sync_directory(const std::filesystem::path& directory) {
    int fd = open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        fsync(fd);
        close(fd);
    }
}

mode_t new_file_mode() {
    mode_t mask = umask(0);
    umask(mask);
    return 0666 & ~mask;
}

} // namespace

std::optional<std::string> read_whole_file(const std::filesystem::path& file, std::error_code& error) {
    FileDescriptor fd(open(file.c_str(), O_RDONLY | O_CLOEXEC));
    if (fd.get() < 0) {
        error.assign(errno, std::generic_category());
        return std::nullopt;
    }
    std::string bytes;
    char buffer[65536];
    for (;;) {
        ssize_t n = ::read(fd.get(), buffer, sizeof buffer);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            error.assign(errno, std::generic_category());
            return std::nullopt;
        }
        if (n == 0)
            return bytes;
        bytes.append(buffer, static_cast<std::size_t>(n));
    }
}

bool replace_file_atomically(const std::filesystem::path& file, std::string_view bytes, std::error_code& error) {
    std::filesystem::path target = file;
    std::error_code ignored;
    if (std::filesystem::is_symlink(file, ignored)) {
        auto resolved = std::filesystem::weakly_canonical(file, error);
        if (error)
            return false;
        target = resolved;
    }
    struct stat original{};
    bool exists = stat(target.c_str(), &original) == 0;
    if (exists && !S_ISREG(original.st_mode)) {
        error = std::make_error_code(std::errc::is_a_directory);
        return false;
    }

    std::filesystem::path directory = target.parent_path().empty() ? "." : target.parent_path();
    std::string temp_name = (directory / ("." + target.filename().string() + ".XXXXXX")).string();
    FileDescriptor fd(mkstemp(temp_name.data()));
    if (fd.get() < 0) {
        error.assign(errno, std::generic_category());
        return false;
    }
    auto fail = [&] {
        error.assign(errno ? errno : EIO, std::generic_category());
        unlink(temp_name.c_str());
        return false;
    };
    if (!write_all(fd.get(), bytes))
        return fail();
    if (exists) {
        if (fchown(fd.get(), original.st_uid, original.st_gid) != 0 && errno != EPERM)
            return fail();
        copy_extended_attributes(target, fd.get());
        copy_fat_attributes(target, fd.get());
    }
    if (fchmod(fd.get(), exists ? original.st_mode & 07777 : new_file_mode()) != 0)
        return fail();
    if (fsync(fd.get()) != 0)
        return fail();
    if (!fd.close())
        return fail();
    if (rename(temp_name.c_str(), target.c_str()) != 0)
        return fail();
    sync_directory(directory);
    return true;
}

} // namespace host
