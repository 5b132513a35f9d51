// Creating, painting, placing and destroying windows.
#include "RecordingWindow.h"

#include <gtest/gtest.h>

#include <QWidget>

#include <algorithm>

namespace {

HWND create_popup(char const* class_name, int x, int y, int width, int height, DWORD extra_style = WS_VISIBLE,
                  HWND owner = nullptr) {
    return CreateWindowExA(0, class_name, "Test", WS_POPUP | extra_style, x, y, width, height, owner, nullptr,
                           nullptr, nullptr);
}

std::size_t index_of(std::vector<UINT> const& kinds, UINT message) {
    return static_cast<std::size_t>(std::find(kinds.begin(), kinds.end(), message) - kinds.begin());
}

} // namespace

TEST(Windows, creation_sends_create_with_the_geometry_and_then_the_loop_paints) {
    register_recording_class("W_Create");
    CREATESTRUCTA seen{};
    Recorder::current().answer = [&](HWND, UINT message, WPARAM, LPARAM lparam) -> std::optional<LRESULT> {
        if (message == WM_CREATE)
            seen = *reinterpret_cast<CREATESTRUCTA*>(lparam);
        return std::nullopt;
    };
    const HWND hwnd = CreateWindowExA(0, "W_Create", "Reelix Example", WS_POPUP, 136, 54, 368, 372, nullptr,
                                      nullptr, nullptr, nullptr);
    ASSERT_NE(hwnd, nullptr);
    EXPECT_EQ(seen.x, 136);
    EXPECT_EQ(seen.y, 54);
    EXPECT_EQ(seen.cx, 368);
    EXPECT_EQ(seen.cy, 372);
    EXPECT_STREQ(seen.lpszName, "Reelix Example");

    // Not painted while hidden; ShowWindow and UpdateWindow paint at once.
    pump_pending();
    EXPECT_EQ(index_of(Recorder::current().kinds(hwnd), WM_PAINT), Recorder::current().kinds(hwnd).size());
    ShowWindow(hwnd, SW_SHOWNORMAL);
    UpdateWindow(hwnd);
    const auto kinds = Recorder::current().kinds(hwnd);
    ASSERT_LT(index_of(kinds, WM_PAINT), kinds.size());
    EXPECT_LT(index_of(kinds, WM_CREATE), index_of(kinds, WM_PAINT));

    QWidget* widget = host::window_widget(hwnd);
    ASSERT_NE(widget, nullptr);
    EXPECT_EQ(widget->geometry(), QRect(136, 54, 368, 372));
    EXPECT_TRUE(widget->windowFlags() & Qt::FramelessWindowHint);
    DestroyWindow(hwnd);
}

TEST(Windows, a_visible_window_gets_its_paint_from_the_message_loop_with_the_background_erased) {
    register_recording_class("W_Paint");
    const HWND hwnd = create_popup("W_Paint", 10, 10, 40, 30);
    ASSERT_TRUE(pump_until([&] { return !Recorder::current().of(WM_PAINT).empty(); }));
    EXPECT_FALSE(Recorder::current().of(WM_ERASEBKGND).empty());
    // The class brush is black; the default procedure filled the window with it.
    const QImage shown = host::window_widget(hwnd)->grab().toImage();
    EXPECT_EQ(shown.pixelColor(20, 15), QColor(Qt::black));
    // Painted once: the update region is empty afterwards.
    const auto paints = Recorder::current().of(WM_PAINT).size();
    pump_pending();
    EXPECT_EQ(Recorder::current().of(WM_PAINT).size(), paints);
    DestroyWindow(hwnd);
}

