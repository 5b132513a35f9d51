// TCaptionControl: the gradient arithmetic, the caption seen on grabbed window images, the
// messages it takes from the form's window procedure, and the form description of its buttons.
#include "CapCtrl.h"
#include "CaptionGradient.h"
#include "TempPrefix.h"
#include "TestApplication.h"
#include "host/FrameDrawing.h"

#include "forms/ExtCtrls.h"
#include "forms/FormReader.h"
#include "forms/FormText.h"

#include <QMenu>

#include <gtest/gtest.h>

#include <cmath>
#include <memory>

namespace {

QColor Colour(COLORREF value) {
    return QColor(value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF);
}

TEST(CaptionGradient, band_edges_of_100_pixels_in_8_bands_round_halves_to_even) {
    int const expected[] = {0, 12, 25, 38, 50, 62, 75, 88, 100};
    for (int k = 0; k <= 8; ++k)
        EXPECT_EQ(BandEdge(k, 100, 8), expected[k]) << "k = " << k;
}

TEST(CaptionGradient, table_runs_from_black_to_the_caption_colour) {
    std::array<COLORREF, 256> const row = GradientRow(RGB(128, 64, 255), 64);
    EXPECT_EQ(row[0], RGB(0, 0, 0));
    EXPECT_EQ(row[63], RGB(128, 64, 255));
    // 128 / 63 = 2.0317...: entry 1 is round(2.03) = 2, entry 32 round(65.015) = 65.
    EXPECT_EQ(row[1] & 0xFF, 2u);
    EXPECT_EQ(row[32] & 0xFF, 65u);
    // 255 / 7 = 36.43: entry 5 is round(182.14) = 182; an exact half goes to even: 6 * 0.5 = 3.
    EXPECT_EQ((GradientRow(RGB(0, 0, 255), 8)[5] >> 16) & 0xFF, 182u);
    EXPECT_EQ(GradientRow(RGB(7, 0, 0), 15)[1] & 0xFF, 0u); // 0.5 rounds to 0
    EXPECT_EQ(GradientRow(RGB(7, 0, 0), 15)[3] & 0xFF, 2u); // 1.5 rounds to 2
}

TEST(CaptionGradient, real48_keeps_40_significant_bits_rounding_halves_up) {
    // 1/3 = 0.101010...b: the 40 bits kept end in a rounded-up 1.
    EXPECT_EQ(ToReal48(1.0L / 3), std::ldexp(733007751851.0L, -41));
    // Exactly half of the last kept bit rounds away from zero, on both signs.
    long double const half = 1.0L + std::ldexp(1.0L, -40);
    EXPECT_EQ(ToReal48(half), 1.0L + std::ldexp(1.0L, -39));
    EXPECT_EQ(ToReal48(-half), -(1.0L + std::ldexp(1.0L, -39)));
    EXPECT_EQ(ToReal48(12.5L), 12.5L);
}

class CaptionControlTest : public ::testing::Test {
  protected:
    TempPrefix prefix;

    void SetUp() override {
        TestApplication();
        RegisterClass<TCaptionControl>();
        form = MakeForm();
    }

    static std::unique_ptr<TForm> MakeForm(TFormBorderStyle style = bsSizeable) {
        auto made = std::make_unique<TForm>(nullptr);
        made->SetBorderStyle(style);
        made->SetCaption(QStringLiteral("Caption test"));
        made->SetBounds(0, 0, 320, 120);
        return made;
    }
    static QImage Grab(TForm& of) { return of.Widget()->grab().toImage().convertToFormat(QImage::Format_RGB32); }
    QImage Grab() { return Grab(*form); }
    TCaptionControl* Add(TCaptionGradient gradient) {
        control = new TCaptionControl(form.get());
        control->SetCaptionGradient(gradient);
        return control;
    }
    void Activate(bool active) { form->Perform(WM_NCACTIVATE, active ? 1 : 0, 0); }
    QRect Caption() const {
        RECT const r = control->CaptionRect();
        return QRect(QPoint(r.left, r.top), QPoint(r.right - 1, r.bottom - 1));
    }
    // Pixels of `colour` inside the rectangle.
    static int Count(QImage const& image, QRect const& area, QColor const& colour) {
        int n = 0;
        for (int y = area.top(); y <= area.bottom(); ++y)
            for (int x = area.left(); x <= area.right(); ++x)
                n += image.pixelColor(x, y) == colour;
        return n;
    }
    // Where the caption text goes: after the icon, before the frame buttons.
    QRect TextArea() const {
        QRect const c = Caption();
        return QRect(c.left() + 20, c.top() + 2, 150, c.height() - 4);
    }

