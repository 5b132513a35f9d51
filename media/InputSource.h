#pragma once
// How a medium is read: one or more segments (a plain file, a CDXA track, or the MPEG tracks of
// a raw disc image), each opened as its own FFmpeg input. Raw sectors are stripped by a
// SectorReader behind a custom AVIOContext, so FFmpeg sees only clean MPEG payload.

#include "FFmpegPtr.h"
#include "media/Result.h"
#include "media/SectorReader.h"

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
};

// Read position of the custom I/O over a SectorReader.
struct SectorCursor {
    SectorReader* reader;
    int64_t position;
};

// An opened FFmpeg input. Members are destroyed in reverse order: the format context first, then
// the I/O context it reads through, then the cursor and sector reader behind that.
struct Input {
    std::unique_ptr<SectorReader> reader;
    std::unique_ptr<SectorCursor> cursor;
    AVIOContextPtr io;
    AVFormatInputPtr format;
    int64_t payload_size = 0; // bytes FFmpeg sees (file size or stripped payload size)
};

// Splits the medium at `path` into segments: a `.cue` sheet (or a `.bin` with a `.cue` beside it)
// gives its MPEG tracks, a folder (a
// mounted VideoCD) the `.DAT` files of its MPEGAV folder, a RIFF CDXA file one stripped segment,
// anything else one plain segment.
Result<std::vector<SegmentSource>> segments_of(const std::string& path);

// Opens one segment and reads its stream information.
Result<std::unique_ptr<Input>> open_input(const SegmentSource& segment);

} // namespace media
