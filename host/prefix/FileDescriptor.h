// An open file descriptor, closed when it goes.
#pragma once

#include <unistd.h>

namespace host {

class FileDescriptor {
public:
    explicit FileDescriptor(int fd = -1) : m_fd(fd) {}
    ~FileDescriptor() {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;

    int get() const { return m_fd; }
    bool valid() const { return m_fd >= 0; }
    void reset(int fd = -1) {
        if (m_fd >= 0)
            ::close(m_fd);
        m_fd = fd;
    }
    // Gives the descriptor up to the caller.
    int release() {
        int fd = m_fd;
        m_fd = -1;
        return fd;
    }
    // Closes now and tells whether the close succeeded (a late write error shows here).
    bool close() {
        int fd = m_fd;
        m_fd = -1;
        return ::close(fd) == 0;
    }

private:
    int m_fd;
};

}
