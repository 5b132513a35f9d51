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
    // An empty drive, an open tray or a drive still reading the disc is not ready, as on Windows.
    int status = ::ioctl(descriptor, CDROM_DRIVE_STATUS, CDSL_CURRENT);
    if (status == CDS_NO_DISC || status == CDS_TRAY_OPEN || status == CDS_DRIVE_NOT_READY)
        return make_error(ErrorCode::NotReady, "no disc in the drive");
    cdrom_tochdr header{};
    if (::ioctl(descriptor, CDROMREADTOCHDR, &header) != 0) {
        bool no_disc = errno == ENOMEDIUM || errno == ENXIO || errno == EIO;
        return make_error(no_disc ? ErrorCode::NotReady : ErrorCode::Io,
                          std::string("no disc table of contents: ") + std::strerror(errno));
    }
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
    // Track starts rise and stay before the lead-out on any disc a drive reads.
    for (std::size_t i = 0; i < entries.size(); ++i)
        if (entries[i].start < 0 || entries[i].start >= lead_out ||
            (i > 0 && entries[i].start <= entries[i - 1].start))
            return make_error(ErrorCode::CorruptFile, "the disc's table of contents is out of order");
    return entries;
}

std::optional<Msf> msf_of(int64_t sector) {
    // The drive addresses sectors in minutes, seconds and frames from the start of the lead-in.
    constexpr int64_t largest_minute = 99;
    int64_t address = sector + CD_MSF_OFFSET;
    if (sector < 0 || address / (CD_SECS * CD_FRAMES) > largest_minute)
        return std::nullopt;
    return Msf{static_cast<uint8_t>(address / (CD_SECS * CD_FRAMES)),
               static_cast<uint8_t>(address / CD_FRAMES % CD_SECS),
               static_cast<uint8_t>(address % CD_FRAMES)};
}

bool read_raw_sector(int descriptor, int64_t sector, uint8_t* buffer) {
    std::optional<Msf> msf = msf_of(sector);
    if (!msf)
        return false;
    union {
        cdrom_msf msf;
        uint8_t bytes[CD_FRAMESIZE_RAW];
    } request{};
    request.msf.cdmsf_min0 = msf->minute;
    request.msf.cdmsf_sec0 = msf->second;
    request.msf.cdmsf_frame0 = msf->frame;
    if (::ioctl(descriptor, CDROMREADRAW, &request) != 0)
        return false;
    std::memcpy(buffer, request.bytes, raw_sector_size);
    return true;
}

} // namespace media
