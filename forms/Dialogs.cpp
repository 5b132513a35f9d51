#include "forms/Dialogs.h"

#include "forms/Classes.h"
#include "host/AnsiCodePage.h"
#include "host/DialogFrame.h"
#include "host/DialogResponder.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

namespace {

constexpr int InputBoxTextLimit = 255;

QString RunInputDialog(QString const& caption, QString const& prompt, QString const& text) {
    QDialog dialog;
    dialog.setWindowTitle(caption);
    host::add_dialog_frame(dialog);
    auto* layout = new QVBoxLayout(&dialog);
    layout->addWidget(new QLabel(prompt));
    auto* edit = new QLineEdit;
    edit->setMaxLength(InputBoxTextLimit);
    edit->setText(text);
    edit->selectAll();
    layout->addWidget(edit);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    buttons->button(QDialogButtonBox::Ok)->setDefault(true);
    layout->addWidget(buttons);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    dialog.setMinimumWidth(360);
    dialog.adjustSize();
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect const area = screen->availableGeometry();
        dialog.move(area.center() - QPoint(dialog.width() / 2, dialog.height() / 2));
    }
    edit->setFocus();
    // Handlers run by the box's own event loop are on their own.
    TEventLoopScope scope;
    return dialog.exec() == QDialog::Accepted ? edit->text() : text;
}

} // namespace

QString InputBox(QString const& ACaption, QString const& APrompt, QString const& ADefault) {
    if (host::DialogResponder* responder = host::dialog_responder()) {
        auto const answer = responder->input_box(
            {host::to_ansi(ACaption), host::to_ansi(APrompt), host::to_ansi(ADefault)});
        return answer ? host::from_ansi(*answer).left(InputBoxTextLimit) : ADefault;
    }
    return RunInputDialog(ACaption, APrompt, ADefault);
}
