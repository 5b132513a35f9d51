#include "AtomicFile.h"

#include "FileDescriptor.h"
#include "UpdateLock.h"

#include <cctype>
#include <cerrno>
#include <dirent.h>
#include <fcntl.h>
#include <linux/msdos_fs.h>
#include <memory>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;

namespace host {
namespace {

constexpr std::string_view kSiblingPrefix = ".host~";
constexpr std::size_t kSiblingRandomLength = 6; // mkstemp's "XXXXXX"

enum class Replacement { Done, Failed, InPlace };

void set_error(std::error_code& error, int value) { error.assign(value ? value : EIO, std::generic_category()); }

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
void copy_extended_attributes(const fs::path& from, int to_fd) {
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

void copy_fat_attributes(const fs::path& from, int to_fd) {
    FileDescriptor fd(open(from.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    if (!fd.valid())
        return;
    __u32 attributes = 0;
    if (ioctl(fd.get(), FAT_IOCTL_GET_ATTRIBUTES, &attributes) == 0) {
        attributes &= ~static_cast<__u32>(ATTR_RO); // the mode bits carry read-only
        ioctl(to_fd, FAT_IOCTL_SET_ATTRIBUTES, &attributes);
    }
}

void sync_directory(const fs::path& directory) {
    FileDescriptor fd(open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (fd.valid())
        fsync(fd.get());
}

mode_t new_file_mode() {
    mode_t mask = umask(0);
    umask(mask);
    return 0666 & ~mask;
}

// Removes the siblings of the folder whose writers are gone: a live writer holds the lock of
// its sibling, so one whose lock can be taken is abandoned.
void remove_abandoned_siblings(int folder) {
    std::unique_ptr<DIR, int (*)(DIR*)> dir(fdopendir(dup(folder)), closedir);
    if (!dir)
        return;
    std::vector<std::string> abandoned;
    while (const dirent* entry = readdir(dir.get()))
        if (is_replacement_sibling(entry->d_name))
            abandoned.emplace_back(entry->d_name);
    for (const auto& name : abandoned) {
        FileDescriptor fd(openat(folder, name.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
        struct stat held{};
        if (!fd.valid() || fstat(fd.get(), &held) != 0 || !S_ISREG(held.st_mode) ||
            flock(fd.get(), LOCK_EX | LOCK_NB) != 0)
            continue;
        struct stat named{};
        if (fstatat(folder, name.c_str(), &named, AT_SYMLINK_NOFOLLOW) == 0 && named.st_dev == held.st_dev &&
            named.st_ino == held.st_ino)
            unlinkat(folder, name.c_str(), 0);
    }
}

// A new sibling of the file, open and locked by this writer. -1 with errno set on failure.
int create_sibling(const fs::path& directory, std::string& name) {
    for (int attempt = 0; attempt < 10; ++attempt) {
        name = (directory / (std::string(kSiblingPrefix) + std::string(kSiblingRandomLength, 'X'))).string();
        FileDescriptor fd(mkstemp(name.data()));
        if (!fd.valid())
            return -1;
        struct stat st{};
        // A cleaner that got to the sibling before its lock was taken has removed it.
        if (lock_exclusively(fd.get()) && fstat(fd.get(), &st) == 0 && st.st_nlink > 0)
            return fd.release();
    }
    errno = EEXIST;
    return -1;
}

// Writes the bytes to a sibling and renames it over the target. InPlace when the replacement
// could not keep the target's owner or cannot be made in its folder.
Replacement replace_by_rename(const fs::path& target, const struct stat* original, std::string_view bytes,
                              std::error_code& error) {
    fs::path directory = target.parent_path().empty() ? fs::path(".") : target.parent_path();
    std::string temp_name;
    int created = create_sibling(directory, temp_name);
    if (created < 0) {
        if (original && (errno == EACCES || errno == EPERM))
            return Replacement::InPlace;
        set_error(error, errno);
        return Replacement::Failed;
    }
    FileDescriptor fd(created);
    struct Unlink {
        const std::string* name;
        ~Unlink() {
            if (name)
                unlink(name->c_str());
        }
    } remove_sibling{&temp_name};
    auto fail = [&] {
        set_error(error, errno);
        return Replacement::Failed;
    };
    if (original) {
        struct stat made{};
        if (fstat(fd.get(), &made) != 0)
            return fail();
        if ((made.st_uid != original->st_uid || made.st_gid != original->st_gid) &&
            fchown(fd.get(), original->st_uid, original->st_gid) != 0)
            return errno == EPERM ? Replacement::InPlace : fail();
    }
    if (!write_all(fd.get(), bytes))
        return fail();
    if (original) {
        copy_extended_attributes(target, fd.get());
        copy_fat_attributes(target, fd.get());
    }
    if (fchmod(fd.get(), original ? original->st_mode & 07777 : new_file_mode()) != 0)
        return fail();
    if (fsync(fd.get()) != 0)
        return fail();
    if (rename(temp_name.c_str(), target.c_str()) != 0) {
        // A sticky folder lets only a file's owner replace it.
        if (original && (errno == EACCES || errno == EPERM))
            return Replacement::InPlace;
        return fail();
    }
    remove_sibling.name = nullptr;
    fd.reset(); // the content is on disk already; this lets go of the sibling's lock
    sync_directory(directory);
    return Replacement::Done;
}

// Writes the bytes into the file itself. Not atomic (see update_file).
bool write_in_place(const fs::path& target, std::string_view bytes, std::error_code& error) {
    FileDescriptor fd(open(target.c_str(), O_WRONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    struct stat st{};
    if (!fd.valid() || fstat(fd.get(), &st) != 0) {
        set_error(error, errno);
        return false;
    }
    if (!S_ISREG(st.st_mode)) {
        set_error(error, EINVAL);
        return false;
    }
    // The new bytes first, then the cut: a crash midway leaves the file at least as long as
    // the new content.
    if (!write_all(fd.get(), bytes) || ftruncate(fd.get(), static_cast<off_t>(bytes.size())) != 0 ||
        fsync(fd.get()) != 0 || !fd.close()) {
        set_error(error, errno);
        return false;
    }
    return true;
}

bool update(const fs::path& file, const FileEdit& edit, bool read_current, std::error_code& error) {
    error.clear();
    fs::path target = file;
    std::error_code ignored;
    if (fs::is_symlink(file, ignored)) {
        target = fs::weakly_canonical(file, error);
        if (error)
            return false;
    }
    UpdateLock lock(target);
    if (lock.folder() >= 0)
        remove_abandoned_siblings(lock.folder());

    struct stat original{};
    bool exists = stat(target.c_str(), &original) == 0;
    if (!exists && errno != ENOENT) {
        set_error(error, errno);
        return false;
    }
    if (exists && !S_ISREG(original.st_mode)) {
        set_error(error, S_ISDIR(original.st_mode) ? EISDIR : EINVAL);
        return false;
    }
    std::optional<std::string> current;
    if (exists && read_current) {
        current = read_whole_file(target, error);
        if (!current)
            return false;
    }
    std::optional<std::string> bytes = edit(current);
    if (!bytes)
        return true;
    if (exists && original.st_nlink > 1)
        return write_in_place(target, *bytes, error);
    switch (replace_by_rename(target, exists ? &original : nullptr, *bytes, error)) {
    case Replacement::Done:
        return true;
    case Replacement::Failed:
        return false;
    case Replacement::InPlace:
        break;
    }
    error.clear();
    return write_in_place(target, *bytes, error);
}

} // namespace

std::optional<std::string> read_whole_file(const fs::path& file, std::error_code& error) {
    FileDescriptor fd(open(file.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    struct stat st{};
    if (!fd.valid() || fstat(fd.get(), &st) != 0) {
        set_error(error, errno);
        return std::nullopt;
    }
    if (!S_ISREG(st.st_mode)) {
        set_error(error, S_ISDIR(st.st_mode) ? EISDIR : EINVAL);
        return std::nullopt;
    }
    if (static_cast<std::uintmax_t>(st.st_size) > kWholeFileLimit) {
        set_error(error, EFBIG);
        return std::nullopt;
    }
    std::string bytes;
    bytes.reserve(static_cast<std::size_t>(st.st_size));
    char buffer[65536];
    for (;;) {
        ssize_t n = ::read(fd.get(), buffer, sizeof buffer);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            set_error(error, errno);
            return std::nullopt;
        }
        if (n == 0)
            return bytes;
        // The file may grow while it is read.
        if (bytes.size() + static_cast<std::size_t>(n) > kWholeFileLimit) {
            set_error(error, EFBIG);
            return std::nullopt;
        }
        bytes.append(buffer, static_cast<std::size_t>(n));
    }
}

bool update_file(const fs::path& file, const FileEdit& edit, std::error_code& error) {
    return update(file, edit, true, error);
}

bool replace_file_atomically(const fs::path& file, std::string_view bytes, std::error_code& error) {
    return update(file, [bytes](const std::optional<std::string>&) { return std::string(bytes); }, false, error);
}

bool is_replacement_sibling(std::string_view name) {
    if (name.size() != kSiblingPrefix.size() + kSiblingRandomLength || !name.starts_with(kSiblingPrefix))
        return false;
    for (char c : name.substr(kSiblingPrefix.size()))
        if (!std::isalnum(static_cast<unsigned char>(c)))
            return false;
    return true;
}

}
