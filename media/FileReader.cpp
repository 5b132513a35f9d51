#include "FileReader.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace media {

int64_t end_of_data(int descriptor, int64_t size) {
    // Data at or after `low` and none at or after `high`; halve the gap.
    int64_t low = ::lseek(descriptor, 0, SEEK_DATA);
    if (low < 0)
        return errno == ENXIO ? 0 : size; // all hole, or holes not reported
    int64_t high = size;
    while (high - low > 1) {
        int64_t middle = low + (high - low) / 2;
        int64_t data = ::lseek(descriptor, middle, SEEK_DATA);
        if (data >= 0)
            low = data;
        else if (errno == ENXIO)
            high = middle;
        else
            return size;
    }
    int64_t hole = ::lseek(descriptor, low, SEEK_HOLE);
    return hole < 0 ? size : std::min(hole, size);
}

Result<std::unique_ptr<FileReader>> FileReader::open(const std::string& path) {
    int descriptor = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (descriptor < 0)
        return make_error(ErrorCode::FileNotFound, "cannot open " + path + ": " + std::strerror(errno));
    struct stat status {};
    if (::fstat(descriptor, &status) != 0 || !S_ISREG(status.st_mode)) {
        ::close(descriptor);
        return make_error(ErrorCode::FileNotFound, "not a file: " + path);
    }
    int64_t size = end_of_data(descriptor, status.st_size);
    return std::unique_ptr<FileReader>(new FileReader(descriptor, size));
}

FileReader::~FileReader() {
    ::close(m_descriptor);
}

int64_t FileReader::read(int64_t offset, uint8_t* buffer, int64_t length) {
    length = std::min(length, m_size - offset);
    int64_t done = 0;
    while (done < length) {
        ssize_t count =
            ::pread(m_descriptor, buffer + done, static_cast<size_t>(length - done), offset + done);
        if (count < 0 && errno == EINTR)
            continue;
        if (count < 0)
            return done > 0 ? done : -1;
        if (count == 0)
            break;
        done += count;
    }
    return done;
}

} // namespace media
