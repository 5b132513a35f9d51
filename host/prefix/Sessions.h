// The session of a prefix: the programs running on it, as Wine's wineserver knows the processes
// of its prefix. Every host program with a window registers itself in $prefix/.sessions/ as a
// listening unix socket named after its process id ("<pid>.sock"); the socket lives as long as
// the process, so a socket nobody listens on any more is a program that is gone.
//
// Ending the session (ExitWindowsEx) speaks a line protocol with each member over its socket:
//   "query"   -> the member asks its top-level windows (WM_QUERYENDSESSION), answers "yes" or "no"
//   "end 1"   -> the member sends WM_ENDSESSION (TRUE) to its windows and ends its process
//   "end 0"   -> the session goes on: WM_ENDSESSION (FALSE), the member keeps running
//   "ping"    -> "pong" once the member's event loop runs (its windows are made and idle)
// The coordinator is the separate program `endsession`, so that the program that asked, which
// is ended too, is never waiting on itself.
//
// Sockets are reached through /proc/self/fd/N/<name> with N an open descriptor of the folder,
// so that a prefix path longer than a socket address allows still works.
#pragma once

#include <sys/types.h>

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace host::session {

std::filesystem::path sessions_folder(std::filesystem::path const& prefix_root);

// This process's membership in one prefix's session: a listening socket, non-blocking,
// close-on-exec. Removed from the folder when destroyed.
class Registration {
  public:
    // Nothing when the folder cannot be made or the socket cannot be bound.
    static std::unique_ptr<Registration> create(std::filesystem::path const& prefix_root);
    ~Registration();
    Registration(Registration const&) = delete;
    Registration& operator=(Registration const&) = delete;

    int listening_socket() const { return m_socket; }
    std::filesystem::path const& prefix_root() const { return m_prefix_root; }
    // Takes the socket's name out of the folder (the process is about to end).
    void withdraw();

  private:
    Registration(std::filesystem::path prefix_root, int socket, std::string name);

    std::filesystem::path m_prefix_root;
    int m_socket;
    std::string m_name;
    bool m_withdrawn = false;
};

// A live member, connected.
struct Member {
    pid_t pid = 0;
    int connection = -1; // blocking, close-on-exec; the caller closes it
};

// Connects to every member of the prefix's session but `skip`; names of members that are gone
// are removed. Never blocks for long: a member that takes no connection for a few seconds (its
// event loop does not run) is left out.
std::vector<Member> connect_members(std::filesystem::path const& prefix_root, std::optional<pid_t> skip = {});

// The process ids of the live members (for tests and tools); asks nothing of them.
std::vector<pid_t> member_ids(std::filesystem::path const& prefix_root);

struct EndOptions {
    bool force = false;            // EWX_FORCE: nobody is asked, every member ends
    std::optional<pid_t> last;     // the program that asked: ended after all the others
    std::optional<pid_t> spared;   // left out altogether (a test's own process)
    int answer_timeout_ms = 30000; // how long a member may take to answer or to end
};

enum class EndResult {
    ended,   // every member was told to end
    refused, // a member said no: the session goes on
    busy,    // another end of this session is under way
};

// Ends the session of the prefix: asks every member (unless forced), then ends them one after
// the other, waiting for each to go, the one that asked last. Blocking; for `endsession`.
EndResult end_session(std::filesystem::path const& prefix_root, EndOptions const& options);

} // namespace host::session
