// Owner-drawn buttons: what their parent is asked to draw, and when they report a click.
#include "RecordingWindow.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QMouseEvent>
#include <QWidget>

namespace {

struct DrawRequest {
    UINT id;
    UINT action;
    UINT state;
};

class OwnerDrawnButton : public ::testing::Test {
  protected:
    void SetUp() override {
        register_recording_class("B_Main");
        Recorder::current().answer = [this](HWND, UINT message, WPARAM,
                                            LPARAM lparam) -> std::optional<LRESULT> {
            if (message != WM_DRAWITEM)
                return std::nullopt;
            auto const& item = *reinterpret_cast<DRAWITEMSTRUCT*>(lparam);
            m_draws.push_back({item.CtlID, item.itemAction, item.itemState});
            // Paint the button green through the context it hands over.
            if (item.itemAction == ODA_DRAWENTIRE) {
                const HDC memory = CreateCompatibleDC(item.hDC);
                const HBITMAP green = LoadBitmapA(nullptr, "green");
                const HGDIOBJ previous = SelectObject(memory, green);
                BitBlt(item.hDC, 0, 0, 23, 18, memory, 0, 0, SRCCOPY);
                SelectObject(memory, previous);
                DeleteDC(memory);
                DeleteObject(green);
            }
            return 1;
        };
        host::register_resource_loader({[](std::string const&) {
                                            QImage image(23, 18, QImage::Format_RGB32);
                                            image.fill(Qt::green);
                                            return image;
                                        },
                                        nullptr, nullptr});
        m_main = CreateWindowExA(0, "B_Main", "", WS_POPUP | WS_VISIBLE, 0, 0, 200, 100, nullptr, nullptr,
                                 nullptr, nullptr);
        m_button = CreateWindowExA(0, "BUTTON", nullptr, WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, 14, 13, 23, 18,
                                   m_main, reinterpret_cast<HMENU>(1000), nullptr, nullptr);
        pump_pending();
    }
    void TearDown() override { DestroyWindow(m_main); }

    void mouse(QEvent::Type type, QPoint at, Qt::MouseButtons held) {
        QWidget* widget = host::window_widget(m_button);
        const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
        QMouseEvent event(type, QPointF(at), QPointF(widget->mapToGlobal(at)), button, held, Qt::NoModifier);
        QApplication::sendEvent(widget, &event);
        pump_pending();
    }

    std::vector<WPARAM> clicks() const {
        std::vector<WPARAM> found;
        for (auto const& command : Recorder::current().of(WM_COMMAND))
            found.push_back(command.wparam);
        return found;
    }

    HWND m_main = nullptr;
    HWND m_button = nullptr;
    std::vector<DrawRequest> m_draws;
};

} // namespace

TEST_F(OwnerDrawnButton, shown_button_asks_for_a_whole_drawing_which_shows_at_its_place) {
    ASSERT_NE(m_button, nullptr);
    ASSERT_FALSE(m_draws.empty());
    EXPECT_EQ(m_draws[0].id, 1000u);
    EXPECT_EQ(m_draws[0].action, ODA_DRAWENTIRE);
    EXPECT_EQ(m_draws[0].state, 0u);
    const QImage shown = host::window_widget(m_main)->grab().toImage();
    EXPECT_EQ(shown.pixelColor(14, 13), QColor(Qt::green));
    EXPECT_EQ(shown.pixelColor(36, 30), QColor(Qt::green));
    EXPECT_EQ(shown.pixelColor(37, 31), QColor(Qt::black));
}

