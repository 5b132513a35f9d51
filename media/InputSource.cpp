#include "InputSource.h"

#include "CdDevice.h"

#include "media/CueSheet.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <unistd.h>

namespace media {

namespace {

constexpr int io_buffer_size = 64 * 1024;
constexpr uintmax_t max_cue_size = 1 << 20;

// The demuxers of what the devices play: MPEG program and elementary streams (VideoCD tracks
// among them), MPEG audio, AVI, QuickTime and FLIC. Those that find their packets by scanning
// for start codes have no index to say where the data ends.
struct AllowedFormat {
    const char* name;
    bool scans;
};
constexpr AllowedFormat allowed_formats[] = {
    {"mpeg", true}, {"mpegvideo", true}, {"mp3", true}, {"avi", false}, {"mov", false}, {"flic", false},
};

// A scanning demuxer hands no packet while it reads zeros; none of their streams holds this many
// in a row (MPEG stuffing is 0xFF; a VideoCD's pack headers come every 2324 bytes), so a longer
// run is a padded tail and the end of the data. It bounds what a scan past the data can read.
constexpr int64_t max_zero_run = 4 * 1024 * 1024;

std::string format_whitelist() {
    std::string list;
    for (const auto& format : allowed_formats)
        list += (list.empty() ? "" : ",") + std::string(format.name);
    return list;
}

bool scans_for_start_codes(const AVInputFormat* format) {
    for (const auto& allowed : allowed_formats)
        if (allowed.scans && std::strcmp(format->name, allowed.name) == 0)
            return true;
    return false;
}

int io_read(void* opaque, uint8_t* buffer, int size) {
    auto* cursor = static_cast<IoCursor*>(opaque);
    if (cursor->zero_run_limit > 0 && cursor->zero_run > cursor->zero_run_limit)
        return AVERROR_EOF;
    auto count = cursor->read(cursor->position, buffer, size);
    if (count < 0)
        return AVERROR(EIO);
    if (count == 0)
        return AVERROR_EOF;
    cursor->position += count;
    cursor->bytes_read += count;
    int64_t last = count;
    while (last > 0 && buffer[last - 1] == 0)
        --last;
    cursor->zero_run = last == 0 ? cursor->zero_run + count : count - last;
    return static_cast<int>(count);
}

int64_t io_seek(void* opaque, int64_t offset, int whence) {
    auto* cursor = static_cast<IoCursor*>(opaque);
    switch (whence & ~AVSEEK_FORCE) {
    case AVSEEK_SIZE:
        return cursor->size;
    case SEEK_SET:
        break;
    case SEEK_CUR:
        offset += cursor->position;
        break;
    case SEEK_END:
        offset += cursor->size;
        break;
    default:
        return AVERROR(EINVAL);
    }
    if (offset < 0)
        return AVERROR(EINVAL);
    cursor->position = offset;
    cursor->zero_run = 0;
    return offset;
}

// A demuxer that asks to open another file or URL (a playlist, a concatenation script, a
// reference movie) is refused: a medium is the bytes of its own file, nothing it names.
int refuse_nested_open(AVFormatContext*, AVIOContext**, const char*, int, AVDictionary**) {
    return AVERROR(EPERM);
}

Result<std::vector<SegmentSource>> cue_segments(const std::string& path, const CueFileResolver& resolve) {
    std::error_code error;
    auto size = std::filesystem::file_size(path, error);
    if (error || size > max_cue_size)
        return make_error(ErrorCode::CorruptFile, "unreadable cue sheet " + path);
    std::ifstream file(path, std::ios::binary);
    std::stringstream text;
    text << file.rdbuf();
    auto sheet = parse_cue_sheet(text.str());
    if (!sheet)
        return sheet.error();
    auto folder = std::filesystem::path(path).parent_path().string();
    if (auto resolved = resolve_track_files(*sheet, folder, resolve); !resolved)
        return resolved.error();
    auto spans =
        mpeg_track_spans(*sheet, "", [](const std::string& file) { return raw_sector_count(file, 0); });
    if (spans.empty())
        return make_error(ErrorCode::CorruptFile, "no MPEG track in " + path);
    std::vector<SegmentSource> segments;
    for (const auto& span : spans) {
        if (!std::filesystem::exists(span.file))
            return make_error(ErrorCode::FileNotFound, "image file missing: " + span.file);
        segments.push_back(SegmentSource{span.file, true, 0, span.first_sector, span.sector_count});
    }
    return segments;
}

// A disc in a CD drive: the MPEG tracks its table of contents lists, read raw from the drive.
Result<std::vector<SegmentSource>> device_segments(const std::string& path) {
    int descriptor = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (descriptor < 0)
        return make_error(errno == ENOMEDIUM || errno == ENXIO ? ErrorCode::NotReady : ErrorCode::Io,
                          "cannot open the drive " + path + ": " + std::strerror(errno));
    int64_t lead_out = 0;
    auto toc = read_toc(descriptor, lead_out);
    ::close(descriptor);
    if (!toc)
        return toc.error();
    auto spans = mpeg_track_spans(sheet_of_toc(*toc, path), "", [&](const std::string&) { return lead_out; });
    if (spans.empty())
        return make_error(ErrorCode::CorruptFile, "no MPEG track on the disc in " + path);
    std::vector<SegmentSource> segments;
    for (const auto& span : spans)
        segments.push_back(SegmentSource{path, true, 0, span.first_sector, span.sector_count});
    return segments;
}

bool has_extension(const std::string& path, const char* extension) {
    auto actual = std::filesystem::path(path).extension().string();
    if (actual.size() != std::strlen(extension))
        return false;
    for (size_t i = 0; i < actual.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(actual[i])) != extension[i])
            return false;
    return true;
}

bool same_name(const std::string& a, const char* b) {
    if (a.size() != std::strlen(b))
        return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) != b[i])
            return false;
    return true;
}

