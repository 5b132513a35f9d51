// The session of a prefix: programs with a window become its members; ending it (ExitWindowsEx,
// endsession) asks every member's windows, then ends the members one after the other, and
// touches no program running on another prefix. The members are real processes
// (session_member) that write down what their window hears.
#include "ChildProgram.h"
#include "TempPrefix.h"
#include "host/DialogResponder.h"
#include "host/user32.h"
#include "prefix/Sessions.h"

#include <gtest/gtest.h>

#include <sys/socket.h>
#include <sys/un.h>

#include <algorithm>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;
using host::session::member_ids;

namespace {

LRESULT plain_procedure(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    return DefWindowProcA(hwnd, message, wparam, lparam);
}

HWND make_top_level_window() {
    static const bool registered = [] {
        WNDCLASSA window_class{};
        window_class.lpfnWndProc = plain_procedure;
        window_class.lpszClassName = "EndSessionTestWindow";
        return RegisterClassA(&window_class) != 0;
    }();
    EXPECT_TRUE(registered);
    return CreateWindowExA(0, "EndSessionTestWindow", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr,
                           nullptr);
}

bool is_member(fs::path const& root, pid_t pid) {
    const std::vector<pid_t> ids = member_ids(root);
    return std::find(ids.begin(), ids.end(), pid) != ids.end();
}

// A session_member program on a prefix, with the story its window tells.
class Member {
  public:
    Member(TempPrefix const& prefix, fs::path log, std::vector<std::string> options = {})
        : m_root(prefix.root()), m_log(std::move(log)), m_program(arguments(m_log, options), prefix.root()) {}

    // Waits until it has joined its prefix's session.
    bool joined() {
        return wait_for([&] { return is_member(m_root, pid()) || !m_program.running(); }) &&
               m_program.running();
    }
    pid_t pid() const { return m_program.pid(); }
    ChildProgram& program() { return m_program; }

    // The events of this member, in order.
    std::vector<std::string> events() const {
        std::vector<std::string> found;
        std::ifstream in(m_log);
        const std::string own = std::to_string(pid()) + " ";
        for (std::string line; std::getline(in, line);)
            if (line.starts_with(own))
                found.push_back(line.substr(own.size()));
        return found;
    }

  private:
    static std::vector<std::string> arguments(fs::path const& log, std::vector<std::string> const& options) {
        std::vector<std::string> argv{SESSION_MEMBER_PROGRAM, log.string()};
        argv.insert(argv.end(), options.begin(), options.end());
        return argv;
    }

