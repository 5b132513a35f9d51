// The frame's geometry: client area, caption buttons and hit testing.
#include "TestApplication.h"

#include "forms/FormFrame.h"
#include "host/DialogFrame.h"

#include <gtest/gtest.h>

#include <QImage>

namespace {

TEST(FormFrame, sizeable_window_with_menu_has_the_classic_client_area) {
    TFrameStyle style;
    style.HasMenu = true;
    TFrameLayout const layout = FrameLayout(QSize(618, 441), style);
    EXPECT_EQ(layout.Client, QRect(4, 42, 610, 395));
    EXPECT_EQ(layout.Caption, QRect(4, 4, 610, 18));
    EXPECT_EQ(layout.Menu, QRect(4, 23, 610, 19));
    EXPECT_EQ(layout.CloseButton, QRect(596, 6, 16, 14));
    EXPECT_EQ(layout.MaxButton, QRect(578, 6, 16, 14));
    EXPECT_EQ(layout.MinButton, QRect(562, 6, 16, 14));
    EXPECT_FALSE(layout.Icon.isNull());
}

struct HitCase {
    QPoint point;
    THitTest hit;
};

TEST(FormFrame, hit_test_finds_buttons_caption_borders_and_client) {
    TFrameStyle style;
    TFrameLayout const layout = FrameLayout(QSize(300, 200), style);
    HitCase const cases[] = {
        {{150, 10}, htCaption},
        {{layout.CloseButton.center()}, htClose},
        {{layout.MaxButton.center()}, htMaxButton},
        {{layout.MinButton.center()}, htMinButton},
        {{layout.Icon.center()}, htSysMenu},
        {{150, 100}, htClient},
        {{1, 100}, htLeft},
        {{298, 100}, htRight},
        {{150, 1}, htTop},
        {{150, 198}, htBottom},
        {{1, 1}, htTopLeft},
        {{299, 199}, htBottomRight},
        {{400, 10}, htNowhere},
    };
    for (HitCase const& c : cases)
        EXPECT_EQ(FrameHitTest(layout, QSize(300, 200), style, c.point), c.hit)
            << c.point.x() << "," << c.point.y();
}

TEST(FormFrame, dialog_border_has_only_the_close_button_and_does_not_size) {
    TFrameStyle style;
    style.BorderStyle = bsDialog;
    TFrameLayout const layout = FrameLayout(QSize(300, 200), style);
    EXPECT_TRUE(layout.MinButton.isNull());
    EXPECT_TRUE(layout.MaxButton.isNull());
    EXPECT_TRUE(layout.Icon.isNull());
    EXPECT_FALSE(layout.CloseButton.isNull());
    EXPECT_EQ(layout.Border, 3);
    EXPECT_EQ(FrameHitTest(layout, QSize(300, 200), style, QPoint(1, 100)), htBorder);
}

// The host's dialogs (message boxes, the input box) wear the frame of a dialog form.
TEST(FormFrame, host_dialog_frame_is_the_frame_of_a_dialog_form) {
    TestApplication();
    TFrameStyle style;
    style.BorderStyle = bsDialog;
    style.BorderIcons = TBorderIcons(biSystemMenu);
    QString const title = QStringLiteral("BootFettle by Varn");
    for (QSize const size : {QSize(300, 120), QSize(140, 60)}) {
        TFrameLayout const form = FrameLayout(size, style);
        host::DialogFrameLayout const dialog = host::dialog_frame_layout(size);
        EXPECT_EQ(dialog.caption, form.Caption);
        EXPECT_EQ(dialog.close_button, form.CloseButton);
        EXPECT_EQ(dialog.text, form.Text);
        EXPECT_EQ(dialog.client, form.Client);
        for (bool const active : {true, false}) {
            QImage drawn_by_form(size, QImage::Format_RGB32);
            QImage drawn_by_host(size, QImage::Format_RGB32);
            drawn_by_form.fill(Qt::magenta);
            drawn_by_host.fill(Qt::magenta);
            QPainter form_painter(&drawn_by_form);
            TFramePaint paint;
            paint.Active = active;
            paint.Caption = title;
            PaintFrame(form_painter, form, size, style, paint);
            form_painter.fillRect(form.Client, Qt::magenta); // the host leaves the contents alone
            form_painter.end();
            QPainter host_painter(&drawn_by_host);
            host::DialogFramePaint state;
            state.active = active;
            host::paint_dialog_frame(host_painter, dialog, title, state);
            host_painter.end();
            EXPECT_EQ(drawn_by_host, drawn_by_form) << size.width() << (active ? " active" : " inactive");
        }
    }
}

TEST(FormFrame, borderless_form_is_all_client) {
    TFrameStyle style;
    style.BorderStyle = bsNone;
    TFrameLayout const layout = FrameLayout(QSize(300, 200), style);
    EXPECT_EQ(layout.Client, QRect(0, 0, 300, 200));
    EXPECT_TRUE(layout.Caption.isNull());
}

} // namespace
