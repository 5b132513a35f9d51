#include "media/SectorReader.h"

#include "CdDevice.h"
#include "FileReader.h"

#include <algorithm>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace media {

namespace {

// Sectors read from the file at a time; one read of about 75 KB serves about 30 payload reads.
constexpr int64_t sectors_per_block = 32;
// Reads of one drive sector before it counts as unreadable.
constexpr int unreadable_sector_attempts = 3;

} // namespace

Result<std::unique_ptr<SectorReader>> SectorReader::open(const std::string& path, int64_t data_offset,
                                                         int64_t first_sector, int64_t sector_count) {
    // A CD drive is opened without waiting for a disc, as its own tools do.
    bool device = is_cd_device(path);
    int descriptor = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | (device ? O_NONBLOCK : 0));
    if (descriptor < 0)
        return make_error(ErrorCode::FileNotFound, "cannot open " + path + ": " + std::strerror(errno));
    if (first_sector < 0 || sector_count < 0) {
        ::close(descriptor);
        return make_error(ErrorCode::OutOfRange, "bad sector range in " + path);
    }
    return std::unique_ptr<SectorReader>(
        new SectorReader(descriptor, device, data_offset, first_sector, sector_count));
}

SectorReader::SectorReader(int descriptor, bool device, int64_t data_offset, int64_t first_sector,
                           int64_t sector_count)
    : m_descriptor(descriptor), m_device(device), m_data_offset(data_offset), m_first_sector(first_sector),
      m_sector_count(sector_count), m_cache(sectors_per_block * raw_sector_size) {}

SectorReader::~SectorReader() {
    ::close(m_descriptor);
}

bool SectorReader::load_block(int64_t block) {
    if (block == m_cached_block)
        return true;
    int64_t sectors = std::min(sectors_per_block, m_sector_count - block * sectors_per_block);
    off_t position = m_data_offset + (m_first_sector + block * sectors_per_block) * raw_sector_size;
    size_t wanted = static_cast<size_t>(sectors * raw_sector_size);
    size_t got = 0;
    // A drive gives whole raw sectors one at a time. A sector that stays unreadable (a scratch)
    // is read as silence, so the stream goes on past it and the decoders resynchronise.
    while (m_device && got < wanted) {
        int64_t sector =
            m_first_sector + block * sectors_per_block + static_cast<int64_t>(got) / raw_sector_size;
        bool read = false;
        for (int attempt = 0; attempt < unreadable_sector_attempts && !read; ++attempt)
            read = read_raw_sector(m_descriptor, sector, m_cache.data() + got);
        if (!read)
            std::memset(m_cache.data() + got, 0, raw_sector_size);
        got += raw_sector_size;
    }
    while (!m_device && got < wanted) {
        ssize_t count =
            ::pread(m_descriptor, m_cache.data() + got, wanted - got, position + static_cast<off_t>(got));
        if (count < 0 && errno == EINTR)
            continue;
        if (count < 0)
            return false;
        if (count == 0)
            break;
        got += static_cast<size_t>(count);
    }
    // A truncated image: only the sectors whose payload is complete count.
    int64_t first_payload_end = sector_payload_offset + sector_payload_size;
    m_cached_sectors = static_cast<int64_t>(got) >= first_payload_end
                           ? (static_cast<int64_t>(got) - first_payload_end) / raw_sector_size + 1
                           : 0;
    m_cached_block = block;
    return true;
}

int64_t SectorReader::read(int64_t offset, uint8_t* buffer, int64_t length) {
    int64_t done = 0;
    while (done < length && offset + done < size()) {
        int64_t sector = (offset + done) / sector_payload_size;
        int64_t within = (offset + done) % sector_payload_size;
        int64_t block = sector / sectors_per_block;
        if (!load_block(block))
            return done > 0 ? done : -1;
        int64_t in_block = sector % sectors_per_block;
        if (in_block >= m_cached_sectors)
            break; // the file ends before the sector range does
        const uint8_t* payload = m_cache.data() + in_block * raw_sector_size + sector_payload_offset;
        int64_t count = std::min(length - done, sector_payload_size - within);
        std::memcpy(buffer + done, payload + within, static_cast<size_t>(count));
        done += count;
    }
    return done;
}

bool is_cdxa_file(const std::string& path) {
    int descriptor = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (descriptor < 0)
        return false;
    char header[12] = {};
    bool cdxa = ::pread(descriptor, header, sizeof header, 0) == static_cast<ssize_t>(sizeof header) &&
                std::memcmp(header, "RIFF", 4) == 0 && std::memcmp(header + 8, "CDXA", 4) == 0;
    ::close(descriptor);
    return cdxa;
}

int64_t raw_sector_count(const std::string& path, int64_t data_offset) {
    int descriptor = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (descriptor < 0)
        return -1;
    struct stat status {};
    int64_t size = ::fstat(descriptor, &status) == 0 ? end_of_data(descriptor, status.st_size) : -1;
    ::close(descriptor);
    if (size < 0)
        return -1;
    return std::max<int64_t>(0, (size - data_offset) / raw_sector_size);
}

} // namespace media
