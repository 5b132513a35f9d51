// The dialog frame on Qt dialogs: its geometry and hit testing, its pixels on a grabbed image,
// the close button (press, slide off, release) and moving by the caption without a window
// manager, and the message boxes that wear it, closed by the close button.
#include "DialogFrameCheck.h"
#include "ModalDialog.h"
#include "host/DialogFrame.h"
#include "host/GuiThread.h"
#include "host/user32.h"
#include "host/user32_dialogs.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

namespace {

constexpr QRgb navy = 0xFF000080;        // COLOR_ACTIVECAPTION
constexpr QRgb grey = 0xFF808080;        // COLOR_INACTIVECAPTION, COLOR_BTNSHADOW
constexpr QRgb white = 0xFFFFFFFF;       // COLOR_CAPTIONTEXT, COLOR_BTNHIGHLIGHT
constexpr QRgb face = 0xFFC0C0C0;        // COLOR_BTNFACE, COLOR_3DLIGHT
constexpr QRgb dark_shadow = 0xFF000000; // COLOR_3DDKSHADOW

TEST(DialogFrameLayout, caption_close_button_and_contents_take_the_windows_95_metrics) {
    host::DialogFrameLayout const layout = host::dialog_frame_layout(QSize(300, 120));
    EXPECT_EQ(layout.border, 3);
    EXPECT_EQ(layout.caption, QRect(3, 3, 294, 18));
    EXPECT_EQ(layout.close_button, QRect(279, 5, 16, 14));
    EXPECT_EQ(layout.client, QRect(3, 22, 294, 95));
    EXPECT_EQ(layout.text.left(), 5);
    EXPECT_LT(layout.text.right(), layout.close_button.left());
}

TEST(DialogFrameLayout, hit_test_finds_the_close_button_the_caption_the_border_and_the_contents) {
    host::DialogFrameLayout const layout = host::dialog_frame_layout(QSize(300, 120));
    struct Case {
        QPoint point;
        host::DialogFrameHit hit;
    };
    Case const cases[] = {
        {{150, 10}, host::DialogFrameHit::caption},
        {layout.close_button.center(), host::DialogFrameHit::close_button},
        {{296, 10}, host::DialogFrameHit::caption}, // right of the close button
        {{150, 21}, host::DialogFrameHit::border},  // the line below the caption
        {{1, 60}, host::DialogFrameHit::border},
        {{150, 119}, host::DialogFrameHit::border},
        {{150, 60}, host::DialogFrameHit::client},
        {{300, 60}, host::DialogFrameHit::nowhere},
    };
    for (Case const& c : cases)
        EXPECT_EQ(host::dialog_frame_hit(layout, c.point), c.hit) << c.point.x() << "," << c.point.y();
}

// A small dialog with a label, dressed in the frame and shown.
class FramedDialog : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(application);
        dialog.setWindowTitle(QStringLiteral("BootFettle by Varn"));
        auto* layout = new QVBoxLayout(&dialog);
        label = new QLabel(QStringLiteral("Contents"));
        layout->addWidget(label);
        host::add_dialog_frame(dialog);
        dialog.resize(260, 100);
    }
    void show_active() {
        dialog.show();
        dialog.activateWindow();
        ASSERT_TRUE(pump_until([&] { return dialog.isActiveWindow(); }));
    }
    host::DialogFrameLayout frame() const { return host::dialog_frame_layout(dialog.size()); }
    void mouse(QEvent::Type type, QPoint at, Qt::MouseButtons held) {
        QMouseEvent event(type, QPointF(at), QPointF(dialog.mapToGlobal(at)),
                          type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton, held, Qt::NoModifier);
        QApplication::sendEvent(&dialog, &event);
    }
    // Global positions: a moving dialog changes what its own coordinates mean.
    void mouse_at_global(QEvent::Type type, QPoint global, Qt::MouseButtons held) {
        QPoint const at = dialog.mapFromGlobal(global);
        QMouseEvent event(type, QPointF(at), QPointF(global),
                          type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton, held, Qt::NoModifier);
        QApplication::sendEvent(&dialog, &event);
    }

    bool const application = host::user32::ensure_application(); // before the dialog
    QDialog dialog;
    QLabel* label = nullptr;
};

