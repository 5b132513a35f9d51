#include "TempPrefix.h"

#include "host/HostPaths.h"

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace fs = std::filesystem;

TempPrefix::TempPrefix() {
    std::string pattern = (fs::temp_directory_path() / "dosprefix-test-XXXXXX").string();
    if (!mkdtemp(pattern.data()))
        throw std::runtime_error("cannot make a temporary folder");
    m_folder = pattern;
    m_root = m_folder / "prefix";
    if (const char* saved = std::getenv("DOSPREFIX")) {
        m_had_prefix = true;
        m_saved_prefix = saved;
    }
    setenv("DOSPREFIX", m_root.c_str(), 1);
    host::reset_prefix();
    host::prefix_root();
}

TempPrefix::~TempPrefix() {
    host::reset_prefix();
    if (m_had_prefix)
        setenv("DOSPREFIX", m_saved_prefix.c_str(), 1);
    else
        unsetenv("DOSPREFIX");
    std::error_code error;
    // Tests leave read-only files and folders behind; make them removable.
    for (auto it = fs::recursive_directory_iterator(m_folder, error); !error && it != fs::recursive_directory_iterator(); it.increment(error))
        if (!it->is_symlink(error))
            fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, error);
    fs::permissions(m_folder, fs::perms::owner_all, fs::perm_options::add, error);
    fs::remove_all(m_folder, error);
}

fs::path TempPrefix::host(std::string_view dos_path) const {
    auto path = host::host_path_of(dos_path);
    if (!path)
        throw std::runtime_error("no such drive: " + std::string(dos_path));
    return *path;
}

void TempPrefix::write(std::string_view dos_path, std::string_view bytes) const {
    fs::path path = host(dos_path);
    fs::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
}

std::string TempPrefix::read(std::string_view dos_path) const {
    std::ifstream in(host(dos_path), std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}
