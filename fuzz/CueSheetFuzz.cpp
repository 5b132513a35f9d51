// Cue sheets: the parser, the MPEG track spans of a VideoCD image and the lookup of the files
// the sheet names. Checked: every track of a sheet that parses has INDEX 01 at or after sector 0
// and a file; every span is non-empty, starts where its track starts and names the file of that
// track; a file name is found only inside the sheet's folder (a folder holding a few files, a
// subfolder and a link that leads out of it).
//
// Input: the text of a cue sheet.
#include "FuzzTarget.h"

#include "media/CueSheet.h"

#include <algorithm>
#include <filesystem>

namespace fs = std::filesystem;

namespace {

fs::path disc_folder() {
    return fuzz::scratch_folder() / "disc";
}

// Inside `folder` or the folder itself, after links are followed.
bool within(const fs::path& folder, const fs::path& path) {
    std::error_code error;
    fs::path real_folder = fs::weakly_canonical(folder, error);
    fs::path real_path = fs::weakly_canonical(path, error);
    auto [end, at] = std::mismatch(real_folder.begin(), real_folder.end(), real_path.begin(), real_path.end());
    return end == real_folder.end();
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    fs::create_directories(disc_folder() / "MPEGAV");
    fuzz::write_file(disc_folder() / "VIDEOCD.BIN", "");
    fuzz::write_file(disc_folder() / "MPEGAV" / "Avseq01.dat", "");
    fs::create_symlink("/", disc_folder() / "root");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view text(reinterpret_cast<const char*>(data), size);
    auto sheet = media::parse_cue_sheet(text);
    if (!sheet) {
        FUZZ_CHECK(!sheet.error().message.empty());
        return 0;
    }
    for (const media::CueTrack& track : sheet->tracks) {
        if (auto found = media::resolve_in_cue_folder(disc_folder().string(), track.file))
            FUZZ_CHECK(within(disc_folder(), *found));
        FUZZ_CHECK(track.number > 0);
        FUZZ_CHECK(track.start >= 0);
        FUZZ_CHECK(!track.file.empty());
        FUZZ_CHECK(!track.pregap_start || *track.pregap_start >= 0);
    }
    // Image files of a size taken from the name, so that files differ.
    auto file_sectors = [](const std::string& path) { return static_cast<int64_t>(path.size() * 97 % 4000); };
    for (const std::string folder : {"", "/images"}) {
        auto spans = media::mpeg_track_spans(*sheet, folder, file_sectors);
        for (const media::SectorSpan& span : spans) {
            FUZZ_CHECK(span.sector_count > 0);
            FUZZ_CHECK(span.first_sector >= 0);
            bool from_a_track = std::any_of(sheet->tracks.begin(), sheet->tracks.end(), [&](const media::CueTrack& track) {
                return track.start == span.first_sector && span.file.ends_with(track.file);
            });
            FUZZ_CHECK(from_a_track);
        }
    }
    return 0;
}
