// iniprofile set killed with SIGKILL at random moments while it rewrites a 200 KB file.
#include "IniprofileProcess.h"
#include "TempPrefix.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <poll.h>
#include <random>
#include <set>
#include <string>
#include <sys/inotify.h>
#include <thread>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

constexpr int kKilledWrites = 200;

// About 200 KB of other keys, then the key the writes change, last.
std::string file_with(const std::string& head, int value) {
    char text[16];
    std::snprintf(text, sizeof text, "%08d", value);
    return head + text + "\r\n";
}

std::string big_head() {
    std::string head = "[filler]\r\n";
    for (int line = 0; head.size() < 200 * 1024; ++line)
        head += "line" + std::to_string(line) + "=" + std::string(90, static_cast<char>('a' + line % 26)) + "\r\n";
    return head + "[s]\r\nk=";
}

// The names of a folder's entries.
std::set<std::string> entries_of(const fs::path& folder) {
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
        names.insert(entry.path().filename().string());
    return names;
}

// Waits until a file is created in the watched folder (the writer's temporary sibling), or the
// writer has ended without making one; a generous bound only keeps a lost event from hanging.
void wait_for_creation(int watch) {
    struct pollfd event{watch, POLLIN, 0};
    if (poll(&event, 1, 10'000) > 0) {
        char buffer[4096];
        [[maybe_unused]] ssize_t drained = read(watch, buffer, sizeof buffer);
    }
}

TEST(IniprofileCrashSafety, killed_writes_leave_the_old_or_the_new_file_whole_and_the_next_write_cleans_up) {
    TempPrefix prefix;
    const fs::path folder = prefix.drive_c();
    const std::string head = big_head();
    prefix.write("C:\\CRASH.INI", file_with(head, 0));
    const std::set<std::string> entries = entries_of(folder); // anything else was left behind

    // How long a whole run takes here, so that the kills spread over all of it.
    auto started = std::chrono::steady_clock::now();
    ASSERT_EQ(run_iniprofile({"set", "C:\\CRASH.INI", "s", "k", "00000000"}), 0);
    auto whole_run = std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() - started);

    unsigned seed = std::random_device{}();
    std::mt19937 random(seed);
    std::uniform_int_distribution<long> any_moment(0, whole_run.count());
    std::uniform_int_distribution<long> while_writing(0, 3000);
    int watch = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    ASSERT_GE(watch, 0);
    ASSERT_GE(inotify_add_watch(watch, folder.c_str(), IN_CREATE), 0);

    int finished = 0, before_writing = 0, mid_write = 0, after_rename = 0;
    for (int i = 1; i <= kKilledWrites; ++i) {
        const std::string old_file = prefix.read("C:\\CRASH.INI");
        const std::string new_file = file_with(head, i);
        char value[16];
        std::snprintf(value, sizeof value, "%08d", i);
        char drained[4096];
        while (read(watch, drained, sizeof drained) > 0) {
        }
        pid_t writer = start_iniprofile({"set", "C:\\CRASH.INI", "s", "k", value});
        // Every other kill lands at any moment of the run, the others just after the writer
        // made its temporary file.
        if (i % 2)
            std::this_thread::sleep_for(std::chrono::microseconds(any_moment(random)));
        else {
            wait_for_creation(watch);
            std::this_thread::sleep_for(std::chrono::microseconds(while_writing(random)));
        }
        kill(writer, SIGKILL);
        int status = wait_for(writer);

        const std::string after = prefix.read("C:\\CRASH.INI");
        ASSERT_TRUE(after == old_file || after == new_file) << "kill " << i << " (seed " << seed << ") left "
                                                             << after.size() << " bytes";
        if (status == 0)
            ++finished;
        else if (entries_of(folder) != entries)
            ++mid_write;
        else if (after == new_file)
            ++after_rename;
        else
            ++before_writing;

        // The next write, left to finish, removes what the killed one left behind.
        ASSERT_EQ(run_iniprofile({"set", "C:\\CRASH.INI", "s", "k", value}), 0);
        ASSERT_EQ(prefix.read("C:\\CRASH.INI"), new_file);
        ASSERT_EQ(entries_of(folder), entries) << "after the write that followed kill " << i;
    }
    close(watch);
    std::printf("%d writes of %zu bytes (seed %u, a whole run %ld us): %d finished before the kill, %d killed "
                "before writing, %d killed mid-write (temporary file left), %d killed after the rename\n",
                kKilledWrites, head.size() + 10, seed, static_cast<long>(whole_run.count()), finished, before_writing,
                mid_write, after_rename);
    RecordProperty("killed_mid_write", mid_write);
}

} // namespace
