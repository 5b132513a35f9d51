// The form's window procedure: frame messages pass through it, a component can subclass it and
// hand messages on, and the default procedure works the caption buttons.
#include "PumpUntil.h"
#include "TestApplication.h"

#include "forms/ExtCtrls.h"

#include <QImage>
#include <QMouseEvent>

#include <gtest/gtest.h>

namespace {

class FormWindowTest : public ::testing::Test {
  protected:
    void SetUp() override { TestApplication(); }
};

TEST_F(FormWindowTest, subclassed_procedure_sees_frame_messages_and_hands_them_on) {
    TForm form(nullptr);
    std::vector<UINT> seen;
    TWndMethod const previous = form.WindowProc;
    form.WindowProc = [&](TMessage& message) {
        seen.push_back(message.Msg);
        previous(message);
    };
    form.SetCaption(QStringLiteral("BootFettle 3.0 by Tamsin Orrel"));
    form.SetBounds(0, 0, 618, 441);
    QImage const image = form.Widget()->grab().toImage();
    EXPECT_NE(std::find(seen.begin(), seen.end(), WM_SETTEXT), seen.end());
    EXPECT_NE(std::find(seen.begin(), seen.end(), WM_SIZE), seen.end());
    EXPECT_NE(std::find(seen.begin(), seen.end(), WM_NCPAINT), seen.end());
    EXPECT_EQ(form.Widget()->windowTitle(), QStringLiteral("BootFettle 3.0 by Tamsin Orrel"));
    // Handed on: the default procedure painted the caption bar in a caption colour.
    QColor const caption = image.pixelColor(300, 6);
    EXPECT_TRUE(caption == SystemColor(2) || caption == SystemColor(3)) << caption.name().toStdString();
}

TEST_F(FormWindowTest, procedure_that_swallows_the_paint_leaves_the_frame_to_it) {
    TForm form(nullptr);
    form.SetBounds(0, 0, 200, 100);
    form.WindowProc = [&](TMessage& message) {
        if (message.Msg == WM_NCPAINT) {
            HDC const dc = form.GetWindowDC();
            HBRUSH const green = CreateSolidBrush(RGB(0, 255, 0));
            RECT const all{0, 0, 200, 100};
            FillRect(dc, &all, green);
            DeleteObject(green);
            form.ReleaseDC(dc);
            return;
        }
        form.WndProc(message);
    };
    QImage const image = form.Widget()->grab().toImage();
    EXPECT_EQ(image.pixelColor(100, 8), QColor(Qt::green));
}

TEST_F(FormWindowTest, captured_mouse_reaches_the_procedure_in_client_coordinates) {
    TForm form(nullptr);
    form.SetBounds(0, 0, 300, 200);
    form.Show();
    std::vector<std::pair<UINT, QPoint>> seen;
    TWndMethod const previous = form.WindowProc;
    form.WindowProc = [&](TMessage& message) {
        if (message.Msg == WM_MOUSEMOVE || message.Msg == WM_LBUTTONUP)
            seen.push_back({message.Msg, QPoint(LParamX(message.LParam), LParamY(message.LParam))});
        previous(message);
    };
    form.SetCapture();
    QPoint const inWindow(10, 8); // on the caption: left of and above the client area
    QMouseEvent move(QEvent::MouseMove, inWindow, form.Widget()->mapToGlobal(inWindow), Qt::NoButton,
                     Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(form.Widget(), &move);
    QMouseEvent release(QEvent::MouseButtonRelease, inWindow, form.Widget()->mapToGlobal(inWindow),
                        Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(form.Widget(), &release);
    form.ReleaseCapture();
    QPoint const client = inWindow - form.Layout().Client.topLeft();
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[0], std::make_pair(WM_MOUSEMOVE, client));
    EXPECT_EQ(seen[1], std::make_pair(WM_LBUTTONUP, client));
    EXPECT_LT(client.y(), 0);
}

TEST_F(FormWindowTest, hit_test_message_answers_from_the_frame_geometry) {
    TForm form(nullptr);
    form.SetBounds(0, 0, 300, 200);
    QPoint const origin = form.Widget()->mapToGlobal(QPoint(0, 0));
    TFrameLayout const layout = form.Layout();
    QPoint const close = origin + layout.CloseButton.center();
    EXPECT_EQ(form.Perform(WM_NCHITTEST, 0, PointToLParam(close.x(), close.y())), htClose);
    QPoint const client = origin + layout.Client.center();
    EXPECT_EQ(form.Perform(WM_NCHITTEST, 0, PointToLParam(client.x(), client.y())), htClient);
}

TEST_F(FormWindowTest, maximise_button_maximises_and_restores) {
    TForm form(nullptr);
    form.SetBounds(0, 0, 300, 200);
    form.Show();
    form.Perform(WM_NCLBUTTONDBLCLK, htCaption, 0);
    EXPECT_EQ(form.WindowState(), wsMaximized);
    EXPECT_TRUE(form.Layout().MaxButton.isValid());
    form.Perform(WM_NCLBUTTONDBLCLK, htCaption, 0);
    EXPECT_EQ(form.WindowState(), wsNormal);
}

TEST_F(FormWindowTest, timer_runs_its_handler_on_the_gui_thread_until_disabled) {
    TForm form(nullptr);
    auto* timer = new TTimer(&form);
    timer->SetInterval(10);
    int ticks = 0;
    timer->SetOnTimer(TNotifyEvent([&](TObject* Sender) {
        EXPECT_EQ(Sender, timer);
        if (++ticks == 3)
            timer->SetEnabled(false);
    }));
    pump_until([&] { return ticks >= 3; });
    EXPECT_EQ(ticks, 3);
    EXPECT_FALSE(timer->Active());
}

TEST_F(FormWindowTest, hint_is_the_tooltip_only_while_hints_are_shown) {
    TForm form(nullptr);
    auto* panel = new TPanel(&form);
    panel->SetParent(&form);
    panel->SetHint(QStringLiteral("Short|Long help"));
    EXPECT_EQ(panel->Widget()->toolTip(), QString());
    form.SetShowHint(true);
    EXPECT_EQ(panel->Widget()->toolTip(), QStringLiteral("Short"));
    panel->SetShowHint(false);
    EXPECT_EQ(panel->Widget()->toolTip(), QString());
}

} // namespace