TEST_F(OwnerDrawnButton, invalidating_the_parent_over_a_button_redraws_the_button_after_the_parent) {
    std::vector<UINT> order;
    auto draw_answer = Recorder::current().answer;
    Recorder::current().answer = [&](HWND hwnd, UINT message, WPARAM wparam,
                                     LPARAM lparam) -> std::optional<LRESULT> {
        if (message == WM_PAINT && hwnd == m_main)
            order.push_back(WM_PAINT);
        if (message == WM_DRAWITEM)
            order.push_back(WM_DRAWITEM);
        return draw_answer(hwnd, message, wparam, lparam);
    };
    RECT elsewhere{100, 50, 150, 90};
    InvalidateRect(m_main, &elsewhere, TRUE);
    pump_pending();
    EXPECT_EQ(order, std::vector<UINT>{WM_PAINT}) << "the button is not under the area";
    order.clear();
    InvalidateRect(m_main, nullptr, TRUE);
    pump_pending();
    EXPECT_EQ(order, (std::vector<UINT>{WM_PAINT, WM_DRAWITEM}));
    Recorder::current().answer = draw_answer;
}

TEST_F(OwnerDrawnButton, press_and_release_draw_pressed_then_focused_and_notify_a_click) {
    m_draws.clear();
    mouse(QEvent::MouseButtonPress, {5, 5}, Qt::LeftButton);
    ASSERT_EQ(m_draws.size(), 2u);
    EXPECT_EQ(m_draws[0].action, ODA_FOCUS);
    EXPECT_EQ(m_draws[0].state, ODS_FOCUS);
    EXPECT_EQ(m_draws[1].action, ODA_SELECT);
    EXPECT_EQ(m_draws[1].state, ODS_SELECTED | ODS_FOCUS);
    EXPECT_TRUE(clicks().empty());

    mouse(QEvent::MouseButtonRelease, {5, 5}, Qt::NoButton);
    ASSERT_EQ(m_draws.size(), 3u);
    EXPECT_EQ(m_draws[2].action, ODA_SELECT);
    EXPECT_EQ(m_draws[2].state, ODS_FOCUS) << "exactly ODS_FOCUS is what a release draws";
    ASSERT_EQ(clicks().size(), 1u);
    EXPECT_EQ(clicks()[0], MAKEWPARAM(1000, BN_CLICKED));
}

TEST_F(OwnerDrawnButton, sliding_off_a_held_button_draws_it_released_and_back_on_pressed_without_a_click) {
    mouse(QEvent::MouseButtonPress, {5, 5}, Qt::LeftButton);
    m_draws.clear();
    mouse(QEvent::MouseMove, {40, 5}, Qt::LeftButton);
    ASSERT_EQ(m_draws.size(), 1u);
    EXPECT_EQ(m_draws[0].action, ODA_SELECT);
    EXPECT_EQ(m_draws[0].state, ODS_FOCUS);
    mouse(QEvent::MouseMove, {6, 6}, Qt::LeftButton);
    ASSERT_EQ(m_draws.size(), 2u);
    EXPECT_EQ(m_draws[1].state, ODS_SELECTED | ODS_FOCUS);
    mouse(QEvent::MouseMove, {-3, 6}, Qt::LeftButton);
    mouse(QEvent::MouseButtonRelease, {-3, 6}, Qt::NoButton);
    EXPECT_TRUE(clicks().empty());
    // The capture ended with the release: the main window gets the mouse again.
    Recorder::current().messages.clear();
    QWidget* main = host::window_widget(m_main);
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(100, 50), QPointF(main->mapToGlobal(QPoint(100, 50))),
                      Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(main, &press);
    pump_pending();
    auto presses = Recorder::current().of(WM_LBUTTONDOWN);
    ASSERT_EQ(presses.size(), 1u);
    EXPECT_EQ(presses[0].hwnd, m_main);
    EXPECT_EQ(presses[0].wparam, MK_LBUTTON);
    EXPECT_EQ(LOWORD(presses[0].lparam), 100);
    EXPECT_EQ(HIWORD(presses[0].lparam), 50);
}

TEST(Buttons, only_owner_drawn_buttons_are_served) {
    register_recording_class("B_Plain");
    const HWND main =
        CreateWindowExA(0, "B_Plain", "", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr, nullptr, nullptr);
    EXPECT_EQ(CreateWindowExA(0, "BUTTON", "OK", WS_CHILD | WS_VISIBLE, 0, 0, 20, 10, main, nullptr, nullptr,
                              nullptr),
              nullptr);
    DestroyWindow(main);
}