// A segment for one track file: stripped when it carries raw sectors, else read as it is.
SegmentSource file_segment(const std::string& path) {
    if (is_cdxa_file(path))
        return SegmentSource{path, true, cdxa_header_size, 0, raw_sector_count(path, cdxa_header_size)};
    return SegmentSource{path, false, 0, 0, 0};
}

// A mounted VideoCD: the `.DAT` tracks of its MPEGAV folder (any case), in name order.
Result<std::vector<SegmentSource>> disc_segments(const std::string& path) {
    std::error_code error;
    std::vector<std::string> tracks;
    for (const auto& folder : std::filesystem::directory_iterator(path, error)) {
        if (!folder.is_directory(error) || !same_name(folder.path().filename().string(), "mpegav"))
            continue;
        for (const auto& file : std::filesystem::directory_iterator(folder.path(), error))
            if (file.is_regular_file(error) && has_extension(file.path().string(), ".dat"))
                tracks.push_back(file.path().string());
    }
    if (tracks.empty())
        return make_error(ErrorCode::FileNotFound, "no VideoCD tracks (MPEGAV/*.DAT) in " + path);
    std::sort(tracks.begin(), tracks.end(), [](const std::string& a, const std::string& b) {
        return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
            return std::tolower(static_cast<unsigned char>(x)) < std::tolower(static_cast<unsigned char>(y));
        });
    });
    std::vector<SegmentSource> segments;
    for (const auto& track : tracks)
        segments.push_back(file_segment(track));
    return segments;
}

} // namespace

namespace {

// Each segment cut at the clock resets of its program stream into parts that follow one another.
std::vector<SegmentSource> split_at_clock_resets(const std::vector<SegmentSource>& segments) {
    std::vector<SegmentSource> parts;
    for (const SegmentSource& segment : segments) {
        int64_t begin = 0;
        for (int64_t reset : clock_resets(segment)) {
            SegmentSource part = segment;
            part.byte_offset = segment.byte_offset + begin;
            part.byte_count = reset - begin;
            part.continues_previous = begin > 0;
            parts.push_back(part);
            begin = reset;
        }
        SegmentSource last = segment;
        last.byte_offset = segment.byte_offset + begin;
        last.byte_count =
            begin > 0 ? (segment.byte_count > 0 ? segment.byte_count - begin : 0) : segment.byte_count;
        last.continues_previous = begin > 0;
        parts.push_back(last);
    }
    return parts;
}

Result<std::vector<SegmentSource>> whole_segments_of(const std::string& path,
                                                     const CueFileResolver& resolve) {
    std::error_code error;
    if (std::filesystem::is_directory(path, error))
        return disc_segments(path);
    if (is_cd_device(path))
        return device_segments(path);
    if (!std::filesystem::is_regular_file(path, error))
        return make_error(ErrorCode::FileNotFound, "no such file: " + path);
    if (has_extension(path, ".cue"))
        return cue_segments(path, resolve);
    // A raw image opened by its `.bin`: its cue sheet beside it says where the tracks are.
    if (has_extension(path, ".bin")) {
        for (const char* extension : {".cue", ".CUE"}) {
            auto cue = std::filesystem::path(path).replace_extension(extension);
            if (std::filesystem::is_regular_file(cue, error))
                return cue_segments(cue.string(), resolve);
        }
    }
    return std::vector<SegmentSource>{file_segment(path)};
}

} // namespace

