#pragma once
// Cue sheets of raw CD images (as vcdimager writes them): which file holds the sectors, and
// where each track starts. Addresses are sector numbers within the image file.

#include "media/Result.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace media {

struct CueTrack {
    int number = 0;
    std::string mode;                    // "MODE2/2352", "MODE1/2352", "AUDIO", ...
    std::string file;                    // image file named by the FILE line in force
    std::optional<int64_t> pregap_start; // INDEX 00
    int64_t start = 0;                   // INDEX 01
};

// A run of raw sectors of one image file that form one MPEG track.
struct SectorSpan {
    std::string file;
    int64_t first_sector = 0;
    int64_t sector_count = 0;
};

struct CueSheet {
    std::vector<CueTrack> tracks;
};

// Finds the host file that a cue sheet's FILE line names (as written, quotes removed), given
// the host folder of the cue sheet; nullopt refuses the name.
using CueFileResolver =
    std::function<std::optional<std::string>(const std::string& folder, const std::string& name)>;

// The resolver used when the owner sets none: `name` is read as Windows reads a relative name in
// the cue sheet's folder: `\` and `/` both separate folders, and each part matches a file or
// folder whatever its case (the exact spelling first, else the first in name order). Names that
// are absolute (`/x`, `\x`, `C:\x`, `C:x`), that climb above the folder with `..`, or whose file
// lies outside the folder through a link are refused. A name that matches nothing is returned as
// written within the folder, so that opening it reports the missing file.
std::optional<std::string> resolve_in_cue_folder(const std::string& folder, const std::string& name);

// Replaces every track's file name by the host path `resolve` gives (resolve_in_cue_folder when
// null). A refused name is a FileNotFound error naming it.
Status resolve_track_files(CueSheet& sheet, const std::string& folder, const CueFileResolver& resolve);

// Parses the text of a cue sheet. Unknown commands (REM, CATALOG, PERFORMER, ...) are skipped;
// a track without INDEX 01 or an address that is not mm:ss:ff is an error.
Result<CueSheet> parse_cue_sheet(std::string_view text);

// The MPEG tracks of a VideoCD image: every MODE2/2352 track after the first (track 1 is the
// ISO 9660 data track); a track ends where the next one's pre-gap (or start) begins, the last at
// the end of its file. `file_sectors(name)` gives the number of whole sectors in an image file.
// File names are returned resolved against `folder`.
template <typename SectorCount>
std::vector<SectorSpan> mpeg_track_spans(const CueSheet& sheet, const std::string& folder,
                                         SectorCount file_sectors);

// Parses "mm:ss:ff" (75 frames a second) into a sector number.
std::optional<int64_t> parse_msf(std::string_view text);

} // namespace media

#include "media/CueSheetSpans.inl"
