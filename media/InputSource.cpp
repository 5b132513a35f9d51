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

Result<std::vector<SegmentSource>> segments_of(const std::string& path, const CueFileResolver& resolve) {
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

Result<std::unique_ptr<Input>> open_input(const SegmentSource& segment) {
    auto input = std::make_unique<Input>();
    input->cursor = std::make_unique<IoCursor>();
    auto& cursor = *input->cursor;
    if (segment.raw_sectors) {
        auto reader =
            SectorReader::open(segment.path, segment.data_offset, segment.first_sector, segment.sector_count);
        if (!reader)
            return reader.error();
        input->sectors = std::move(*reader);
        auto* sectors = input->sectors.get();
        cursor.read = [sectors](int64_t offset, uint8_t* buffer, int64_t length) {
            return sectors->read(offset, buffer, length);
        };
        cursor.size = sectors->size();
    } else {
        auto reader = FileReader::open(segment.path);
        if (!reader)
            return reader.error();
        input->file = std::move(*reader);
        auto* file = input->file.get();
        cursor.read = [file](int64_t offset, uint8_t* buffer, int64_t length) {
            return file->read(offset, buffer, length);
        };
        cursor.size = file->size();
    }
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
