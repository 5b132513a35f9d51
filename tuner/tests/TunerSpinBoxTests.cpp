// The tuner's spin boxes under the user's hands: arrows step and clamp to each box's range,
// leaving the box clamps a number but keeps any other text, typing refuses other keys with a beep.
#include "TunerFixture.h"

#include <QAbstractSpinBox>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>

namespace {

struct StepCase {
    const char* name;
    const char* start;
    int steps;
    const char* expected;
};

void Leave(TWinControl* control) {
    QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
    QCoreApplication::sendEvent(control->Widget(), &out);
}

TEST_F(TunerTest, arrows_step_by_the_increment_and_clamp_to_the_range) {
    TForm1& f = Open();
    StepCase const cases[] = {
        {"SpinEdit1", "2", 1, "2"},
        {"SpinEdit1", "1", -1, "0"},
        {"SpinEdit2", "512", 1, "544"},
        {"SpinEdit2", "260", -1, "256"},
        {"SpinEdit3", "15999990", 1, "16000000"},
        {"SpinEdit4", "12", -1, "12"},
        {"SpinEdit5", "99", 1, "99"},
        {"SpinEdit6", "0", -1, "0"},
        {"SpinEdit7", "abc", 1, "2"},
    };
    for (StepCase const& c : cases) {
        auto* spin = f.FindComponent<TSpinEdit>(QString::fromLatin1(c.name));
        spin->SetText(QString::fromLatin1(c.start));
        spin->Step(c.steps);
        EXPECT_EQ(spin->Text(), QString::fromLatin1(c.expected)) << c.name << " from " << c.start;
    }
}

TEST_F(TunerTest, leaving_a_spin_box_clamps_numbers_and_keeps_other_text) {
    TForm1& f = Open();
    f.SpinEdit4->SetText(QStringLiteral("600"));
    EXPECT_EQ(f.SpinEdit4->Text(), QStringLiteral("600")); // shown as set until the user leaves
    Leave(f.SpinEdit4);
    EXPECT_EQ(f.SpinEdit4->Text(), QStringLiteral("500"));
    f.SpinEdit5->SetText(QStringLiteral("lots"));
    Leave(f.SpinEdit5);
    EXPECT_EQ(f.SpinEdit5->Text(), QStringLiteral("lots"));
    // The mirror copies the text, whatever it is.
    f.Timer1Timer(f.Timer1);
    EXPECT_EQ(f.Edit13->Text(), QStringLiteral("lots"));
}

TEST_F(TunerTest, typing_a_letter_into_a_spin_box_is_refused_with_a_beep) {
    TForm1& f = Open();
    QWidget* editor = f.SpinEdit2->SpinBox()->findChild<QLineEdit*>();
    ASSERT_NE(editor, nullptr);
    QString const before = f.SpinEdit2->Text();
    QKeyEvent letter(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, QStringLiteral("a"));
    QCoreApplication::sendEvent(f.SpinEdit2->SpinBox(), &letter);
    EXPECT_EQ(f.SpinEdit2->Text(), before);
    EXPECT_EQ(responder.beeps.size(), 1u);
}

} // namespace
