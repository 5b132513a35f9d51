// CreateFileA, ReadFile, WriteFile and SetFilePointer over the files of the prefix, and the
// host's copy_file_bytes between two open files. An open file
// is a kernel object: its handle is a number of the process's handle table, so a stale or made-up
// handle is refused, not followed, and CloseHandle closes it as any other object.
// Whatever may be created or written is opened with O_NOFOLLOW (and CREATE_NEW with O_EXCL), so
// a link in the last component of the name never redirects a write.
#include "OpenFile.h"
#include "prefix/FileErrors.h"

#include "host/FileCopy.h"
#include "host/kernel32.h"
#include "prefix/Prefix.h"

#include <cerrno>
#include <fcntl.h>
#include <limits>
#include <memory>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

using namespace host;
using host::kernel32::OpenFile;

namespace {

// The open file of a handle, or null (with ERROR_INVALID_HANDLE) when it is none.
std::shared_ptr<OpenFile> open_file(HANDLE handle) {
    std::shared_ptr<OpenFile> file = kernel32::kernel_object_of<OpenFile>(handle);
    if (!file)
        SetLastError(ERROR_INVALID_HANDLE);
    return file;
}

// CreateFileA's errors: a taken name is ERROR_FILE_EXISTS, and a link in the way of a write
// (O_NOFOLLOW's ELOOP) is refused access; the rest as every file function says it.
DWORD error_for(int error, const fs::path& path) {
    if (error == EEXIST)
        return ERROR_FILE_EXISTS;
    if (error == ELOOP)
        return ERROR_ACCESS_DENIED;
    return windows_error_for(error, path);
}

// open(2) flags for a disposition, or -1 for one that does not exist.
int creation_flags(DWORD disposition) {
    switch (disposition) {
    case CREATE_NEW:
        return O_CREAT | O_EXCL;
    case CREATE_ALWAYS:
        return O_CREAT | O_TRUNC;
    case OPEN_EXISTING:
        return 0;
    case OPEN_ALWAYS:
        return O_CREAT;
    case TRUNCATE_EXISTING:
        return O_TRUNC;
    default:
        return -1;
    }
}

HANDLE fail(DWORD error) {
    SetLastError(error);
    return INVALID_HANDLE_VALUE;
}

} // namespace

extern "C" HANDLE CreateFileA(LPCSTR file_name, DWORD desired_access, DWORD, LPSECURITY_ATTRIBUTES,
                              DWORD creation_disposition, DWORD, HANDLE) {
    const bool reads = desired_access & GENERIC_READ;
    const bool writes = desired_access & GENERIC_WRITE;
    int flags = creation_flags(creation_disposition);
    if (!file_name || !*file_name || flags < 0 || (creation_disposition == TRUNCATE_EXISTING && !writes))
        return fail(ERROR_INVALID_PARAMETER);
    auto path = Prefix::current().to_host(file_name);
    if (!path)
        return fail(ERROR_PATH_NOT_FOUND);
    flags |= O_CLOEXEC | (reads && writes ? O_RDWR : writes ? O_WRONLY : O_RDONLY);
    if (writes || (flags & O_CREAT))
        flags |= O_NOFOLLOW;
    // A DOS read-only file is one without write bits; opening it for writing fails with EACCES.
    const int fd = ::open(path->c_str(), flags, 0666);
    if (fd < 0)
        return fail(error_for(errno, *path));
    struct stat st{};
    if (fstat(fd, &st) != 0 || S_ISDIR(st.st_mode)) {
        ::close(fd);
        return fail(ERROR_ACCESS_DENIED);
    }
    const HANDLE handle = kernel32::add_kernel_object(std::make_shared<OpenFile>(fd, reads, writes));
    SetLastError(ERROR_SUCCESS);
    return handle;
}

extern "C" BOOL ReadFile(HANDLE handle, LPVOID buffer, DWORD to_read, DWORD* read, OVERLAPPED* overlapped) {
    if (read)
        *read = 0;
    const std::shared_ptr<OpenFile> file = open_file(handle);
    if (!file)
        return FALSE;
    if (!read || overlapped || (!buffer && to_read > 0)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    if (!file->can_read()) {
        SetLastError(ERROR_ACCESS_DENIED);
        return FALSE;
    }
    if (const DWORD error = file->read(static_cast<char*>(buffer), to_read, *read)) {
        SetLastError(error);
        return FALSE;
    }
    return TRUE;
}

extern "C" BOOL WriteFile(HANDLE handle, const void* buffer, DWORD to_write, DWORD* written,
                          OVERLAPPED* overlapped) {
    if (written)
        *written = 0;
    const std::shared_ptr<OpenFile> file = open_file(handle);
    if (!file)
        return FALSE;
    if (!written || overlapped || (!buffer && to_write > 0)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    if (!file->can_write()) {
        SetLastError(ERROR_ACCESS_DENIED);
        return FALSE;
    }
    if (const DWORD error = file->write(static_cast<const char*>(buffer), to_write, *written)) {
        SetLastError(error);
        return FALSE;
    }
    return TRUE;
}

BOOL host::copy_file_bytes(HANDLE source, HANDLE target, DWORD count, DWORD* copied) {
    if (copied)
        *copied = 0;
    const std::shared_ptr<OpenFile> from = open_file(source);
    const std::shared_ptr<OpenFile> to = from ? open_file(target) : nullptr;
    if (!to)
        return FALSE;
    if (!copied || from == to) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    if (!from->can_read() || !to->can_write()) {
        SetLastError(ERROR_ACCESS_DENIED);
        return FALSE;
    }
    if (const DWORD error = from->copy_to(*to, count, *copied)) {
        SetLastError(error);
        return FALSE;
    }
    return TRUE;
}

extern "C" DWORD SetFilePointer(HANDLE handle, LONG distance, LONG* distance_high, DWORD move_method) {
    const std::shared_ptr<OpenFile> file = open_file(handle);
    if (!file)
        return INVALID_SET_FILE_POINTER;
    const std::int64_t move =
        distance_high ? static_cast<std::int64_t>((static_cast<std::uint64_t>(static_cast<std::uint32_t>(*distance_high))
                                                   << 32) |
                                                  static_cast<std::uint32_t>(distance))
                      : distance;
    std::int64_t base = 0;
    if (move_method == FILE_CURRENT || move_method == FILE_END) {
        const std::optional<std::int64_t> at = move_method == FILE_CURRENT ? file->position() : file->size();
        if (!at) {
            SetLastError(ERROR_INVALID_HANDLE);
            return INVALID_SET_FILE_POINTER;
        }
        base = *at;
    } else if (move_method != FILE_BEGIN) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return INVALID_SET_FILE_POINTER;
    }
    if ((move < 0 && base < -move) || (move > 0 && base > std::numeric_limits<std::int64_t>::max() - move)) {
        SetLastError(ERROR_NEGATIVE_SEEK);
        return INVALID_SET_FILE_POINTER;
    }
    const std::int64_t position = base + move;
    if (const DWORD error = file->move_to(position)) {
        SetLastError(error);
        return INVALID_SET_FILE_POINTER;
    }
    if (distance_high)
        *distance_high = static_cast<LONG>(static_cast<std::uint64_t>(position) >> 32);
    SetLastError(ERROR_SUCCESS);
    return static_cast<DWORD>(static_cast<std::uint64_t>(position) & 0xFFFFFFFFu);
}
