// The input box: the real modal dialog, and the answers a dialog responder gives in its place.
#include "DialogFrameCheck.h"
#include "ModalDialog.h"
#include "TestApplication.h"

#include "forms/Dialogs.h"
#include "host/DialogResponder.h"

#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>

#include <gtest/gtest.h>

namespace {

// Runs `answer` on the dialog once it is shown.
void WhenShown(std::function<void(QDialog*)> answer) {
    when_modal_shows<QDialog>([answer](QDialog& dialog) { answer(&dialog); });
}

QPushButton* ButtonNamed(QDialog* dialog, QString const& text) {
    for (QPushButton* button : dialog->findChildren<QPushButton*>())
        if (button->text().remove(u'&') == text)
            return button;
    return nullptr;
}

TEST(InputBox, ok_returns_the_typed_text_with_the_default_shown_selected) {
    TestApplication();
    WhenShown([](QDialog* dialog) {
        EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Caption"));
        EXPECT_EQ(dialog_frame_fault(*dialog), "");
        auto* edit = dialog->findChild<QLineEdit*>();
        ASSERT_NE(edit, nullptr);
        EXPECT_EQ(edit->selectedText(), QStringLiteral("C:\\WINDOWS"));
        EXPECT_EQ(edit->maxLength(), 255);
        EXPECT_TRUE(ButtonNamed(dialog, QStringLiteral("OK"))->isDefault());
        edit->setText(QStringLiteral("D:\\WIN"));
        ButtonNamed(dialog, QStringLiteral("OK"))->click();
    });
    EXPECT_EQ(InputBox(QStringLiteral("Caption"), QStringLiteral("Prompt"), QStringLiteral("C:\\WINDOWS")),
              QStringLiteral("D:\\WIN"));
}

TEST(InputBox, cancel_returns_the_default_unchanged) {
    TestApplication();
    WhenShown([](QDialog* dialog) {
        dialog->findChild<QLineEdit*>()->setText(QStringLiteral("typed"));
        ButtonNamed(dialog, QStringLiteral("Cancel"))->click();
    });
    EXPECT_EQ(InputBox(QStringLiteral("Caption"), QStringLiteral("Prompt"), QStringLiteral("C:\\WINDOWS")),
              QStringLiteral("C:\\WINDOWS"));
}

TEST(InputBox, a_responder_answers_in_place_of_the_dialog_and_its_cancel_gives_the_default) {
    TestApplication();
    host::RecordingDialogResponder responder;
    host::ScopedDialogResponder scoped(responder);
    responder.input_answers = {std::string(300, 'x'), std::nullopt};
    EXPECT_EQ(InputBox(QStringLiteral("C"), QStringLiteral("P"), QStringLiteral("D")), QString(255, u'x'));
    EXPECT_EQ(InputBox(QStringLiteral("C"), QStringLiteral("P"), QStringLiteral("D")), QStringLiteral("D"));
    ASSERT_EQ(responder.input_boxes.size(), 2u);
    EXPECT_EQ(responder.input_boxes[0].caption, "C");
    EXPECT_EQ(responder.input_boxes[0].prompt, "P");
    EXPECT_EQ(responder.input_boxes[0].default_text, "D");
}

} // namespace
