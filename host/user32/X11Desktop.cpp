#include "X11Desktop.h"

#include <QGuiApplication>
#include <QtGui/qguiapplication_platform.h>

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <unistd.h>

namespace host::user32::x11 {
namespace {

// ICCCM WM_STATE values.
constexpr long withdrawn_state = 0;
constexpr long normal_state = 1;
constexpr long iconic_state = 3;
// EWMH _NET_WM_STATE actions and the source of a request: a pager acts for the user.
constexpr long state_remove = 0;
constexpr long state_add = 1;
constexpr long source_pager = 2;

struct Atoms {
    Atom wm_state, wm_change_state, wm_client_machine, utf8_string, compound_text;
    Atom net_supported, net_supporting_wm_check, net_client_list_stacking, net_active_window;
    Atom net_wm_name, net_wm_pid, net_wm_state, net_wm_state_hidden, net_wm_state_maximized_vert,
        net_wm_state_maximized_horz;
};

struct Connection {
    Display* display = nullptr;
    ::Window root = 0;
    Atoms atoms{};
};

// The display Qt shows on, named as Qt's own connection names it.
std::string display_name() {
    auto* application = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    if (application && application->display())
        return DisplayString(application->display());
    char const* variable = std::getenv("DISPLAY");
    return variable ? variable : "";
}

Connection open_connection() {
    Connection connection;
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        return connection;
    const std::string name = display_name();
    connection.display = XOpenDisplay(name.empty() ? nullptr : name.c_str());
    if (!connection.display)
        return connection;
    Display* display = connection.display;
    connection.root = DefaultRootWindow(display);
    auto atom = [display](char const* name) { return XInternAtom(display, name, False); };
    connection.atoms = {atom("WM_STATE"),
                        atom("WM_CHANGE_STATE"),
                        atom("WM_CLIENT_MACHINE"),
                        atom("UTF8_STRING"),
                        atom("COMPOUND_TEXT"),
                        atom("_NET_SUPPORTED"),
                        atom("_NET_SUPPORTING_WM_CHECK"),
                        atom("_NET_CLIENT_LIST_STACKING"),
                        atom("_NET_ACTIVE_WINDOW"),
                        atom("_NET_WM_NAME"),
                        atom("_NET_WM_PID"),
                        atom("_NET_WM_STATE"),
                        atom("_NET_WM_STATE_HIDDEN"),
                        atom("_NET_WM_STATE_MAXIMIZED_VERT"),
                        atom("_NET_WM_STATE_MAXIMIZED_HORZ")};
    return connection;
}

Connection& connection() {
    static Connection opened = open_connection();
    return opened;
}

Display* display() {
    return connection().display;
}
Atoms const& atoms() {
    return connection().atoms;
}

// Errors of requests on windows that went away meanwhile are expected: they are caught and
// counted while a trap is set, instead of ending the program as Xlib would.
int g_trapped_errors = 0;
int count_error(Display*, XErrorEvent*) {
    ++g_trapped_errors;
    return 0;
}

class ErrorTrap {
  public:
    ErrorTrap() {
        XSync(display(), False);
        g_trapped_errors = 0;
        m_previous = XSetErrorHandler(count_error);
    }
    ~ErrorTrap() {
        XSync(display(), False);
        XSetErrorHandler(m_previous);
    }
    ErrorTrap(ErrorTrap const&) = delete;
    ErrorTrap& operator=(ErrorTrap const&) = delete;
    // Whether any request so far failed.
    bool failed() {
        XSync(display(), False);
        return g_trapped_errors != 0;
    }

  private:
    XErrorHandler m_previous;
};

// A window property: its type, format and items (for format 32, items are longs, as Xlib gives them).
struct Property {
    Atom type = 0;
    int format = 0;
    std::vector<unsigned char> bytes;
    unsigned long count = 0;

