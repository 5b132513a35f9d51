// Starting outside programs. WinExec turns a Windows command line into a host program and its
// arguments and hands them to the launcher, which starts them detached and without any shell.
// Tests install their own launcher to see what would have been started.
#pragma once

#include <string>
#include <vector>

namespace host {

class Launcher {
public:
    virtual ~Launcher() = default;
    // Starts argv[0] (found on PATH) with the other elements as its arguments, each one literal.
    // True when the program was started.
    virtual bool launch(const std::vector<std::string>& argv) = 0;
};

// Installs a launcher for the whole process; nullptr restores the one that starts programs.
void set_launcher(Launcher* launcher);
Launcher& launcher();

// Splits a command line by the Windows rules: blanks separate arguments outside double quotes;
// 2n backslashes before a quote give n backslashes and toggle quoting, 2n+1 give n and a literal
// quote; other backslashes are literal. The program name ends at the first blank or its closing
// quote, with no escapes.
std::vector<std::string> split_command_line(const std::string& command_line);

}
