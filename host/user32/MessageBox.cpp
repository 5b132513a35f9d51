// MessageBoxA and MessageBeep on Qt. A dialog responder, when installed, answers instead of the
// real dialog (dialog_responder.h).
#include "host/AnsiCodePage.h"
#include "host/DialogFrame.h"
#include "host/DialogResponder.h"
#include "host/user32.h"
#include "host/user32_dialogs.h"

#include "host/GuiThread.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

#include <array>
#include <cstdio>

namespace {

struct BoxButton {
    int id;
    char const* text;
    QMessageBox::ButtonRole role;
};

// The buttons of each MB_TYPEMASK value, left to right, with the Windows captions.
constexpr BoxButton ok{IDOK, "OK", QMessageBox::AcceptRole};
constexpr BoxButton cancel{IDCANCEL, "Cancel", QMessageBox::RejectRole};
constexpr BoxButton abort_{IDABORT, "&Abort", QMessageBox::RejectRole};
constexpr BoxButton retry{IDRETRY, "&Retry", QMessageBox::AcceptRole};
constexpr BoxButton ignore{IDIGNORE, "&Ignore", QMessageBox::AcceptRole};
constexpr BoxButton yes{IDYES, "&Yes", QMessageBox::YesRole};
constexpr BoxButton no{IDNO, "&No", QMessageBox::NoRole};
constexpr BoxButton none{0, nullptr, QMessageBox::InvalidRole};

constexpr std::array<std::array<BoxButton, 3>, 6> box_buttons{{
    {ok, none, none},
    {ok, cancel, none},
    {abort_, retry, ignore},
    {yes, no, cancel},
    {yes, no, none},
    {retry, cancel, none},
}};

QMessageBox::Icon icon_of(UINT style) {
    switch (style & MB_ICONMASK) {
    case MB_ICONHAND:
        return QMessageBox::Critical;
    case MB_ICONQUESTION:
        return QMessageBox::Question;
    case MB_ICONEXCLAMATION:
        return QMessageBox::Warning;
    case MB_ICONASTERISK:
        return QMessageBox::Information;
    default:
        return QMessageBox::NoIcon;
    }
}

int run_qt_box(HWND owner, QString const& caption, QString const& text, UINT style) {
    QWidget* parent = owner ? host::window_widget(owner) : nullptr;
    QMessageBox box(icon_of(style), caption, text, QMessageBox::NoButton,
                    parent ? parent : QApplication::activeWindow());
    UINT const type = style & MB_TYPEMASK;
    auto const& buttons_of_type = box_buttons[type < box_buttons.size() ? type : 0];
    int const default_id = host::default_button_id(style);
    std::array<QAbstractButton*, 3> buttons{};
    for (size_t i = 0; i < buttons_of_type.size() && buttons_of_type[i].text; ++i) {
        QPushButton* button =
            box.addButton(QString::fromLatin1(buttons_of_type[i].text), buttons_of_type[i].role);
        buttons[i] = button;
        if (buttons_of_type[i].id == default_id)
            box.setDefaultButton(button);
        // Escape and the close box answer Cancel when there is one, OK on a lone OK box.
        if (buttons_of_type[i].id == IDCANCEL || (type == MB_OK && buttons_of_type[i].id == IDOK))
            box.setEscapeButton(button);
    }
    // Without an escape button (Yes/No, Abort/Retry/Ignore) the close button is greyed, as on Windows.
    host::add_dialog_frame(box, box.escapeButton() != nullptr);
    box.exec();
    for (size_t i = 0; i < buttons.size(); ++i)
        if (buttons[i] && box.clickedButton() == buttons[i])
            return buttons_of_type[i].id;
    return box.escapeButton() ? IDCANCEL : default_id;
}

} // namespace

extern "C" int MessageBoxA(HWND owner, LPCSTR text, LPCSTR caption, UINT type) {
    // A missing caption is "Error", as on Windows.
    std::string const caption_text = caption ? caption : "Error";
    std::string const body = text ? text : "";
    if (host::DialogResponder* responder = host::dialog_responder())
        return responder->message_box({caption_text, body, type});
    if (!host::user32::ensure_application()) {
        // No GUI to show it on: report on the console and take the default button.
        std::fprintf(stderr, "%s: %s\n", host::from_ansi(caption_text).toUtf8().constData(), host::from_ansi(body).toUtf8().constData());
        return host::default_button_id(type);
    }
    return run_qt_box(owner, host::from_ansi(caption_text), host::from_ansi(body), type);
}

extern "C" BOOL MessageBeep(UINT type) {
    if (host::DialogResponder* responder = host::dialog_responder()) {
        responder->beep(type);
        return TRUE;
    }
    if (qobject_cast<QApplication*>(QCoreApplication::instance()))
        QApplication::beep();
    return TRUE;
}
