// A private X server (Xvfb) for tests that need real windows of several processes, an optional
// window manager on it (openbox), and what a test reads back from the server with plain Xlib:
// stacking order, titles, map and WM states, geometry and pixels; and input as a user gives it,
// through the server (XTest), so that a window manager's key bindings apply as they do to a user.
// Header-only; a test program using it links X11 (and Xtst for the input).
//
// The server picks a free display number itself (-displayfd), so that test programs running side
// by side never share a server. Waiting is on the server's state, with generous limits only as a
// safety net. Include it after every other header: Xlib defines macros (None, Bool, Status)
// that Qt and GoogleTest use as names.
#pragma once

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <memory>
#include <optional>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace xtest {

// Whether a program is on the PATH.
inline bool have_program(char const* name) {
    const char* path = std::getenv("PATH");
    std::string paths = path ? path : "/usr/bin:/bin";
    std::size_t start = 0;
    while (start <= paths.size()) {
        std::size_t end = paths.find(':', start);
        if (end == std::string::npos)
            end = paths.size();
        const std::string candidate = paths.substr(start, end - start) + "/" + name;
        if (access(candidate.c_str(), X_OK) == 0)
            return true;
        start = end + 1;
    }
    return false;
}

// Polls `done` until it holds or the safety limit passes; true when it held.
inline bool wait_until(std::function<bool()> const& done, std::chrono::seconds limit = std::chrono::seconds(30)) {
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (!done()) {
        if (std::chrono::steady_clock::now() > deadline)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return true;
}

inline pid_t spawn(std::vector<std::string> const& arguments, posix_spawn_file_actions_t const* actions = nullptr,
                   char** environment = environ) {
    std::vector<char*> argv;
    for (auto const& argument : arguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    pid_t pid = -1;
    if (posix_spawnp(&pid, argv[0], actions, nullptr, argv.data(), environment) != 0)
        return -1;
    return pid;
}

// Asks the program to end, and ends it when it has not within a few seconds: openbox has been
// seen to miss a SIGTERM now and then, and a test must not wait for it for ever.
inline void stop(pid_t& pid) {
    if (pid <= 0)
        return;
    kill(pid, SIGTERM);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (waitpid(pid, nullptr, WNOHANG) == 0) {
        if (std::chrono::steady_clock::now() >= deadline) {
            kill(pid, SIGKILL);
            waitpid(pid, nullptr, 0);
            break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    pid = -1;
}

// An Xvfb server for the life of the object.
class Xvfb {
  public:
    Xvfb() {
        if (!have_program("Xvfb"))
            return;
        int pipe_ends[2];
        if (pipe(pipe_ends) != 0)
            return;
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addclose(&actions, pipe_ends[0]);
        posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
        posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
        m_pid = spawn({"Xvfb", "-displayfd", std::to_string(pipe_ends[1]), "-screen", "0", "1024x768x24", "-nolisten",
                       "tcp", "-noreset"},
                      &actions);
        posix_spawn_file_actions_destroy(&actions);
        close(pipe_ends[1]);
        // The server writes its display number once it accepts connections.
        std::string number;
        char c;
        while (read(pipe_ends[0], &c, 1) == 1 && c != '\n')
            number += c;
        close(pipe_ends[0]);
        if (m_pid <= 0 || number.empty()) {
            stop(m_pid);
            return;
        }
        m_display = ":" + number;
    }
    ~Xvfb() { stop(m_pid); }
    Xvfb(Xvfb const&) = delete;
    Xvfb& operator=(Xvfb const&) = delete;

    bool running() const { return !m_display.empty(); }
    std::string const& display() const { return m_display; }

  private:
    pid_t m_pid = -1;
    std::string m_display;
};

// A connection of the test's own to the server, and what it reads there.
class Client {
  public:
    // Requests on windows that went away meanwhile fail quietly instead of ending the test.
    explicit Client(std::string const& display) : m_display(XOpenDisplay(display.c_str())) {
        XSetErrorHandler([](Display*, XErrorEvent*) { return 0; });
    }
    ~Client() {
        if (m_display)
            XCloseDisplay(m_display);
    }
    Client(Client const&) = delete;
    Client& operator=(Client const&) = delete;

    Display* display() const { return m_display; }

    // Polls `done` like wait_until, changing a root property on each poll: every window manager
    // hears it, so one that waits for its next event before it acts always has one.
    bool settle(std::function<bool()> const& done, std::chrono::seconds limit = std::chrono::seconds(30)) {
        long count = 0;
        return wait_until(
            [&] {
                ++count;
                XChangeProperty(m_display, root(), atom("XTEST_WAKE"), XA_CARDINAL, 32, PropModeReplace,
                                reinterpret_cast<unsigned char*>(&count), 1);
                XSync(m_display, False);
                return done();
            },
            limit);
    }
    ::Window root() const { return DefaultRootWindow(m_display); }
    Atom atom(char const* name) const { return XInternAtom(m_display, name, False); }

    std::vector<long> longs(::Window window, char const* name) const {
        std::vector<long> values;
        Atom type;
        int format;
        unsigned long count, remaining;
        unsigned char* data = nullptr;
        XSync(m_display, False);
        if (XGetWindowProperty(m_display, window, atom(name), 0, 1 << 16, False, AnyPropertyType, &type, &format,
                               &count, &remaining, &data) == Success &&
            data && format == 32)
            values.assign(reinterpret_cast<long*>(data), reinterpret_cast<long*>(data) + count);
        if (data)
            XFree(data);
        return values;
    }
    std::string text(::Window window, char const* name) const {
        std::string value;
        Atom type;
        int format;
        unsigned long count, remaining;
        unsigned char* data = nullptr;
        if (XGetWindowProperty(m_display, window, atom(name), 0, 1 << 16, False, AnyPropertyType, &type, &format,
                               &count, &remaining, &data) == Success &&
            data && format == 8)
            value.assign(reinterpret_cast<char*>(data), count);
        if (data)
            XFree(data);
        return value;
    }

    // True when an EWMH window manager runs.
    bool window_manager_running() const {
        auto check = longs(root(), "_NET_SUPPORTING_WM_CHECK");
        return !check.empty() && longs(static_cast<::Window>(check[0]), "_NET_SUPPORTING_WM_CHECK") == check;
    }

    // Top-level client windows, top first: the window manager's stacking list, or the root's
    // children without one.
    std::vector<::Window> stacking() const {
        std::vector<::Window> order;
        if (window_manager_running()) {
            for (long window : longs(root(), "_NET_CLIENT_LIST_STACKING"))
                order.insert(order.begin(), static_cast<::Window>(window));
            return order;
        }
        ::Window root_return, parent, *children = nullptr;
        unsigned count = 0;
        XSync(m_display, False);
        if (XQueryTree(m_display, root(), &root_return, &parent, &children, &count) && children)
            for (unsigned i = count; i-- > 0;)
                order.push_back(children[i]);
        if (children)
            XFree(children);
        return order;
    }
    // Where `window` stands in the stacking order (0: top); -1 when not there.
    int stacking_index(::Window window) const {
        auto order = stacking();
        auto found = std::find(order.begin(), order.end(), window);
        return found == order.end() ? -1 : static_cast<int>(found - order.begin());
    }
    // Of the given windows, the one highest in the stacking order.
    ::Window topmost_of(std::vector<::Window> const& windows) const {
        for (::Window window : stacking())
            if (std::find(windows.begin(), windows.end(), window) != windows.end())
                return window;
        return 0;
    }

    bool viewable(::Window window) const {
        XWindowAttributes attributes{};
        XSync(m_display, False);
        return XGetWindowAttributes(m_display, window, &attributes) && attributes.map_state == IsViewable;
    }
    // WM_STATE: 1 normal, 3 iconic; nothing when the property is missing.
    std::optional<long> wm_state(::Window window) const {
        auto state = longs(window, "WM_STATE");
        return state.empty() ? std::nullopt : std::optional<long>(state[0]);
    }
    bool iconic(::Window window) const {
        if (wm_state(window) == 3)
            return true;
        auto states = longs(window, "_NET_WM_STATE");
        return std::find(states.begin(), states.end(), static_cast<long>(atom("_NET_WM_STATE_HIDDEN"))) !=
               states.end();
    }
    std::string title(::Window window) const {
        std::string name = text(window, "_NET_WM_NAME");
        return name.empty() ? text(window, "WM_NAME") : name;
    }

    // A plain top-level window of this connection, titled by WM_NAME (and _NET_WM_NAME unless
    // `legacy`), mapped; returns once the server shows it on top of every other (and a window
    // manager manages it).
    ::Window make_window(std::string const& title, bool legacy = false, int x = 10, int y = 10) {
        ::Window window = XCreateSimpleWindow(m_display, root(), x, y, 200, 120, 1, 0, 0xC0C0C0);
        XStoreName(m_display, window, title.c_str());
        if (!legacy)
            XChangeProperty(m_display, window, atom("_NET_WM_NAME"), atom("UTF8_STRING"), 8, PropModeReplace,
                            reinterpret_cast<unsigned char const*>(title.data()), static_cast<int>(title.size()));
        long pid = getpid();
        XChangeProperty(m_display, window, atom("_NET_WM_PID"), XA_CARDINAL, 32, PropModeReplace,
                        reinterpret_cast<unsigned char*>(&pid), 1);
        XMapWindow(m_display, window);
        XSync(m_display, False);
        // A window manager may leave a new window below the focused one; a raise request puts it on
        // top, where a bare server maps it anyway.
        const bool managed_wanted = window_manager_running();
        settle([&] { return viewable(window) && (!managed_wanted || stacking_index(window) >= 0); });
        if (managed_wanted) {
            XRaiseWindow(m_display, window);
            XSync(m_display, False);
            settle([&] { return stacking_index(window) == 0; });
        }
        return window;
    }
    // Minimises a window as a user would: through the window manager, or without one by taking
    // it out of sight marked iconic (WM_STATE), the only form minimised has on a bare server.
    void minimize(::Window window) {
        if (window_manager_running()) {
            XIconifyWindow(m_display, window, DefaultScreen(m_display));
        } else {
            XUnmapWindow(m_display, window);
            long state[2] = {3, 0};
            XChangeProperty(m_display, window, atom("WM_STATE"), atom("WM_STATE"), 32, PropModeReplace,
                            reinterpret_cast<unsigned char*>(state), 2);
        }
        XSync(m_display, False);
        settle([&] { return iconic(window) && !viewable(window); });
    }

    // Starts recording property changes of a window (of any program).
    void watch_properties(::Window window) {
        XSelectInput(m_display, window, PropertyChangeMask);
        XSync(m_display, False);
    }
    // Whether a recorded change set the window's title (also after the window is gone).
    bool title_was_set(::Window window) {
        XSync(m_display, False);
        bool seen = false;
        while (XPending(m_display)) {
            XEvent event;
            XNextEvent(m_display, &event);
            if (event.type == PropertyNotify && event.xproperty.window == window &&
                event.xproperty.state == PropertyNewValue &&
                (event.xproperty.atom == atom("_NET_WM_NAME") || event.xproperty.atom == XA_WM_NAME))
                seen = true;
        }
        return seen;
    }

    // Where a window is on the screen and its size.
    struct Box {
        int x = 0, y = 0, width = 0, height = 0;
        bool operator==(Box const&) const = default;
    };
    Box box(::Window window) const {
        XWindowAttributes attributes{};
        ::Window child = 0;
        Box b;
        XSync(m_display, False);
        if (!XGetWindowAttributes(m_display, window, &attributes))
            return b;
        XTranslateCoordinates(m_display, window, root(), 0, 0, &b.x, &b.y, &child);
        b.width = attributes.width;
        b.height = attributes.height;
        return b;
    }
    // The colour of a screen pixel, 0xRRGGBB.
    unsigned long pixel(int x, int y) const {
        XImage* image = XGetImage(m_display, root(), x, y, 1, 1, AllPlanes, ZPixmap);
        if (!image)
            return 0;
        const unsigned long value = XGetPixel(image, 0, 0) & 0xFFFFFF;
        XDestroyImage(image);
        return value;
    }
    // The mapped override-redirect windows (menus, tooltips): no window manager manages them.
    std::vector<::Window> popups() const { return shown_children(true); }
    // Every mapped child of the root (a window manager's frames and its own menus among them).
    std::vector<::Window> shown_children(bool override_redirect_only = false) const {
        std::vector<::Window> found;
        ::Window root_return, parent, *children = nullptr;
        unsigned count = 0;
        XSync(m_display, False);
        if (XQueryTree(m_display, root(), &root_return, &parent, &children, &count) && children)
            for (unsigned i = 0; i < count; ++i) {
                XWindowAttributes attributes{};
                if (XGetWindowAttributes(m_display, children[i], &attributes) &&
                    (attributes.override_redirect || !override_redirect_only) &&
                    attributes.map_state == IsViewable && attributes.width > 1)
                    found.push_back(children[i]);
            }
        if (children)
            XFree(children);
        return found;
    }

    // Presses the keys in order and releases them in reverse, as a user types a combination.
    void type(std::vector<KeySym> const& keys) {
        for (KeySym key : keys)
            XTestFakeKeyEvent(m_display, XKeysymToKeycode(m_display, key), True, CurrentTime);
        for (auto key = keys.rbegin(); key != keys.rend(); ++key)
            XTestFakeKeyEvent(m_display, XKeysymToKeycode(m_display, *key), False, CurrentTime);
        XSync(m_display, False);
    }
    void pointer_to(int x, int y) {
        XTestFakeMotionEvent(m_display, DefaultScreen(m_display), x, y, CurrentTime);
        XSync(m_display, False);
    }
    void left_button(bool down) {
        XTestFakeButtonEvent(m_display, 1, down ? True : False, CurrentTime);
        XSync(m_display, False);
    }
    void click(int x, int y) {
        pointer_to(x, y);
        left_button(true);
        left_button(false);
    }
    // Presses at (x, y), moves in steps by (dx, dy) and releases there, a pause after each step
    // as a hand makes them.
    void drag(int x, int y, int dx, int dy, int steps = 10) {
        pointer_to(x, y);
        left_button(true);
        for (int i = 1; i <= steps; ++i) {
            std::this_thread::sleep_for(std::chrono::milliseconds(30));
            pointer_to(x + dx * i / steps, y + dy * i / steps);
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(30));
        left_button(false);
    }

    void destroy_window(::Window window) {
        XDestroyWindow(m_display, window);
        XSync(m_display, False);
    }

  private:
    Display* m_display;
};

// openbox on the server for the life of the object, when it is installed.
class WindowManager {
  public:
    explicit WindowManager(std::string const& display) {
        if (!have_program("openbox"))
            return;
        std::string variable = "DISPLAY=" + display;
        std::vector<char*> environment;
        for (char** entry = environ; *entry; ++entry)
            if (std::strncmp(*entry, "DISPLAY=", 8) != 0)
                environment.push_back(*entry);
        environment.push_back(variable.data());
        environment.push_back(nullptr);
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
        posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
        m_pid = spawn({"openbox", "--sm-disable"}, &actions, environment.data());
        posix_spawn_file_actions_destroy(&actions);
        // The connection stays open while openbox runs. The server gives a new connection the
        // window numbers of the last one closed, and openbox, still busy with the destroyed
        // window of its first test, moved and resized a test's first window of the same number
        // and never managed it.
        m_client = std::make_unique<Client>(display);
        m_running = m_pid > 0 && m_client->display() &&
                    wait_until([&] { return m_client->window_manager_running(); }) && wait_until_managing(*m_client);
    }
    ~WindowManager() { stop(m_pid); }
    WindowManager(WindowManager const&) = delete;
    WindowManager& operator=(WindowManager const&) = delete;

    bool running() const { return m_running; }

  private:
    // openbox announces itself before its event loop runs, and a map request it reads meanwhile
    // waits for the next event to arrive. A window is mapped, with root property changes to wake
    // it, until it is managed: from then on every request is heard at once.
    static bool wait_until_managing(Client& client) {
        Display* display = client.display();
        ::Window window = XCreateSimpleWindow(display, client.root(), 0, 0, 10, 10, 0, 0, 0);
        XMapWindow(display, window);
        long count = 0;
        const bool managed = wait_until([&] {
            ++count;
            XChangeProperty(display, client.root(), client.atom("XTEST_WAKE"), XA_CARDINAL, 32, PropModeReplace,
                            reinterpret_cast<unsigned char*>(&count), 1);
            return client.stacking_index(window) >= 0;
        });
        client.destroy_window(window);
        // Gone from openbox's list too, before anything else asks it for anything.
        return managed && client.settle([&] { return client.stacking_index(window) < 0; });
    }

    pid_t m_pid = -1;
    std::unique_ptr<Client> m_client;
    bool m_running = false;
};

} // namespace xtest
