// WinExec: the two system programs the tuner starts, mapped onto the desktop's own applications.
// "notepad.exe FILE" opens FILE with the desktop's default application for text files (whatever
// the file's extension); "sysedit.exe" opens the four system files of the prefix the same way.
// Nothing goes through a shell.
#include "host/kernel32.h"
#include "host/Launcher.h"
#include "prefix/Prefix.h"
#include "prefix/TextEditor.h"

#include <algorithm>
#include <cctype>

namespace {

// WinExec's results: above 31 on success, an error number otherwise.
constexpr UINT kStarted = 33;
constexpr UINT kFileNotFound = 2;

std::string program_name(std::string program) {
    auto slash = program.find_last_of("\\/");
    if (slash != std::string::npos)
        program.erase(0, slash + 1);
    std::transform(program.begin(), program.end(), program.begin(),
                   [](char c) { return static_cast<char>(std::tolower(static_cast<unsigned char>(c))); });
    if (program.size() > 4 && program.ends_with(".exe"))
        program.resize(program.size() - 4);
    return program;
}

bool open_with_desktop(const std::string& dos_path) {
    auto path = host::Prefix::current().to_host(dos_path);
    if (!path)
        return false;
    return host::launcher().launch(host::text_editor_command(path->string()));
}

} // namespace

extern "C" UINT WinExec(LPCSTR command_line, UINT /*show: desktop applications choose their own window*/) {
    if (!command_line)
        return kFileNotFound;
    auto args = host::split_command_line(command_line);
    if (args.empty())
        return kFileNotFound;
    std::string program = program_name(args[0]);
    bool started = false;
    if (program == "notepad" && args.size() >= 2) {
        // Notepad takes the rest of its command line as one file name.
        std::string file = args[1];
        for (std::size_t i = 2; i < args.size(); ++i)
            file += " " + args[i];
        started = open_with_desktop(file);
    } else if (program == "sysedit") {
        std::string windows = host::Prefix::current().windows_directory();
        for (const std::string& file : {std::string("C:\\AUTOEXEC.BAT"), std::string("C:\\CONFIG.SYS"),
                                        windows + "\\WIN.INI", windows + "\\SYSTEM.INI"})
            started = open_with_desktop(file) || started;
    }
    return started ? kStarted : kFileNotFound;
}
