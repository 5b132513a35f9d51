#include "prefix/Sessions.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <string_view>
#include <utility>

namespace fs = std::filesystem;

namespace host::session {
namespace {

constexpr char socket_suffix[] = ".sock";

// An open descriptor, closed with its owner.
class Descriptor {
  public:
    explicit Descriptor(int fd = -1) : m_fd(fd) {}
    ~Descriptor() {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    Descriptor(Descriptor const&) = delete;
    Descriptor& operator=(Descriptor const&) = delete;
    int get() const { return m_fd; }
    int release() { return std::exchange(m_fd, -1); }

  private:
    int m_fd;
};

Descriptor open_folder(fs::path const& folder) {
    return Descriptor(::open(folder.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC));
}

// The address of `name` in the folder open as `folder`, short whatever the folder's path.
bool address_in(int folder, std::string const& name, sockaddr_un& address) {
    address = {};
    address.sun_family = AF_UNIX;
    const int length =
        std::snprintf(address.sun_path, sizeof address.sun_path, "/proc/self/fd/%d/%s", folder, name.c_str());
    return length > 0 && static_cast<std::size_t>(length) < sizeof address.sun_path;
}

std::optional<pid_t> member_pid(std::string const& file_name) {
    const std::size_t suffix = std::strlen(socket_suffix);
    if (file_name.size() <= suffix || !file_name.ends_with(socket_suffix))
        return std::nullopt;
    pid_t pid = 0;
    for (std::size_t i = 0; i + suffix < file_name.size(); ++i) {
        const char c = file_name[i];
        if (c < '0' || c > '9' || pid > 100000000)
            return std::nullopt;
        pid = pid * 10 + (c - '0');
    }
    return pid > 0 ? std::optional<pid_t>(pid) : std::nullopt;
}

bool send_line(int connection, std::string_view line) {
    std::string text(line);
    text += '\n';
    std::size_t sent = 0;
    while (sent < text.size()) {
        const ssize_t n = ::send(connection, text.data() + sent, text.size() - sent, MSG_NOSIGNAL);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        sent += static_cast<std::size_t>(n);
    }
    return true;
}

using Clock = std::chrono::steady_clock;

int milliseconds_until(Clock::time_point deadline) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
    return static_cast<int>(std::clamp<long long>(left, 0, 1 << 30));
}

// The next line from the member; nothing when it closed the connection or the time ran out.
std::optional<std::string> read_line(int connection, Clock::time_point deadline) {
    std::string line;
    for (;;) {
        pollfd waiting{connection, POLLIN, 0};
        const int ready = ::poll(&waiting, 1, milliseconds_until(deadline));
        if (ready < 0 && errno == EINTR)
            continue;
        if (ready <= 0)
            return std::nullopt;
        char c;
        const ssize_t n = ::recv(connection, &c, 1, 0);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return std::nullopt;
        if (c == '\n')
            return line;
        if (line.size() < 64)
            line += c;
    }
}

// True once the member has closed its end (its process is gone), false when the time ran out.
bool wait_until_gone(int connection, Clock::time_point deadline) {
    while (auto line = read_line(connection, deadline)) {
    }
    pollfd waiting{connection, POLLIN, 0};
    if (::poll(&waiting, 1, 0) <= 0)
        return false;
    char c;
    return ::recv(connection, &c, 1, MSG_PEEK) == 0;
}

void close_all(std::vector<Member>& members) {
    for (Member& member : members)
        if (member.connection >= 0)
            ::close(std::exchange(member.connection, -1));
}

} // namespace

fs::path sessions_folder(fs::path const& prefix_root) {
    return prefix_root / ".sessions";
}

std::unique_ptr<Registration> Registration::create(fs::path const& prefix_root) {
    const fs::path folder = sessions_folder(prefix_root);
    std::error_code error;
    fs::create_directories(folder, error);
    Descriptor folder_fd = open_folder(folder);
    if (folder_fd.get() < 0)
        return nullptr;
    const std::string pid = std::to_string(::getpid());
    const std::string name = pid + socket_suffix;
    // Bound under a name no coordinator looks at, and given its real name only once it listens:
    // a coordinator that connected in between would take it for the socket of a dead program.
    const std::string unready = pid + ".new";
    ::unlinkat(folder_fd.get(), name.c_str(), 0);
    ::unlinkat(folder_fd.get(), unready.c_str(), 0);
    sockaddr_un address;
    if (!address_in(folder_fd.get(), unready, address))
        return nullptr;
    Descriptor socket(::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0));
    if (socket.get() < 0 || ::bind(socket.get(), reinterpret_cast<sockaddr*>(&address), sizeof address) != 0)
        return nullptr;
    if (::listen(socket.get(), 16) != 0 ||
        ::renameat(folder_fd.get(), unready.c_str(), folder_fd.get(), name.c_str()) != 0) {
        ::unlinkat(folder_fd.get(), unready.c_str(), 0);
        return nullptr;
    }
    return std::unique_ptr<Registration>(new Registration(prefix_root, socket.release(), name));
}

