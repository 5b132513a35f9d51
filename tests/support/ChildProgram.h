// Programs started as child processes on a prefix of the test's choosing, for tests that need
// programs running side by side (sessions of a prefix, the player's bundle). The child inherits
// the test's environment (headless Qt, silent SDL) with DOSPREFIX set to the prefix.
#pragma once

#include <signal.h>
#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstring>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <thread>
#include <vector>

extern char** environ;

// Checks `condition` every 20 ms until it holds; false when `limit` passed first. The limit is a
// safety net against a hang, not a measure of speed.
inline bool wait_for(std::function<bool()> const& condition,
                     std::chrono::milliseconds limit = std::chrono::seconds(60)) {
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (!condition()) {
        if (std::chrono::steady_clock::now() > deadline)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return true;
}

class ChildProgram {
  public:
    // Starts argv[0] (a path) in `folder` (the test's working folder when empty); `settings`
    // ("NAME=value") replace the test's variables of those names (a program shown on an X
    // server: DISPLAY and QT_QPA_PLATFORM).
    ChildProgram(std::vector<std::string> argv, std::filesystem::path const& prefix,
                 std::filesystem::path const& folder = {}, std::vector<std::string> settings = {}) {
        settings.push_back("DOSPREFIX=" + prefix.string());
        auto replaced = [&](char const* entry) {
            for (std::string const& setting : settings)
                if (std::strncmp(entry, setting.c_str(), setting.find('=') + 1) == 0)
                    return true;
            return false;
        };
        std::vector<std::string> environment;
        for (char** entry = environ; *entry; ++entry)
            if (!replaced(*entry))
                environment.emplace_back(*entry);
        environment.insert(environment.end(), settings.begin(), settings.end());
        // Everything the child needs is made before fork: after it only exec-safe calls run.
        std::vector<char*> arguments, variables;
        for (std::string& argument : argv)
            arguments.push_back(argument.data());
        arguments.push_back(nullptr);
        for (std::string& variable : environment)
            variables.push_back(variable.data());
        variables.push_back(nullptr);
        const std::string where = folder.string();
        m_pid = fork();
        if (m_pid == 0) {
            if (!where.empty() && chdir(where.c_str()) != 0)
                _exit(126);
            execve(arguments[0], arguments.data(), variables.data());
            _exit(127);
        }
    }
    ~ChildProgram() {
        if (running()) {
            kill(m_pid, SIGKILL);
            wait();
        }
    }
    ChildProgram(ChildProgram const&) = delete;
    ChildProgram& operator=(ChildProgram const&) = delete;

    pid_t pid() const { return m_pid; }

    bool running() {
        if (m_status || m_pid <= 0)
            return false;
        int status = 0;
        if (waitpid(m_pid, &status, WNOHANG) == m_pid) {
            m_status = status;
            return false;
        }
        return true;
    }

    // The status as waitpid gives it, once the program has ended; nothing when it still runs
    // after `limit`.
    std::optional<int> wait(std::chrono::milliseconds limit = std::chrono::seconds(60)) {
        wait_for([&] { return !running(); }, limit);
        return m_status;
    }

    // True when it ended by itself with exit code 0 (not killed by a signal).
    bool ended_cleanly(std::chrono::milliseconds limit = std::chrono::seconds(60)) {
        const std::optional<int> status = wait(limit);
        return status && WIFEXITED(*status) && WEXITSTATUS(*status) == 0;
    }

  private:
    pid_t m_pid = -1;
    std::optional<int> m_status;
};
