// The player as built, bin/reelp32: the bare player bin/reel32 with the driver package behind
// it. Started as a real program on a fresh prefix it installs the package by itself; when it
// had to register the device types, the restart box is followed by the end of every program on
// that prefix and of none elsewhere.
#include "PackageFixture.h"

#include "core/CreationSteps.h"

#include "ChildProgram.h"
#include "host/user32.h"
#include "host/user32_dialogs.h"

#include <signal.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstdio>

#include <algorithm>

namespace {

using namespace package_test;

const fs::path bin_folder = TEST_BIN_DIR;

fs::path bundle_program() {
    return bin_folder / "reelp32";
}

std::string built_driver(std::string const& name) {
    return bytes_of(bin_folder / "drivers" / name);
}

// Registers the player's types in the current prefix, as a setup program would.
void register_types() {
    WritePrivateProfileStringA("mci", "VCDVideo", "CDDRIVER.DRV", "C:\\WINDOWS\\SYSTEM.INI");
    WritePrivateProfileStringA("mci", "MpegMovie", "CDDRIVER.DRV", "C:\\WINDOWS\\SYSTEM.INI");
}

bool all_installed(TempPrefix const& prefix) {
    return std::all_of(driver_names().begin(), driver_names().end(), [&](std::string const& name) {
        return fs::exists(prefix.host("C:\\WINDOWS\\SYSTEM") / name);
    });
}

// A program of the prefix's session is listed there by its process id while it runs.
bool is_member(fs::path const& root, pid_t pid) {
    return fs::exists(root / ".sessions" / (std::to_string(pid) + ".sock"));
}

// True once the member's event loop runs, so its start (WM_CREATE) is over: it answers "ping"
// on its session socket.
bool started(fs::path const& root, pid_t pid) {
    const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const std::string path = (root / ".sessions" / (std::to_string(pid) + ".sock")).string();
    std::snprintf(address.sun_path, sizeof address.sun_path, "%s", path.c_str());
    const timeval limit{60, 0}; // a safety net against a hang
    setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &limit, sizeof limit);
    std::string reply;
    if (connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 &&
        write(fd, "ping\n", 5) == 5) {
        char c;
        while (read(fd, &c, 1) == 1 && c != '\n')
            reply += c;
    }
    close(fd);
    return reply == "pong";
}

// Ends the session of the prefix as a person would from a shell; true when it ended.
bool end_session(fs::path const& root) {
    ChildProgram end({(bin_folder / "endsession").string(), "--prefix", root.string()}, root);
    const std::optional<int> status = end.wait();
    return status && WIFEXITED(*status) && WEXITSTATUS(*status) == 0;
}

// A started player that has installed its package and joined its prefix's session.
bool settled(TempPrefix const& prefix, ChildProgram& player) {
    return wait_for([&] {
               return !player.running() || (all_installed(prefix) && is_member(prefix.root(), player.pid()));
           }) &&
           player.running();
}

TEST(BuiltBundle, is_the_bare_player_then_the_five_driver_files_then_the_index) {
    const std::string bundle = bytes_of(bundle_program());
    std::string expected = bytes_of(bin_folder / "reel32");
    for (std::string const& name : driver_names())
        expected += built_driver(name);
    ASSERT_EQ(bundle.size(), expected.size() + 181);
    EXPECT_TRUE(bundle.compare(0, expected.size(), expected) == 0);

    player::PackageIndexBytes stored;
    std::copy(bundle.end() - 181, bundle.end(), stored.begin());
    player::decipher_index(stored);
    const player::PackageIndex index = player::index_from_bytes(stored);
    EXPECT_TRUE(player::has_signature(index));
    EXPECT_TRUE(player::index_is_sound(index, bundle.size()));
    for (int i = 0; i < 6; ++i)
        EXPECT_STREQ(index.names[i], player::package_entry_names[i]);
}

TEST(BuiltBundle, installs_the_package_into_a_fresh_prefix_at_its_first_start) {
    TempPrefix prefix;
    register_types();
    ChildProgram player({bundle_program().string()}, prefix.root());
    ASSERT_TRUE(settled(prefix, player));
    for (std::string const& name : driver_names())
        EXPECT_EQ(bytes_of(prefix.host("C:\\WINDOWS\\SYSTEM") / name), built_driver(name)) << name;
    EXPECT_TRUE(end_session(prefix.root()));
    EXPECT_TRUE(player.ended_cleanly());
}