Registration::Registration(fs::path prefix_root, int socket, std::string name)
    : m_prefix_root(std::move(prefix_root)), m_socket(socket), m_name(std::move(name)) {}

Registration::~Registration() {
    withdraw();
    ::close(m_socket);
}

void Registration::withdraw() {
    if (m_withdrawn)
        return;
    m_withdrawn = true;
    std::error_code error;
    fs::remove(sessions_folder(m_prefix_root) / m_name, error);
}

namespace {

enum class Reach { connected, busy, gone };

// Connects to one member without ever blocking: a member that does not take connections (its
// queue of waiting connections is full because its event loop does not run) is busy, not gone.
Reach reach_member(int folder, std::string const& name, int& connection) {
    sockaddr_un address;
    if (!address_in(folder, name, address))
        return Reach::gone;
    Descriptor socket(::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0));
    if (socket.get() < 0)
        return Reach::busy;
    if (::connect(socket.get(), reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
        if (errno == ECONNREFUSED || errno == ENOENT)
            return Reach::gone;
        return Reach::busy;
    }
    const int flags = ::fcntl(socket.get(), F_GETFL);
    ::fcntl(socket.get(), F_SETFL, flags & ~O_NONBLOCK);
    connection = socket.release();
    return Reach::connected;
}

// The members' socket names with their process ids.
std::vector<std::pair<pid_t, std::string>> listed_members(fs::path const& folder) {
    std::vector<std::pair<pid_t, std::string>> listed;
    std::error_code error;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        const std::string name = it->path().filename().string();
        if (const std::optional<pid_t> pid = member_pid(name))
            listed.emplace_back(*pid, name);
    }
    return listed;
}

} // namespace

std::vector<Member> connect_members(fs::path const& prefix_root, std::optional<pid_t> skip) {
    std::vector<Member> members;
    const fs::path folder = sessions_folder(prefix_root);
    Descriptor folder_fd = open_folder(folder);
    if (folder_fd.get() < 0)
        return members;
    for (auto const& [pid, name] : listed_members(folder)) {
        if (pid == skip)
            continue;
        // A busy member gets a few seconds to take the connection.
        const Clock::time_point deadline = Clock::now() + std::chrono::seconds(5);
        int connection = -1;
        Reach reach;
        while ((reach = reach_member(folder_fd.get(), name, connection)) == Reach::busy &&
               Clock::now() < deadline)
            ::usleep(50000);
        if (reach == Reach::connected)
            members.push_back({pid, connection});
        else if (reach == Reach::gone)
            ::unlinkat(folder_fd.get(), name.c_str(), 0); // nobody listens: the program ended
    }
    return members;
}

std::vector<pid_t> member_ids(fs::path const& prefix_root) {
    std::vector<pid_t> ids;
    const fs::path folder = sessions_folder(prefix_root);
    Descriptor folder_fd = open_folder(folder);
    if (folder_fd.get() < 0)
        return ids;
    for (auto const& [pid, name] : listed_members(folder)) {
        int connection = -1;
        switch (reach_member(folder_fd.get(), name, connection)) {
        case Reach::connected:
            ::close(connection);
            [[fallthrough]];
        case Reach::busy:
            ids.push_back(pid);
            break;
        case Reach::gone:
            ::unlinkat(folder_fd.get(), name.c_str(), 0);
            break;
        }
    }
    std::sort(ids.begin(), ids.end());
    return ids;
}

EndResult end_session(fs::path const& prefix_root, EndOptions const& options) {
    const fs::path folder = sessions_folder(prefix_root);
    std::error_code error;
    fs::create_directories(folder, error);
    Descriptor lock(::open((folder / ".ending").c_str(), O_CREAT | O_RDWR | O_CLOEXEC, 0600));
    if (lock.get() < 0 || ::flock(lock.get(), LOCK_EX | LOCK_NB) != 0)
        return EndResult::busy;

    std::vector<Member> members = connect_members(prefix_root, options.spared);
    // The others in the order they started (by process id), the program that asked last.
    std::sort(members.begin(), members.end(), [&](Member const& a, Member const& b) {
        const bool a_last = a.pid == options.last, b_last = b.pid == options.last;
        return a_last != b_last ? b_last : a.pid < b.pid;
    });
    const auto timeout = std::chrono::milliseconds(options.answer_timeout_ms);

    if (!options.force) {
        for (Member const& member : members)
            send_line(member.connection, "query");
        const Clock::time_point deadline = Clock::now() + timeout;
        bool refused = false;
        for (Member const& member : members) {
            // A member that does not answer in time is taken as hung and ended with the rest.
            if (read_line(member.connection, deadline) == std::optional<std::string>("no"))
                refused = true;
        }
        if (refused) {
            for (Member const& member : members)
                send_line(member.connection, "end 0");
            close_all(members);
            return EndResult::refused;
        }
    }
    for (Member const& member : members) {
        if (send_line(member.connection, "end 1"))
            wait_until_gone(member.connection, Clock::now() + timeout);
    }
    close_all(members);
    return EndResult::ended;
}

} // namespace host::session