// A hidden window's update region waits until the window is shown; the loop stops looking for
// regions while only hidden windows hold one, and finds this one again once it is shown.
TEST(Windows, a_region_kept_while_hidden_is_painted_by_the_loop_once_the_window_is_shown) {
    register_recording_class("W_Hidden");
    const HWND parent = create_popup("W_Hidden", 10, 10, 60, 40, 0);
    const HWND child = CreateWindowExA(0, "W_Hidden", nullptr, WS_CHILD | WS_VISIBLE, 5, 5, 20, 10, parent,
                                       reinterpret_cast<HMENU>(1), nullptr, nullptr);
    ASSERT_NE(child, nullptr);
    const auto painted = [](HWND hwnd) {
        const auto kinds = Recorder::current().kinds(hwnd);
        return std::count(kinds.begin(), kinds.end(), WM_PAINT);
    };
    InvalidateRect(child, nullptr, TRUE);
    const HWND shown = create_popup("W_Hidden", 100, 10, 20, 20);
    ASSERT_TRUE(pump_until([&] { return painted(shown) > 0; }));
    pump_pending();
    EXPECT_EQ(painted(child), 0);

    ShowWindow(parent, SW_SHOWNOACTIVATE);
    EXPECT_TRUE(pump_until([&] { return painted(child) > 0; }));
    DestroyWindow(shown);
    DestroyWindow(parent);
}

TEST(Windows, child_windows_sit_at_client_coordinates_and_move_window_places_and_sizes) {
    register_recording_class("W_Child");
    const HWND parent = create_popup("W_Child", 100, 50, 368, 372);
    const HWND child = CreateWindowExA(0, "W_Child", nullptr, WS_CHILD | WS_VISIBLE, 14, 13, 23, 18, parent,
                                       reinterpret_cast<HMENU>(1000), nullptr, nullptr);
    ASSERT_NE(child, nullptr);
    QWidget* child_widget = host::window_widget(child);
    EXPECT_EQ(child_widget->parentWidget(), host::window_widget(parent));
    EXPECT_EQ(child_widget->geometry(), QRect(14, 13, 23, 18));
    POINT corner{0, 0};
    ClientToScreen(child, &corner);
    EXPECT_EQ(corner.x, 114);
    EXPECT_EQ(corner.y, 63);

    Recorder::current().messages.clear();
    ASSERT_TRUE(MoveWindow(parent, 0, 0, 368, 70, TRUE));
    EXPECT_EQ(host::window_widget(parent)->geometry(), QRect(0, 0, 368, 70));
    auto sizes = Recorder::current().of(WM_SIZE);
    ASSERT_EQ(sizes.size(), 1u);
    EXPECT_EQ(LOWORD(sizes[0].lparam), 368);
    EXPECT_EQ(HIWORD(sizes[0].lparam), 70);
    EXPECT_EQ(Recorder::current().of(WM_MOVE).size(), 1u);

    ASSERT_TRUE(MoveWindow(child, 40, 20, 30, 10, FALSE));
    EXPECT_EQ(child_widget->geometry(), QRect(40, 20, 30, 10));
    DestroyWindow(parent);
}

TEST(Windows, create_fails_cleanly_for_unknown_class_orphan_child_and_refused_create) {
    register_recording_class("W_Refuse");
    EXPECT_EQ(
        CreateWindowExA(0, "NoSuchClass", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr),
        nullptr);
    EXPECT_EQ(CreateWindowExA(0, "W_Refuse", "", WS_CHILD, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr),
              nullptr);
    Recorder::current().answer = [](HWND, UINT message, WPARAM, LPARAM) -> std::optional<LRESULT> {
        if (message == WM_CREATE)
            return -1;
        return std::nullopt;
    };
    EXPECT_EQ(create_popup("W_Refuse", 0, 0, 10, 10), nullptr);
    // The refused window heard WM_DESTROY and is gone.
    auto destroyed = Recorder::current().of(WM_DESTROY);
    ASSERT_EQ(destroyed.size(), 1u);
    EXPECT_EQ(host::window_widget(destroyed[0].hwnd), nullptr);
    EXPECT_FALSE(PostMessageA(destroyed[0].hwnd, WM_USER, 0, 0));
}

