// Named mutexes: one namespace per prefix, shared by real processes, atomic when they race, and
// let go of when a holder ends, also when it is killed.
#include "TempPrefix.h"
#include "host/HostPaths.h"
#include "host/kernel32.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <optional>
#include <stdexcept>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;

namespace {

// What a child process saw when it created the mutex.
enum class Outcome : char { created = 'c', existed = 'e', failed = 'f' };

// A child process (forked, so it shares nothing but the prefix) that creates a mutex, reports
// what it saw, and keeps its handle until told to close it or until it is killed.
class Holder {
  public:
    // `start` (optional): the read end of a pipe the child waits on until every writer has closed
    // it, so that many children create at one moment.
    explicit Holder(std::string const& name, int start = -1, std::string const& prefix = {}) {
        int report[2], command[2];
        if (pipe(report) != 0 || pipe(command) != 0)
            throw std::runtime_error("pipe");
        m_pid = fork();
        if (m_pid == 0)
            run_child(name, start, prefix, report[1], command[0]);
        close(report[1]);
        close(command[0]);
        m_report = report[0];
        m_command = command[1];
    }
    ~Holder() {
        end();
        close(m_report);
    }

    Outcome outcome() {
        if (!m_outcome) {
            char seen = static_cast<char>(Outcome::failed);
            if (read(m_report, &seen, 1) != 1)
                seen = static_cast<char>(Outcome::failed);
            m_outcome = static_cast<Outcome>(seen);
        }
        return *m_outcome;
    }
    pid_t pid() const { return m_pid; }
    // Returns once the child has closed its handle.
    void close_handle() {
        outcome();
        char done;
        ASSERT_EQ(write(m_command, "c", 1), 1);
        ASSERT_EQ(read(m_report, &done, 1), 1);
    }
    void end() {
        if (m_pid <= 0)
            return;
        close(m_command);
        waitpid(m_pid, nullptr, 0);
        m_pid = -1;
    }
    void kill_hard() {
        kill(m_pid, SIGKILL);
        waitpid(m_pid, nullptr, 0);
        close(m_command);
        m_pid = -1;
    }

  private:
    [[noreturn]] static void run_child(std::string const& name, int start, std::string const& prefix, int report,
                                       int command) {
        // Only its own pipes: the parent's other pipes and handles stay the parent's alone.
        for (int fd = 3; fd < 1024; ++fd)
            if (fd != report && fd != command && fd != start)
                close(fd);
        if (!prefix.empty()) {
            setenv("DOSPREFIX", prefix.c_str(), 1);
            host::reset_prefix();
        }
        char byte;
        if (start >= 0)
            while (read(start, &byte, 1) > 0) {
            }
        HANDLE handle = CreateMutexA(nullptr, TRUE, name.c_str());
        const Outcome outcome = !handle                                    ? Outcome::failed
                                : GetLastError() == ERROR_ALREADY_EXISTS ? Outcome::existed
                                                                         : Outcome::created;
        (void)!write(report, &outcome, 1);
        while (read(command, &byte, 1) == 1) {
            CloseHandle(handle);
            (void)!write(report, "k", 1);
        }
        _exit(0);
    }

