// The spin box's text rules: value of a text, steps, leaving the box, typing, text from code.
#include "TestApplication.h"

#include "forms/Spin.h"
#include "host/DialogResponder.h"

#include <QAbstractSpinBox>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>

#include <gtest/gtest.h>

namespace {

class SpinEditTest : public ::testing::Test {
  protected:
    void SetUp() override {
        TestApplication();
        QLocale::setDefault(QLocale::c());
        form = std::make_unique<TForm>(nullptr);
        spin = new TSpinEdit(form.get());
        spin->SetParent(form.get());
        spin->SetMinValue(12);
        spin->SetMaxValue(500);
        spin->SetIncrement(1);
        spin->SetOnChange(TNotifyEvent([this](TObject*) { ++changes; }));
    }

    void Key(int key, QString const& text) {
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
        QApplication::sendEvent(spin->SpinBox(), &press);
    }

    void Leave() {
        QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
        QApplication::sendEvent(spin->SpinBox(), &out);
    }

    host::RecordingDialogResponder responder;
    host::ScopedDialogResponder scope{responder};
    std::unique_ptr<TForm> form;
    TSpinEdit* spin = nullptr;
    int changes = 0;
};

struct ValueCase {
    char const* text;
    int value;
};

TEST_F(SpinEditTest, value_is_the_text_as_decimal_integer_or_the_minimum) {
    ValueCase const cases[] = {
        {"42", 42},  {"+7", 7},   {"-3", -3},          {"0042", 42}, {"", 12},     {"abc", 12},
        {"1.5", 12}, {" 42", 12}, {"99999999999", 12}, {"$1F", 12},  {"600", 600}, {"-", 12},
    };
    for (ValueCase const& c : cases) {
        spin->SetText(QString::fromLatin1(c.text));
        EXPECT_EQ(spin->Value(), c.value) << "text \"" << c.text << "\"";
    }
}

struct StepCase {
    char const* before;
    int steps;
    int increment;
    char const* after;
};

TEST_F(SpinEditTest, arrows_add_the_step_and_store_the_clamped_result) {
    StepCase const cases[] = {
        {"12", 1, 1, "13"},   {"500", 1, 1, "500"}, {"12", -1, 1, "12"},   {"abc", 1, 1, "13"},
        {"600", 1, 1, "500"}, {"5", -1, 1, "12"},   {"256", 1, 32, "288"}, {"490", 1, 32, "500"},
        {"+20", -1, 1, "19"}, {"", -1, 1, "12"},
    };
    for (StepCase const& c : cases) {
        spin->SetIncrement(c.increment);
        spin->SetText(QString::fromLatin1(c.before));
        spin->SpinBox()->stepBy(c.steps);
        EXPECT_EQ(spin->Text(), QString::fromLatin1(c.after)) << c.before << " stepped " << c.steps;
    }
}

TEST_F(SpinEditTest, up_and_down_keys_step_like_the_arrows) {
    spin->SetText(QStringLiteral("20"));
    Key(Qt::Key_Up, QString());
    EXPECT_EQ(spin->Text(), QStringLiteral("21"));
    Key(Qt::Key_Down, QString());
    Key(Qt::Key_Down, QString());
    EXPECT_EQ(spin->Text(), QStringLiteral("19"));
}

struct LeaveCase {
    char const* before;
    char const* after;
};

TEST_F(SpinEditTest, leaving_clamps_a_numeric_text_and_keeps_any_other) {
    LeaveCase const cases[] = {
        {"600", "500"}, {"5", "12"},      {"-7", "12"}, {"abc", "abc"},
        {"", ""},       {"0042", "0042"}, {"12", "12"}, {"1.5", "1.5"},
    };
    for (LeaveCase const& c : cases) {
        spin->SetText(QString::fromLatin1(c.before));
        Leave();
        EXPECT_EQ(spin->Text(), QString::fromLatin1(c.after)) << "left with \"" << c.before << "\"";
    }
}

TEST_F(SpinEditTest, moving_the_focus_to_another_control_is_leaving) {
    auto* other = new TEdit(form.get());
    other->SetParent(form.get());
    other->SetTop(40);
    form->Show();
    QApplication::setActiveWindow(form->Widget());
    spin->SetFocus();
    QApplication::processEvents();
    spin->SetText(QStringLiteral("900"));
    other->SetFocus();
    QApplication::processEvents();
    EXPECT_EQ(spin->Text(), QStringLiteral("500"));
}

TEST_F(SpinEditTest, text_set_from_code_is_stored_untested) {
    spin->SetText(QStringLiteral("120,abc"));
    EXPECT_EQ(spin->Text(), QStringLiteral("120,abc"));
    EXPECT_EQ(static_cast<QLineEdit*>(spin->SpinBox()->findChild<QLineEdit*>())->text(),
              QStringLiteral("120,abc"));
    EXPECT_TRUE(responder.beeps.empty());
}

struct TypeCase {
    int key;
    char const* text;
    bool accepted;
};

TEST_F(SpinEditTest, typing_accepts_digits_signs_separator_and_control_keys_only) {
    TypeCase const cases[] = {
        {Qt::Key_5, "5", true},       {Qt::Key_Plus, "+", true},     {Qt::Key_Minus, "-", true},
        {Qt::Key_Period, ".", true},  {Qt::Key_A, "a", false},       {Qt::Key_Space, " ", false},
        {Qt::Key_Comma, ",", false},  {Qt::Key_Return, "\r", false}, {Qt::Key_Enter, "\r", false},
        {Qt::Key_Dollar, "$", false},
    };
    for (TypeCase const& c : cases) {
        spin->SetText(QStringLiteral("1"));
        spin->SpinBox()->findChild<QLineEdit*>()->setCursorPosition(1);
        responder.beeps.clear();
        Key(c.key, QString::fromLatin1(c.text));
        if (c.accepted) {
            EXPECT_EQ(spin->Text(), QStringLiteral("1") + QString::fromLatin1(c.text)) << c.text;
            EXPECT_TRUE(responder.beeps.empty()) << c.text;
        } else {
            EXPECT_EQ(spin->Text(), QStringLiteral("1")) << c.text;
            ASSERT_EQ(responder.beeps.size(), 1u) << c.text;
            EXPECT_EQ(responder.beeps[0], 0u);
        }
    }
}

TEST_F(SpinEditTest, backspace_is_a_control_character_and_is_accepted) {
    spin->SetText(QStringLiteral("123"));
    spin->SpinBox()->findChild<QLineEdit*>()->setCursorPosition(3);
    Key(Qt::Key_Backspace, QStringLiteral("\b"));
    EXPECT_EQ(spin->Text(), QStringLiteral("12"));
    EXPECT_TRUE(responder.beeps.empty());
}

TEST_F(SpinEditTest, change_handler_fires_once_per_differing_text) {
    spin->SetText(QStringLiteral("30"));
    spin->SetText(QStringLiteral("30"));
    EXPECT_EQ(changes, 1);
    spin->SpinBox()->stepBy(1);
    EXPECT_EQ(changes, 2);
    spin->SetText(QStringLiteral("500"));
    spin->SpinBox()->stepBy(1); // clamped to the same text: no change
    EXPECT_EQ(changes, 3);
}

TEST_F(SpinEditTest, equal_minimum_and_maximum_mean_no_limits) {
    spin->SetMinValue(0);
    spin->SetMaxValue(0);
    spin->SetText(QStringLiteral("7000"));
    spin->SpinBox()->stepBy(1);
    EXPECT_EQ(spin->Text(), QStringLiteral("7001"));
}

} // namespace
