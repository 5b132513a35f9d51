// TDRLabel's paint decisions and blink state machine, seen on the label's grabbed image.
#include "DrLabel.h"
#include "PumpUntil.h"
#include "TempPrefix.h"
#include "TestApplication.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

QRgb Rgb(TColor color) {
    return ColorToRGB(color).rgb();
}

class DrLabelTest : public ::testing::Test {
  protected:
    // The application object, made by the first test that needs it, comes up on a prefix of the
    // test's own: the program's single-instance guard creates its mutex there.
    TempPrefix prefix;

    void SetUp() override {
        TestApplication();
        form = std::make_unique<TForm>(nullptr);
        label = new TDRLabel(form.get());
        label->SetParent(form.get());
        label->SetAutoSize(false);
        label->SetBounds(0, 0, 120, 40);
        label->SetColor(clSilver);
        label->Font()->SetName(QStringLiteral("Arial"));
        label->Font()->SetHeight(-24);
        label->Font()->SetStyle(fsBold);
        label->Font()->SetColor(clNavy);
        label->SetCaption(QStringLiteral("Hi"));
    }
    QImage Grab() const { return label->Widget()->grab().toImage().convertToFormat(QImage::Format_RGB32); }

    // Bounding box of the pixels that satisfy `test`.
    template <class F> static QRect Box(QImage const& image, F&& test) {
        QRect box;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (test(x, y))
                    box |= QRect(x, y, 1, 1);
        return box;
    }
    static int Count(QImage const& image, QRgb colour) {
        int n = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                n += image.pixel(x, y) == colour;
        return n;
    }
    // Where the shadow shows: the pixels that change when the shadow copy is switched on.
    QRect ShadowBox() {
        label->SetCtl3D(false);
        QImage const plain = Grab();
        label->SetCtl3D(true);
        QImage const shaded = Grab();
        return Box(shaded, [&](int x, int y) { return shaded.pixel(x, y) != plain.pixel(x, y); });
    }
    QRect InkBox() {
        label->SetCtl3D(false);
        QImage const plain = Grab();
        label->SetCtl3D(true);
        return Box(plain, [&](int x, int y) { return plain.pixel(x, y) != Rgb(clSilver); });
    }

    std::unique_ptr<TForm> form;
    TDRLabel* label = nullptr;
};

TEST_F(DrLabelTest, shadow_is_offset_by_deep_and_values_other_than_1_or_2_are_ignored) {
    QRect const ink = InkBox();
    ASSERT_FALSE(ink.isEmpty());
    struct Case {
        int set, expected;
    } const cases[] = {{1, 1}, {0, 1}, {3, 1}, {2, 2}, {3, 2}};
    for (Case const c : cases) {
        label->SetDeep(c.set);
        EXPECT_EQ(label->Deep(), c.expected);
        QRect const shadow = ShadowBox();
        EXPECT_EQ(shadow.right(), ink.right() + c.expected) << c.set;
        EXPECT_EQ(shadow.bottom(), ink.bottom() + c.expected) << c.set;
    }
}

TEST_F(DrLabelTest, ctl3d_false_draws_no_shadow_copy) {
    label->SetCtl3D(false);
    EXPECT_EQ(Count(Grab(), Rgb(clBtnHighlight)), 0);
    label->SetCtl3D(true);
    EXPECT_GT(Count(Grab(), Rgb(clBtnHighlight)), 0);
}

TEST_F(DrLabelTest, text_in_the_background_colour_leaves_only_background_and_border) {
    label->SetBorder(boSingle);
    label->Font()->SetColor(clSilver);
    QImage const image = Grab();
    QRgb const frame = Rgb(clWindowFrame);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            bool const onFrame = (x == 0 || y == 0 || x == image.width() - 2 || y == image.height() - 2) &&
                                 x <= image.width() - 2 && y <= image.height() - 2;
            ASSERT_EQ(image.pixel(x, y), onFrame ? frame : Rgb(clSilver)) << x << "," << y;
        }
}

struct BorderCase {
    TDRBorder border;
    TColor topLeft, bottomRight;
};

