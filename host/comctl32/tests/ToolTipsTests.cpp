// The tooltip control: tools that are whole windows or rectangles of a window, the text of the
// tool under the resting mouse, no tip between the tools, and tools removed again.
#include "host/commctrl.h"

#include "PumpUntil.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QHelpEvent>
#include <QToolTip>
#include <QWidget>

namespace {

class ToolTips : public ::testing::Test {
  protected:
    void SetUp() override {
        InitCommonControls();
        static const bool registered = [] {
            WNDCLASSA window_class{};
            window_class.lpfnWndProc = DefWindowProcA;
            window_class.lpszClassName = "TT_Main";
            return RegisterClassA(&window_class) != 0;
        }();
        ASSERT_TRUE(registered);
        m_main = CreateWindowExA(0, "TT_Main", "", WS_POPUP | WS_VISIBLE, 0, 0, 200, 100, nullptr, nullptr,
                                 nullptr, nullptr);
        m_button = CreateWindowExA(0, "BUTTON", nullptr, WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, 14, 13, 23, 18,
                                   m_main, reinterpret_cast<HMENU>(1000), nullptr, nullptr);
        m_tips = CreateWindowExA(0, TOOLTIPS_CLASSA, nullptr, WS_POPUP, 0, 0, 0, 0, m_main, nullptr, nullptr,
                                 nullptr);
        ASSERT_NE(m_tips, nullptr);
        pump_pending();
    }
    void TearDown() override {
        QToolTip::hideText();
        if (m_tips)
            DestroyWindow(m_tips);
        DestroyWindow(m_main);
        pump_pending();
    }

    bool add(UINT flags, HWND owner, UINT_PTR id, RECT rect, char const* text) {
        TOOLINFOA info{};
        info.cbSize = sizeof info;
        info.uFlags = flags;
        info.hwnd = owner;
        info.uId = id;
        info.rect = rect;
        info.lpszText = const_cast<char*>(text);
        return SendMessageA(m_tips, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&info)) != 0;
    }

    // The tip shown when the mouse rests at `at` in the window's client area; "" for none.
    static QString tip_at(HWND hwnd, QPoint at) {
        QToolTip::hideText(); // the tip fades out a moment later
        EXPECT_TRUE(pump_until([] { return !QToolTip::isVisible(); }));
        QWidget* widget = host::window_widget(hwnd);
        QHelpEvent event(QEvent::ToolTip, at, widget->mapToGlobal(at));
        QApplication::sendEvent(widget, &event);
        return QToolTip::isVisible() ? QToolTip::text() : QString();
    }

    HWND m_main = nullptr;
    HWND m_button = nullptr;
    HWND m_tips = nullptr;
};

TEST_F(ToolTips, show_the_text_of_the_tool_under_the_mouse) {
    ASSERT_TRUE(
        add(TTF_IDISHWND | TTF_SUBCLASS, m_main, reinterpret_cast<UINT_PTR>(m_button), {}, "Button tip"));
    ASSERT_TRUE(add(TTF_SUBCLASS, m_main, 1, {40, 30, 80, 50}, "Slider tip"));
    EXPECT_EQ(SendMessageA(m_tips, TTM_GETTOOLCOUNT, 0, 0), 2);
    struct Case {
        HWND* window;
        QPoint at;
        char const* tip;
    };
    const Case cases[] = {
        {&m_button, {0, 0}, "Button tip"}, {&m_button, {22, 17}, "Button tip"},
        {&m_main, {40, 30}, "Slider tip"}, {&m_main, {79, 49}, "Slider tip"},
        {&m_main, {80, 49}, ""},           {&m_main, {39, 30}, ""},
        {&m_main, {150, 80}, ""},
    };
    for (Case const& c : cases)
        EXPECT_EQ(tip_at(*c.window, c.at), QString(c.tip)) << c.at.x() << "," << c.at.y();
}

TEST_F(ToolTips, removed_tools_and_a_destroyed_control_show_nothing) {
    ASSERT_TRUE(add(TTF_SUBCLASS, m_main, 1, {0, 0, 100, 100}, "Left"));
    ASSERT_TRUE(add(TTF_SUBCLASS, m_main, 2, {100, 0, 200, 100}, "Right"));
    TOOLINFOA info{};
    info.cbSize = sizeof info;
    info.hwnd = m_main;
    info.uId = 1;
    SendMessageA(m_tips, TTM_DELTOOLA, 0, reinterpret_cast<LPARAM>(&info));
    EXPECT_EQ(tip_at(m_main, {10, 10}), QString());
    EXPECT_EQ(tip_at(m_main, {110, 10}), QString("Right"));

    DestroyWindow(m_tips);
    m_tips = nullptr;
    EXPECT_EQ(tip_at(m_main, {110, 10}), QString());
}

TEST_F(ToolTips, a_tool_of_no_window_or_a_short_record_is_refused) {
    EXPECT_FALSE(add(TTF_IDISHWND, m_main, 0, {}, "None"));
    TOOLINFOA info{};
    info.cbSize = 8;
    EXPECT_EQ(SendMessageA(m_tips, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&info)), 0);
    EXPECT_EQ(SendMessageA(m_tips, TTM_GETTOOLCOUNT, 0, 0), 0);
}

} // namespace
