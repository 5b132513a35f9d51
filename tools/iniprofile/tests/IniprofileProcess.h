// Starting the iniprofile tool as a process of its own, for tests that run several at once or
// kill one midway.
#pragma once

#include <gtest/gtest.h>

#include <csignal>
#include <poll.h>
#include <spawn.h>
#include <string>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

// Starts "iniprofile ARGS..." with this process's environment (and so its DOSPREFIX); its pid.
inline pid_t start_iniprofile(const std::vector<std::string>& args) {
    std::string program = std::string(TEST_BIN_DIR) + "/iniprofile";
    std::vector<char*> argv{program.data()};
    std::vector<std::string> copies(args);
    for (auto& arg : copies)
        argv.push_back(arg.data());
    argv.push_back(nullptr);
    pid_t pid = -1;
    EXPECT_EQ(posix_spawn(&pid, program.c_str(), nullptr, nullptr, argv.data(), environ), 0);
    return pid;
}

// The exit status of a finished iniprofile; -1 when it was killed.
inline int wait_for(pid_t pid) {
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// wait_for, with a bound that only keeps a run that never ends from hanging the test: such a
// run is killed and reported as -2.
inline int wait_for_at_most(pid_t pid, int seconds) {
    int ended = static_cast<int>(syscall(SYS_pidfd_open, pid, 0));
    struct pollfd event{ended, POLLIN, 0};
    bool hung = ended >= 0 && poll(&event, 1, seconds * 1000) == 0;
    if (ended >= 0)
        close(ended);
    if (hung)
        kill(pid, SIGKILL);
    int status = wait_for(pid);
    return hung ? -2 : status;
}

inline int run_iniprofile(const std::vector<std::string>& args) { return wait_for(start_iniprofile(args)); }
