// The prefix's side of the process's DOS current directory and of full paths.
#include "Prefix.h"

#include "DosPathText.h"
#include "FileErrors.h"
#include "host/kernel32.h"

#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace host {

std::string Prefix::current_directory() const {
    std::lock_guard lock(m_current_mutex);
    struct stat here{};
    bool have_here = stat(".", &here) == 0;
    if (m_current && have_here && m_current->device == here.st_dev && m_current->inode == here.st_ino)
        return m_current->dos;
    if (have_here) {
        std::error_code error;
        fs::path working = fs::current_path(error);
        if (!error)
            if (auto dos = to_dos(working)) {
                m_current = CurrentDirectory{*dos, here.st_dev, here.st_ino};
                return *dos;
            }
    }
    // A working directory that no drive holds is never where a DOS path starts.
    return m_current ? m_current->dos : std::string("C:\\");
}

DWORD Prefix::set_current_directory(std::string_view dos_path) {
    if (dos_path.empty())
        return ERROR_INVALID_NAME;
    auto full = full_path(dos_path);
    if (!full)
        return ERROR_PATH_NOT_FOUND;
    // The current directory is kept with a trailing backslash in MAX_PATH characters.
    if (full->size() > MAX_PATH - 2)
        return ERROR_FILENAME_EXCED_RANGE;
    auto folder = to_host(*full);
    if (!folder)
        return ERROR_PATH_NOT_FOUND;
    struct stat st{};
    if (stat(folder->c_str(), &st) != 0)
        return windows_error_for(errno, *folder);
    if (!S_ISDIR(st.st_mode))
        return ERROR_DIRECTORY;
    if (chdir(folder->c_str()) != 0)
        return windows_error_for(errno, *folder);
    std::lock_guard lock(m_current_mutex);
    m_current = CurrentDirectory{*full, st.st_dev, st.st_ino};
    return ERROR_SUCCESS;
}

std::optional<std::string> Prefix::full_path(std::string_view dos_path, bool keep_trailing_separator) const {
    std::string current = is_absolute_dos_path(dos_path) ? std::string() : current_directory();
    return full_dos_path(dos_path, current, keep_trailing_separator);
}

}