    fs::path m_root;
    fs::path m_log;
    ChildProgram m_program;
};

// The whole log, "<pid> <event>" lines in the order they were written.
std::vector<std::string> log_lines(fs::path const& log) {
    std::vector<std::string> lines;
    std::ifstream in(log);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

std::ptrdiff_t position_of(std::vector<std::string> const& lines, std::string const& line) {
    return std::find(lines.begin(), lines.end(), line) - lines.begin();
}

const std::vector<std::string> asked_and_ended{"ready", "query logoff", "end 1"};

TEST(SessionMembers, a_top_level_window_joins_the_session_of_the_current_prefix) {
    TempPrefix first;
    EXPECT_FALSE(is_member(first.root(), getpid()));
    HWND one = make_top_level_window();
    ASSERT_NE(one, nullptr);
    EXPECT_TRUE(is_member(first.root(), getpid()));
    {
        // A process that moves to another prefix leaves the session of the one before.
        TempPrefix second;
        HWND two = make_top_level_window();
        ASSERT_NE(two, nullptr);
        EXPECT_TRUE(is_member(second.root(), getpid()));
        EXPECT_FALSE(is_member(first.root(), getpid()));
        DestroyWindow(two);
    }
    DestroyWindow(one);
}

// This process is a member but runs no event loop here, so connections to it wait in its queue
// until the queue is full; looking at the session must not block on it.
TEST(SessionMembers, a_member_whose_event_loop_does_not_run_is_listed_without_blocking) {
    TempPrefix prefix;
    HWND own = make_top_level_window();
    for (int i = 0; i < 64; ++i)
        ASSERT_TRUE(is_member(prefix.root(), getpid())) << i;
    EXPECT_TRUE(host::session::connect_members(prefix.root(), getpid()).empty());
    DestroyWindow(own);
}

TEST(SessionMembers, the_name_of_a_program_that_is_gone_is_taken_away) {
    TempPrefix prefix;
    const fs::path folder = host::session::sessions_folder(prefix.root());
    fs::create_directories(folder);
    // A socket bound and closed, as a program that was killed leaves it.
    const fs::path stale = folder / "999999.sock";
    const int fd = socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::snprintf(address.sun_path, sizeof address.sun_path, "%s", stale.c_str());
    ASSERT_EQ(bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    close(fd);
    ASSERT_TRUE(fs::exists(stale));
    EXPECT_TRUE(member_ids(prefix.root()).empty());
    EXPECT_FALSE(fs::exists(stale));
}

TEST(SessionMembers, a_prefix_path_longer_than_a_socket_address_works) {
    TempPrefix prefix;
    const fs::path deep = prefix.root() / std::string(80, 'd') / std::string(80, 'e');
    fs::create_directories(deep);
    auto registration = host::session::Registration::create(deep);
    ASSERT_NE(registration, nullptr);
    EXPECT_EQ(member_ids(deep), std::vector<pid_t>{getpid()});
    registration.reset();
    EXPECT_TRUE(member_ids(deep).empty());
}

TEST(EndSession, every_program_of_the_prefix_hears_both_messages_and_ends_and_none_elsewhere) {
    TempPrefix other;
    Member elsewhere(other, other.root() / "log");
    TempPrefix prefix;
    const fs::path log = prefix.root() / "log";
    Member first(prefix, log), second(prefix, log);
    ASSERT_TRUE(first.joined() && second.joined() && elsewhere.joined());

    EXPECT_EQ(host::session::end_session(prefix.root(), {}), host::session::EndResult::ended);
    EXPECT_TRUE(first.program().ended_cleanly());
    EXPECT_TRUE(second.program().ended_cleanly());
    // Ended right after WM_ENDSESSION: their message loops never ran to the end.
    EXPECT_EQ(first.events(), asked_and_ended);
    EXPECT_EQ(second.events(), asked_and_ended);
    EXPECT_TRUE(member_ids(prefix.root()).empty());

    EXPECT_TRUE(elsewhere.program().running());
    EXPECT_EQ(elsewhere.events(), std::vector<std::string>{"ready"});
    EXPECT_TRUE(is_member(other.root(), elsewhere.pid()));
}

TEST(EndSession, one_refusal_keeps_every_program_running) {
    TempPrefix prefix;
    const fs::path log = prefix.root() / "log";
    Member willing(prefix, log), refusing(prefix, log, {"--refuse"});
    ASSERT_TRUE(willing.joined() && refusing.joined());

    EXPECT_EQ(host::session::end_session(prefix.root(), {}), host::session::EndResult::refused);
    const std::vector<std::string> cancelled{"ready", "query logoff", "end 0"};
    EXPECT_TRUE(wait_for([&] { return willing.events().size() == 3 && refusing.events().size() == 3; }));
    EXPECT_EQ(willing.events(), cancelled);
    EXPECT_EQ(refusing.events(), cancelled);
    EXPECT_TRUE(willing.program().running());
    EXPECT_TRUE(refusing.program().running());
}

TEST(EndSession, a_forced_end_asks_nobody) {
    TempPrefix prefix;
    const fs::path log = prefix.root() / "log";
    Member refusing(prefix, log, {"--refuse"});
    ASSERT_TRUE(refusing.joined());
    host::session::EndOptions options;
    options.force = true;
    EXPECT_EQ(host::session::end_session(prefix.root(), options), host::session::EndResult::ended);
    EXPECT_TRUE(refusing.program().ended_cleanly());
    EXPECT_EQ(refusing.events(), (std::vector<std::string>{"ready", "end 1"}));
}

TEST(ExitWindowsEx, ends_every_program_of_the_prefix_and_the_one_that_asked_last) {
    TempPrefix prefix;
    const fs::path log = prefix.root() / "log";
    Member other(prefix, log);
    ASSERT_TRUE(other.joined());
    Member asking(prefix, log, {"--log-off"});

    EXPECT_TRUE(asking.program().ended_cleanly());
    EXPECT_TRUE(other.program().ended_cleanly());
    EXPECT_EQ(asking.events(), (std::vector<std::string>{"ready", "asked", "query logoff", "end 1"}));
    EXPECT_EQ(other.events(), asked_and_ended);
    const std::vector<std::string> lines = log_lines(log);
    EXPECT_LT(position_of(lines, std::to_string(other.pid()) + " end 1"),
              position_of(lines, std::to_string(asking.pid()) + " end 1"));
}

TEST(ExitWindowsEx, goes_to_the_responder_which_may_end_the_others_but_never_this_process) {
    TempPrefix prefix;
    HWND own = make_top_level_window();
    ASSERT_TRUE(is_member(prefix.root(), getpid()));
    Member other(prefix, prefix.root() / "log");
    ASSERT_TRUE(other.joined());

    host::RecordingDialogResponder responder;
    responder.carry_out_log_offs = true;
    host::ScopedDialogResponder scoped(responder);
    EXPECT_TRUE(ExitWindowsEx(EWX_LOGOFF, 0xFFFFFFFF));
    ASSERT_EQ(responder.log_offs.size(), 1u);
    EXPECT_EQ(responder.log_offs[0].flags, EWX_LOGOFF);
    EXPECT_EQ(responder.log_offs[0].reason, 0xFFFFFFFFu);

    EXPECT_TRUE(other.program().ended_cleanly());
    EXPECT_EQ(other.events(), asked_and_ended);
    EXPECT_TRUE(is_member(prefix.root(), getpid()));
    DestroyWindow(own);
}

} // namespace
