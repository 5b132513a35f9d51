// Setting a text or state from code fires the change (click) handler only when the value differs.
#include "TestApplication.h"

#include "forms/StdCtrls.h"

#include <QCheckBox>
#include <QLineEdit>

#include <gtest/gtest.h>

namespace {

class ChangeEventTest : public ::testing::Test {
  protected:
    void SetUp() override {
        TestApplication();
        form = std::make_unique<TForm>(nullptr);
    }
    std::unique_ptr<TForm> form;
    int fired = 0;
    TNotifyEvent Counter() {
        return TNotifyEvent([this](TObject*) { ++fired; });
    }
};

TEST_F(ChangeEventTest, edit_text_from_code_fires_only_when_it_differs) {
    auto* edit = new TEdit(form.get());
    edit->SetOnChange(Counter());
    edit->SetText(QStringLiteral("1"));
    edit->SetText(QStringLiteral("1"));
    EXPECT_EQ(fired, 1);
    edit->SetText(QStringLiteral("0"));
    EXPECT_EQ(fired, 2);
    EXPECT_EQ(edit->LineEdit()->text(), QStringLiteral("0"));
}

TEST_F(ChangeEventTest, edit_typed_text_fires_once_and_is_the_text) {
    auto* edit = new TEdit(form.get());
    edit->SetOnChange(Counter());
    edit->LineEdit()->setText(QStringLiteral("C:\\WINDOWS"));
    EXPECT_EQ(fired, 1);
    EXPECT_EQ(edit->Text(), QStringLiteral("C:\\WINDOWS"));
}

TEST_F(ChangeEventTest, check_box_state_from_code_clicks_only_when_it_differs) {
    auto* box = new TCheckBox(form.get());
    box->SetOnClick(Counter());
    box->SetChecked(false);
    EXPECT_EQ(fired, 0);
    box->SetChecked(true);
    box->SetChecked(true);
    EXPECT_EQ(fired, 1);
    EXPECT_TRUE(static_cast<QCheckBox*>(box->Widget())->isChecked());
}

TEST_F(ChangeEventTest, check_box_user_click_toggles_and_clicks_once) {
    auto* box = new TCheckBox(form.get());
    box->SetOnClick(Counter());
    static_cast<QCheckBox*>(box->Widget())->click();
    EXPECT_TRUE(box->Checked());
    EXPECT_EQ(fired, 1);
}

TEST_F(ChangeEventTest, handler_sees_the_new_value) {
    auto* box = new TCheckBox(form.get());
    auto* mirror = new TEdit(form.get());
    box->SetOnClick(TNotifyEvent(
        [&](TObject*) { mirror->SetText(box->Checked() ? QStringLiteral("1") : QStringLiteral("0")); }));
    box->SetChecked(true);
    EXPECT_EQ(mirror->Text(), QStringLiteral("1"));
    box->SetChecked(false);
    EXPECT_EQ(mirror->Text(), QStringLiteral("0"));
}

} // namespace
