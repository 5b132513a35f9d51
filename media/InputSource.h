#pragma once
// How a medium is read: one or more segments (a plain file, a CDXA track, or the MPEG tracks of
// a raw disc image), each opened as its own FFmpeg input. The engine reads every byte itself,
// behind a custom AVIOContext: a FileReader for a plain file, a SectorReader that strips raw
// sectors so FFmpeg sees only clean MPEG payload. FFmpeg opens nothing on its own: only the
// demuxers the devices play are accepted, and none may open further files or URLs.

#include "FFmpegPtr.h"
#include "FileReader.h"
#include "media/CueSheet.h"
#include "media/Result.h"
#include "media/SectorReader.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace media {

struct SegmentSource {
    std::string path;         // the file FFmpeg reads directly, or the raw sector file
    bool raw_sectors = false; // read through a SectorReader
    int64_t data_offset = 0;  // bytes before sector 0
    int64_t first_sector = 0;
    int64_t sector_count = 0;
    // A part of the bytes above (after the sectors are stripped): from byte_offset, byte_count
    // bytes (0: to the end). MPEG program streams joined end to end are split into their parts.
    int64_t byte_offset = 0;
    int64_t byte_count = 0;
    bool continues_previous = false; // a later part of the same track, not a track of its own
};

// The custom I/O's view of a segment's bytes: where it reads, and what it has read.
struct IoCursor {
    std::function<int64_t(int64_t offset, uint8_t* buffer, int64_t length)> read;
    int64_t size = 0;
    int64_t position = 0;
    int64_t bytes_read = 0; // since open, seeks and all
    // Zero bytes read in a row up to `position`. In a stream whose demuxer scans for start codes,
    // a run longer than `zero_run_limit` is taken for the end of the data (see open_input).
    int64_t zero_run = 0;
    int64_t zero_run_limit = 0; // 0: no limit
};

// An opened FFmpeg input. Members are destroyed in reverse order: the format context first, then
// the I/O context it reads through, then the cursor and reader behind that.
struct Input {
    std::unique_ptr<FileReader> file;      // a plain file, or
    std::unique_ptr<SectorReader> sectors; // the payload of raw sectors
    std::unique_ptr<IoCursor> cursor;
    AVIOContextPtr io;
    AVFormatInputPtr format;
    int64_t payload_size = 0; // bytes FFmpeg sees (the file up to its data's end, or the stripped payload)
};

// Splits the medium at `path` into segments: a `.cue` sheet (or a `.bin` with a `.cue` beside it)
// gives its MPEG tracks, a folder (a
// mounted VideoCD) the `.DAT` files of its MPEGAV folder, a RIFF CDXA file one stripped segment,
// anything else one plain segment. An MPEG program stream whose clock starts again (files or
// streams joined end to end) is cut into its parts, each a segment of its own. A cue sheet's FILE lines are
// resolved by `resolve` (resolve_in_cue_folder when null).
Result<std::vector<SegmentSource>> segments_of(const std::string& path,
                                               const CueFileResolver& resolve = nullptr);

// Opens one segment and reads its stream information. A format the devices do not play is
// UnsupportedFormat.
Result<std::unique_ptr<Input>> open_input(const SegmentSource& segment);

// The byte offsets (within the segment's bytes) where the system clock of an MPEG program stream
// starts again: the pack headers whose clock reference is below that of the pack before. Found
// from packs sampled across the stream and narrowed down between two samples that go back, so a
// part shorter than the sampling step (1/1024 of the stream, at least 64 KiB) between two longer
// ones can be missed. Empty for a stream that is not a program stream.
std::vector<int64_t> clock_resets(const SegmentSource& segment);

} // namespace media
