// guard_probe: a program that carries the single-instance guard, run by the tests under the file
// name a case needs (copied as TUNER.EXE, tuner.exe, ...).
//
//   guard_probe [window=TITLE] [wait]
//
// It comes up as the tuner does (the application object first, which runs the start-up
// detection); with window=TITLE it shows a top-level window so titled and prints
// "window <X window id>" once the window is on the screen; with `wait` it then waits for a line
// on its input; then it makes a TJustOne32, as loading a form does. A copy that gets past that
// prints "running" and keeps its window until its input ends.
#include "Just1_32.h"

#include "forms/Forms.h"

#include <QElapsedTimer>
#include <QSocketNotifier>
#include <QWidget>
#include <QWindow>

#include <cstdio>
#include <iostream>
#include <memory>
#include <string>
#include <unistd.h>

namespace {

struct Options {
    std::string title;
    bool show = false;
    bool wait = false;
};

Options read_options(int argc, char** argv) {
    Options options;
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        if (argument.rfind("window=", 0) == 0) {
            options.show = true;
            options.title = argument.substr(7);
        } else if (argument == "wait") {
            options.wait = true;
        }
    }
    return options;
}

void wait_until_exposed(QWidget& widget) {
    QElapsedTimer timer;
    timer.start();
    while (!(widget.windowHandle() && widget.windowHandle()->isExposed()) && timer.elapsed() < 30000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
}

} // namespace

int main(int argc, char** argv) {
    const Options options = read_options(argc, argv);
    int application_argc = 1; // the options are the probe's, not Qt's
    TApplication application(application_argc, argv);

    std::unique_ptr<QWidget> window;
    if (options.show) {
        window = std::make_unique<QWidget>();
        window->setWindowTitle(QString::fromStdString(options.title));
        window->resize(240, 160);
        window->show();
        wait_until_exposed(*window);
        std::printf("window %llu\n", static_cast<unsigned long long>(window->winId()));
        std::fflush(stdout);
    }
    if (options.wait) {
        std::string line;
        std::getline(std::cin, line);
    }

    TComponent owner(nullptr);
    new TJustOne32(&owner);

    std::puts("running");
    std::fflush(stdout);
    QSocketNotifier input(STDIN_FILENO, QSocketNotifier::Read);
    QObject::connect(&input, &QSocketNotifier::activated, [&input] {
        char buffer[256];
        if (read(STDIN_FILENO, buffer, sizeof buffer) <= 0) {
            input.setEnabled(false);
            QCoreApplication::quit();
        }
    });
    return QCoreApplication::exec();
}
