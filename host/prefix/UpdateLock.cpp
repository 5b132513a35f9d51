#include "UpdateLock.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>

namespace host {

bool lock_exclusively(int fd) {
    while (flock(fd, LOCK_EX) != 0)
        if (errno != EINTR)
            return false;
    return true;
}

UpdateLock::UpdateLock(const std::filesystem::path& file) {
    std::filesystem::path folder = file.parent_path().empty() ? std::filesystem::path(".") : file.parent_path();
    m_fd.reset(open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (m_fd.valid() && lock_exclusively(m_fd.get())) {
        m_on_folder = true;
        return;
    }
    // A replacement renamed over the file while this waited leaves this holding the lock of a
    // file that is gone from the folder; then the new one is locked.
    for (int attempt = 0; attempt < 100; ++attempt) {
        m_fd.reset(open(file.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
        if (!m_fd.valid() || !lock_exclusively(m_fd.get()))
            break;
        struct stat locked{};
        struct stat named{};
        if (fstat(m_fd.get(), &locked) == 0 && stat(file.c_str(), &named) == 0 && locked.st_dev == named.st_dev &&
            locked.st_ino == named.st_ino)
            return;
    }
    m_fd.reset();
}

}