TEST_F(DrLabelTest, borders_frame_all_but_the_last_row_and_column) {
    label->SetCaption(QString());
    BorderCase const cases[] = {{boSingle, clWindowFrame, clWindowFrame},
                                {boRaised, clBtnHighlight, clBtnShadow},
                                {boLowered, clBtnShadow, clBtnHighlight}};
    for (BorderCase const& c : cases) {
        label->SetBorder(c.border);
        QImage const image = Grab();
        int const right = image.width() - 2, bottom = image.height() - 2;
        EXPECT_EQ(image.pixel(0, 0), Rgb(c.topLeft));
        EXPECT_EQ(image.pixel(right - 1, 0), Rgb(c.topLeft));
        EXPECT_EQ(image.pixel(0, bottom - 1), Rgb(c.topLeft));
        EXPECT_EQ(image.pixel(right, 0), Rgb(c.bottomRight));  // top-right corner
        EXPECT_EQ(image.pixel(0, bottom), Rgb(c.bottomRight)); // bottom-left corner
        EXPECT_EQ(image.pixel(right, bottom), Rgb(c.bottomRight));
        EXPECT_EQ(image.pixel(right + 1, 5), Rgb(clSilver));
        EXPECT_EQ(image.pixel(5, bottom + 1), Rgb(clSilver));
    }
    label->SetBorder(boNone);
    EXPECT_EQ(Grab().pixel(0, 0), Rgb(clSilver));
}

TEST_F(DrLabelTest, disabled_label_draws_grey_text_over_the_shadow) {
    label->SetEnabled(false);
    QImage const image = Grab();
    EXPECT_EQ(Count(image, Rgb(clNavy)), 0);
    EXPECT_GT(Count(image, Rgb(clGrayText)), 0);
    EXPECT_GT(Count(image, Rgb(clBtnHighlight)), 0);
}

TEST_F(DrLabelTest, ampersand_is_literal_without_show_accel_char) {
    label->SetCaption(QStringLiteral("A&&B"));
    QImage const escaped = Grab();
    label->SetCaption(QStringLiteral("A&B"));
    label->SetShowAccelChar(false);
    EXPECT_EQ(Grab(), escaped);
    label->SetShowAccelChar(true);
    EXPECT_NE(Grab(), escaped);
}

TEST_F(DrLabelTest, blink_hides_and_shows_the_text_each_step) {
    QImage const shown = Grab();
    label->SetBlink(blBlink);
    EXPECT_TRUE(label->BlinkTimer()->Active());
    label->TimerTick();
    QImage const hidden = Grab();
    EXPECT_EQ(Count(hidden, Rgb(clNavy)), 0);
    EXPECT_EQ(Count(hidden, Rgb(clBtnHighlight)), 0);
    label->TimerTick();
    EXPECT_EQ(label->Font()->Color(), clNavy);
    EXPECT_EQ(Grab(), shown);
}

TEST_F(DrLabelTest, hilo_alternates_colours_and_none_stops_and_restores_the_construction_colour) {
    // The label was made with the default text colour; navy came later, without blBlink.
    TColor const constructed = label->SavedColor();
    label->SetBlink(blHiLo);
    EXPECT_TRUE(label->BlinkTimer()->Active());
    EXPECT_EQ(label->Font()->Color(), constructed);
    TColor const steps[] = {clBlue, clNavy, clBlue, clNavy};
    for (TColor const expected : steps) {
        label->TimerTick();
        EXPECT_EQ(label->Font()->Color(), expected);
        EXPECT_GT(Count(Grab(), Rgb(expected)), 0);
    }
    label->SetBlink(blNone);
    EXPECT_FALSE(label->BlinkTimer()->Active());
    EXPECT_EQ(label->Font()->Color(), constructed);
}

TEST_F(DrLabelTest, entering_blink_remembers_the_colour_that_later_modes_restore) {
    label->SetBlink(blBlink);
    EXPECT_EQ(label->SavedColor(), clNavy);
    label->TimerTick();
    label->SetBlink(blHiLo);
    EXPECT_EQ(label->Font()->Color(), clNavy);
    label->TimerTick();
    EXPECT_EQ(label->Font()->Color(), clBlue);
    label->SetBlink(blNone);
    EXPECT_EQ(label->Font()->Color(), clNavy);
}

TEST_F(DrLabelTest, the_blink_timer_steps_at_the_blink_interval) {
    label->SetBlinkInterval(20);
    EXPECT_EQ(label->BlinkTimer()->Interval(), 20);
    label->SetBlink(blHiLo);
    pump_until([&] { return label->Font()->Color() == clBlue; });
    EXPECT_EQ(label->Font()->Color(), clBlue);
}

TEST_F(DrLabelTest, construction_enlarges_the_label_by_one_pixel) {
    TDRLabel plainLabel(nullptr);
    TLabel reference(nullptr);
    EXPECT_EQ(plainLabel.Width(), reference.Width() + 1);
    EXPECT_EQ(plainLabel.Height(), reference.Height() + 1);
    EXPECT_EQ(plainLabel.BlinkInterval(), 300);
    EXPECT_EQ(plainLabel.BlinkTimer()->Interval(), 300);
    EXPECT_FALSE(plainLabel.BlinkTimer()->Enabled());
}

} // namespace
