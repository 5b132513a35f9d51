#pragma once
// Media made at test time with Debian's ffmpeg and vcdimager (and a small FLC writer), cached per
// user in the temporary folder so that the many test processes CTest starts make each file once.
// A cached file carries the key of its recipe in its name: a changed recipe makes a new file
// instead of finding the old one.

#include <cstdint>
#include <string>
#include <vector>

namespace media::test {

// Runs a program (no shell) with its output discarded; true when it exits with status 0.
bool run_program(const std::vector<std::string>& arguments, std::string* output = nullptr);

// The fixture folder; created on first use.
std::string fixture_folder();

// A short name for a recipe (the program and arguments that make a file, or the file's own bytes):
// the first 16 hex digits of the MD5 of its parts. A changed recipe gets a new key.
std::string recipe_key(const std::vector<std::string>& recipe);

// Makes the fixture `name` by running `arguments` (with "{out}" replaced by a temporary path)
// unless it was made before by the same arguments; it is cached as `stem-KEY.ext` with the key of
// the arguments. Returns the path, or "" when the tool failed.
std::string make_fixture(const std::string& name, std::vector<std::string> arguments);

// make_fixture with a quiet ffmpeg: `arguments` are the inputs, codecs and format, everything
// between ffmpeg's own options and the output file.
std::string ffmpeg_fixture(const std::string& name, const std::vector<std::string>& arguments);

// MPEG-1 system stream for VideoCD (PAL: 352x288, 25 fps, video 1150 kbit/s, MP2 224 kbit/s).
std::string vcd_mpeg(int seconds = 10, const std::string& pattern = "testsrc", int tone = 440);
// MPEG-1 Layer II sound alone (an .mp2 file): 44.1 kHz stereo at 224 kbit/s, a 440 Hz tone.
std::string mp2_sound(int seconds = 3);
// 320x240, 25 fps, MPEG-4 video (FFmpeg's mpeg4) with a key frame every 12 frames, PCM stereo sound.
std::string avi_clip();
// 320x240, 25 fps QuickTime with MPEG-4 video and AAC sound.
std::string mov_clip();
// A stereo AVI whose left and right channels carry full-scale tones of different pitch.
std::string stereo_avi();
// A VideoCD disc image of one or two MPEG tracks; returns the cue sheet path.
std::string vcd_image(bool two_tracks);
// A RIFF CDXA `.DAT` file holding the MPEG track of the one-track image.
std::string vcd_dat();
// A folder laid out like a mounted two-track VideoCD: MPEGAV/AVSEQ01.DAT and AVSEQ02.DAT.
std::string vcd_folder();
// An 8-bit FLC animation: 64x48, `frames` frames at 100 ms each, frame i filled with palette
// colour 20 * i + 10; colour c is (c, 255 - c, c / 2). With `fli`, the older FLI variant (320x200,
// 6-bit palette, speed in 1/70 s: 7 = 10 frames a second).
std::string flc_animation(int frames = 10, bool fli = false);
// A VideoCD MPEG whose sound changes format twice: 4 s at 44.1 kHz stereo, 4 s at 22.05 kHz mono
// (64 kbit/s), then the first 4 s again; the three files joined end to end, as `cat` would.
std::string vcd_mpeg_format_change();
// Files joined end to end, as `cat` joins them, cached under the name and the parts' paths.
std::string joined_files(const std::string& name, const std::vector<std::string>& parts);
// Three VideoCD MPEGs joined end to end, each with its clock from 0: vcd_mpeg(4), then
// vcd_mpeg(6, "testsrc2", 660), then vcd_mpeg(4) again: 14 s, 350 frames.
std::string joined_vcd_mpeg();
// A copy of `source` in which every `every`th byte from offset `first` on is replaced by a
// pseudo-random byte (from `seed`, so the same damage every time).
std::string damaged_copy(const std::string& source, int64_t first, int64_t every, uint32_t seed);
// MPEG-2 program stream for DVD (PAL: 720x576, 25 fps, AC-3 sound), two seconds.
std::string dvd_mpeg2();

} // namespace media::test