    std::unique_ptr<TForm> form;
    TCaptionControl* control = nullptr;
};

TEST_F(CaptionControlTest, gradient_bands_appear_on_the_window_active_and_inactive) {
    Add(cgAlways);
    for (bool active : {true, false}) {
        Activate(active);
        QImage const image = Grab();
        QRect const c = Caption();
        int const w = c.width();
        int const n = control->ColorBands();
        // Row 0 of the caption holds only the background; the buttons start two rows lower.
        for (int k = 0; k < n; ++k) {
            int const x = c.left() + BandEdge(k, w, n);
            if (x - c.left() < 18 && k > 0)
                continue; // under the icon
            EXPECT_EQ(image.pixelColor(x, c.top()), Colour(control->GradientColor(active, k)))
                << "band " << k << (active ? " active" : " inactive");
        }
        EXPECT_EQ(image.pixelColor(c.left(), c.top()), QColor(Qt::black));
        QColor const captionColour = Colour(GetSysColor(active ? COLOR_ACTIVECAPTION : COLOR_INACTIVECAPTION));
        EXPECT_EQ(image.pixelColor(c.right(), c.top()), captionColour);
        // The caption text is white in both states.
        EXPECT_GT(Count(image, TextArea(), Qt::white), 20) << (active ? "active" : "inactive");
    }
}

TEST_F(CaptionControlTest, gradient_only_while_active_paints_the_flat_inactive_caption) {
    form->Icon()->SetImage([] {
        QImage icon(16, 16, QImage::Format_ARGB32);
        icon.fill(Qt::transparent);
        icon.setPixelColor(8, 8, Qt::red);
        return icon;
    }());
    Add(cgActive);
    QColor const inactive = Colour(GetSysColor(COLOR_INACTIVECAPTION));
    QColor const inactiveText = Colour(GetSysColor(COLOR_INACTIVECAPTIONTEXT));

    Activate(false);
    QImage image = Grab();
    QRect const c = Caption();
    EXPECT_EQ(image.pixelColor(c.left(), c.top()), inactive);
    EXPECT_EQ(image.pixelColor(c.left() + 100, c.top()), inactive);
    // The icon sits on the system's own background.
    EXPECT_EQ(image.pixelColor(c.left() + 1, c.top() + 2), inactive);
    EXPECT_EQ(Count(image, QRect(c.left(), c.top(), 18, c.height()), Qt::red), 1);
    EXPECT_GT(Count(image, TextArea(), inactiveText), 20);
    EXPECT_EQ(Count(image, TextArea(), Qt::white), 0);

    Activate(true);
    image = Grab();
    EXPECT_EQ(image.pixelColor(c.left() + 1, c.top() + 2), QColor(Qt::black));
    EXPECT_EQ(Count(image, QRect(c.left(), c.top(), 18, c.height()), Qt::red), 1);
    EXPECT_EQ(image.pixelColor(c.right(), c.top()), Colour(GetSysColor(COLOR_ACTIVECAPTION)));
    EXPECT_GT(Count(image, TextArea(), Qt::white), 20);
}

TEST_F(CaptionControlTest, disabled_control_leaves_exactly_the_plain_frame) {
    std::unique_ptr<TForm> plain = MakeForm();
    Add(cgAlways);
    Activate(true);
    QImage const painted = Grab();
    control->SetEnabled(false);
    Activate(true);
    plain->Perform(WM_NCACTIVATE, 1, 0);
    QImage const disabled = Grab();
    EXPECT_NE(disabled, painted);
    EXPECT_EQ(disabled, Grab(*plain));
}

TEST_F(CaptionControlTest, flat_caption_matches_the_plain_frame_but_for_the_text) {
    // With cgNone the component draws the system's caption: the buttons and the icon place are
    // the plain frame's, pixel for pixel.
    std::unique_ptr<TForm> plain = MakeForm();
    Add(cgNone);
    Activate(false);
    plain->Perform(WM_NCACTIVATE, 0, 0);
    QImage const mine = Grab();
    QImage const theirs = Grab(*plain);
    QRect const c = Caption();
    QRect const buttons(c.right() - 60, c.top(), 61, c.height());
    EXPECT_EQ(mine.copy(buttons), theirs.copy(buttons));
    EXPECT_EQ(mine.copy(QRect(0, 0, mine.width(), c.top())), theirs.copy(QRect(0, 0, mine.width(), c.top())));
}

TEST_F(CaptionControlTest, construction_errors_leave_the_form_and_the_first_control_working) {
    Add(cgAlways);
    Activate(true);
    QImage const before = Grab();
    struct Case {
        std::function<void()> make;
        QString message;
    };
    auto* timer = new TTimer(form.get());
    Case const cases[] = {
        {[&] { new TCaptionControl(form.get()); }, QStringLiteral("Only one TCaptionControl per form is allowed.")},
        {[&] { new TCaptionControl(nullptr); }, QStringLiteral("Owner must be a form.")},
        {[&] { new TCaptionControl(timer); }, QStringLiteral("Owner must be a form.")},
    };
    for (Case const& c : cases) {
        try {
            c.make();
            ADD_FAILURE() << "no error for " << c.message.toStdString();
        } catch (ECaptionError const& e) {
            EXPECT_EQ(e.Message(), c.message);
        }
    }
    int controls = 0;
    for (int i = 0; i < form->ComponentCount(); ++i)
        controls += qobject_cast<TCaptionControl*>(form->Components(i)) != nullptr;
    EXPECT_EQ(controls, 1);
    Activate(false);
    Activate(true);
    EXPECT_EQ(Grab(), before);
}

TEST_F(CaptionControlTest, draw_caption_event_changes_or_replaces_the_text) {
    Add(cgAlways);
    Activate(true);
    std::unique_ptr<TForm> renamed = MakeForm();
    renamed->SetCaption(QStringLiteral("Changed"));
    auto* other = new TCaptionControl(renamed.get());
    other->SetCaptionGradient(cgAlways);
    renamed->Perform(WM_NCACTIVATE, 1, 0);

    control->OnDrawCaption = [](TCaptionControl*, QString& text, HDC, RECT const&, bool&) {
        text = QStringLiteral("Changed");
    };
    EXPECT_EQ(Grab(), Grab(*renamed));

    int calls = 0;
    control->OnDrawCaption = [&](TCaptionControl* sender, QString& text, HDC dc, RECT const& rect, bool& drawn) {
        ++calls;
        EXPECT_EQ(sender, control);
        EXPECT_EQ(text, QStringLiteral("Caption test"));
        EXPECT_FALSE(drawn);
        EXPECT_NE(dc, nullptr);
        EXPECT_EQ(rect.left, 20);
        drawn = true;
    };
    QImage const image = Grab();
    EXPECT_GT(calls, 0);
    EXPECT_EQ(Count(image, TextArea(), Qt::white), 0);
}

TEST_F(CaptionControlTest, border_styles_the_tuner_does_not_use) {
    QColor const face = Colour(GetSysColor(COLOR_BTNFACE));
    QImage red(16, 16, QImage::Format_RGB32);
    red.fill(Qt::red);
    struct Case {
        TFormBorderStyle style;
        TBorderIcons icons;
        int inset;         // frame width
        int captionHeight; // caption bar without the line below
        int closeWidth;    // 0: no close button
        bool minMax;
        bool icon;
    };
    Case const cases[] = {
        {bsSizeable, TBorderIcons(biSystemMenu | biMinimize | biMaximize), 4, 18, 16, true, true},
        {bsSingle, TBorderIcons(biSystemMenu | biMinimize | biMaximize), 3, 18, 16, true, true},
        {bsDialog, TBorderIcons(biSystemMenu | biMinimize | biMaximize), 3, 18, 16, false, false},
        {bsDialog, TBorderIcons(), 3, 18, 0, false, false},
        {bsToolWindow, TBorderIcons(biSystemMenu | biMinimize | biMaximize), 3, 14, 10, false, false},
        {bsSizeToolWin, TBorderIcons(biSystemMenu), 4, 14, 10, false, false},
    };
    for (Case const& c : cases) {
        SCOPED_TRACE(c.style);
        form = MakeForm(c.style);
        form->SetBorderIcons(c.icons);
        form->Icon()->SetImage(red);
        Add(cgAlways);
        Activate(true);
        QImage const image = Grab();
        QRect const cap = Caption();
        EXPECT_EQ(cap, QRect(c.inset, c.inset, 320 - 2 * c.inset, c.captionHeight));
        // Close button: its face colour in the middle, at the right end of the caption.
        int const closeRight = cap.right() - 2;
        int const row = cap.top() + 5;
        if (c.closeWidth) {
            EXPECT_EQ(image.pixelColor(closeRight - 2, row), face);
            EXPECT_NE(image.pixelColor(closeRight - c.closeWidth - 1, row), face);
        } else {
            EXPECT_NE(image.pixelColor(closeRight - 2, row), face);
        }
        EXPECT_EQ(image.pixelColor(closeRight - 20, row) == face, c.minMax);
        EXPECT_EQ(Count(image, cap, Qt::red) > 0, c.icon);
    }
    // A tool window's caption text is in the small caption font; no extra caption buttons.
    form = MakeForm(bsToolWindow);
    Add(cgAlways);
    auto* button = new TCaptionButton;
    button->Caption = QStringLiteral("A");
    control->Buttons()->Add(button);
    Activate(true);
    QImage const image = Grab();
    EXPECT_EQ(control->ButtonAt(QPoint(Caption().right() - 30, Caption().center().y())), -1);
    EXPECT_EQ(Count(image, QRect(Caption().right() - 40, Caption().top() + 2, 26, 4), face), 0);

    // Borderless: nothing to paint, and the window looks as without the component.
    form = MakeForm(bsNone);
    std::unique_ptr<TForm> plain = MakeForm(bsNone);
    Add(cgAlways);
    RECT const empty = control->CaptionRect();
    EXPECT_EQ(empty.right - empty.left, 0);
    EXPECT_EQ(Grab(), Grab(*plain));
}

TEST_F(CaptionControlTest, frame_button_held_down_is_drawn_pushed) {
    Add(cgAlways);
    form->Show();
    Activate(true);
    QRect const c = Caption();
    QPoint const close(c.right() - 8, c.top() + 8);
    QColor const dark = Colour(GetSysColor(COLOR_3DDKSHADOW));
    QPoint const corner(c.right() - 17, c.top() + 2);
    EXPECT_NE(Grab().pixelColor(corner), dark);
    QPoint const screen = close + form->BoundsRect().topLeft();
    form->Perform(WM_NCLBUTTONDOWN, htClose, PointToLParam(screen.x(), screen.y()));
    EXPECT_EQ(Grab().pixelColor(corner), dark);
}

TEST_F(CaptionControlTest, color_bands_accept_8_to_255) {
    Add(cgAlways);
    struct Case {
        int value;
        int result;
    };
    for (Case c : {Case{7, 64}, Case{256, 64}, Case{8, 8}, Case{255, 255}, Case{0, 255}}) {
        control->SetColorBands(c.value);
        EXPECT_EQ(control->ColorBands(), c.result) << c.value;
    }
    EXPECT_EQ(control->GradientColor(true, 254), GetSysColor(COLOR_ACTIVECAPTION));
}

TEST_F(CaptionControlTest, system_colour_change_rebuilds_the_gradient) {
    Add(cgAlways);
    int const index = COLOR_ACTIVECAPTION;
    COLORREF const saved = GetSysColor(index);
    COLORREF const red = RGB(255, 0, 0);
    ASSERT_TRUE(SetSysColors(1, &index, &red));
    COLORREF const last = control->GradientColor(true, control->ColorBands() - 1);
    Activate(true);
    QImage const image = Grab();
    SetSysColors(1, &index, &saved);
    EXPECT_EQ(last, red);
    EXPECT_EQ(image.pixelColor(Caption().right(), Caption().top()), QColor(Qt::red));
    EXPECT_EQ(control->GradientColor(true, control->ColorBands() - 1), saved);
}

TEST_F(CaptionControlTest, right_click_in_the_frame_pops_up_the_menu) {
    Add(cgAlways);
    form->Show();
    auto* menu = new TPopupMenu(form.get());
    auto* item = new TMenuItem(form.get());
    item->SetCaption(QStringLiteral("About"));
    menu->Items()->Add(item);
    control->SetPopupMenu(menu);
    QPoint const screen = form->BoundsRect().topLeft() + QPoint(100, 10);
    for (bool autoPopup : {false, true}) {
        menu->SetAutoPopup(autoPopup);
        EXPECT_EQ(form->Perform(WM_NCRBUTTONDOWN, htCaption, PointToLParam(screen.x(), screen.y())), 1);
        EXPECT_TRUE(form->HasCapture());
        QPoint const client = screen - form->BoundsRect().topLeft() - form->Layout().Client.topLeft();
        form->Perform(WM_RBUTTONUP, 0, PointToLParam(client.x(), client.y()));
        EXPECT_FALSE(form->HasCapture());
        EXPECT_EQ(menu->Menu()->isVisible(), autoPopup);
        menu->Menu()->hide();
    }
}

TEST_F(CaptionControlTest, form_destruction_unhooks_and_runs_the_forms_own_destroy_handler) {
    int destroyed = 0;
    form->SetOnDestroy(TNotifyEvent([&](TObject*) { ++destroyed; }, QStringLiteral("FormDestroy")));
    Add(cgAlways);
    EXPECT_EQ(form->OnDestroy().Name(), QStringLiteral("FormDestroy"));
    form.reset();
    EXPECT_EQ(destroyed, 1);

    // Deleting the component alone gives the form back its procedure and its handler.
    form = MakeForm();
    std::vector<UINT> seen;
    form->WindowProc = [&](TMessage& message) {
        seen.push_back(message.Msg);
        form->WndProc(message);
    };
    Add(cgAlways);
    delete control;
    seen.clear();
    form->Perform(WM_NCACTIVATE, 1, 0);
    EXPECT_EQ(seen, std::vector<UINT>{WM_NCACTIVATE});
}

// Caption buttons.

class CaptionButtonsTest : public CaptionControlTest {
  protected:
    void SetUp() override {
        CaptionControlTest::SetUp();
        Add(cgAlways);
        form->Show();
        Activate(true);
    }
    TCaptionButton* AddButton(QString const& caption, int kind = cbkCustom) {
        auto* button = new TCaptionButton;
        button->Caption = caption;
        button->Kind = kind;
        control->Buttons()->Add(button);
        return button;
    }
    // The left edge of the minimise button, in window coordinates.
    int MinimiseLeft() const { return Caption().right() + 1 - 2 - 16 - 2 - 16 - 16; }
    QPoint Screen(QPoint window) const { return window + form->BoundsRect().topLeft(); }
    LPARAM Client(QPoint window) const {
        QPoint const p = window - form->Layout().Client.topLeft();
        return PointToLParam(p.x(), p.y());
    }
    LRESULT Press(QPoint window) {
        QPoint const s = Screen(window);
        return form->Perform(WM_NCLBUTTONDOWN, htCaption, PointToLParam(s.x(), s.y()));
    }
    // Whether the push button with its left edge at x is drawn pushed: a pushed button's outer
    // ring is dark at the top left.
    bool LooksPushed(int x) {
        QImage const image = Grab();
        return image.pixelColor(x, Caption().top() + 4) == Colour(GetSysColor(COLOR_3DDKSHADOW));
    }
};

TEST_F(CaptionButtonsTest, separator_takes_four_pixels_and_advances_two) {
    AddButton(QStringLiteral("A"));
    AddButton(QStringLiteral("-"));
    AddButton(QStringLiteral("B"));
    QImage const image = Grab();
    // Drawn: A from `first`, 16 wide; B 18 further right, ending 2 pixels short of minimise.
    int const first = MinimiseLeft() - 36;
    int const y = Caption().top() + 8;
    int const bRight = first + 18 + 15;
    EXPECT_EQ(image.pixelColor(bRight, y), Colour(GetSysColor(COLOR_3DDKSHADOW)));
    EXPECT_EQ(image.pixelColor(bRight - 1, y), Colour(GetSysColor(COLOR_BTNSHADOW)));
    EXPECT_EQ(image.pixelColor(bRight + 3, y), Colour(GetSysColor(COLOR_3DLIGHT))); // minimise
    for (int x : {bRight + 1, bRight + 2})
        EXPECT_NE(image.pixelColor(x, y), Colour(GetSysColor(COLOR_BTNFACE))) << x;
    // The hit slots lie at the painted place less the frame width, plus 2.
    int const slot = first - Caption().left() + 2;
    struct Case {
        int x;
        int index;
    };
    for (Case c : {Case{slot - 1, -1}, Case{slot, 0}, Case{slot + 15, 0}, Case{slot + 16, -1}, Case{slot + 17, -1},
                   Case{slot + 18, 2}, Case{slot + 33, 2}, Case{slot + 34, -1}})
        EXPECT_EQ(control->ButtonAt(QPoint(c.x, Caption().top() + 5)), c.index) << c.x;
}

TEST_F(CaptionButtonsTest, press_drag_off_drag_back_and_release) {
    TCaptionButton* button = AddButton(QStringLiteral("A"));
    std::vector<int> clicks;
    control->OnButtonClick = [&](TCaptionControl*, int index, bool& pushed) {
        clicks.push_back(index);
        EXPECT_FALSE(pushed);
    };
    Grab();
    int const drawnLeft = MinimiseLeft() - 16;
    QPoint const on(drawnLeft + 6, Caption().top() + 8);
    QPoint const off(on.x() - 60, on.y());

    EXPECT_EQ(Press(on), 1);
    EXPECT_TRUE(form->HasCapture());
    EXPECT_TRUE(LooksPushed(drawnLeft));
    form->Perform(WM_MOUSEMOVE, 0, Client(off));
    EXPECT_FALSE(LooksPushed(drawnLeft));
    form->Perform(WM_MOUSEMOVE, 0, Client(on));
    EXPECT_TRUE(LooksPushed(drawnLeft));
    form->Perform(WM_MOUSEMOVE, 0, Client(off));
    form->Perform(WM_LBUTTONUP, 0, Client(off));
    EXPECT_TRUE(clicks.empty());
    EXPECT_FALSE(form->HasCapture());
    EXPECT_EQ(control->PressedIndex(), -1);

    // Released over it: clicked. A handler that latches it keeps it pushed.
    control->OnButtonClick = [&](TCaptionControl*, int index, bool& pushed) {
        clicks.push_back(index);
        pushed = true;
    };
    Press(on);
    form->Perform(WM_LBUTTONUP, 0, Client(on));
    EXPECT_EQ(clicks, std::vector<int>{0});
    EXPECT_TRUE(button->Pushed);
    EXPECT_TRUE(LooksPushed(drawnLeft));
    Activate(false);
    EXPECT_TRUE(LooksPushed(drawnLeft));

    // A disabled button never looks pressed but still reports its click.
    button->Pushed = false;
    button->Enabled = false;
    Press(on);
    EXPECT_FALSE(LooksPushed(drawnLeft));
    form->Perform(WM_LBUTTONUP, 0, Client(on));
    EXPECT_EQ(clicks.size(), 2u);
}

TEST_F(CaptionButtonsTest, presses_pass_on_without_buttons_to_hit) {
    // What reaches the form's procedure behind the component.
    std::vector<UINT> passed;
    form = MakeForm();
    form->WindowProc = [&](TMessage& message) {
        passed.push_back(message.Msg);
        form->WndProc(message);
    };
    Add(cgAlways);
    AddButton(QStringLiteral("A"));
    AddButton(QStringLiteral("B"))->Visible = false;
    Grab();
    int const drawnLeft = MinimiseLeft() - 2 * 16;
    QPoint const visible(drawnLeft + 6, Caption().top() + 8);
    QPoint const invisible(drawnLeft + 16 + 6, Caption().top() + 8);
    EXPECT_EQ(control->ButtonAt(visible), 0);
    passed.clear();
    Press(invisible);
    EXPECT_EQ(passed, std::vector<UINT>{WM_NCLBUTTONDOWN});
    form->Perform(WM_LBUTTONUP, 0, Client(invisible));
    control->SetShowButtons(false);
    passed.clear();
    Press(visible);
    EXPECT_EQ(passed, std::vector<UINT>{WM_NCLBUTTONDOWN});
    EXPECT_FALSE(form->HasCapture());
}

TEST_F(CaptionButtonsTest, every_kind_draws_a_face) {
    QColor const face = Colour(GetSysColor(COLOR_BTNFACE));
    QColor const text = Colour(GetSysColor(COLOR_BTNTEXT));
    QColor const highlight = Colour(GetSysColor(COLOR_BTNHIGHLIGHT));
    QColor const shadow = Colour(GetSysColor(COLOR_BTNSHADOW));
    for (int kind = cbkCustom; kind <= cbkCool + 1; ++kind) {
        for (bool enabled : {true, false}) {
            SCOPED_TRACE(KindName(kind).toStdString() + (enabled ? " enabled" : " disabled"));
            QImage canvas(14, 14, QImage::Format_RGB32);
            canvas.fill(face);
            HDC const dc = host::create_image_dc(&canvas);
            TCaptionButton button;
            button.Caption = QStringLiteral("W");
            button.Kind = kind;
            button.Enabled = enabled;
            EXPECT_TRUE(button.Draw(dc, RECT{0, 0, 14, 14}));
            DeleteDC(dc);
            QRect const all = canvas.rect();
            if (kind == cbkCool + 1) {
                EXPECT_EQ(Count(canvas, all, face), 14 * 14); // a blank face
                continue;
            }
            if (enabled) {
                EXPECT_GT(Count(canvas, all, text), 3);
            } else {
                // Embossed: a highlight copy under a shadow copy, nothing black.
                EXPECT_GT(Count(canvas, all, highlight), 1);
                EXPECT_GT(Count(canvas, all, shadow) + Count(canvas, all, Colour(RGB(64, 64, 64))), 1);
                if (kind != cbkWindow) {
                    EXPECT_EQ(Count(canvas, all, text), 0);
                }
            }
        }
    }
}

TEST_F(CaptionButtonsTest, more_shows_three_dots_in_the_small_caption_font) {
    QColor const face = Colour(GetSysColor(COLOR_BTNFACE));
    QImage canvas(14, 14, QImage::Format_RGB32);
    canvas.fill(face);
    HDC const dc = host::create_image_dc(&canvas);
    TCaptionButton button;
    button.Kind = cbkMore;
    button.Draw(dc, RECT{0, 0, 14, 14});
    DeleteDC(dc);
    // Three separate dots on one row.
    int runs = 0;
    for (int y = 0; y < 14 && runs == 0; ++y)
        for (int x = 0; x < 14; ++x)
            if (canvas.pixelColor(x, y) != face && (x == 0 || canvas.pixelColor(x - 1, y) == face))
                ++runs;
    EXPECT_EQ(runs, 3);
}

TEST_F(CaptionButtonsTest, list_reads_back_unchanged_from_a_form_description) {
    QString const text = QStringLiteral(
        "object Form1: TForm\n"
        "  object CaptionControl1: TCaptionControl\n"
        "    Buttons.Buttons = (\n"
        "      'About' True True False 'cbkMore'\n"
        "      'X&y' False True True 'cbkCustom'\n"
        "      '-' True False False 'cbkCool'\n"
        "      'Odd' True True False 'cbkNoSuchKind')\n"
        "  end\n"
        "end\n");
    TForm loaded(nullptr);
    ReadComponentText(&loaded, text);
    auto* read = loaded.FindComponent<TCaptionControl>(QStringLiteral("CaptionControl1"));
    ASSERT_NE(read, nullptr);
    TCaptionButtonsList* list = read->Buttons();
    ASSERT_EQ(list->Count(), 4);
    EXPECT_EQ(list->Items(0)->Caption, QStringLiteral("About"));
    EXPECT_EQ(list->Items(0)->Kind, cbkMore);
    EXPECT_FALSE(list->Items(1)->Enabled);
    EXPECT_TRUE(list->Items(1)->Pushed);
    EXPECT_FALSE(list->Items(2)->Visible);
    EXPECT_EQ(list->Items(3)->Kind, cbkCustom);
    EXPECT_EQ(list->Items(4), nullptr);

    TFormObject const written = WriteComponent(&loaded);
    TFormObject const original = ParseFormText(text);
    ASSERT_EQ(written.children.size(), 1u);
    auto const& properties = written.children[0].properties;
    auto const found = std::find_if(properties.begin(), properties.end(),
                                    [](TFormProperty const& p) { return p.name == QLatin1String("Buttons.Buttons"); });
    ASSERT_NE(found, properties.end());
    TFormValue expected = original.children[0].properties[0].value;
    expected.items[19] = TFormValue::String(QStringLiteral("cbkCustom"));
    EXPECT_TRUE(found->value == expected);

    // An empty list is not written; a malformed one is an error that keeps the buttons.
    read->Buttons()->Clear();
    TFormObject const empty = WriteComponent(&loaded);
    EXPECT_TRUE(empty.children[0].properties.empty());
    TForm broken(nullptr);
    EXPECT_THROW(ReadComponentText(&broken, QStringLiteral("object Form1: TForm\n"
                                                           "  object C: TCaptionControl\n"
                                                           "    Buttons.Buttons = ('A' True True)\n"
                                                           "  end\n"
                                                           "end\n")),
                 EReadError);
}

TEST_F(CaptionButtonsTest, list_ignores_indexes_beyond_its_end) {
    AddButton(QStringLiteral("A"));
    control->Buttons()->Delete(5);
    control->Buttons()->Delete(-1);
    EXPECT_EQ(control->Buttons()->Count(), 1);
    EXPECT_EQ(control->Buttons()->Items(1), nullptr);
    control->Buttons()->Delete(0);
    EXPECT_EQ(control->Buttons()->Count(), 0);
}

} // namespace