    std::vector<long> longs() const {
        std::vector<long> values(count);
        if (format == 32 && count)
            std::memcpy(values.data(), bytes.data(), count * sizeof(long));
        return values;
    }
    std::string text() const { return format == 8 ? std::string(bytes.begin(), bytes.end()) : std::string(); }
};

std::optional<Property> read_property(::Window window, Atom name, Atom type = AnyPropertyType) {
    Atom actual_type = 0;
    int format = 0;
    unsigned long count = 0, remaining = 0;
    unsigned char* data = nullptr;
    constexpr long longest = 1 << 16; // in 32-bit units
    if (XGetWindowProperty(display(), window, name, 0, longest, False, type, &actual_type, &format, &count,
                           &remaining, &data) != Success ||
        actual_type == None) {
        if (data)
            XFree(data);
        return std::nullopt;
    }
    Property property{actual_type, format, {}, count};
    const std::size_t unit = format == 32 ? sizeof(long) : static_cast<std::size_t>(format / 8);
    if (data)
        property.bytes.assign(data, data + count * unit);
    XFree(data);
    return property;
}

std::optional<long> first_long(::Window window, Atom name) {
    auto property = read_property(window, name);
    if (!property || property->format != 32 || property->count == 0)
        return std::nullopt;
    return property->longs().front();
}

std::vector<Atom> atom_list(::Window window, Atom name) {
    std::vector<Atom> list;
    if (auto property = read_property(window, name, XA_ATOM); property && property->format == 32)
        for (long value : property->longs())
            list.push_back(static_cast<Atom>(value));
    return list;
}

bool contains(std::vector<Atom> const& list, Atom atom) {
    return std::find(list.begin(), list.end(), atom) != list.end();
}

// The window manager's check window when an EWMH window manager runs: the root names it, and it
// names itself.
::Window window_manager_check() {
    auto on_root = first_long(connection().root, atoms().net_supporting_wm_check);
    if (!on_root)
        return 0;
    const auto check = static_cast<::Window>(*on_root);
    auto on_check = first_long(check, atoms().net_supporting_wm_check);
    return on_check && static_cast<::Window>(*on_check) == check ? check : 0;
}

bool supports(Atom feature) {
    return window_manager_check() && contains(atom_list(connection().root, atoms().net_supported), feature);
}

std::vector<::Window> children_of(::Window window) {
    ::Window root = 0, parent = 0, *children = nullptr;
    unsigned int count = 0;
    std::vector<::Window> list;
    if (XQueryTree(display(), window, &root, &parent, &children, &count) && children)
        list.assign(children, children + count);
    if (children)
        XFree(children);
    return list;
}

bool has_wm_state(::Window window) {
    return read_property(window, atoms().wm_state).has_value();
}

// The client inside a top-level window: the window itself or the first descendant carrying
// WM_STATE (inside a window manager's frame); the window itself when none does.
::Window client_of(::Window top) {
    if (has_wm_state(top))
        return top;
    std::vector<::Window> level = children_of(top);
    while (!level.empty()) {
        std::vector<::Window> next;
        for (::Window child : level) {
            if (has_wm_state(child))
                return child;
            for (::Window grandchild : children_of(child))
                next.push_back(grandchild);
        }
        level = std::move(next);
    }
    return top;
}

void send_to_root(::Window window, Atom type, long a, long b = 0, long c = 0, long d = 0) {
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = type;
    event.xclient.format = 32;
    event.xclient.data.l[0] = a;
    event.xclient.data.l[1] = b;
    event.xclient.data.l[2] = c;
    event.xclient.data.l[3] = d;
    XSendEvent(display(), connection().root, False, SubstructureRedirectMask | SubstructureNotifyMask, &event);
}

void set_wm_state(::Window window, long state) {
    long const value[2] = {state, 0};
    XChangeProperty(display(), window, atoms().wm_state, atoms().wm_state, 32, PropModeReplace,
                    reinterpret_cast<unsigned char const*>(value), 2);
}

// Without a window manager nobody else keeps _NET_WM_STATE's hidden mark; a restored window loses it.
void drop_hidden_mark(::Window window) {
    std::vector<Atom> states = atom_list(window, atoms().net_wm_state);
    const auto end = std::remove(states.begin(), states.end(), atoms().net_wm_state_hidden);
    if (end == states.end())
        return;
    states.erase(end, states.end());
    std::vector<long> values(states.begin(), states.end());
    XChangeProperty(display(), window, atoms().net_wm_state, XA_ATOM, 32, PropModeReplace,
                    reinterpret_cast<unsigned char const*>(values.data()), static_cast<int>(values.size()));
}

// The X server's time now: the time of a property change on a window of our own. A window
// manager weighs an activation by its time against the user's last input, and may refuse one
// that says CurrentTime, as an old request would.
Time server_time() {
    static ::Window stamp_window = [] {
        ::Window window = XCreateSimpleWindow(display(), connection().root, -10, -10, 1, 1, 0, 0, 0);
        XSelectInput(display(), window, PropertyChangeMask);
        return window;
    }();
    const Atom stamp = XInternAtom(display(), "_HOST_TIMESTAMP", False);
    XChangeProperty(display(), stamp_window, stamp, XA_STRING, 8, PropModeAppend, nullptr, 0);
    XEvent event;
    XWindowEvent(display(), stamp_window, PropertyChangeMask, &event);
    return event.xproperty.time;
}

void activate(::Window window) {
    if (supports(atoms().net_active_window)) {
        send_to_root(window, atoms().net_active_window, source_pager, static_cast<long>(server_time()), 0);
        return;
    }
    // An ICCCM window manager hears the raise as a request to restack the window's frame.
    XRaiseWindow(display(), window);
    if (!window_manager_check()) {
        XWindowAttributes attributes{};
        if (XGetWindowAttributes(display(), window, &attributes) && attributes.map_state == IsViewable)
            XSetInputFocus(display(), window, RevertToPointerRoot, CurrentTime);
    }
}

int screen_of(::Window window) {
    XWindowAttributes attributes{};
    if (!XGetWindowAttributes(display(), window, &attributes))
        return DefaultScreen(display());
    return XScreenNumberOfScreen(attributes.screen);
}

std::string latin1_to_utf8(std::string const& text) {
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size())).toStdString();
}

} // namespace

