#pragma once
// Template part of CueSheet.h.

namespace media {

template <typename SectorCount>
std::vector<SectorSpan> mpeg_track_spans(const CueSheet& sheet, const std::string& folder,
                                         SectorCount file_sectors) {
    std::vector<SectorSpan> spans;
    const auto& tracks = sheet.tracks;
    for (size_t i = 0; i < tracks.size(); ++i) {
        const auto& track = tracks[i];
        bool mode2 = track.mode == "MODE2/2352";
        // A single-track image holds the movie in its only track; otherwise track 1 is data.
        if (!mode2 || (i == 0 && tracks.size() > 1))
            continue;
        std::string path = track.file;
        if (!path.empty() && path.front() != '/' && !folder.empty())
            path = folder + "/" + path;
        int64_t end = file_sectors(path);
        if (i + 1 < tracks.size() && tracks[i + 1].file == track.file)
            end = tracks[i + 1].pregap_start.value_or(tracks[i + 1].start);
        if (end > track.start)
            spans.push_back(SectorSpan{path, track.start, end - track.start});
    }
    return spans;
}

} // namespace media
