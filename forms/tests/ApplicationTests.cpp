// The error box and the information box, answered through the dialog responder.
#include "ModalDialog.h"
#include "TestApplication.h"

#include "forms/Dialogs.h"
#include "forms/StdCtrls.h"
#include "host/DialogResponder.h"
#include "host/user32_dialogs.h"

#include <QAbstractButton>
#include <QMessageBox>

#include <gtest/gtest.h>

namespace {

class ApplicationTest : public ::testing::Test {
  protected:
    void SetUp() override { TestApplication().SetTitle(QStringLiteral("BootFettle by Varn")); }
    host::RecordingDialogResponder responder;
    host::ScopedDialogResponder scope{responder};
};

struct FullStopCase {
    char const* message;
    char const* shown;
};

TEST_F(ApplicationTest, error_box_appends_a_full_stop_when_the_last_character_sorts_after_it) {
    FullStopCase const cases[] = {
        {"Unable to write to c:\\msdos.sys", "Unable to write to c:\\msdos.sys."},
        {"Done.", "Done."},
        {"Why?", "Why?."},  // '?' sorts after '.'
        {"Oops!", "Oops!"}, // '!' sorts before '.'
        {"100%", "100%"},
        {"a/", "a/."}, // '/' is the first character after '.'
        {"x-", "x-"},  // '-' is the last before it
        {"(c)", "(c)"},
        {"", ""},
        {"Error 5", "Error 5."},
    };
    for (FullStopCase const& c : cases) {
        responder.message_boxes.clear();
        TestApplication().ShowException(QString::fromLatin1(c.message));
        ASSERT_EQ(responder.message_boxes.size(), 1u);
        EXPECT_EQ(responder.message_boxes[0].text, std::string(c.shown)) << c.message;
        EXPECT_EQ(responder.message_boxes[0].caption, "BootFettle by Varn");
        EXPECT_EQ(responder.message_boxes[0].style, MB_OK | MB_ICONSTOP);
    }
}

TEST_F(ApplicationTest, exception_in_a_handler_shows_the_error_box_and_the_program_carries_on) {
    TForm form(nullptr);
    auto* button = new TButton(&form);
    int after = 0;
    button->SetOnClick(
        TNotifyEvent([&](TObject*) { throw Exception(QStringLiteral("Unable to write to c:\\msdos.sys")); }));
    button->Click();
    ++after;
    ASSERT_EQ(responder.message_boxes.size(), 1u);
    EXPECT_EQ(responder.message_boxes[0].text, "Unable to write to c:\\msdos.sys.");
    EXPECT_EQ(after, 1);
    button->Click();
    EXPECT_EQ(responder.message_boxes.size(), 2u);
}

TEST_F(ApplicationTest, exception_in_a_nested_handler_stops_the_outer_handler_too) {
    TForm form(nullptr);
    auto* box = new TCheckBox(&form);
    auto* button = new TButton(&form);
    bool outerFinished = false;
    box->SetOnClick(TNotifyEvent([](TObject*) { throw Exception(QStringLiteral("inner")); }));
    button->SetOnClick(TNotifyEvent([&](TObject*) {
        box->SetChecked(true);
        outerFinished = true;
    }));
    button->Click();
    EXPECT_FALSE(outerFinished);
    ASSERT_EQ(responder.message_boxes.size(), 1u);
    EXPECT_EQ(responder.message_boxes[0].text, "inner.");
}

TEST_F(ApplicationTest, information_box_has_the_title_and_one_ok_button) {
    ShowMessage(QStringLiteral("While checked, This disables"));
    ASSERT_EQ(responder.message_boxes.size(), 1u);
    EXPECT_EQ(responder.message_boxes[0].text, "While checked, This disables");
    EXPECT_EQ(responder.message_boxes[0].caption, "BootFettle by Varn");
    EXPECT_EQ(responder.message_boxes[0].style, MB_OK);
}

TEST_F(ApplicationTest, texts_reach_the_boxes_in_the_ansi_code_page_both_ways) {
    QString const text = QString::fromUtf8("Caf\xC3\xA9 \xE2\x82\xAC") + QChar(0x81) + QChar(0x4E2D);
    ShowMessage(text);
    Application->MessageBox(text, QString::fromUtf8("\xC3\xBF"), MB_OK);
    ASSERT_EQ(responder.message_boxes.size(), 2u);
    EXPECT_EQ(responder.message_boxes[0].text, "Caf\xE9 \x80\x81?");
    EXPECT_EQ(responder.message_boxes[1].text, "Caf\xE9 \x80\x81?");
    EXPECT_EQ(responder.message_boxes[1].caption, "\xFF");
    responder.input_answers = {std::string("\xFF\xFE\x9D")};
    EXPECT_EQ(InputBox(QStringLiteral("c"), QStringLiteral("p"), QString::fromUtf8("C:\\Caf\xC3\xA9")),
              QString::fromUtf8("\xC3\xBF\xC3\xBE") + QChar(0x9D));
    ASSERT_EQ(responder.input_boxes.size(), 1u);
    EXPECT_EQ(responder.input_boxes[0].default_text, "C:\\Caf\xE9");
}

struct DefaultButtonCase {
    UINT style;
    int id;
};

TEST(DialogResponder, unanswered_box_takes_its_default_button) {
    DefaultButtonCase const cases[] = {
        {MB_OK, IDOK},
        {MB_OKCANCEL | MB_DEFBUTTON2, IDCANCEL},
        {MB_YESNOCANCEL | MB_DEFBUTTON3, IDCANCEL},
        {MB_YESNO | MB_DEFBUTTON2, IDNO},
        {MB_ABORTRETRYIGNORE | MB_DEFBUTTON2, IDRETRY},
        {MB_YESNO | MB_DEFBUTTON3, IDYES}, // no third button: the first
        {MB_RETRYCANCEL | MB_ICONSTOP, IDRETRY},
    };
    host::RecordingDialogResponder responder;
    host::ScopedDialogResponder scope(responder);
    for (DefaultButtonCase const& c : cases)
        EXPECT_EQ(MessageBoxA(nullptr, "text", "caption", c.style), c.id) << c.style;
}

TEST(DialogResponder, scripted_answers_are_given_in_order_and_requests_recorded) {
    host::RecordingDialogResponder responder;
    responder.answers = {IDNO, IDCANCEL};
    host::ScopedDialogResponder scope(responder);
    EXPECT_EQ(MessageBoxA(nullptr, "first", "A", MB_YESNO), IDNO);
    EXPECT_EQ(MessageBoxA(nullptr, "second", nullptr, MB_OKCANCEL), IDCANCEL);
    MessageBeep(0xFFFFFFFF);
    ASSERT_EQ(responder.message_boxes.size(), 2u);
    EXPECT_EQ(responder.message_boxes[1].caption, "Error"); // a missing caption, as on Windows
    ASSERT_EQ(responder.beeps.size(), 1u);
    EXPECT_EQ(responder.beeps[0], 0xFFFFFFFFu);
}

TEST(DialogResponder, scoped_responder_puts_back_the_previous_one) {
    host::RecordingDialogResponder outer;
    host::ScopedDialogResponder outerScope(outer);
    {
        host::RecordingDialogResponder inner;
        host::ScopedDialogResponder innerScope(inner);
        EXPECT_EQ(host::dialog_responder(), &inner);
    }
    EXPECT_EQ(host::dialog_responder(), &outer);
}

TEST(MessageBoxWithoutResponder, real_box_shows_the_windows_buttons_and_returns_the_one_pressed) {
    TestApplication();
    QStringList texts;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QString caption;
    when_modal_shows<QMessageBox>([&](QMessageBox& box) {
        caption = box.windowTitle();
        icon = box.icon();
        QAbstractButton* no = nullptr;
        for (QAbstractButton* button : box.buttons()) {
            texts << button->text();
            if (button->text() == QStringLiteral("&No"))
                no = button;
        }
        if (no)
            no->click();
    });
    ModalSafetyNet safety_net;
    EXPECT_EQ(
        MessageBoxA(nullptr, "Save the changes?", "BootFettle by Varn", MB_YESNOCANCEL | MB_ICONQUESTION),
        IDNO);
    texts.sort();
    EXPECT_EQ(texts, QStringList({"&No", "&Yes", "Cancel"}));
    EXPECT_EQ(icon, QMessageBox::Question);
    EXPECT_EQ(caption, QStringLiteral("BootFettle by Varn"));
}

TEST(MessageBoxWithoutResponder, real_box_shows_ansi_texts_as_their_characters) {
    TestApplication();
    QString text, caption;
    when_modal_shows<QMessageBox>([&](QMessageBox& box) {
        text = box.text();
        caption = box.windowTitle();
        box.buttons().front()->click();
    });
    ModalSafetyNet safety_net;
    MessageBoxA(nullptr, "Caf\xE9 \x80", "\xFF\xFE", MB_OK);
    EXPECT_EQ(text, QString::fromUtf8("Caf\xC3\xA9 \xE2\x82\xAC"));
    EXPECT_EQ(caption, QString::fromUtf8("\xC3\xBF\xC3\xBE"));
}

} // namespace
