#include "host/GuiThread.h"

#include "host/user32.h"
#include "host/mci/MessagePoster.h"

#include <QApplication>
#include <QThread>

#include <chrono>

// The MCI layer is an optional part of the library; without it this symbol stays null.
namespace host::mci {
[[gnu::weak]] MessagePoster set_message_poster(MessagePoster poster);
}

namespace host::user32 {
namespace {

void install_mci_poster() {
    static bool installed = false;
    if (installed || !host::mci::set_message_poster)
        return;
    installed = true;
    host::mci::set_message_poster(
        [](void* hwnd, unsigned message, std::uintptr_t wparam, std::intptr_t lparam) {
            PostMessageA(static_cast<HWND>(hwnd), message, wparam, lparam);
        });
}

} // namespace

bool ensure_application() {
    if (!QCoreApplication::instance()) {
        static int argc = 1;
        static char name[] = "host";
        static char* argv[] = {name, nullptr};
        new QApplication(argc, argv); // lives as long as the process
    }
    install_mci_poster();
    return qobject_cast<QApplication*>(QCoreApplication::instance()) != nullptr;
}

bool on_gui_thread() {
    auto* application = QCoreApplication::instance();
    return !application || QThread::currentThread() == application->thread();
}

void run_on_gui_thread(void (*function)(void*), void* context) {
    auto* application = QCoreApplication::instance();
    if (!application || on_gui_thread()) {
        function(context);
        return;
    }
    QMetaObject::invokeMethod(
        application, [function, context] { function(context); }, Qt::BlockingQueuedConnection);
}

bool has_window_system() {
    const QString platform = QGuiApplication::platformName();
    return platform != QLatin1String("offscreen") && platform != QLatin1String("minimal");
}

unsigned long tick_count() {
    static auto const start = std::chrono::steady_clock::now();
    auto const elapsed = std::chrono::steady_clock::now() - start;
    return static_cast<unsigned long>(std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count());
}

} // namespace host::user32
