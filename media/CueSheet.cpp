#include "media/CueSheet.h"

#include <cctype>
#include <sstream>

namespace media {

namespace {

constexpr int frames_per_second = 75;

std::string upper(std::string text) {
    for (auto& c : text)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

// Reads a file name that may be quoted.
std::string read_name(std::istringstream& line) {
    line >> std::ws;
    std::string name;
    if (line.peek() == '"') {
        line.get();
        std::getline(line, name, '"');
    } else {
        line >> name;
    }
    return name;
}

} // namespace

std::optional<int64_t> parse_msf(std::string_view text) {
    int parts[3] = {0, 0, 0};
    int part = 0;
    bool digit_seen = false;
    for (char c : text) {
        if (c >= '0' && c <= '9') {
            parts[part] = parts[part] * 10 + (c - '0');
            if (parts[part] > 99999)
                return std::nullopt;
            digit_seen = true;
        } else if (c == ':' && digit_seen && part < 2) {
            ++part;
            digit_seen = false;
        } else {
            return std::nullopt;
        }
    }
    if (part != 2 || !digit_seen || parts[1] >= 60 || parts[2] >= frames_per_second)
        return std::nullopt;
    return (static_cast<int64_t>(parts[0]) * 60 + parts[1]) * frames_per_second + parts[2];
}

Result<CueSheet> parse_cue_sheet(std::string_view text) {
    CueSheet sheet;
    std::istringstream input{std::string(text)};
    std::string raw_line;
    std::string current_file;
    int line_number = 0;
    while (std::getline(input, raw_line)) {
        ++line_number;
        std::istringstream line(raw_line);
        std::string command;
        line >> command;
        command = upper(command);
        auto fail = [&](const std::string& why) {
            return make_error(ErrorCode::CorruptFile,
                              "cue sheet line " + std::to_string(line_number) + ": " + why);
        };
        if (command == "FILE") {
            current_file = read_name(line);
            if (current_file.empty())
                return fail("FILE without a name");
        } else if (command == "TRACK") {
            CueTrack track;
            std::string mode;
            if (!(line >> track.number >> mode) || track.number <= 0)
                return fail("malformed TRACK");
            if (current_file.empty())
                return fail("TRACK before FILE");
            track.mode = upper(mode);
            track.file = current_file;
            track.start = -1;
            sheet.tracks.push_back(track);
        } else if (command == "INDEX") {
            int index = -1;
            std::string address;
            if (sheet.tracks.empty() || !(line >> index >> address))
                return fail("malformed INDEX");
            auto sector = parse_msf(address);
            if (!sector)
                return fail("bad address " + address);
            if (index == 0)
                sheet.tracks.back().pregap_start = *sector;
            else if (index == 1)
                sheet.tracks.back().start = *sector;
        }
    }
    if (sheet.tracks.empty())
        return make_error(ErrorCode::CorruptFile, "cue sheet without tracks");
    for (const auto& track : sheet.tracks)
        if (track.start < 0)
            return make_error(ErrorCode::CorruptFile,
                              "track " + std::to_string(track.number) + " has no INDEX 01");
    return sheet;
}

} // namespace media
