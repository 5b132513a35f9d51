// The system keys and system commands of the default window procedure: Alt+F4 closes the
// top-level window from any of its children, Alt+Space opens the system menu of a window that has
// one (its items greyed by the window's state), and a drag started with SC_MOVE by the caption
// moves the window with the pointer, its owned windows along with it.
#include "RecordingWindow.h"
#include "host/SystemMenu.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWidget>

namespace {

struct MenuStateCase {
    char const* name;
    host::SystemMenuWindow window;
    // Enabled: Restore, Move, Size, Minimize, Maximize, Close.
    std::array<bool, 6> enabled;
};

TEST(SystemMenu, items_are_greyed_by_the_state_of_the_window) {
    const MenuStateCase cases[] = {
        {"a normal sizeable window with both boxes", {false, false, true, true, true}, {false, true, true, true, true, true}},
        {"a maximised one", {false, true, true, true, true}, {true, false, false, true, false, true}},
        {"a minimised one", {true, false, true, true, true}, {true, true, false, false, true, true}},
        {"a fixed dialog without boxes", {false, false, false, false, false}, {false, true, false, false, false, true}},
    };
    const WPARAM commands[] = {SC_RESTORE, SC_MOVE, SC_SIZE, SC_MINIMIZE, SC_MAXIMIZE, SC_CLOSE};
    for (auto const& c : cases)
        for (std::size_t i = 0; i < 6; ++i)
            EXPECT_EQ(host::system_menu_item_enabled(commands[i], c.window), c.enabled[i]) << c.name << ", item " << i;
}

class SystemCommands : public ::testing::Test {
  protected:
    void SetUp() override { register_recording_class("SC_Window"); }
    void TearDown() override {
        host::set_popup_menu_responder(nullptr);
        if (m_window)
            DestroyWindow(m_window);
    }

    HWND make(DWORD style, HWND parent = nullptr, int x = 40, int y = 30) {
        return CreateWindowExA(0, "SC_Window", "", style | WS_VISIBLE, x, y, 200, 120, parent, nullptr, nullptr,
                               nullptr);
    }
    static void key(HWND hwnd, int key, Qt::KeyboardModifiers modifiers) {
        QWidget* widget = host::window_widget(hwnd);
        QKeyEvent down(QEvent::KeyPress, key, modifiers);
        QKeyEvent up(QEvent::KeyRelease, key, modifiers);
        QApplication::sendEvent(widget, &down);
        QApplication::sendEvent(widget, &up);
    }
    // A program's loop without accelerators.
    static void run_loop() {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    }
    static void mouse(HWND hwnd, QEvent::Type type, QPoint global, Qt::MouseButtons held) {
        QWidget* widget = host::window_widget(hwnd);
        const QPoint at = widget->mapFromGlobal(global);
        QMouseEvent event(type, QPointF(at), QPointF(global), type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton,
                          held, Qt::NoModifier);
        QApplication::sendEvent(widget, &event);
    }

    HWND m_window = nullptr;
};

TEST_F(SystemCommands, alt_f4_on_a_child_closes_its_top_level_window) {
    m_window = make(WS_POPUP);
    HWND child = CreateWindowExA(0, "SC_Window", "", WS_CHILD | WS_VISIBLE, 5, 5, 50, 20, m_window, nullptr,
                                 nullptr, nullptr);
    pump_pending();
    Recorder::current().messages.clear();
    key(child, Qt::Key_F4, Qt::AltModifier);
    run_loop();
    const auto commands = Recorder::current().of(WM_SYSCOMMAND);
    ASSERT_EQ(commands.size(), 1u);
    EXPECT_EQ(commands[0].hwnd, m_window);
    EXPECT_EQ(commands[0].wparam, SC_CLOSE);
    EXPECT_EQ(host::window_widget(m_window), nullptr) << "the default WM_CLOSE destroys the window";
    m_window = nullptr;
}

TEST_F(SystemCommands, f4_without_alt_and_alt_space_without_a_system_menu_do_nothing) {
    m_window = make(WS_POPUP);
    pump_pending();
    int menus = 0;
    host::set_popup_menu_responder([&](host::PopupMenuRequest const&) {
        ++menus;
        return 0u;
    });
    key(m_window, Qt::Key_F4, Qt::NoModifier);
    key(m_window, Qt::Key_Space, Qt::AltModifier);
    run_loop();
    EXPECT_NE(host::window_widget(m_window), nullptr);
    EXPECT_EQ(menus, 0);
}

TEST_F(SystemCommands, alt_space_opens_the_system_menu_and_the_choice_is_carried_out) {
    m_window = make(WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX);
    pump_pending();
    std::vector<host::MenuItemView> shown;
    host::set_popup_menu_responder([&](host::PopupMenuRequest const& request) {
        shown = request.items;
        return static_cast<UINT>(SC_CLOSE);
    });
    key(m_window, Qt::Key_Space, Qt::AltModifier);
    run_loop();
    ASSERT_EQ(shown.size(), host::system_menu_items.size());
    const std::vector<std::pair<std::string, bool>> expected{
        {"&Restore", true},  {"&Move", false},      {"&Size", true}, {"Mi&nimize", false},
        {"Ma&ximize", true}, {"", true},           {"&Close\tAlt+F4", false}};
    for (std::size_t i = 0; i < shown.size(); ++i) {
        EXPECT_EQ(shown[i].text, expected[i].first);
        if (!shown[i].separator) {
            EXPECT_EQ(shown[i].grayed, expected[i].second) << shown[i].text;
        }
    }
    EXPECT_EQ(host::window_widget(m_window), nullptr) << "Close was chosen";
    m_window = nullptr;
}

TEST_F(SystemCommands, a_caption_drag_moves_the_window_and_its_owned_window_with_the_pointer) {
    m_window = make(WS_POPUP, nullptr, 100, 100);
    HWND owned = make(WS_POPUP, m_window, 100, 250);
    pump_pending();
    QWidget* widget = host::window_widget(m_window);
    QWidget* owned_widget = host::window_widget(owned);
    const QPoint start = widget->mapToGlobal(QPoint(50, 50));
    mouse(m_window, QEvent::MouseButtonPress, start, Qt::LeftButton);
    SendMessageA(m_window, WM_SYSCOMMAND, SC_MOVE | 2, 0);
    Recorder::current().messages.clear();
    mouse(m_window, QEvent::MouseMove, start + QPoint(30, 20), Qt::LeftButton);
    mouse(m_window, QEvent::MouseMove, start + QPoint(60, 45), Qt::LeftButton);
    mouse(m_window, QEvent::MouseButtonRelease, start + QPoint(60, 45), Qt::NoButton);
    mouse(m_window, QEvent::MouseMove, start + QPoint(90, 90), Qt::NoButton);
    run_loop();
    EXPECT_EQ(widget->pos(), QPoint(160, 145));
    EXPECT_EQ(owned_widget->pos(), QPoint(160, 295));
    std::vector<LPARAM> moves;
    for (auto const& m : Recorder::current().of(WM_MOVE))
        if (m.hwnd == m_window)
            moves.push_back(m.lparam);
    ASSERT_FALSE(moves.empty());
    EXPECT_EQ(moves.back(), MAKELPARAM(160, 145));
    // Meanwhile the pointer's messages went nowhere; after the release they come again.
    const auto pointer = Recorder::current().of(WM_MOUSEMOVE);
    ASSERT_EQ(pointer.size(), 1u);
    EXPECT_EQ(Recorder::current().of(WM_LBUTTONUP).size(), 0u);
}

} // namespace
