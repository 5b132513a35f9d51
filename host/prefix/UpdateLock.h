// The advisory lock (flock) that makes a file's read-modify-write one step against every other
// update through the host layer, in this process or another. It is taken on the file's folder:
// the folder keeps its identity while a file in it is replaced by a rename, which a lock on the
// replaced file itself would not survive. One update at a time per folder is no burden for
// files rewritten in milliseconds. Where the folder cannot be opened (no read permission), the
// lock is taken on the file itself, and taken again when the file turns out to have been
// replaced while waiting; a missing file in such a folder is written without a lock.
#pragma once

#include "FileDescriptor.h"

#include <filesystem>

namespace host {

// Takes the exclusive flock of an open file, waiting for it. False when it cannot be had.
bool lock_exclusively(int fd);

class UpdateLock {
public:
    // Blocks until the lock on the file's folder (or the file) is held.
    explicit UpdateLock(const std::filesystem::path& file);

    // The locked folder, open for reading; -1 when the lock is on the file or there is none.
    int folder() const { return m_on_folder ? m_fd.get() : -1; }

private:
    FileDescriptor m_fd;
    bool m_on_folder = false;
};

}
