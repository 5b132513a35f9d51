// _lopen, _lcreat, _llseek, _lread, _lwrite and _lclose over POSIX file descriptors. The handles
// the program sees are numbers of a table of this process, so a forged or stale handle is refused
// instead of reaching an unrelated descriptor.
#include "host/kernel32.h"
#include "prefix/FileErrors.h"
#include "prefix/DosAttributes.h"
#include "prefix/Prefix.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <limits>
#include <map>
#include <mutex>
#include <optional>

namespace {

class FileTable {
  public:
    HFILE add(int descriptor) {
        std::lock_guard lock(m_mutex);
        m_next += 4;
        m_files.emplace(m_next, descriptor);
        return m_next;
    }

    std::optional<int> find(HFILE file) const {
        std::lock_guard lock(m_mutex);
        const auto found = m_files.find(file);
        if (found == m_files.end())
            return std::nullopt;
        return found->second;
    }

    std::optional<int> remove(HFILE file) {
        std::lock_guard lock(m_mutex);
        const auto found = m_files.find(file);
        if (found == m_files.end())
            return std::nullopt;
        const int descriptor = found->second;
        m_files.erase(found);
        return descriptor;
    }

  private:
    mutable std::mutex m_mutex;
    HFILE m_next = 0x1000;
    std::map<HFILE, int> m_files;
};

FileTable& files() {
    static FileTable table;
    return table;
}

std::optional<int> descriptor_of(HFILE file) {
    std::optional<int> descriptor = files().find(file);
    if (!descriptor)
        SetLastError(ERROR_INVALID_HANDLE);
    return descriptor;
}

HFILE open_host_file(LPCSTR path, int flags) {
    std::optional<std::filesystem::path> host_path =
        path && *path ? host::Prefix::current().to_host(path) : std::nullopt;
    if (!host_path) {
        SetLastError(ERROR_PATH_NOT_FOUND);
        return HFILE_ERROR;
    }
    int descriptor;
    do
        descriptor = ::open(host_path->c_str(), flags | O_CLOEXEC, 0666);
    while (descriptor < 0 && errno == EINTR);
    if (descriptor < 0) {
        const int error = errno;
        std::error_code ignored;
        // As on Windows, a missing folder is another error than a missing file.
        if (error == ENOENT && !std::filesystem::is_directory(host_path->parent_path(), ignored))
            SetLastError(ERROR_PATH_NOT_FOUND);
        else
            host::set_last_error_from_errno(error);
        return HFILE_ERROR;
    }
    struct stat status {};
    if (fstat(descriptor, &status) == 0 && S_ISDIR(status.st_mode)) {
        ::close(descriptor);
        SetLastError(ERROR_ACCESS_DENIED);
        return HFILE_ERROR;
    }
    return files().add(descriptor);
}

constexpr UINT transfer_error = static_cast<UINT>(HFILE_ERROR);

} // namespace

extern "C" {

HFILE _lopen(LPCSTR path, int mode) {
    switch (mode & 3) {
    case OF_READ:
        return open_host_file(path, O_RDONLY);
    case OF_WRITE:
        return open_host_file(path, O_WRONLY);
    case OF_READWRITE:
        return open_host_file(path, O_RDWR);
    default:
        SetLastError(ERROR_INVALID_PARAMETER);
        return HFILE_ERROR;
    }
}

HFILE _lcreat(LPCSTR path, int attribute) {
    const HFILE file = open_host_file(path, O_RDWR | O_CREAT | O_TRUNC);
    constexpr DWORD settable = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
    if (file != HFILE_ERROR && (attribute & settable) != 0) {
        // The handle stays writable; only later opens see the attributes, as on Windows.
        if (std::optional<std::filesystem::path> host_path = host::Prefix::current().to_host(path))
            host::set_dos_attributes(*host_path, static_cast<DWORD>(attribute) & settable);
    }
    return file;
}

LONG _llseek(HFILE file, LONG offset, int origin) {
    const std::optional<int> descriptor = descriptor_of(file);
    if (!descriptor)
        return HFILE_ERROR;
    int whence;
    switch (origin) {
    case FILE_BEGIN:
        whence = SEEK_SET;
        break;
    case FILE_CURRENT:
        whence = SEEK_CUR;
        break;
    case FILE_END:
        whence = SEEK_END;
        break;
    default:
        SetLastError(ERROR_INVALID_PARAMETER);
        return HFILE_ERROR;
    }
    const off_t position = lseek(*descriptor, offset, whence);
    if (position < 0 || position > std::numeric_limits<LONG>::max()) {
        SetLastError(position < 0 ? 131 /* ERROR_NEGATIVE_SEEK */ : ERROR_INVALID_PARAMETER);
        return HFILE_ERROR;
    }
    return static_cast<LONG>(position);
}

UINT _lread(HFILE file, LPVOID buffer, UINT count) {
    const std::optional<int> descriptor = descriptor_of(file);
    if (!descriptor)
        return transfer_error;
    if (!buffer && count > 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return transfer_error;
    }
    UINT done = 0;
    while (done < count) {
        const ssize_t got = ::read(*descriptor, static_cast<char*>(buffer) + done, count - done);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0) {
            host::set_last_error_from_errno(errno);
            return transfer_error;
        }
        if (got == 0)
            break;
        done += static_cast<UINT>(got);
    }
    return done;
}

UINT _lwrite(HFILE file, LPCSTR buffer, UINT count) {
    const std::optional<int> descriptor = descriptor_of(file);
    if (!descriptor)
        return transfer_error;
    if (count == 0) {
        const off_t position = lseek(*descriptor, 0, SEEK_CUR);
        if (position < 0 || ftruncate(*descriptor, position) != 0) {
            host::set_last_error_from_errno(errno);
            return transfer_error;
        }
        return 0;
    }
    if (!buffer) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return transfer_error;
    }
    UINT done = 0;
    while (done < count) {
        const ssize_t put = ::write(*descriptor, buffer + done, count - done);
        if (put < 0 && errno == EINTR)
            continue;
        if (put <= 0) {
            host::set_last_error_from_errno(put < 0 ? errno : ENOSPC);
            return transfer_error;
        }
        done += static_cast<UINT>(put);
    }
    return done;
}

HFILE _lclose(HFILE file) {
    const std::optional<int> descriptor = files().remove(file);
    if (!descriptor) {
        SetLastError(ERROR_INVALID_HANDLE);
        return HFILE_ERROR;
    }
    if (::close(*descriptor) != 0 && errno != EINTR) {
        host::set_last_error_from_errno(errno);
        return HFILE_ERROR;
    }
    return 0;
}

} // extern "C"
