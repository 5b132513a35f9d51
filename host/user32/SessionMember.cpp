// This process as a member of its prefix's session (prefix/Sessions.h): the listening socket is
// watched by the GUI thread's event loop, so requests are handled between messages, also while a
// modal box runs its own loop. Requests become WM_QUERYENDSESSION and WM_ENDSESSION sent to every
// top-level window of the process, in the order they were created; when the session ends, the
// process ends right after WM_ENDSESSION, as a Windows program does at log-off.
#include "SessionMember.h"

#include "Window.h"
#include "host/GuiThread.h"
#include "prefix/Prefix.h"
#include "prefix/Sessions.h"

#include <QCoreApplication>
#include <QPointer>
#include <QSocketNotifier>

#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

namespace host::user32 {
namespace {

constexpr LPARAM log_off_reason = static_cast<LPARAM>(ENDSESSION_LOGOFF);

std::vector<HWND> top_level_windows() {
    std::vector<HWND> found;
    windows().for_each([&](HWND hwnd, Window const& window) {
        if (!window.is_child() && !window.destroying)
            found.push_back(hwnd);
    });
    return found;
}

// Asks the windows in turn; the first one that refuses ends the asking.
bool windows_agree() {
    for (HWND hwnd : top_level_windows())
        if (find_window(hwnd) && call_procedure(hwnd, WM_QUERYENDSESSION, 0, log_off_reason) == 0)
            return false;
    return true;
}

void tell_windows(bool ending) {
    for (HWND hwnd : top_level_windows())
        if (find_window(hwnd))
            call_procedure(hwnd, WM_ENDSESSION, ending ? TRUE : FALSE, log_off_reason);
}

void answer(int connection, char const* line) {
    const std::string text = std::string(line) + '\n';
    ::send(connection, text.data(), text.size(), MSG_NOSIGNAL);
}

class Member;
Member* g_member = nullptr;

// One request connection from a coordinator.
class Request : public QObject {
  public:
    Request(int connection, QObject* parent) : QObject(parent), m_connection(connection) {
        m_notifier = new QSocketNotifier(connection, QSocketNotifier::Read, this);
        connect(m_notifier, &QSocketNotifier::activated, this, [this] { read_requests(); });
    }
    ~Request() override { ::close(m_connection); }

  private:
    void read_requests();
    void handle(std::string const& line);

    int m_connection;
    QSocketNotifier* m_notifier;
    std::string m_pending;
};

class Member {
  public:
    explicit Member(std::unique_ptr<session::Registration> registration)
        : m_registration(std::move(registration)) {
        m_notifier = new QSocketNotifier(m_registration->listening_socket(), QSocketNotifier::Read,
                                         QCoreApplication::instance());
        QObject::connect(m_notifier, &QSocketNotifier::activated, m_notifier, [this] { accept_requests(); });
    }
    ~Member() { delete m_notifier.data(); }

    std::filesystem::path const& prefix_root() const { return m_registration->prefix_root(); }

    // The session ends: the process goes, as Windows ends a program after WM_ENDSESSION. Output
    // still buffered is written; nothing else of the program runs.
    [[noreturn]] void end_process() {
        m_registration->withdraw();
        std::fflush(nullptr);
        ::_exit(0);
    }

  private:
    void accept_requests() {
        for (;;) {
            const int connection =
                ::accept4(m_registration->listening_socket(), nullptr, nullptr, SOCK_CLOEXEC);
            if (connection < 0)
                return;
            new Request(connection, m_notifier);
        }
    }

    std::unique_ptr<session::Registration> m_registration;
    QPointer<QSocketNotifier> m_notifier;
};

void Request::read_requests() {
    char buffer[128];
    const ssize_t got = ::recv(m_connection, buffer, sizeof buffer, MSG_DONTWAIT);
    if (got < 0 && (errno == EAGAIN || errno == EINTR))
        return;
    if (got <= 0) {
        m_notifier->setEnabled(false);
        deleteLater();
        return;
    }
    m_pending.append(buffer, static_cast<std::size_t>(got));
    // A window procedure may run a loop of its own (a box asking to save); no request of this
    // connection is read again until it returns.
    m_notifier->setEnabled(false);
    QPointer<Request> alive(this);
    for (std::size_t end; (end = m_pending.find('\n')) != std::string::npos;) {
        const std::string line = m_pending.substr(0, end);
        m_pending.erase(0, end + 1);
        handle(line);
        if (!alive)
            return;
    }
    if (m_pending.size() > 256)
        m_pending.clear();
    m_notifier->setEnabled(true);
}

void Request::handle(std::string const& line) {
    if (line == "query") {
        answer(m_connection, windows_agree() ? "yes" : "no");
    } else if (line == "end 1") {
        tell_windows(true);
        if (g_member)
            g_member->end_process();
    } else if (line == "end 0") {
        tell_windows(false);
    } else if (line == "ping") {
        answer(m_connection, "pong");
    }
}

} // namespace

void join_session() {
    if (!on_gui_thread() || !QCoreApplication::instance())
        return;
    const std::filesystem::path root = Prefix::current().root();
    if (g_member && g_member->prefix_root() == root)
        return;
    // A process that moved to another prefix (a test does) leaves the old session first.
    delete g_member;
    g_member = nullptr;
    if (auto registration = session::Registration::create(root))
        g_member = new Member(std::move(registration));
}

} // namespace host::user32