    pid_t m_pid = -1;
    int m_report = -1;
    int m_command = -1;
    std::optional<Outcome> m_outcome;
};

// The outcome of creating `name` here, closing the handle again.
Outcome create_here(char const* name) {
    HANDLE handle = CreateMutexA(nullptr, TRUE, name);
    if (!handle)
        return Outcome::failed;
    const Outcome outcome = GetLastError() == ERROR_ALREADY_EXISTS ? Outcome::existed : Outcome::created;
    CloseHandle(handle);
    return outcome;
}

class Mutexes : public ::testing::Test {
  protected:
    TempPrefix prefix;
};

TEST_F(Mutexes, a_new_name_clears_the_last_error_and_a_second_handle_finds_it_taken) {
    SetLastError(ERROR_ALREADY_EXISTS);
    HANDLE first = CreateMutexA(nullptr, TRUE, "TUNER.EXE");
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(GetLastError(), ERROR_SUCCESS);
    HANDLE second = CreateMutexA(nullptr, TRUE, "TUNER.EXE");
    ASSERT_NE(second, nullptr);
    EXPECT_NE(second, first);
    EXPECT_EQ(GetLastError(), ERROR_ALREADY_EXISTS);
    EXPECT_TRUE(CloseHandle(first));
    EXPECT_EQ(create_here("TUNER.EXE"), Outcome::existed); // `second` still has it
    EXPECT_TRUE(CloseHandle(second));
    EXPECT_EQ(create_here("TUNER.EXE"), Outcome::created);
}

struct NameCase {
    const char* held;
    const char* asked;
    Outcome outcome; // of creating `asked` while `held` is open
};

class MutexNames : public Mutexes, public ::testing::WithParamInterface<NameCase> {};

TEST_P(MutexNames, name_the_same_object_only_when_windows_does) {
    HANDLE held = CreateMutexA(nullptr, TRUE, GetParam().held);
    ASSERT_NE(held, nullptr);
    EXPECT_EQ(create_here(GetParam().asked), GetParam().outcome);
    CloseHandle(held);
}

INSTANTIATE_TEST_SUITE_P(Cases, MutexNames,
                         ::testing::Values(NameCase{"TUNER.EXE", "TUNER.EXE", Outcome::existed},
                                           NameCase{"TUNER.EXE", "tuner.exe", Outcome::created},
                                           NameCase{"TUNER.EXE", "TUNER.EX", Outcome::created},
                                           NameCase{"X", "Local\\X", Outcome::existed},
                                           NameCase{"local\\X", "X", Outcome::existed},
                                           NameCase{"X", "Global\\X", Outcome::created},
                                           NameCase{"Global\\X", "Global\\X", Outcome::existed},
                                           NameCase{"a b%c", "a b%c", Outcome::existed},
                                           NameCase{"a b%c", "a b%25c", Outcome::created},
                                           NameCase{"..", "..", Outcome::existed},
                                           NameCase{"..", ".", Outcome::created},
                                           NameCase{"", "", Outcome::created}));

TEST_F(Mutexes, unnamed_mutexes_never_meet) {
    HANDLE first = CreateMutexA(nullptr, FALSE, nullptr);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(create_here(nullptr), Outcome::created);
    EXPECT_TRUE(CloseHandle(first));
}

TEST_F(Mutexes, names_that_cannot_be_objects_are_refused_with_windows_errors) {
    SetLastError(ERROR_SUCCESS);
    EXPECT_EQ(CreateMutexA(nullptr, TRUE, "folder\\name"), nullptr);
    EXPECT_EQ(GetLastError(), ERROR_PATH_NOT_FOUND);
    const std::string too_long(MAX_PATH + 1, 'x');
    EXPECT_EQ(CreateMutexA(nullptr, TRUE, too_long.c_str()), nullptr);
    EXPECT_EQ(GetLastError(), ERROR_FILENAME_EXCED_RANGE);
    const std::string longest(MAX_PATH, '%'); // its file name is cut and digested
    EXPECT_EQ(create_here(longest.c_str()), Outcome::created);
}

TEST_F(Mutexes, no_name_reaches_outside_the_object_folder) {
    for (const char* name : {"../escaped", "/tmp/escaped", ".", "..", "Global\\..", "a/b"}) {
        HANDLE handle = CreateMutexA(nullptr, TRUE, name);
        ASSERT_NE(handle, nullptr) << name;
        for (const auto& entry : fs::recursive_directory_iterator(prefix.root()))
            if (entry.is_regular_file() && entry.path().parent_path().filename() != ".kernel-objects") {
                EXPECT_EQ(entry.path().filename().string().find("escaped"), std::string::npos) << entry.path();
            }
        CloseHandle(handle);
    }
}

TEST_F(Mutexes, the_last_handle_closed_leaves_no_file_behind) {
    HANDLE first = CreateMutexA(nullptr, TRUE, "TUNER.EXE");
    HANDLE second = CreateMutexA(nullptr, TRUE, "TUNER.EXE");
    const fs::path folder = prefix.root() / ".kernel-objects";
    EXPECT_FALSE(fs::is_empty(folder));
    CloseHandle(first);
    EXPECT_FALSE(fs::is_empty(folder));
    CloseHandle(second);
    EXPECT_TRUE(fs::is_empty(folder));
}

TEST_F(Mutexes, closing_what_is_not_an_open_handle_fails_with_invalid_handle) {
    HANDLE handle = CreateMutexA(nullptr, TRUE, "once");
    ASSERT_TRUE(CloseHandle(handle));
    for (HANDLE bad : {handle, static_cast<HANDLE>(nullptr), reinterpret_cast<HANDLE>(0x12345)}) {
        SetLastError(ERROR_SUCCESS);
        EXPECT_FALSE(CloseHandle(bad));
        EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
    }
}

TEST_F(Mutexes, another_process_holding_the_name_makes_it_exist_until_it_closes_its_handle) {
    Holder holder("TUNER.EXE");
    ASSERT_EQ(holder.outcome(), Outcome::created);
    EXPECT_EQ(create_here("TUNER.EXE"), Outcome::existed);
    EXPECT_EQ(host::mutex_maker_process("TUNER.EXE"), static_cast<DWORD>(holder.pid()));
    holder.close_handle();
    EXPECT_EQ(host::mutex_maker_process("TUNER.EXE"), 0u);
    EXPECT_EQ(create_here("TUNER.EXE"), Outcome::created);
}

TEST_F(Mutexes, a_holder_killed_hard_lets_go_of_the_name) {
    Holder holder("TUNER.EXE");
    ASSERT_EQ(holder.outcome(), Outcome::created);
    ASSERT_EQ(create_here("TUNER.EXE"), Outcome::existed);
    holder.kill_hard();
    EXPECT_EQ(host::mutex_maker_process("TUNER.EXE"), 0u);
    EXPECT_EQ(create_here("TUNER.EXE"), Outcome::created);
}

TEST_F(Mutexes, the_maker_is_known_only_while_it_holds_the_name) {
    EXPECT_EQ(host::mutex_maker_process("TUNER.EXE"), 0u);
    HANDLE mine = CreateMutexA(nullptr, TRUE, "TUNER.EXE");
    EXPECT_EQ(host::mutex_maker_process("TUNER.EXE"), static_cast<DWORD>(getpid()));
    Holder other("TUNER.EXE");
    ASSERT_EQ(other.outcome(), Outcome::existed);
    EXPECT_EQ(host::mutex_maker_process("TUNER.EXE"), static_cast<DWORD>(getpid()));
    CloseHandle(mine);
    // The name lives on in the other process, which did not make it.
    EXPECT_EQ(create_here("TUNER.EXE"), Outcome::existed);
    EXPECT_EQ(host::mutex_maker_process("TUNER.EXE"), 0u);
}

TEST_F(Mutexes, of_many_processes_creating_at_once_exactly_one_creates) {
    constexpr int rounds = 5;
    constexpr int racers = 20;
    for (int round = 0; round < rounds; ++round) {
        int start[2];
        ASSERT_EQ(pipe(start), 0);
        std::vector<std::unique_ptr<Holder>> holders;
        for (int i = 0; i < racers; ++i)
            holders.push_back(std::make_unique<Holder>("RACE.EXE", start[0]));
        close(start[0]);
        close(start[1]); // the last writer: every child wakes at once
        int created = 0, existed = 0;
        for (auto& holder : holders) {
            created += holder->outcome() == Outcome::created;
            existed += holder->outcome() == Outcome::existed;
        }
        EXPECT_EQ(created, 1) << "round " << round;
        EXPECT_EQ(existed, racers - 1) << "round " << round;
        holders.clear();
        EXPECT_EQ(create_here("RACE.EXE"), Outcome::created);
    }
}

TEST_F(Mutexes, processes_on_different_prefixes_do_not_meet) {
    const std::string other = (prefix.root().parent_path() / "other-prefix").string();
    Holder elsewhere("TUNER.EXE", -1, other);
    ASSERT_EQ(elsewhere.outcome(), Outcome::created);
    EXPECT_EQ(create_here("TUNER.EXE"), Outcome::created);
    Holder here("TUNER.EXE", -1, prefix.root().string());
    EXPECT_EQ(here.outcome(), Outcome::created);
    Holder there("TUNER.EXE", -1, other);
    EXPECT_EQ(there.outcome(), Outcome::existed);
}

} // namespace