Result<std::vector<SegmentSource>> segments_of(const std::string& path, const CueFileResolver& resolve) {
    auto segments = whole_segments_of(path, resolve);
    // A disc in a drive is not sampled: its seeks are slow.
    if (!segments || is_cd_device(path))
        return segments;
    return split_at_clock_resets(*segments);
}

namespace {

// The bytes of a segment, behind the reader of its file or sectors, cut to its part.
struct SegmentBytes {
    std::unique_ptr<FileReader> file;
    std::unique_ptr<SectorReader> sectors;
    std::function<int64_t(int64_t offset, uint8_t* buffer, int64_t length)> read;
    int64_t size = 0;
};

Result<SegmentBytes> open_bytes(const SegmentSource& segment) {
    SegmentBytes bytes;
    if (segment.raw_sectors) {
        auto reader =
            SectorReader::open(segment.path, segment.data_offset, segment.first_sector, segment.sector_count);
        if (!reader)
            return reader.error();
        bytes.sectors = std::move(*reader);
        auto* sectors = bytes.sectors.get();
        bytes.read = [sectors](int64_t offset, uint8_t* buffer, int64_t length) {
            return sectors->read(offset, buffer, length);
        };
        bytes.size = sectors->size();
    } else {
        auto reader = FileReader::open(segment.path);
        if (!reader)
            return reader.error();
        bytes.file = std::move(*reader);
        auto* file = bytes.file.get();
        bytes.read = [file](int64_t offset, uint8_t* buffer, int64_t length) {
            return file->read(offset, buffer, length);
        };
        bytes.size = file->size();
    }
    if (segment.byte_offset > 0 || segment.byte_count > 0) {
        const int64_t begin = std::clamp<int64_t>(segment.byte_offset, 0, bytes.size);
        const int64_t count =
            segment.byte_count > 0 ? std::min(segment.byte_count, bytes.size - begin) : bytes.size - begin;
        bytes.read = [whole = std::move(bytes.read), begin, count](int64_t offset, uint8_t* buffer,
                                                                   int64_t length) -> int64_t {
            if (offset >= count)
                return 0;
            return whole(begin + offset, buffer, std::min(length, count - offset));
        };
        bytes.size = count;
    }
    return bytes;
}

// A pack header of an MPEG program stream and its system clock reference (90 kHz units).
struct Pack {
    int64_t offset = 0;
    int64_t clock = 0;
};

// The clock reference of the pack header at `p` (4 bytes of start code, then at least 6 bytes),
// MPEG-1 or MPEG-2; nothing when the marker bits say it is none.
std::optional<int64_t> pack_clock(const uint8_t* p) {
    if ((p[4] & 0xF1) == 0x21 && (p[6] & 1) && (p[8] & 1)) // MPEG-1
        return (int64_t(p[4] >> 1) & 7) << 30 | int64_t(p[5]) << 22 | int64_t(p[6] >> 1) << 15 |
               int64_t(p[7]) << 7 | int64_t(p[8] >> 1);
    if ((p[4] & 0xC4) == 0x44 && (p[6] & 4) && (p[8] & 4)) // MPEG-2
        return (int64_t(p[4] >> 3) & 7) << 30 | int64_t(p[4] & 3) << 28 | int64_t(p[5]) << 20 |
               int64_t(p[6] >> 3) << 15 | int64_t(p[6] & 3) << 13 | int64_t(p[7]) << 5 | int64_t(p[8] >> 3);
    return std::nullopt;
}

// Program streams put a pack header every few kilobytes (a VideoCD every 2324 bytes, a DVD every
// 2048); the search for the next one looks this far.
constexpr int64_t pack_search_window = 16 * 1024;
constexpr int64_t min_sampling_step = 64 * 1024;
constexpr int64_t max_samples = 1024;

// The first pack header at or after `offset`, within the search window.
std::optional<Pack> pack_at_or_after(SegmentBytes& bytes, int64_t offset) {
    std::vector<uint8_t> buffer(pack_search_window + 10);
    const int64_t count = bytes.read(offset, buffer.data(), int64_t(buffer.size()));
    for (int64_t i = 0; i + 10 <= count; ++i) {
        const uint8_t* p = buffer.data() + i;
        if (p[0] == 0 && p[1] == 0 && p[2] == 1 && p[3] == 0xBA)
            if (auto clock = pack_clock(p))
                return Pack{offset + i, *clock};
    }
    return std::nullopt;
}

// The first pack after `from` whose clock is below that of the pack before, before `until`.
std::optional<int64_t> reset_between(SegmentBytes& bytes, Pack from, int64_t until) {
    // Halve the span while its middle still follows on from `from`'s part or already belongs to
    // the next one.
    while (until - from.offset > pack_search_window) {
        auto middle = pack_at_or_after(bytes, from.offset + (until - from.offset) / 2);
        if (!middle || middle->offset >= until)
            break;
        if (middle->clock >= from.clock)
            from = *middle;
        else
            until = middle->offset + 1;
    }
    for (auto pack = pack_at_or_after(bytes, from.offset + 1); pack && pack->offset < until;
         pack = pack_at_or_after(bytes, pack->offset + 1)) {
        if (pack->clock < from.clock)
            return pack->offset;
        from = *pack;
    }
    return std::nullopt;
}

} // namespace

