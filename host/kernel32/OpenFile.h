// An open file of CreateFileA: a descriptor with the process's own read-ahead and write-behind.
// Programs of this kind read and write in small blocks (1 KiB and less), and a system call per
// block costs more than the copy itself, so a handle opened only for reading reads ahead in large
// chunks and a handle opened only for writing collects small writes and writes them out in large
// ones. A handle opened for both goes straight to the descriptor.
// A write-behind that fails (a full disk) is reported by the next WriteFile, SetFilePointer or
// CloseHandle of the handle, and from then on every write fails: data that did not reach the disk
// is never followed by a success. Any thread; calls on one handle are serialised.
#pragma once

#include "KernelObjects.h"

#include "host/win_types.h"

#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>

namespace host::kernel32 {

class OpenFile final : public KernelObject {
  public:
    // Takes the descriptor; it is closed as the object is destroyed.
    OpenFile(int descriptor, bool reads, bool writes);
    ~OpenFile() override;
    OpenFile(OpenFile const&) = delete;
    OpenFile& operator=(OpenFile const&) = delete;

    bool can_read() const { return m_reads; }
    bool can_write() const { return m_writes; }

    // Reads up to `count` bytes; fewer only at the end of the file. 0 on success, else the
    // Windows error; `done` tells how many bytes were read either way.
    DWORD read(char* bytes, DWORD count, DWORD& done);
    // Writes `count` bytes; 0 on success, else the Windows error, with `done` bytes taken.
    DWORD write(char const* bytes, DWORD count, DWORD& done);
    // The position the program sees, and moving it (0, or the Windows error).
    std::optional<std::int64_t> position();
    std::optional<std::int64_t> size();
    DWORD move_to(std::int64_t position);
    // Writes out what is collected; 0, or the error of the failed write.
    DWORD close() override;

    // Copies up to `count` bytes from this file's position to `target`'s, inside the kernel where
    // it can; fewer only where this file ends. 0 on success, else the Windows error of the side
    // that failed (read_error's for this file, write_error's for the target), with `done` bytes
    // copied either way. `target` is another object, open for writing.
    DWORD copy_to(OpenFile& target, DWORD count, DWORD& done);

  private:
    DWORD flush_locked();
    DWORD append_locked(char const* bytes, DWORD count, DWORD& done);
    DWORD copy_through_memory_locked(OpenFile& target, DWORD count, DWORD& done);
    DWORD write_through_locked(char const* bytes, DWORD count, DWORD& done);

    std::mutex m_mutex;
    const int m_fd;
    const bool m_reads;
    const bool m_writes;
    const bool m_buffered;
    std::unique_ptr<char[]> m_buffer;
    // Read-ahead: bytes [m_begin, m_end) of the buffer come next in the file.
    std::size_t m_begin = 0;
    std::size_t m_end = 0;
    // Write-behind: the first m_pending bytes of the buffer go to the descriptor's position.
    std::size_t m_pending = 0;
    // A write-behind that failed: every later write and the close fail with it.
    DWORD m_failed = 0;
};

} // namespace host::kernel32
