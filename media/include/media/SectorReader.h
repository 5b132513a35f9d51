#pragma once
// Reads the clean MPEG payload of a run of raw 2352-byte CD sectors (VideoCD Mode 2 Form 2):
// each sector contributes its 2324 payload bytes after the 24 bytes of sync, header and
// subheader; the 4 bytes of error detection are dropped. Used for the RIFF CDXA `.DAT` files of a
// mounted VideoCD, for the MPEG tracks of a raw `.bin` image and for a disc in a CD drive (a
// block device, read sector by sector through the drive's raw read). One thread at a time.

#include "media/Result.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace media {

constexpr int raw_sector_size = 2352;
constexpr int sector_payload_offset = 24;
constexpr int sector_payload_size = 2324;
constexpr int cdxa_header_size = 44;

class SectorReader {
  public:
    // `data_offset` bytes precede sector 0 in the file (44 for CDXA, 0 for a raw image).
    static Result<std::unique_ptr<SectorReader>> open(const std::string& path, int64_t data_offset,
                                                      int64_t first_sector, int64_t sector_count);
    ~SectorReader();
    SectorReader(const SectorReader&) = delete;
    SectorReader& operator=(const SectorReader&) = delete;

    // Size of the payload stream in bytes.
    int64_t size() const { return m_sector_count * sector_payload_size; }
    // Copies up to `length` payload bytes at `offset`; returns the count (0 at the end, -1 on error).
    int64_t read(int64_t offset, uint8_t* buffer, int64_t length);

  private:
    SectorReader(int descriptor, bool device, int64_t data_offset, int64_t first_sector,
                 int64_t sector_count);
    bool load_block(int64_t block);

    int m_descriptor;
    bool m_device;
    int64_t m_data_offset;
    int64_t m_first_sector;
    int64_t m_sector_count;
    int64_t m_cached_block = -1;
    int64_t m_cached_sectors = 0;
    std::vector<uint8_t> m_cache;
};

// True when the file starts with a RIFF header of form type CDXA (a VideoCD `.DAT` track).
bool is_cdxa_file(const std::string& path);
// Number of whole raw sectors after `data_offset` in the file, up to where its data ends (a
// trailing hole of a sparse image holds no sectors); -1 when it cannot be read.
int64_t raw_sector_count(const std::string& path, int64_t data_offset);

} // namespace media
