// What the benchmarks share: running a peer program timed, and making a test clip with ffmpeg.
#pragma once

#include <string>
#include <vector>

namespace bench {

struct Timing {
    double wall_seconds = 0;
    double cpu_seconds = 0;
};

double now_seconds();
// CPU seconds this process has used.
double own_cpu_seconds();

// Runs a program without a shell and waits for it; true when it exits with status 0. Its wall
// and CPU time go to `timing`; its standard error to `errors` when given, else it is discarded
// like its standard output.
bool run_timed(const std::vector<std::string>& arguments, Timing& timing, std::string* errors = nullptr);

// A PAL VideoCD clip (352x288, 25 frames a second, MP2 sound) of `seconds` made with ffmpeg in
// a new temporary folder; "" when ffmpeg failed.
std::string make_vcd_clip(int seconds);

// The clip a benchmark measures: the file named on its command line, else one made with
// make_vcd_clip(seconds); "" (after saying why on standard error) when ffmpeg failed.
std::string clip_of(int argc, char** argv, int seconds);

} // namespace bench
