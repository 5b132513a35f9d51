// The read-ahead and write-behind of an open file.
#include "OpenFile.h"

#include "host/kernel32.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

namespace host::kernel32 {
namespace {

// Large enough that the system calls of 1 KiB blocks fade (one in 64), small enough to stay in
// the cache.
constexpr std::size_t buffer_size = 64 * 1024;

DWORD read_error(int error) {
    return error == EISDIR ? ERROR_ACCESS_DENIED : ERROR_READ_FAULT;
}

DWORD write_error(int error) {
    return error == ENOSPC || error == EDQUOT ? ERROR_DISK_FULL : ERROR_WRITE_FAULT;
}

// read(2) until `count` bytes or the end of the file; -1 with errno on a failure.
ssize_t read_fully(int fd, char* bytes, std::size_t count) {
    std::size_t done = 0;
    while (done < count) {
        const ssize_t got = ::read(fd, bytes + done, count - done);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return -1;
        if (got == 0)
            break;
        done += static_cast<std::size_t>(got);
    }
    return static_cast<ssize_t>(done);
}

// write(2) until all of `count` is written; the error (0 when all went) and how much went.
int write_fully(int fd, char const* bytes, std::size_t count, std::size_t& done) {
    done = 0;
    while (done < count) {
        const ssize_t put = ::write(fd, bytes + done, count - done);
        if (put < 0 && errno == EINTR)
            continue;
        if (put < 0)
            return errno;
        if (put == 0)
            return EIO;
        done += static_cast<std::size_t>(put);
    }
    return 0;
}

} // namespace

OpenFile::OpenFile(int descriptor, bool reads, bool writes)
    : m_fd(descriptor), m_reads(reads), m_writes(writes), m_buffered(reads != writes),
      m_buffer(m_buffered ? std::make_unique<char[]>(buffer_size) : nullptr) {}

OpenFile::~OpenFile() {
    flush_locked(); // a handle never closed (the process ends) still writes what it has
    ::close(m_fd);
}

DWORD OpenFile::read(char* bytes, DWORD count, DWORD& done) {
    std::lock_guard lock(m_mutex);
    done = 0;
    if (!m_buffered) {
        const ssize_t got = read_fully(m_fd, bytes, count);
        if (got < 0)
            return read_error(errno);
        done = static_cast<DWORD>(got);
        return 0;
    }
    while (done < count) {
        if (m_begin == m_end) {
            const DWORD wanted = count - done;
            // A read as large as the buffer goes straight into the caller's memory.
            if (wanted >= buffer_size) {
                const ssize_t got = read_fully(m_fd, bytes + done, wanted);
                if (got < 0)
                    return read_error(errno);
                done += static_cast<DWORD>(got);
                return 0;
            }
            const ssize_t got = read_fully(m_fd, m_buffer.get(), buffer_size);
            if (got < 0)
                return read_error(errno);
            m_begin = 0;
            m_end = static_cast<std::size_t>(got);
            if (got == 0)
                return 0; // the end of the file
        }
        const std::size_t take = std::min<std::size_t>(m_end - m_begin, count - done);
        std::memcpy(bytes + done, m_buffer.get() + m_begin, take);
        m_begin += take;
        done += static_cast<DWORD>(take);
    }
    return 0;
}

DWORD OpenFile::write_through_locked(char const* bytes, DWORD count, DWORD& done) {
    std::size_t put = 0;
    const int error = write_fully(m_fd, bytes, count, put);
    done = static_cast<DWORD>(put);
    return error == 0 ? 0 : write_error(error);
}

DWORD OpenFile::write(char const* bytes, DWORD count, DWORD& done) {
    std::lock_guard lock(m_mutex);
    return append_locked(bytes, count, done);
}

DWORD OpenFile::append_locked(char const* bytes, DWORD count, DWORD& done) {
    done = 0;
    if (!m_buffered)
        return write_through_locked(bytes, count, done);
    if (m_failed)
        return m_failed;
    if (m_pending + count > buffer_size) {
        if (const DWORD error = flush_locked())
            return error;
    }
    if (count >= buffer_size)
        return write_through_locked(bytes, count, done);
    std::memcpy(m_buffer.get() + m_pending, bytes, count);
    m_pending += count;
    done = count;
    return 0;
}

DWORD OpenFile::copy_to(OpenFile& target, DWORD count, DWORD& done) {
    std::scoped_lock lock(m_mutex, target.m_mutex);
    done = 0;
    if (target.m_failed)
        return target.m_failed;
    // What was read ahead comes first, through the target's own writing.
    if (m_begin < m_end) {
        const DWORD take = static_cast<DWORD>(std::min<std::size_t>(m_end - m_begin, count));
        const DWORD error = target.append_locked(m_buffer.get() + m_begin, take, done);
        m_begin += done;
        if (error || done == count)
            return error;
    }
    // The kernel copies from one descriptor's position to the other's, so the target's collected
    // writes go first.
    if (const DWORD error = target.flush_locked())
        return error;
    while (done < count) {
        const ssize_t moved = ::copy_file_range(m_fd, nullptr, target.m_fd, nullptr, count - done, 0);
        if (moved < 0 && errno == EINTR)
            continue;
        if (moved <= 0) {
            // The end of the file, a pair the kernel does not copy between, or a failure: the rest
            // goes through memory, which tells the end (some special files report 0 here) and
            // which side failed.
            DWORD more = 0;
            const DWORD error = copy_through_memory_locked(target, count - done, more);
            done += more;
            return error;
        }
        done += static_cast<DWORD>(moved);
    }
    return 0;
}

DWORD OpenFile::copy_through_memory_locked(OpenFile& target, DWORD count, DWORD& done) {
    done = 0;
    std::unique_ptr<char[]> own;
    char* buffer = m_buffer.get();
    if (!buffer) {
        own = std::make_unique<char[]>(buffer_size);
        buffer = own.get();
    }
    m_begin = m_end = 0;
    while (done < count) {
        const ssize_t got = read_fully(m_fd, buffer, std::min<std::size_t>(buffer_size, count - done));
        if (got < 0)
            return read_error(errno);
        if (got == 0)
            return 0;
        std::size_t put = 0;
        const int error = write_fully(target.m_fd, buffer, static_cast<std::size_t>(got), put);
        done += static_cast<DWORD>(put);
        if (error != 0) {
            const DWORD failed = write_error(error);
            if (target.m_buffered)
                target.m_failed = failed;
            return failed;
        }
    }
    return 0;
}

DWORD OpenFile::flush_locked() {
    if (m_failed || m_pending == 0)
        return m_failed;
    std::size_t put = 0;
    const int error = write_fully(m_fd, m_buffer.get(), m_pending, put);
    m_pending = 0;
    if (error != 0)
        m_failed = write_error(error);
    return m_failed;
}

std::optional<std::int64_t> OpenFile::position() {
    std::lock_guard lock(m_mutex);
    const off_t at = ::lseek(m_fd, 0, SEEK_CUR);
    if (at < 0)
        return std::nullopt;
    return static_cast<std::int64_t>(at) - static_cast<std::int64_t>(m_end - m_begin) +
           static_cast<std::int64_t>(m_pending);
}

std::optional<std::int64_t> OpenFile::size() {
    std::lock_guard lock(m_mutex);
    struct stat st{};
    if (fstat(m_fd, &st) != 0)
        return std::nullopt;
    // What is still collected may lie past the end on the disk.
    const off_t at = ::lseek(m_fd, 0, SEEK_CUR);
    const std::int64_t collected_end = at < 0 ? 0 : static_cast<std::int64_t>(at) + static_cast<std::int64_t>(m_pending);
    return std::max<std::int64_t>(st.st_size, collected_end);
}

DWORD OpenFile::move_to(std::int64_t position) {
    std::lock_guard lock(m_mutex);
    if (const DWORD error = flush_locked())
        return error;
    m_begin = m_end = 0;
    return ::lseek(m_fd, static_cast<off_t>(position), SEEK_SET) < 0 ? ERROR_NEGATIVE_SEEK : 0;
}

DWORD OpenFile::close() {
    std::lock_guard lock(m_mutex);
    return flush_locked();
}

} // namespace host::kernel32