TEST(Windows, a_window_destroyed_during_its_creation_gives_no_handle) {
    register_recording_class("W_SelfDestroy");
    Recorder::current().answer = [](HWND hwnd, UINT message, WPARAM, LPARAM) -> std::optional<LRESULT> {
        if (message == WM_CREATE) {
            DestroyWindow(hwnd);
            return 0;
        }
        return std::nullopt;
    };
    EXPECT_EQ(create_popup("W_SelfDestroy", 0, 0, 10, 10), nullptr);
}

TEST(Windows, destroy_reaches_owned_windows_first_then_the_window_and_its_children) {
    register_recording_class("W_Destroy");
    const HWND main = create_popup("W_Destroy", 0, 0, 100, 100);
    const HWND child = CreateWindowExA(0, "W_Destroy", nullptr, WS_CHILD | WS_VISIBLE, 0, 0, 10, 10, main,
                                       reinterpret_cast<HMENU>(7), nullptr, nullptr);
    const HWND owned = create_popup("W_Destroy", 0, 100, 100, 50, WS_VISIBLE, main);
    ASSERT_TRUE(main && child && owned);
    SetTimer(main, 9, 1000, nullptr);
    Recorder::current().messages.clear();
    ASSERT_TRUE(DestroyWindow(main));
    auto destroyed = Recorder::current().of(WM_DESTROY);
    ASSERT_EQ(destroyed.size(), 3u);
    EXPECT_EQ(destroyed[0].hwnd, owned);
    EXPECT_EQ(destroyed[1].hwnd, main);
    EXPECT_EQ(destroyed[2].hwnd, child);
    EXPECT_FALSE(DestroyWindow(main));
    EXPECT_FALSE(KillTimer(main, 9));
    EXPECT_EQ(host::window_widget(child), nullptr);
}

TEST(Windows, destroying_a_window_again_from_its_own_wm_destroy_is_harmless) {
    register_recording_class("W_Again");
    Recorder::current().answer = [](HWND hwnd, UINT message, WPARAM, LPARAM) -> std::optional<LRESULT> {
        if (message == WM_DESTROY) {
            EXPECT_TRUE(DestroyWindow(hwnd));
        }
        return std::nullopt;
    };
    const HWND hwnd = CreateWindowExA(0, "W_Again", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    EXPECT_TRUE(DestroyWindow(hwnd));
    EXPECT_EQ(Recorder::current().of(WM_DESTROY).size(), 1u);
    EXPECT_EQ(host::window_widget(hwnd), nullptr);
}

TEST(Windows, restyling_a_popup_as_child_keeps_it_top_level_without_a_frame) {
    register_recording_class("W_Restyle");
    const HWND main = create_popup("W_Restyle", 100, 100, 368, 400);
    const HWND video = CreateWindowExA(0, "W_Restyle", "video", WS_POPUP | WS_CAPTION | WS_VISIBLE, 5, 5, 352,
                                       240, main, nullptr, nullptr, nullptr);
    ASSERT_NE(video, nullptr);
    EXPECT_FALSE(host::window_widget(video)->windowFlags() & Qt::FramelessWindowHint);
    EXPECT_EQ(static_cast<DWORD>(SetWindowLongA(video, GWL_STYLE, static_cast<LONG>(WS_CHILD))),
              WS_POPUP | WS_CAPTION | WS_VISIBLE);
    // The new style reads back, with the window's visibility kept.
    EXPECT_EQ(static_cast<DWORD>(GetWindowLongA(video, GWL_STYLE)), WS_CHILD | WS_VISIBLE);
    QWidget* widget = host::window_widget(video);
    EXPECT_TRUE(widget->isWindow());
    EXPECT_TRUE(widget->windowFlags() & Qt::FramelessWindowHint);
    EXPECT_TRUE(widget->isVisible());
    MoveWindow(video, 108, 178, 352, 240, TRUE);
    EXPECT_EQ(widget->geometry(), QRect(108, 178, 352, 240));
    DestroyWindow(main);
}

TEST(Windows, screen_size_follows_the_override) {
    host::set_screen_size_override(640, 480);
    EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), 640);
    EXPECT_EQ(GetSystemMetrics(SM_CYSCREEN), 480);
    host::set_screen_size_override(0, 0);
    EXPECT_GT(GetSystemMetrics(SM_CXSCREEN), 0);
}