TEST_F(FramedDialog, asks_for_no_decoration_and_stays_a_dialog) {
    EXPECT_TRUE(dialog.windowFlags().testFlag(Qt::FramelessWindowHint));
    EXPECT_EQ(dialog.windowType(), Qt::Dialog);
}

TEST_F(FramedDialog, contents_sit_inside_the_frame_and_the_frame_adds_to_the_size) {
    QSize const bare_hint = [] {
        QDialog plain;
        auto* layout = new QVBoxLayout(&plain);
        layout->addWidget(new QLabel(QStringLiteral("Contents")));
        return plain.sizeHint();
    }();
    EXPECT_EQ(dialog.sizeHint(), bare_hint + QSize(2 * 3, 22 + 3));
    show_active();
    EXPECT_TRUE(frame().client.contains(label->geometry())) << label->geometry().y();
}

TEST_F(FramedDialog, caption_shows_the_title_in_the_active_and_the_inactive_colours) {
    show_active();
    QImage image = dialog.grab().toImage();
    host::DialogFrameLayout const layout = frame();
    EXPECT_EQ(image.pixel(layout.caption.topLeft()), navy);
    EXPECT_EQ(image.pixel(layout.text.right(), layout.caption.center().y()), navy);
    EXPECT_EQ(image.pixel(0, 0), face);  // the raised edge: light outside
    EXPECT_EQ(image.pixel(1, 1), white); // then highlight
    EXPECT_EQ(image.pixel(image.width() - 1, 50), dark_shadow);
    EXPECT_EQ(image.pixel(layout.caption.left(), layout.caption.bottom() + 1), face); // the line below
    int text_pixels = 0;
    for (int x = layout.text.left(); x <= layout.text.right(); ++x)
        for (int y = layout.caption.top(); y <= layout.caption.bottom(); ++y)
            text_pixels += image.pixel(x, y) == white;
    EXPECT_GT(text_pixels, 40); // "BootFettle by Varn" in white

    QWidget other;
    other.show();
    other.activateWindow();
    ASSERT_TRUE(pump_until([&] { return !dialog.isActiveWindow(); }));
    image = dialog.grab().toImage();
    EXPECT_EQ(image.pixel(layout.caption.topLeft()), grey);
}

// What the window system shows, not a fresh rendering: the caption is only as new as its last
// repaint.
TEST_F(FramedDialog, a_new_title_and_a_change_of_activation_repaint_the_caption) {
    show_active();
    auto shown = [&] {
        pump_pending();
        return dialog.screen()->grabWindow(dialog.winId()).toImage().copy(frame().caption);
    };
    QImage const before = shown();
    ASSERT_EQ(before.pixel(0, 0), navy);
    dialog.setWindowTitle(QStringLiteral("Enter your Windows Directory"));
    EXPECT_TRUE(shown() != before) << "the caption still shows the old title";

    QWidget other;
    other.show();
    other.activateWindow();
    ASSERT_TRUE(pump_until([&] { return !dialog.isActiveWindow(); }));
    EXPECT_EQ(shown().pixel(0, 0), grey) << "the caption still looks active";
}

TEST_F(FramedDialog, close_button_closes_on_release_over_it_and_not_after_sliding_off) {
    show_active();
    QPoint const close = frame().close_button.center();
    QPoint const top_left = frame().close_button.topLeft();

    mouse(QEvent::MouseButtonPress, close, Qt::LeftButton);
    EXPECT_EQ(dialog.grab().toImage().pixel(top_left), dark_shadow); // drawn pushed in while held
    mouse(QEvent::MouseMove, QPoint(100, 60), Qt::LeftButton);
    EXPECT_EQ(dialog.grab().toImage().pixel(top_left), face); // out again off the button
    mouse(QEvent::MouseButtonRelease, QPoint(100, 60), Qt::NoButton);
    EXPECT_TRUE(dialog.isVisible());

    mouse(QEvent::MouseButtonPress, close, Qt::LeftButton);
    mouse(QEvent::MouseButtonRelease, close, Qt::NoButton);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
}

