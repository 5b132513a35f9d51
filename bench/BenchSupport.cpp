#include "BenchSupport.h"

#include <chrono>
#include <cstdio>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace bench {

namespace {

double seconds(const timeval& value) {
    return double(value.tv_sec) + double(value.tv_usec) / 1e6;
}

} // namespace

double now_seconds() {
    using namespace std::chrono;
    return duration<double>(steady_clock::now().time_since_epoch()).count();
}

double own_cpu_seconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

bool run_timed(const std::vector<std::string>& arguments, Timing& timing, std::string* errors) {
    std::vector<char*> argv;
    for (const auto& argument : arguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    std::string error_file;
    if (errors) {
        error_file =
            (std::filesystem::temp_directory_path() / ("bench-" + std::to_string(::getpid()) + ".err"))
                .string();
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, errors ? error_file.c_str() : "/dev/null",
                                     O_WRONLY | O_CREAT | O_TRUNC, 0600);
    double start = now_seconds();
    pid_t pid = 0;
    int spawned = posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0)
        return false;
    int status = 0;
    rusage usage{};
    bool ran = ::wait4(pid, &status, 0, &usage) == pid && WIFEXITED(status) && WEXITSTATUS(status) == 0;
    timing.wall_seconds = now_seconds() - start;
    timing.cpu_seconds = seconds(usage.ru_utime) + seconds(usage.ru_stime);
    if (errors) {
        std::ifstream in(error_file);
        errors->assign(std::istreambuf_iterator<char>(in), {});
        std::filesystem::remove(error_file);
    }
    return ran;
}

std::string make_vcd_clip(int seconds) {
    auto folder = std::filesystem::temp_directory_path() / ("bench-clip-" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder);
    auto path = (folder / "clip.mpg").string();
    std::string duration = std::to_string(seconds);
    Timing ignored;
    if (!run_timed({"ffmpeg", "-y", "-f", "lavfi", "-i", "testsrc2=size=352x288:rate=25:duration=" + duration,
                    "-f", "lavfi", "-i", "sine=frequency=440:sample_rate=44100:duration=" + duration,
                    "-target", "pal-vcd", path},
                   ignored))
        return "";
    return path;
}

std::string clip_of(int argc, char** argv, int seconds) {
    if (argc > 1)
        return argv[1];
    std::string clip = make_vcd_clip(seconds);
    if (clip.empty())
        std::fprintf(stderr, "%s: cannot make a clip (is ffmpeg installed?)\n", argc > 0 ? argv[0] : "bench");
    return clip;
}

} // namespace bench
