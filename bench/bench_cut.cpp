// bench_cut: the player's stream cut against cp copying the same bytes.
//
//   bench_cut [MEGABYTES]
//
// A file of MEGABYTES (default 200) random bytes is made in a temporary prefix and opened as the
// player's current MPEG file; the player's cut copies all of it (in 1 KiB blocks, one window
// message and one progress text per block, as the user sees it, the bytes passed on inside the
// kernel 256 blocks at a time) into the output folder.
// cp copies the same file in the same run (with copy_file_range, inside the kernel), and so does
// dd with the cut's block size (bs=1k: two system calls a block, no message pass). Prints the
// seconds and megabytes a second of each and the ratios ours/cp and ours/dd (above 1: faster than
// the peer). All read the file from the page cache; each is run three times and the best counts.

#include "BenchSupport.h"

#include "core/Player.h"
#include "core/Startup.h"
#include "ops/Capture.h"

#include "host/DialogResponder.h"
#include "host/kernel32.h"
#include "host/user32.h"
#include "host/user32_dialogs.h"

#include <QApplication>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>

namespace fs = std::filesystem;

namespace {

// Answers the cut's box with OK and stays silent.
class Answering : public host::DialogResponder {
  public:
    int message_box(host::MessageBoxRequest const&) override { return IDOK; }
    void beep(UINT) override {}
    std::optional<std::string> input_box(host::InputBoxRequest const&) override { return std::nullopt; }
};

void write_random_file(fs::path const& path, std::size_t megabytes) {
    std::ofstream out(path, std::ios::binary);
    std::mt19937_64 random(42);
    std::string block(1 << 20, '\0');
    for (std::size_t m = 0; m < megabytes; ++m) {
        for (std::size_t i = 0; i + 8 <= block.size(); i += 8) {
            const auto value = random();
            std::memcpy(block.data() + i, &value, 8);
        }
        out.write(block.data(), static_cast<std::streamsize>(block.size()));
    }
}

} // namespace

int main(int argc, char** argv) {
    const std::size_t megabytes = argc > 1 ? std::strtoul(argv[1], nullptr, 10) : 200;
    if (megabytes == 0 || megabytes > 2000) {
        std::fprintf(stderr, "bench_cut: MEGABYTES must be 1 to 2000\n");
        return 2;
    }
    char folder_template[] = "/tmp/bench-cut-XXXXXX";
    if (!mkdtemp(folder_template)) {
        std::perror("bench_cut: mkdtemp");
        return 1;
    }
    const fs::path folder = folder_template;
    setenv("DOSPREFIX", (folder / "prefix").c_str(), 1);
    if (!getenv("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication application(argc, argv);
    Answering answering;
    host::ScopedDialogResponder responder(answering);

    // Any call through the host seeds the prefix.
    WritePrivateProfileStringA("mci", "MpegMovie", "CDDRIVER.DRV", "C:\\WINDOWS\\SYSTEM.INI");
    const fs::path drive_c = folder / "prefix" / "drive_c";
    fs::create_directories(drive_c / "OUT");
    const fs::path source = drive_c / "CLIP.MPG";
    write_random_file(source, megabytes);
    const std::size_t bytes = megabytes << 20;

    if (!player::register_classes(nullptr) || !player::create_main_window(nullptr, SW_SHOWNORMAL)) {
        std::fprintf(stderr, "bench_cut: the player's window could not be made\n");
        return 1;
    }
    // A stream of 8 Mbit/s: one second is 1 000 000 bytes, so the whole file is `bytes` / 1000 ms.
    player::state.file_mode = true;
    player::state.stream_info.system_bitrate = 8000000;
    std::snprintf(player::state.current_path, sizeof player::state.current_path, "C:\\CLIP.MPG");
    std::snprintf(player::state.output_folder, sizeof player::state.output_folder, "C:\\OUT\\");
    const auto end_ms = static_cast<std::int32_t>(bytes / 1000);

    double ours = 1e9, peer = 1e9, blocks = 1e9;
    for (int run = 0; run < 3; ++run) {
        bench::Timing timing;
        if (!bench::run_timed({"cp", source.string(), (folder / "copy.bin").string()}, timing)) {
            std::fprintf(stderr, "bench_cut: cp failed\n");
            return 1;
        }
        peer = std::min(peer, timing.wall_seconds);
        fs::remove(folder / "copy.bin");
        if (!bench::run_timed({"dd", "if=" + source.string(), "of=" + (folder / "copy.bin").string(), "bs=1k"},
                              timing)) {
            std::fprintf(stderr, "bench_cut: dd failed\n");
            return 1;
        }
        blocks = std::min(blocks, timing.wall_seconds);
        fs::remove(folder / "copy.bin");

        const double start = bench::now_seconds();
        player::cut_stream(0, end_ms);
        ours = std::min(ours, bench::now_seconds() - start);
        const fs::path made = drive_c / "OUT" / "00000001.mpg";
        if (fs::file_size(made) != static_cast<std::uintmax_t>(end_ms) * 1000) {
            std::fprintf(stderr, "bench_cut: the cut made %ju bytes\n", static_cast<std::uintmax_t>(fs::file_size(made)));
            return 1;
        }
        fs::remove(made);
        player::state.output_counter = 0;
    }
    DestroyWindow(player::windows.main_window);
    fs::remove_all(folder);

    const double size_mb = static_cast<double>(bytes) / (1 << 20);
    std::printf("file                                 %zu MB\n", megabytes);
    std::printf("player's cut (1 KiB blocks):         %.3f s, %.0f MB/s\n", ours, size_mb / ours);
    std::printf("cp:                                  %.3f s, %.0f MB/s\n", peer, size_mb / peer);
    std::printf("dd bs=1k:                            %.3f s, %.0f MB/s\n", blocks, size_mb / blocks);
    std::printf("ratio (ours / cp)                    %.2f\n", peer / ours);
    std::printf("ratio (ours / dd bs=1k)              %.2f\n", blocks / ours);
    return 0;
}