std::vector<int64_t> clock_resets(const SegmentSource& segment) {
    auto bytes = open_bytes(segment);
    if (!bytes)
        return {};
    auto first = pack_at_or_after(*bytes, 0);
    if (!first || first->offset != 0)
        return {}; // not a program stream
    const int64_t step = std::max(min_sampling_step, bytes->size / max_samples);
    std::vector<Pack> samples{*first};
    for (int64_t offset = step; offset < bytes->size; offset += step)
        if (auto pack = pack_at_or_after(*bytes, offset); pack && pack->offset > samples.back().offset)
            samples.push_back(*pack);
    std::vector<int64_t> resets;
    for (size_t i = 0; i + 1 < samples.size(); ++i)
        if (samples[i + 1].clock < samples[i].clock)
            if (auto reset = reset_between(*bytes, samples[i], samples[i + 1].offset + 1))
                resets.push_back(*reset);
    return resets;
}

Result<std::unique_ptr<Input>> open_input(const SegmentSource& segment) {
    auto input = std::make_unique<Input>();
    input->cursor = std::make_unique<IoCursor>();
    auto& cursor = *input->cursor;
    auto bytes = open_bytes(segment);
    if (!bytes)
        return bytes.error();
    input->file = std::move(bytes->file);
    input->sectors = std::move(bytes->sectors);
    cursor.read = std::move(bytes->read);
    cursor.size = bytes->size;
    input->payload_size = cursor.size;
    auto* buffer = static_cast<uint8_t*>(av_malloc(io_buffer_size));
    if (!buffer)
        return make_error(ErrorCode::Io, "out of memory");
    input->io.reset(avio_alloc_context(buffer, io_buffer_size, 0, &cursor, io_read, nullptr, io_seek));
    if (!input->io) {
        av_free(buffer);
        return make_error(ErrorCode::Io, "out of memory");
    }
    AVFormatContext* context = avformat_alloc_context();
    if (!context)
        return make_error(ErrorCode::Io, "out of memory");
    context->pb = input->io.get();
    context->flags |= AVFMT_FLAG_CUSTOM_IO;
    context->io_open = refuse_nested_open;
    AVDictionary* options = nullptr;
    av_dict_set(&options, "format_whitelist", format_whitelist().c_str(), 0);
    av_dict_set(&options, "protocol_whitelist", "file", 0);
    int result = avformat_open_input(&context, segment.path.c_str(), nullptr, &options);
    av_dict_free(&options);
    if (result < 0) // avformat_open_input frees the context on failure
        return make_error(ErrorCode::UnsupportedFormat,
                          "cannot open " + segment.path + ": " + av_error_text(result));
    input->format.reset(context);
    if (scans_for_start_codes(context->iformat))
        cursor.zero_run_limit = max_zero_run;
    result = avformat_find_stream_info(context, nullptr);
    if (result < 0)
        return make_error(ErrorCode::CorruptFile, "no stream information in " + segment.path);
    return input;
}

} // namespace media
