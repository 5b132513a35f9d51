#pragma once
// A disc in a CD drive (a block device such as /dev/sr0), read raw through the Linux CD-ROM
// ioctls: its table of contents as a cue sheet whose tracks all name the device, and whole
// 2352-byte sectors (VideoCD movie tracks are Mode 2 Form 2, which the drive's ordinary reads
// leave out).

#include "media/CueSheet.h"
#include "media/Result.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace media {

struct TocEntry {
    int number = 0;
    bool data = false; // a data track (a VideoCD's tracks all are); otherwise audio
    int64_t start = 0; // logical sector address of INDEX 01
};

// True when the path is a block device.
bool is_cd_device(const std::string& path);

// The tracks of a table of contents as a cue sheet of raw sectors on `device`: data tracks are
// MODE2/2352 (a VideoCD's), the others AUDIO.
CueSheet sheet_of_toc(const std::vector<TocEntry>& entries, const std::string& device);

// Reads the disc's table of contents and the address of its lead-out (its sector count).
Result<std::vector<TocEntry>> read_toc(int descriptor, int64_t& lead_out);

// Reads one raw sector (sync, header, subheader, payload and error codes) at a logical address.
bool read_raw_sector(int descriptor, int64_t sector, uint8_t* buffer);

// The drive address (minute, second, frame from the start of the lead-in) of a logical sector;
// nothing beyond the 100 minutes a disc can hold.
struct Msf {
    uint8_t minute = 0;
    uint8_t second = 0;
    uint8_t frame = 0;
    bool operator==(const Msf&) const = default;
};
std::optional<Msf> msf_of(int64_t sector);

} // namespace media
