#include "FileErrors.h"

#include <cerrno>
#include <sys/stat.h>

namespace host {

DWORD windows_error_for(int error, const std::filesystem::path& file) {
    switch (error) {
    case ENOENT: {
        struct stat folder{};
        std::filesystem::path parent = file.parent_path();
        bool folder_exists = !parent.empty() && stat(parent.c_str(), &folder) == 0 && S_ISDIR(folder.st_mode);
        return folder_exists ? ERROR_FILE_NOT_FOUND : ERROR_PATH_NOT_FOUND;
    }
    case ENOTDIR:
    case ENAMETOOLONG:
    case ELOOP:
        return ERROR_PATH_NOT_FOUND;
    default:
        return ERROR_ACCESS_DENIED;
    }
}

}