TEST_F(FramedDialog, a_drag_on_the_caption_moves_the_dialog_by_the_drag) {
    dialog.move(100, 80);
    show_active();
    QPoint const start = dialog.pos();
    QPoint const grip = dialog.mapToGlobal(frame().caption.center());
    mouse_at_global(QEvent::MouseButtonPress, grip, Qt::LeftButton);
    mouse_at_global(QEvent::MouseMove, grip + QPoint(20, 10), Qt::LeftButton);
    mouse_at_global(QEvent::MouseMove, grip + QPoint(45, 30), Qt::LeftButton);
    mouse_at_global(QEvent::MouseButtonRelease, grip + QPoint(45, 30), Qt::NoButton);
    EXPECT_EQ(dialog.pos(), start + QPoint(45, 30));
    // Released: the pointer moves on without the dialog.
    mouse_at_global(QEvent::MouseMove, grip + QPoint(80, 80), Qt::NoButton);
    EXPECT_EQ(dialog.pos(), start + QPoint(45, 30));
}

// MessageBoxA's real box, closed by a click on its frame's close button once it shows.
struct CloseBoxCase {
    UINT type;
    int answer; // what MessageBoxA returns; 0: the close button is greyed and does nothing
};

TEST(FramedMessageBox, close_button_answers_as_the_escape_key_and_is_greyed_without_one) {
    ASSERT_TRUE(host::user32::ensure_application());
    CloseBoxCase const cases[] = {
        {MB_OK, IDOK}, {MB_OKCANCEL, IDCANCEL},  {MB_YESNOCANCEL, IDCANCEL}, {MB_RETRYCANCEL, IDCANCEL},
        {MB_YESNO, 0}, {MB_ABORTRETRYIGNORE, 0},
    };
    for (CloseBoxCase const& c : cases) {
        bool still_shown = false;
        QRgb glyph = 0;
        when_modal_shows<QMessageBox>([&](QMessageBox& box) {
            host::DialogFrameLayout const layout = host::dialog_frame_layout(box.size());
            QPoint const at = layout.close_button.center();
            // The cross's first stroke begins at the glyph's top left.
            QRgb const seen =
                box.grab().toImage().pixel(layout.close_button.left() + 4, layout.close_button.top() + 3);
            glyph = seen;
            for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
                QMouseEvent event(type, QPointF(at), QPointF(box.mapToGlobal(at)), Qt::LeftButton,
                                  type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton,
                                  Qt::NoModifier);
                QApplication::sendEvent(&box, &event);
            }
            still_shown = box.isVisible();
            if (still_shown)
                box.buttons().back()->click();
        });
        ModalSafetyNet safety_net;
        int const answer = MessageBoxA(nullptr, "Text", "BootFettle by Varn", c.type);
        if (c.answer) {
            EXPECT_FALSE(still_shown) << c.type;
            EXPECT_EQ(answer, c.answer) << c.type;
            EXPECT_EQ(glyph, 0xFF000000u) << c.type; // COLOR_BTNTEXT
        } else {
            EXPECT_TRUE(still_shown) << c.type;
            EXPECT_NE(glyph, 0xFF000000u) << c.type; // greyed: shadow and highlight
        }
    }
}

TEST(FramedMessageBox, wears_the_frame_with_its_contents_and_buttons_inside) {
    ASSERT_TRUE(host::user32::ensure_application());
    std::string fault = "never shown";
    when_modal_shows<QMessageBox>([&](QMessageBox& box) {
        fault = dialog_frame_fault(box);
        box.buttons().front()->click();
    });
    ModalSafetyNet safety_net;
    MessageBoxA(nullptr, "A message long enough to need a line of its own width.", "Caption",
                MB_OKCANCEL | MB_ICONEXCLAMATION);
    EXPECT_EQ(fault, "");
}

} // namespace
