#include "CdDevice.h"

#include "media/SectorReader.h"

#include <fcntl.h>
#include <linux/cdrom.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace media {

bool is_cd_device(const std::string& path) {
    struct stat status {};
    return ::stat(path.c_str(), &status) == 0 && S_ISBLK(status.st_mode);
}

CueSheet sheet_of_toc(const std::vector<TocEntry>& entries, const std::string& device) {
    CueSheet sheet;
    for (const TocEntry& entry : entries)
        sheet.tracks.push_back(
            CueTrack{entry.number, entry.data ? "MODE2/2352" : "AUDIO", device, std::nullopt, entry.start});
    return sheet;
}

Result<std::vector<TocEntry>> read_toc(int descriptor, int64_t& lead_out) {
    cdrom_tochdr header{};
    if (::ioctl(descriptor, CDROMREADTOCHDR, &header) != 0)
        return make_error(ErrorCode::Io, std::string("no disc table of contents: ") + std::strerror(errno));
    std::vector<TocEntry> entries;
    for (int track = header.cdth_trk0; track <= header.cdth_trk1; ++track) {
        cdrom_tocentry entry{};
        entry.cdte_track = static_cast<uint8_t>(track);
        entry.cdte_format = CDROM_LBA;
        if (::ioctl(descriptor, CDROMREADTOCENTRY, &entry) != 0)
            return make_error(ErrorCode::Io, "unreadable table of contents entry " + std::to_string(track));
        entries.push_back(TocEntry{track, (entry.cdte_ctrl & CDROM_DATA_TRACK) != 0, entry.cdte_addr.lba});
    }
    cdrom_tocentry end{};
    end.cdte_track = CDROM_LEADOUT;
    end.cdte_format = CDROM_LBA;
    if (::ioctl(descriptor, CDROMREADTOCENTRY, &end) != 0)
        return make_error(ErrorCode::Io, "the disc's lead-out is unreadable");
    lead_out = end.cdte_addr.lba;
    return entries;
}

bool read_raw_sector(int descriptor, int64_t sector, uint8_t* buffer) {
    // The drive addresses sectors in minutes, seconds and frames from the start of the lead-in.
    int64_t address = sector + CD_MSF_OFFSET;
    union {
        cdrom_msf msf;
        uint8_t bytes[CD_FRAMESIZE_RAW];
    } request{};
    request.msf.cdmsf_min0 = static_cast<uint8_t>(address / (CD_SECS * CD_FRAMES));
    request.msf.cdmsf_sec0 = static_cast<uint8_t>(address / CD_FRAMES % CD_SECS);
    request.msf.cdmsf_frame0 = static_cast<uint8_t>(address % CD_FRAMES);
    if (::ioctl(descriptor, CDROMREADRAW, &request) != 0)
        return false;
    std::memcpy(buffer, request.bytes, raw_sector_size);
    return true;
}

} // namespace media
