// The tuner program on a private X server, bare and under a window manager, driven as a user
// drives it (keys and pointer through the server): Alt+Space with the focus on a button presses
// nothing and opens a system menu, Alt+F4 ends the program, the caption buttons maximise to the
// work area, restore and minimise, and a menu opened with the mouse leaves the caption active.
#include "ChildProgram.h"
#include "TempPrefix.h"

#include "forms/FormFrame.h"

#include <filesystem>

// Last: Xlib defines macros (None, Bool, Status) that other headers use as names.
#include "DeskFixture.h"

namespace fs = std::filesystem;

namespace {

constexpr char const* Caption = "BootFettle 3.0 by Tamsin Orrel";
constexpr char const* MsdosSys = "[Paths]\r\nWinDir=C:\\WINDOWS\r\n[Options]\r\nBootMulti=0\r\nBootGUI=1\r\n";

// The tuner's frame: sizeable, all caption buttons, a menu bar.
TFrameLayout FrameOf(QSize size, bool maximized) {
    TFrameStyle style;
    style.HasMenu = true;
    style.Maximized = maximized;
    return FrameLayout(size, style);
}

class TunerDesktop : public xtest::DeskTest {
  protected:
    void SetUp() override {
        xtest::DeskTest::SetUp();
        if (IsSkipped())
            return;
        prefix.write("C:\\MSDOS.SYS", MsdosSys);
        written = fs::last_write_time(prefix.host("C:\\MSDOS.SYS"));
    }

    std::unique_ptr<ChildProgram> start() {
        return std::make_unique<ChildProgram>(std::vector<std::string>{TEST_BIN_DIR "/VarnDosFettle"}, prefix.root(),
                                              prefix.root(), display_settings());
    }
    // Starts the tuner and waits for its window, with the keyboard focus on it.
    void start_shown() {
        tuner = start();
        window = window_of(tuner->pid(), Caption);
        ASSERT_NE(window, 0u);
        ASSERT_TRUE(client->settle([&] { return focused(); }));
        frame = client->box(window);
    }
    bool focused() const {
        ::Window focus = 0;
        int revert = 0;
        XGetInputFocus(client->display(), &focus, &revert);
        return focus == window;
    }
    // A point of the window, in screen coordinates.
    std::pair<int, int> at(QPoint point) const { return {frame.x + point.x(), frame.y + point.y()}; }
    void click(QPoint point) {
        auto [x, y] = at(point);
        client->click(x, y);
    }
    bool msdos_sys_untouched() const {
        return prefix.read("C:\\MSDOS.SYS") == MsdosSys &&
               fs::last_write_time(prefix.host("C:\\MSDOS.SYS")) == written;
    }
    std::vector<::Window> own_popups() const {
        std::vector<::Window> own;
        for (::Window popup : client->popups())
            if (client->longs(popup, "_NET_WM_PID") == std::vector<long>{static_cast<long>(tuner->pid())})
                own.push_back(popup);
        return own;
    }
    // The caption's colour away from its text and buttons looks active: blue rules it (the
    // inactive caption is grey).
    bool caption_looks_active() const {
        TFrameLayout const layout = FrameOf(QSize(frame.width, frame.height), false);
        auto [x, y] = at(QPoint(layout.Text.right() - 4, layout.Caption.center().y()));
        unsigned long const colour = client->pixel(x, y);
        return (colour & 0xFF) > ((colour >> 16) & 0xFF) + 0x30;
    }

