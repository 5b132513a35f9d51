// The application object: title, forms, message loop, error and information boxes.
#include "forms/Forms.h"

#include "host/AnsiCodePage.h"
#include "host/user32_dialogs.h"

#include <QStyleFactory>

TApplication* Application = nullptr;

namespace {

// The Windows 95 standard scheme for the widgets Qt draws itself.
QPalette Windows95Palette() {
    QPalette palette;
    auto set = [&](QPalette::ColorRole role, int index) { palette.setColor(role, SystemColor(index)); };
    set(QPalette::Window, 15);
    set(QPalette::WindowText, 8);
    set(QPalette::Base, 5);
    set(QPalette::AlternateBase, 5);
    set(QPalette::Text, 8);
    set(QPalette::Button, 15);
    set(QPalette::ButtonText, 18);
    set(QPalette::Light, 20);
    set(QPalette::Midlight, 22);
    set(QPalette::Mid, 16);
    set(QPalette::Dark, 16);
    set(QPalette::Shadow, 21);
    set(QPalette::Highlight, 13);
    set(QPalette::HighlightedText, 14);
    set(QPalette::ToolTipBase, 24);
    set(QPalette::ToolTipText, 23);
    palette.setColor(QPalette::Disabled, QPalette::WindowText, SystemColor(17));
    palette.setColor(QPalette::Disabled, QPalette::Text, SystemColor(17));
    palette.setColor(QPalette::Disabled, QPalette::ButtonText, SystemColor(17));
    return palette;
}

} // namespace

TApplication::TApplication(int& argc, char** argv) : TComponent(nullptr) {
    if (!QApplication::instance())
        m_OwnQApplication = std::make_unique<QApplication>(argc, argv);
    if (QStyle* style = QStyleFactory::create(QStringLiteral("Windows")))
        QApplication::setStyle(style);
    QApplication::setPalette(Windows95Palette());
    QApplication::setFont(TFont().ToQFont());
    m_Title = QCoreApplication::applicationName();
    Application = this;
    RegisterFormClasses();
    SetExceptionHandler([this](std::exception_ptr error) { HandleException(error); });
}

TApplication::~TApplication() {
    SetExceptionHandler(nullptr);
    // The forms go before the Qt application they live in.
    DestroyComponents();
    if (Application == this)
        Application = nullptr;
}

int TApplication::Run() {
    if (!m_MainForm)
        return 0;
    m_MainForm->Show();
    TEventLoopScope scope;
    return QApplication::exec();
}

void TApplication::Terminate() {
    QCoreApplication::quit();
}

void TApplication::ProcessMessages() {
    TEventLoopScope scope;
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}

void TApplication::ShowException(QString const& Message) {
    MessageBox(ErrorBoxText(Message), m_Title, MB_OK | MB_ICONSTOP);
}

void TApplication::HandleException(std::exception_ptr Error) {
    try {
        std::rethrow_exception(Error);
    } catch (Exception const& e) {
        ShowException(e.Message());
    } catch (std::exception const& e) {
        ShowException(QString::fromLocal8Bit(e.what()));
    } catch (...) {
        ShowException(QStringLiteral("Unknown error"));
    }
}

int TApplication::MessageBox(QString const& Text, QString const& Caption, unsigned Flags) {
    // Handlers run by the box's own event loop are on their own.
    TEventLoopScope scope;
    QString const caption = Caption.isEmpty() ? m_Title : Caption;
    return MessageBoxA(nullptr, host::to_ansi(Text).c_str(), host::to_ansi(caption).c_str(), Flags);
}

void TApplication::Notification(TComponent* AComponent, bool Inserted) {
    TComponent::Notification(AComponent, Inserted);
    if (!Inserted && AComponent == m_MainForm)
        m_MainForm = nullptr;
}

void ShowMessage(QString const& Msg) {
    QString const title = Application ? Application->Title() : QCoreApplication::applicationName();
    TEventLoopScope scope;
    MessageBoxA(nullptr, host::to_ansi(Msg).c_str(), host::to_ansi(title).c_str(), MB_OK);
}
