#include "MediaFixtures.h"

#include "media/CueSheet.h"

extern "C" {
#include <libavutil/md5.h>
}

#include <algorithm>
#include <cstdio>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace media::test {

namespace fs = std::filesystem;

bool run_program(const std::vector<std::string>& arguments, std::string* output) {
    std::vector<char*> argv;
    for (const auto& argument : arguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    std::string capture = fs::temp_directory_path() / ("media-run-" + std::to_string(::getpid()) + ".txt");
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, capture.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    posix_spawn_file_actions_adddup2(&actions, 1, 2);
    pid_t pid = 0;
    int result = posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    int status = 0;
    bool ok =
        result == 0 && ::waitpid(pid, &status, 0) == pid && WIFEXITED(status) && WEXITSTATUS(status) == 0;
    if (output) {
        std::ifstream file(capture);
        output->assign(std::istreambuf_iterator<char>(file), {});
    }
    fs::remove(capture);
    return ok;
}

std::string fixture_folder() {
    auto folder = fs::temp_directory_path() / ("media-fixtures-" + std::to_string(::getuid()));
    fs::create_directories(folder);
    return folder.string();
}

std::string recipe_key(const std::vector<std::string>& recipe) {
    // The parts joined with a byte no argument holds, so that {"a b"} and {"a", "b"} differ.
    std::string joined;
    for (const auto& part : recipe)
        joined += part + '\0';
    uint8_t digest[16];
    av_md5_sum(digest, reinterpret_cast<const uint8_t*>(joined.data()), joined.size());
    static const char hex[] = "0123456789abcdef";
    std::string key;
    for (int i = 0; i < 8; ++i)
        key += {hex[digest[i] >> 4], hex[digest[i] & 15]};
    return key;
}

namespace {

// "clip.avi" made by recipe key K is cached as "clip-K.avi".
fs::path keyed_path(const std::string& name, const std::string& key) {
    fs::path plain(name);
    return fs::path(fixture_folder()) / (plain.stem().string() + "-" + key + plain.extension().string());
}

// Writes a file under a private name and renames it, so that parallel test processes never see
// half a file.
void write_whole(const fs::path& path, const std::string& bytes) {
    auto temporary = path.string() + "." + std::to_string(::getpid());
    std::ofstream(temporary, std::ios::binary) << bytes;
    fs::rename(temporary, path);
}

} // namespace

std::string make_fixture(const std::string& name, std::vector<std::string> arguments) {
    auto path = keyed_path(name, recipe_key(arguments));
    if (fs::exists(path))
        return path.string();
    // Built under a private name and renamed, so parallel test processes never see half a file.
    auto temporary = path.parent_path() / (std::to_string(::getpid()) + "-" + path.filename().string());
    for (auto& argument : arguments)
        if (argument == "{out}")
            argument = temporary.string();
    if (!run_program(arguments)) {
        fs::remove(temporary); // what a failed tool wrote
        return "";
    }
    fs::rename(temporary, path);
    return path.string();
}

std::string ffmpeg_fixture(const std::string& name, const std::vector<std::string>& arguments) {
    std::vector<std::string> command = {"ffmpeg", "-hide_banner", "-loglevel", "error", "-y"};
    command.insert(command.end(), arguments.begin(), arguments.end());
    command.push_back("{out}");
    return make_fixture(name, command);
}

namespace {

void put16(std::string& out, uint16_t value) {
    out.push_back(char(value & 0xff));
    out.push_back(char(value >> 8));
}

void put32(std::string& out, uint32_t value) {
    put16(out, uint16_t(value & 0xffff));
    put16(out, uint16_t(value >> 16));
}

void set32(std::string& out, size_t at, uint32_t value) {
    for (int i = 0; i < 4; ++i)
        out[at + i] = char((value >> (8 * i)) & 0xff);
}

} // namespace

std::string vcd_mpeg(int seconds, const std::string& pattern, int tone) {
    auto name = "vcd-" + pattern + "-" + std::to_string(seconds) + "s-" + std::to_string(tone) + ".mpg";
    return ffmpeg_fixture(
        name,
        {"-f", "lavfi", "-i", pattern + "=size=352x288:rate=25:duration=" + std::to_string(seconds), "-f",
         "lavfi", "-i",
         "sine=frequency=" + std::to_string(tone) + ":sample_rate=44100:duration=" + std::to_string(seconds),
         "-target", "pal-vcd", "-f", "vcd"});
}

std::string mp2_sound(int seconds) {
    return ffmpeg_fixture("sound-" + std::to_string(seconds) + "s.mp2",
                          {"-f", "lavfi", "-i",
                           "sine=frequency=440:sample_rate=44100:duration=" + std::to_string(seconds), "-ac",
                           "2", "-c:a", "mp2", "-b:a", "224k", "-f", "mp2"});
}

std::string avi_clip() {
    return ffmpeg_fixture("clip.avi",
                          {"-f",   "lavfi",     "-i",   "testsrc=size=320x240:rate=25:duration=4",
                           "-f",   "lavfi",     "-i",   "sine=frequency=440:sample_rate=44100:duration=4",
                           "-ac",  "2",         "-c:v", "mpeg4",
                           "-g",   "12",        "-b:v", "800k",
                           "-c:a", "pcm_s16le", "-f",   "avi"});
}

std::string mov_clip() {
    return ffmpeg_fixture("clip.mov",
                          {"-f", "lavfi", "-i", "testsrc=size=320x240:rate=25:duration=4", "-f", "lavfi",
                           "-i", "sine=frequency=440:sample_rate=48000:duration=4", "-c:v", "mpeg4", "-g",
                           "12", "-c:a", "aac", "-b:a", "128k", "-f", "mov"});
}

std::string stereo_avi() {
    return ffmpeg_fixture("stereo.avi",
                          {"-f", "lavfi", "-i", "testsrc=size=160x120:rate=25:duration=3", "-f", "lavfi",
                           "-i", "aevalsrc=0.5*sin(2*PI*440*t)|0.5*sin(2*PI*660*t):s=44100:d=3", "-c:v",
                           "mpeg4", "-c:a", "pcm_s16le", "-f", "avi"});
}

std::string vcd_image(bool two_tracks) {
    auto first = vcd_mpeg(4);
    auto second = vcd_mpeg(6, "testsrc2", 660);
    if (first.empty() || second.empty())
        return "";
    // The recipe names the tracks by their cached paths, which carry their own recipes' keys.
    std::vector<std::string> arguments = {"vcdimager", "-t", "vcd2", "-c", "{cue}", "-b", "{bin}", first};
    if (two_tracks)
        arguments.push_back(second);
    auto cue = keyed_path(two_tracks ? "vcd2.cue" : "vcd1.cue", recipe_key(arguments));
    auto bin = fs::path(cue).replace_extension(".bin");
    if (fs::exists(cue))
        return cue.string();
    auto folder = fs::path(fixture_folder()) / (cue.stem().string() + "-" + std::to_string(::getpid()));
    fs::create_directories(folder);
    for (auto& argument : arguments) {
        if (argument == "{cue}")
            argument = (folder / cue.filename()).string();
        else if (argument == "{bin}")
            argument = (folder / bin.filename()).string();
    }
    bool ok = run_program(arguments);
    if (ok) {
        // The cue names the bin by its full path; rewrite it to the neighbour's plain name.
        std::ifstream in(folder / cue.filename());
        std::string text((std::istreambuf_iterator<char>(in)), {});
        auto made_bin = (folder / bin.filename()).string();
        auto at = text.find(made_bin);
        if (at != std::string::npos)
            text.replace(at, made_bin.size(), bin.filename().string());
        std::ofstream(folder / cue.filename()) << text;
        fs::rename(folder / bin.filename(), bin);
        fs::rename(folder / cue.filename(), cue);
    }
    fs::remove_all(folder);
    return ok ? cue.string() : "";
}

namespace {

// Writes the sectors of MPEG track `track` (0 = the first) of a cue/bin image as a CDXA file.
bool write_cdxa_track(const std::string& cue, size_t track, const fs::path& path) {
    std::ifstream cue_file(cue);
    auto sheet = parse_cue_sheet(std::string((std::istreambuf_iterator<char>(cue_file)), {}));
    if (!sheet)
        return false;
    auto spans = mpeg_track_spans(*sheet, fs::path(cue).parent_path().string(), [](const std::string& file) {
        return int64_t(fs::file_size(file) / 2352);
    });
    if (track >= spans.size())
        return false;
    std::ifstream bin(spans[track].file, std::ios::binary);
    std::string data(size_t(spans[track].sector_count) * 2352, '\0');
    bin.seekg(std::streamoff(spans[track].first_sector * 2352));
    bin.read(data.data(), std::streamsize(data.size()));
    std::string header = "RIFF";
    put32(header, 0);
    header += "CDXAfmt ";
    put32(header, 16);
    header += std::string(16, '\0');
    header += "data";
    put32(header, uint32_t(data.size()));
    set32(header, 4, uint32_t(header.size() + data.size() - 8));
    write_whole(path, header + data);
    return true;
}

// The folder of files derived from a cached image: named after the image, so that a new image
// recipe gives new derived files too.
fs::path derived_folder(const std::string& cue, const std::string& what) {
    return fs::path(cue).parent_path() / (fs::path(cue).stem().string() + "-" + what);
}

} // namespace

std::string vcd_dat() {
    auto cue = vcd_image(false);
    if (cue.empty())
        return "";
    auto folder = derived_folder(cue, "dat");
    auto path = folder / "AVSEQ01.DAT";
    if (fs::exists(path))
        return path.string();
    fs::create_directories(folder);
    return write_cdxa_track(cue, 0, path) ? path.string() : "";
}

std::string vcd_folder() {
    auto cue = vcd_image(true);
    if (cue.empty())
        return "";
    auto folder = derived_folder(cue, "disc");
    if (fs::exists(folder / "MPEGAV" / "AVSEQ02.DAT"))
        return folder.string();
    fs::create_directories(folder / "MPEGAV");
    fs::create_directories(folder / "VCD");
    bool ok = write_cdxa_track(cue, 0, folder / "MPEGAV" / "AVSEQ01.DAT") &&
              write_cdxa_track(cue, 1, folder / "MPEGAV" / "AVSEQ02.DAT");
    return ok ? folder.string() : "";
}

std::string flc_animation(int frames, bool fli) {
    const int width = fli ? 320 : 64, height = fli ? 200 : 48;
    std::string file(128, '\0');
    file[4] = char(fli ? 0x11 : 0x12), file[5] = char(0xAF);
    file[6] = char(frames & 0xff), file[7] = char(frames >> 8);
    file[8] = char(width & 0xff), file[9] = char(width >> 8);
    file[10] = char(height & 0xff), file[11] = char(height >> 8);
    file[12] = 8;                   // depth
    file[14] = 3;                   // flags
    set32(file, 16, fli ? 7 : 100); // FLI: jiffies (1/70 s); FLC: milliseconds
    if (!fli)
        set32(file, 80, 128); // offset of frame 1
    for (int i = 0; i < frames; ++i) {
        std::string chunks;
        if (i == 0) {
            // One packet of 256 colours (skip 0, count 0 = 256): COLOR_256 (type 4) or COLOR_64 (11).
            std::string colours;
            colours.push_back(0), colours.push_back(0);
            for (int c = 0; c < 256; ++c) {
                int r = c, g = 255 - c, b = c / 2;
                if (fli)
                    colours += {char(r >> 2), char(g >> 2), char(b >> 2)};
                else
                    colours += {char(r), char(g), char(b)};
            }
            std::string chunk;
            put32(chunk, uint32_t(6 + 2 + colours.size()));
            put16(chunk, fli ? 11 : 4);
            put16(chunk, 1);
            chunks += chunk + colours;
        }
        // BRUN (type 15): each line starts with a packet count, then packets of (count, value)
        // repeating the value; a width over 127 takes several packets.
        std::string lines;
        for (int y = 0; y < height; ++y) {
            std::string line;
            int left = width, count = 0;
            while (left > 0) {
                int run = std::min(left, 127);
                line += {char(run), char(i * 20 + 10)};
                left -= run;
                ++count;
            }
            lines += char(count) + line;
        }
        if (lines.size() % 2)
            lines.push_back(0);
        std::string brun;
        put32(brun, uint32_t(6 + lines.size()));
        put16(brun, 15);
        chunks += brun + lines;
        std::string frame;
        put32(frame, uint32_t(16 + chunks.size()));
        put16(frame, 0xF1FA);
        put16(frame, i == 0 ? 2 : 1);
        frame += std::string(8, '\0');
        if (i == 1 && !fli)
            set32(file, 84, uint32_t(file.size()));
        file += frame + chunks;
    }
    set32(file, 0, uint32_t(file.size()));
    // Made in memory each time (it is small); cached under the key of its bytes, so that a
    // changed writer makes a new file.
    auto path = keyed_path("anim" + std::to_string(frames) + (fli ? ".fli" : ".flc"), recipe_key({file}));
    if (!fs::exists(path))
        write_whole(path, file);
    return path.string();
}

std::string joined_files(const std::string& name, const std::vector<std::string>& parts) {
    for (const std::string& part : parts)
        if (part.empty())
            return "";
    // Named after the parts, whose paths carry their own recipes' keys.
    auto path = keyed_path(name, recipe_key(parts));
    if (fs::exists(path))
        return path.string();
    auto temporary = path.string() + "." + std::to_string(::getpid());
    {
        std::ofstream out(temporary, std::ios::binary);
        for (const std::string& part : parts)
            out << std::ifstream(part, std::ios::binary).rdbuf();
    }
    fs::rename(temporary, path);
    return path.string();
}

std::string vcd_mpeg_format_change() {
    auto stereo = vcd_mpeg(4);
    auto mono = ffmpeg_fixture("vcd-mono-22050.mpg",
                               {"-f", "lavfi", "-i", "testsrc2=size=352x288:rate=25:duration=4", "-f",
                                "lavfi", "-i", "sine=frequency=660:sample_rate=44100:duration=4", "-target",
                                "pal-vcd", "-ac", "1", "-ar", "22050", "-b:a", "64k", "-f", "vcd"});
    return joined_files("vcd-format-change.mpg", {stereo, mono, stereo});
}

std::string joined_vcd_mpeg() {
    return joined_files("vcd-joined.mpg", {vcd_mpeg(4), vcd_mpeg(6, "testsrc2", 660), vcd_mpeg(4)});
}

std::string damaged_copy(const std::string& source, int64_t first, int64_t every, uint32_t seed) {
    auto name = "damaged-" + std::to_string(first) + "-" + std::to_string(every) + "-" +
                std::to_string(seed) + "-" + fs::path(source).filename().string();
    auto path = fs::path(fixture_folder()) / name;
    if (fs::exists(path))
        return path.string();
    std::ifstream in(source, std::ios::binary);
    std::string data((std::istreambuf_iterator<char>(in)), {});
    if (data.empty())
        return "";
    uint32_t state = seed;
    for (auto at = size_t(first); at < data.size(); at += size_t(every)) {
        state = state * 1664525u + 1013904223u; // a fixed linear congruential sequence
        data[at] = char(state >> 24);
    }
    auto temporary = path.string() + "." + std::to_string(::getpid());
    std::ofstream(temporary, std::ios::binary) << data;
    fs::rename(temporary, path);
    return path.string();
}

std::string dvd_mpeg2() {
    return ffmpeg_fixture("dvd.mpg", {"-f", "lavfi", "-i", "testsrc=size=720x576:rate=25:duration=2", "-f",
                                      "lavfi", "-i", "sine=frequency=440:sample_rate=48000:duration=2",
                                      "-target", "pal-dvd", "-f", "dvd"});
}

} // namespace media::test
