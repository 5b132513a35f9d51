#include "media/CueSheet.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <sstream>
#include <vector>

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

bool same_ignoring_case(const std::string& a, const std::string& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

// The entry of `folder` spelt `part` in any case: the exact spelling when there is one, else the
// first match in name order; `part` itself when none matches.
std::string match_entry(const std::filesystem::path& folder, const std::string& part) {
    std::error_code error;
    if (std::filesystem::exists(folder / part, error))
        return part;
    std::vector<std::string> matches;
    for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
        auto name = entry.path().filename().string();
        if (same_ignoring_case(name, part))
            matches.push_back(name);
    }
    if (matches.empty())
        return part;
    return *std::min_element(matches.begin(), matches.end());
}

bool is_absolute_name(const std::string& name) {
    bool drive = name.size() >= 2 && name[1] == ':' && std::isalpha(static_cast<unsigned char>(name[0]));
    return drive || (!name.empty() && (name[0] == '/' || name[0] == '\\'));
}

} // namespace

std::optional<std::string> resolve_in_cue_folder(const std::string& folder, const std::string& name) {
    if (name.empty() || is_absolute_name(name))
        return std::nullopt;
    std::vector<std::string> parts;
    std::string part;
    for (size_t i = 0; i <= name.size(); ++i) {
        if (i < name.size() && name[i] != '/' && name[i] != '\\') {
            part += name[i];
            continue;
        }
        if (part == "..") {
            if (parts.empty())
                return std::nullopt; // above the cue sheet's folder
            parts.pop_back();
        } else if (!part.empty() && part != ".") {
            parts.push_back(part);
        }
        part.clear();
    }
    if (parts.empty())
        return std::nullopt;
    std::filesystem::path base = folder.empty() ? std::filesystem::path(".") : std::filesystem::path(folder);
    std::filesystem::path path = base;
    for (const auto& each : parts)
        path /= match_entry(path, each);
    // A link inside the folder may still lead out of it.
    std::error_code error;
    auto real_folder = std::filesystem::weakly_canonical(base, error);
    auto real_path = std::filesystem::weakly_canonical(path, error);
    if (error)
        return std::nullopt;
    auto relative = real_path.lexically_relative(real_folder);
    if (relative.empty() || *relative.begin() == "..")
        return std::nullopt;
    return (folder.empty() ? path.lexically_relative(".") : path).string();
}

Status resolve_track_files(CueSheet& sheet, const std::string& folder, const CueFileResolver& resolve) {
    for (auto& track : sheet.tracks) {
        auto path = resolve ? resolve(folder, track.file) : resolve_in_cue_folder(folder, track.file);
        if (!path)
            return make_error(ErrorCode::FileNotFound,
                              "the cue sheet names a file outside its folder: " + track.file);
        track.file = *path;
    }
    return Ok{};
}

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