TEST(BuiltBundle, writes_the_dci_name_where_the_video_module_reads_it) {
    TempPrefix prefix;
    WritePrivateProfileStringA("drivers", "DCI", "vgadci.drv", "C:\\WINDOWS\\SYSTEM.INI");
    player::install_package_from(dos_path(bundle_program()).c_str());
    HMODULE video = LoadLibraryA("C:\\WINDOWS\\SYSTEM\\cdvideo.dll");
    ASSERT_NE(video, nullptr);
    auto display_driver_file =
        reinterpret_cast<char const* (*)()>(GetProcAddress(video, "CdVideoDisplayDriverFile"));
    ASSERT_NE(display_driver_file, nullptr);
    EXPECT_STREQ(display_driver_file(), "vgadci.drv");
    FreeLibrary(video);
}

TEST(BuiltBundle, a_start_cut_short_while_installing_leaves_no_truncated_driver) {
    TempPrefix prefix;
    register_types();
    // Writing past this size kills the program (SIGXFSZ) in the middle of the largest file.
    std::size_t largest = 0;
    for (std::string const& name : driver_names())
        largest = std::max(largest, built_driver(name).size());
    const std::string limit = "--fsize=" + std::to_string(largest / 2);
    {
        ChildProgram cut({"/usr/bin/prlimit", limit, bundle_program().string()}, prefix.root());
        const std::optional<int> status = cut.wait();
        ASSERT_TRUE(status.has_value());
        ASSERT_TRUE(WIFSIGNALED(*status)) << "the limit was never reached";
        EXPECT_EQ(WTERMSIG(*status), SIGXFSZ);
    }
    for (std::string const& name : driver_names()) {
        const fs::path file = prefix.host("C:\\WINDOWS\\SYSTEM") / name;
        if (fs::exists(file)) {
            EXPECT_EQ(bytes_of(file), built_driver(name)) << name;
        }
    }
    EXPECT_FALSE(all_installed(prefix));
    // It was cut while writing a driver file: what it wrote lies under the temporary name.
    EXPECT_TRUE(fs::exists(prefix.host("C:\\WINDOWS\\SYSTEM") / "~reelpk.tmp"));

    ChildProgram again({bundle_program().string()}, prefix.root());
    ASSERT_TRUE(settled(prefix, again));
    for (std::string const& name : driver_names())
        EXPECT_EQ(bytes_of(prefix.host("C:\\WINDOWS\\SYSTEM") / name), built_driver(name)) << name;
    EXPECT_TRUE(end_session(prefix.root()));
    EXPECT_TRUE(again.ended_cleanly());
}

// The restart box as the player shows it, then the end of the session: here the box is answered
// in this process and the log-off carried out on two players already running on the prefix.
TEST(RestartBox, is_followed_by_the_end_of_every_program_on_the_prefix_and_of_none_elsewhere) {
    TempPrefix other;
    register_types();
    ChildProgram elsewhere({bundle_program().string()}, other.root());
    ASSERT_TRUE(settled(other, elsewhere));

    TempPrefix prefix;
    register_types();
    ChildProgram first({bundle_program().string()}, prefix.root());
    ASSERT_TRUE(settled(prefix, first));
    ChildProgram second({bundle_program().string()}, prefix.root());
    ASSERT_TRUE(wait_for([&] { return is_member(prefix.root(), second.pid()) || !second.running(); }));
    ASSERT_TRUE(started(prefix.root(), second.pid()));
    // The user's SYSTEM.INI lost the player's types meanwhile.
    WritePrivateProfileStringA("mci", "VCDVideo", nullptr, "C:\\WINDOWS\\SYSTEM.INI");
    WritePrivateProfileStringA("mci", "MpegMovie", nullptr, "C:\\WINDOWS\\SYSTEM.INI");

    host::RecordingDialogResponder responder;
    responder.carry_out_log_offs = true;
    host::ScopedDialogResponder scoped(responder);
    player::register_mci_drivers();

    ASSERT_EQ(responder.message_boxes.size(), 1u);
    EXPECT_EQ(responder.message_boxes[0].text, "Reelix Need to Restart Windows");
    EXPECT_EQ(responder.message_boxes[0].caption, "Wraning");
    EXPECT_EQ(responder.message_boxes[0].style & MB_ICONMASK, MB_ICONQUESTION);
    EXPECT_EQ(responder.message_boxes[0].style & MB_TYPEMASK, MB_OK);
    ASSERT_EQ(responder.log_offs.size(), 1u);
    EXPECT_EQ(responder.log_offs[0].flags, 0u);

    EXPECT_TRUE(first.ended_cleanly());
    EXPECT_TRUE(second.ended_cleanly());
    EXPECT_FALSE(is_member(prefix.root(), first.pid()));
    EXPECT_FALSE(is_member(prefix.root(), second.pid()));
    EXPECT_TRUE(elsewhere.running());
    EXPECT_TRUE(is_member(other.root(), elsewhere.pid()));
}

} // namespace