bool available() {
    return display() != nullptr;
}

bool window_manager_running() {
    return available() && window_manager_check() != 0;
}

std::vector<WindowId> top_level_windows() {
    std::vector<WindowId> list;
    if (!available())
        return list;
    ErrorTrap trap;
    std::vector<::Window> root_children = children_of(connection().root);
    std::reverse(root_children.begin(), root_children.end()); // top first
    if (auto stacking = supports(atoms().net_client_list_stacking)
                            ? read_property(connection().root, atoms().net_client_list_stacking, XA_WINDOW)
                            : std::nullopt) {
        for (long client : stacking->longs())
            list.insert(list.begin(), static_cast<WindowId>(client)); // the list runs bottom to top
        for (::Window top : root_children)
            if (::Window client = client_of(top); std::find(list.begin(), list.end(), client) == list.end())
                list.push_back(client);
        return list;
    }
    for (::Window top : root_children)
        list.push_back(client_of(top));
    return list;
}

std::optional<WindowState> window_state(WindowId window) {
    if (!available())
        return std::nullopt;
    ErrorTrap trap;
    XWindowAttributes attributes{};
    if (!XGetWindowAttributes(display(), window, &attributes) || trap.failed())
        return std::nullopt;
    WindowState state;
    state.viewable = attributes.map_state == IsViewable;
    state.override_redirect = attributes.override_redirect;
    const std::vector<Atom> net_state = atom_list(window, atoms().net_wm_state);
    state.iconic = first_long(window, atoms().wm_state) == iconic_state ||
                   contains(net_state, atoms().net_wm_state_hidden);
    state.maximized = contains(net_state, atoms().net_wm_state_maximized_vert) &&
                      contains(net_state, atoms().net_wm_state_maximized_horz);
    return state;
}

std::string title(WindowId window) {
    if (!available())
        return {};
    ErrorTrap trap;
    if (auto name = read_property(window, atoms().net_wm_name, atoms().utf8_string))
        return name->text();
    auto name = read_property(window, XA_WM_NAME);
    if (!name || name->format != 8)
        return {};
    if (name->type == XA_STRING)
        return latin1_to_utf8(name->text());
    if (name->type == atoms().utf8_string)
        return name->text();
    // Compound text, converted by Xlib.
    XTextProperty text{name->bytes.data(), name->type, name->format, name->count};
    char** list = nullptr;
    int count = 0;
    std::string converted;
    if (Xutf8TextPropertyToTextList(display(), &text, &list, &count) >= Success && list && count > 0)
        converted = list[0];
    if (list)
        XFreeStringList(list);
    return converted;
}

std::string class_name(WindowId window) {
    if (!available())
        return {};
    ErrorTrap trap;
    auto property = read_property(window, XA_WM_CLASS, XA_STRING);
    if (!property)
        return {};
    const std::string both = property->text();
    const std::size_t split = both.find('\0');
    if (split == std::string::npos)
        return {};
    return std::string(both.c_str() + split + 1);
}