    TempPrefix prefix;
    fs::file_time_type written;
    std::unique_ptr<ChildProgram> tuner;
    ::Window window = 0;
    xtest::Client::Box frame;
};

// The buttons of the button row, in client coordinates: Commit Changes and Save and Exit.
QPoint const ButtonRow[] = {QPoint(8 + 56, 56 + 12), QPoint(128 + 56, 56 + 12)};

TEST_P(TunerDesktop, alt_space_on_a_focused_button_presses_nothing_and_opens_a_system_menu) {
    start_shown();
    TFrameLayout const layout = FrameOf(QSize(frame.width, frame.height), false);
    for (QPoint button : ButtonRow) {
        // The focus goes to the button with a press that is let go elsewhere: no click.
        auto [x, y] = at(layout.Client.topLeft() + button);
        client->pointer_to(x, y);
        client->left_button(true);
        client->pointer_to(x, y + 150);
        client->left_button(false);

        // openbox keeps Alt+Space for its own window menu (a window of its own, not
        // override-redirect); without a window manager the tuner shows its system menu.
        std::vector<::Window> const before = client->shown_children();
        auto menu_shown = [&] {
            for (::Window shown : client->shown_children())
                if (std::find(before.begin(), before.end(), shown) == before.end())
                    return true;
            return false;
        };
        client->type({XK_Alt_L, XK_space});
        ASSERT_TRUE(client->settle(menu_shown)) << "no menu opened";
        if (!managed()) {
            EXPECT_FALSE(own_popups().empty());
        }
        client->type({XK_Escape});
        ASSERT_TRUE(client->settle([&] { return !menu_shown(); }));
    }
    EXPECT_TRUE(tuner->running());
    EXPECT_TRUE(msdos_sys_untouched());
}

TEST_P(TunerDesktop, alt_f4_ends_the_tuner_with_code_0_and_writes_nothing) {
    start_shown();
    client->type({XK_Alt_L, XK_F4});
    EXPECT_TRUE(tuner->ended_cleanly());
    EXPECT_TRUE(msdos_sys_untouched());
}

TEST_P(TunerDesktop, maximise_fills_the_work_area_and_restore_brings_back_the_old_place) {
    // A panel along the bottom edge: a window manager leaves its strip out of the work area.
    Display* display = client->display();
    ::Window dock = XCreateSimpleWindow(display, client->root(), 0, 738, 1024, 30, 0, 0, 0x808080);
    Atom const dock_type = client->atom("_NET_WM_WINDOW_TYPE_DOCK");
    XChangeProperty(display, dock, client->atom("_NET_WM_WINDOW_TYPE"), XA_ATOM, 32, PropModeReplace,
                    reinterpret_cast<unsigned char const*>(&dock_type), 1);
    long strut[12] = {0, 0, 0, 30, 0, 0, 0, 0, 0, 0, 0, 1023};
    XChangeProperty(display, dock, client->atom("_NET_WM_STRUT_PARTIAL"), XA_CARDINAL, 32, PropModeReplace,
                    reinterpret_cast<unsigned char*>(strut), 12);
    XMapWindow(display, dock);
    XSync(display, False);
    xtest::Client::Box const area = managed() ? xtest::Client::Box{0, 0, 1024, 738} : xtest::Client::Box{0, 0, 1024, 768};
    if (managed()) {
        ASSERT_TRUE(client->settle([&] {
            auto workarea = client->longs(client->root(), "_NET_WORKAREA");
            return workarea.size() >= 4 && workarea[3] == 738;
        }));
    }
    start_shown();
    xtest::Client::Box const normal = frame;

    click(FrameOf(QSize(frame.width, frame.height), false).MaxButton.center());
    EXPECT_TRUE(client->settle([&] { return client->box(window) == area; }))
        << "at " << client->box(window).x << "," << client->box(window).y << " size "
        << client->box(window).width << "x" << client->box(window).height;

    frame = client->box(window);
    click(FrameOf(QSize(frame.width, frame.height), true).MaxButton.center());
    EXPECT_TRUE(client->settle([&] { return client->box(window) == normal; }))
        << "at " << client->box(window).x << "," << client->box(window).y << " size "
        << client->box(window).width << "x" << client->box(window).height << ", maximised "
        << client->longs(window, "_NET_WM_STATE").size() << " states";
    frame = client->box(window);
    EXPECT_TRUE(msdos_sys_untouched());
}

TEST_P(TunerDesktop, minimise_hides_the_window_until_a_second_start_brings_it_back) {
    start_shown();
    click(FrameOf(QSize(frame.width, frame.height), false).MinButton.center());
    ASSERT_TRUE(client->settle([&] { return client->iconic(window) && !client->viewable(window); }));
    EXPECT_TRUE(tuner->running());

    // The single-instance guard of a second copy brings the running one forward.
    auto second = start();
    EXPECT_TRUE(second->ended_cleanly());
    EXPECT_TRUE(client->settle([&] { return client->viewable(window) && !client->iconic(window); }));
}

TEST_P(TunerDesktop, a_menu_opened_with_the_mouse_leaves_the_caption_active) {
    start_shown();
    ASSERT_TRUE(client->settle([&] { return caption_looks_active(); }));
    TFrameLayout const layout = FrameOf(QSize(frame.width, frame.height), false);
    click(QPoint(layout.Menu.left() + 16, layout.Menu.center().y()));
    ASSERT_TRUE(client->settle([&] { return !own_popups().empty(); })) << "the Main menu did not open";
    // Repainted, if it were to go grey, before the menu is closed again.
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    EXPECT_TRUE(caption_looks_active());
    client->type({XK_Escape});
    ASSERT_TRUE(client->settle([&] { return own_popups().empty(); }));
    EXPECT_TRUE(caption_looks_active());
}

INSTANTIATE_TEST_SUITE_P(Desks, TunerDesktop, xtest::desks, xtest::desk_name);

} // namespace