TEST(Windows, activation_and_capture_are_reported_to_the_windows_involved) {
    register_recording_class("W_Active");
    const HWND first = create_popup("W_Active", 0, 0, 50, 50);
    const HWND second = create_popup("W_Active", 60, 0, 50, 50, WS_VISIBLE, first);
    SetActiveWindow(first);
    EXPECT_EQ(GetActiveWindow(), first);
    Recorder::current().messages.clear();
    EXPECT_EQ(SetActiveWindow(second), first);
    EXPECT_EQ(GetActiveWindow(), second);
    auto activations = Recorder::current().of(WM_ACTIVATE);
    ASSERT_GE(activations.size(), 2u);
    EXPECT_EQ(activations[0].hwnd, first);
    EXPECT_EQ(LOWORD(activations[0].wparam), WA_INACTIVE);
    EXPECT_EQ(activations[1].hwnd, second);
    EXPECT_NE(LOWORD(activations[1].wparam), WA_INACTIVE);

    EXPECT_EQ(SetCapture(second), nullptr);
    EXPECT_EQ(SetCapture(first), second);
    auto changed = Recorder::current().of(WM_CAPTURECHANGED);
    ASSERT_EQ(changed.size(), 1u);
    EXPECT_EQ(changed[0].hwnd, second);
    DestroyWindow(first);
    // Destroying the capture window released the capture.
    EXPECT_EQ(SetCapture(nullptr), nullptr);
}

TEST(Windows, a_procedure_that_keeps_sc_screensave_from_the_default_blocks_the_screen_saver) {
    register_recording_class("W_Saver");
    Recorder::current().answer = [](HWND, UINT message, WPARAM wparam, LPARAM) -> std::optional<LRESULT> {
        if (message == WM_SYSCOMMAND && wparam == SC_SCREENSAVE)
            return 1;
        return std::nullopt;
    };
    const HWND player = create_popup("W_Saver", 0, 0, 50, 50);
    SetActiveWindow(player);
    EXPECT_EQ(host::screen_saver_blocker(), player);
    Recorder::current().answer = nullptr;
    const HWND other = create_popup("W_Saver", 0, 0, 50, 50);
    SetActiveWindow(other);
    EXPECT_EQ(host::screen_saver_blocker(), nullptr);
    DestroyWindow(other);
    DestroyWindow(player);
}

TEST(Windows, window_texts_pass_through_the_ansi_code_page_both_ways) {
    register_recording_class("W_Ansi");
    const HWND hwnd = CreateWindowExA(0, "W_Ansi", "Caf\xE9", WS_POPUP, 0, 0, 40, 30, nullptr, nullptr, nullptr,
                                      nullptr);
    ASSERT_NE(hwnd, nullptr);
    QWidget* widget = host::window_widget(hwnd);
    ASSERT_NE(widget, nullptr);
    EXPECT_EQ(widget->windowTitle(), QString::fromUtf8("Caf\xC3\xA9"));
    std::string high;
    for (int b = 0x80; b <= 0xFF; ++b)
        high += static_cast<char>(b);
    ASSERT_TRUE(SetWindowTextA(hwnd, high.c_str()));
    EXPECT_EQ(widget->windowTitle().front(), QChar(0x20AC));
    EXPECT_EQ(widget->windowTitle().at(1), QChar(0x81));
    char text[256] = {};
    EXPECT_EQ(GetWindowTextA(hwnd, text, sizeof text), 128);
    EXPECT_EQ(std::string(text), high);
    // A title set on the Qt side reads back in ANSI, a character outside the code page as "?".
    widget->setWindowTitle(QString::fromUtf8("\xC3\xBF\xE4\xB8\xAD"));
    EXPECT_EQ(GetWindowTextA(hwnd, text, sizeof text), 2);
    EXPECT_STREQ(text, "\xFF?");
    DestroyWindow(hwnd);
}