bool set_title(WindowId window, std::string const& utf8) {
    if (!available())
        return false;
    ErrorTrap trap;
    XChangeProperty(display(), window, atoms().net_wm_name, atoms().utf8_string, 8, PropModeReplace,
                    reinterpret_cast<unsigned char const*>(utf8.data()), static_cast<int>(utf8.size()));
    // WM_NAME for window managers and tools that read only that: Latin-1 when the title fits.
    const QString text = QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
    const QByteArray latin1 = text.toLatin1();
    if (QString::fromLatin1(latin1) == text) {
        XChangeProperty(display(), window, XA_WM_NAME, XA_STRING, 8, PropModeReplace,
                        reinterpret_cast<unsigned char const*>(latin1.constData()), static_cast<int>(latin1.size()));
    } else {
        char* items[] = {const_cast<char*>(utf8.c_str())};
        XTextProperty property{};
        if (Xutf8TextListToTextProperty(display(), items, 1, XCompoundTextStyle, &property) >= Success) {
            XSetWMName(display(), window, &property);
            XFree(property.value);
        }
    }
    return !trap.failed();
}

unsigned long process_of(WindowId window) {
    if (!available())
        return 0;
    ErrorTrap trap;
    // A process id means something only on the machine the window's program runs on.
    if (auto machine = read_property(window, atoms().wm_client_machine); machine && machine->format == 8) {
        char host_name[256] = {};
        gethostname(host_name, sizeof host_name - 1);
        if (std::string(machine->text().c_str()) != host_name)
            return 0;
    }
    auto pid = first_long(window, atoms().net_wm_pid);
    return pid && *pid > 0 ? static_cast<unsigned long>(*pid) : 0;
}

bool restore(WindowId window) {
    auto state = window_state(window);
    if (!state)
        return false;
    ErrorTrap trap;
    if (state->iconic) {
        // ICCCM: a client leaves the iconic state by mapping its window.
        XMapWindow(display(), window);
        if (window_manager_check()) {
            activate(window);
        } else {
            XRaiseWindow(display(), window);
            set_wm_state(window, normal_state);
            drop_hidden_mark(window);
        }
    } else if (state->maximized && supports(atoms().net_wm_state)) {
        send_to_root(window, atoms().net_wm_state, state_remove, static_cast<long>(atoms().net_wm_state_maximized_vert),
                     static_cast<long>(atoms().net_wm_state_maximized_horz), source_pager);
        activate(window);
    } else {
        XMapWindow(display(), window);
        activate(window);
    }
    return !trap.failed();
}

bool minimize(WindowId window) {
    if (!window_state(window))
        return false;
    ErrorTrap trap;
    if (window_manager_check()) {
        XIconifyWindow(display(), window, screen_of(window));
    } else {
        // No window manager to keep icons: the window goes out of sight, marked iconic as a
        // window manager would mark it, until it is restored.
        XUnmapWindow(display(), window);
        set_wm_state(window, iconic_state);
    }
    return !trap.failed();
}

bool withdraw(WindowId window) {
    if (!window_state(window))
        return false;
    ErrorTrap trap;
    XWithdrawWindow(display(), window, screen_of(window));
    if (!window_manager_check())
        set_wm_state(window, withdrawn_state);
    return !trap.failed();
}

bool show(WindowId window, bool activate_it, bool maximize) {
    auto state = window_state(window);
    if (!state)
        return false;
    if (state->iconic)
        return restore(window);
    ErrorTrap trap;
    XMapWindow(display(), window);
    if (!window_manager_check() && has_wm_state(window))
        set_wm_state(window, normal_state);
    if (maximize && supports(atoms().net_wm_state))
        send_to_root(window, atoms().net_wm_state, state_add, static_cast<long>(atoms().net_wm_state_maximized_vert),
                     static_cast<long>(atoms().net_wm_state_maximized_horz), source_pager);
    if (activate_it)
        activate(window);
    return !trap.failed();
}

bool bring_to_top(WindowId window) {
    if (!window_state(window))
        return false;
    ErrorTrap trap;
    activate(window);
    return !trap.failed();
}

} // namespace host::user32::x11
