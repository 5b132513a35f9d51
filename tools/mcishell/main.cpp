// mcishell: an MCI command shell over the host layer.

#include "CallbackWindow.h"
#include "McishellOptions.h"

#include "host/winmm.h"

#include <QApplication>

#include <cstdio>
#include <poll.h>
#include <string>
#include <unistd.h>

namespace {

// Sends one command and prints its line at once, so that a caller reading a pipe sees each
// answer as soon as it exists.
void run_command(const std::string& command, HWND callback_window) {
    char reply[1024] = "";
    MCIERROR code = mciSendStringA(command.c_str(), reply, sizeof reply, callback_window);
    if (code == 0) {
        std::printf("0\t%s\n", reply);
    } else {
        char text[MAXERRORLENGTH] = "";
        if (!mciGetErrorStringA(code, text, sizeof text))
            std::snprintf(text, sizeof text, "Unknown MCI error.");
        std::printf("%u\t%s\n", code, text);
    }
    std::fflush(stdout);
    CallbackWindow::pump_messages();
}

void run_line(std::string line, HWND callback_window) {
    if (!line.empty() && line.back() == '\r')
        line.pop_back();
    if (line.find_first_not_of(" \t") != std::string::npos)
        run_command(line, callback_window);
}

// Reads standard input line by line; while it waits, the windows and the callback window's
// messages are kept going, so that a playing device shows its pictures.
void run_standard_input(HWND callback_window) {
    std::string pending;
    char buffer[4096];
    for (;;) {
        pollfd input{STDIN_FILENO, POLLIN, 0};
        if (poll(&input, 1, 20) <= 0) {
            CallbackWindow::pump_messages();
            continue;
        }
        ssize_t count = read(STDIN_FILENO, buffer, sizeof buffer);
        if (count <= 0)
            break;
        pending.append(buffer, static_cast<std::size_t>(count));
        for (std::size_t end; (end = pending.find('\n')) != std::string::npos; pending.erase(0, end + 1))
            run_line(pending.substr(0, end), callback_window);
    }
    run_line(pending, callback_window);
}

} // namespace

int main(int argc, char** argv) {
    McishellOptions options = parse_options(argc, argv);
    if (!options.error.empty()) {
        std::fprintf(stderr, "mcishell: %s\n%s", options.error.c_str(), mcishell_usage);
        return 2;
    }
    if (options.help) {
        std::fputs(mcishell_usage, stdout);
        return 0;
    }
    // Without --show the devices' windows live on the offscreen platform. With it they are placed
    // at screen positions, which only X11 allows: a Wayland session shows them through XWayland,
    // unless the user chose a Qt platform.
    if (!options.show)
        qputenv("QT_QPA_PLATFORM", "offscreen");
    else if (qgetenv("QT_QPA_PLATFORM").isEmpty())
        qputenv("QT_QPA_PLATFORM", "xcb");
    QApplication application(argc, argv);
    CallbackWindow callback(options.print_messages);

    if (!options.commands.empty()) {
        for (const std::string& command : options.commands)
            run_command(command, callback.handle());
    } else {
        run_standard_input(callback.handle());
    }
    mciSendStringA("close all", nullptr, 0, nullptr);
    CallbackWindow::pump_messages();
    return 0;
}
