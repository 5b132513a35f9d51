// FindFirstFileA, FindNextFileA and FindClose: the folder of the pattern is found through the
// prefix like every DOS path; its entries are matched against the last component of the pattern
// without regard to case, by their long names and their 8.3 short names. The matches are taken
// when the search starts; FindNextFileA walks them.
#include "host/HostPaths.h"
#include "host/kernel32.h"
#include "prefix/DosAttributes.h"
#include "prefix/Prefix.h"
#include "prefix/ShortNames.h"

#include <sys/stat.h>

#include <cctype>
#include <cstring>
#include <filesystem>
#include <map>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

namespace fs = std::filesystem;

namespace {

struct Search {
    fs::path folder;
    std::vector<std::string> names; // matching entries, in directory order
    std::size_t next = 0;
};

class SearchTable {
  public:
    HANDLE add(Search search) {
        std::lock_guard lock(m_mutex);
        m_next += 4;
        m_searches.emplace(m_next, std::move(search));
        return reinterpret_cast<HANDLE>(m_next);
    }

    // Runs `use` on the search of the handle under the table's lock; false for an unknown handle.
    template <typename Use> bool with(HANDLE handle, Use&& use) {
        std::lock_guard lock(m_mutex);
        const auto found = m_searches.find(reinterpret_cast<std::uintptr_t>(handle));
        if (found == m_searches.end())
            return false;
        use(found->second);
        return true;
    }

    bool remove(HANDLE handle) {
        std::lock_guard lock(m_mutex);
        return m_searches.erase(reinterpret_cast<std::uintptr_t>(handle)) > 0;
    }

  private:
    std::mutex m_mutex;
    std::uintptr_t m_next = 0x5EA0000;
    std::map<std::uintptr_t, Search> m_searches;
};

SearchTable& searches() {
    static SearchTable table;
    return table;
}

char fold(char c) {
    return static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
}

// DOS wildcards: * any run of characters, ? any one character; no case.
bool matches(std::string_view pattern, std::string_view name) {
    std::size_t p = 0, n = 0, star = std::string_view::npos, resume = 0;
    while (n < name.size()) {
        if (p < pattern.size() && (pattern[p] == '?' || fold(pattern[p]) == fold(name[n]))) {
            ++p;
            ++n;
        } else if (p < pattern.size() && pattern[p] == '*') {
            star = p++;
            resume = n;
        } else if (star != std::string_view::npos) {
            p = star + 1;
            n = ++resume;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*')
        ++p;
    return p == pattern.size();
}

bool entry_matches(std::string_view pattern, std::string const& name) {
    if (pattern == "*.*" || matches(pattern, name))
        return true;
    return !host::is_valid_short_name(name) && matches(pattern, host::short_name_of(name));
}

// 100-nanosecond intervals since 1601, from a POSIX time.
FILETIME file_time(struct timespec const& time) {
    constexpr std::uint64_t seconds_1601_to_1970 = 11644473600ull;
    const std::uint64_t ticks =
        (static_cast<std::uint64_t>(time.tv_sec) + seconds_1601_to_1970) * 10000000ull +
        static_cast<std::uint64_t>(time.tv_nsec) / 100;
    return {static_cast<DWORD>(ticks), static_cast<DWORD>(ticks >> 32)};
}

void copy_name(char* target, std::size_t size, std::string const& name) {
    const std::size_t length = std::min(name.size(), size - 1);
    std::memcpy(target, name.data(), length);
    target[length] = '\0';
}

// Fills the entry; false when it vanished since the search started.
bool describe(fs::path const& folder, std::string const& name, WIN32_FIND_DATAA& found) {
    const fs::path path = folder / name;
    struct stat status {};
    if (stat(path.c_str(), &status) != 0)
        return false;
    found = {};
    found.dwFileAttributes = host::get_dos_attributes(path);
    if (found.dwFileAttributes == INVALID_FILE_ATTRIBUTES)
        found.dwFileAttributes = S_ISDIR(status.st_mode) ? FILE_ATTRIBUTE_DIRECTORY : FILE_ATTRIBUTE_NORMAL;
    found.ftCreationTime = file_time(status.st_ctim);
    found.ftLastAccessTime = file_time(status.st_atim);
    found.ftLastWriteTime = file_time(status.st_mtim);
    if (!S_ISDIR(status.st_mode)) {
        const auto size = static_cast<std::uint64_t>(status.st_size);
        found.nFileSizeHigh = static_cast<DWORD>(size >> 32);
        found.nFileSizeLow = static_cast<DWORD>(size);
    }
    copy_name(found.cFileName, sizeof found.cFileName, name);
    if (!host::is_valid_short_name(name) && name != "." && name != "..")
        copy_name(found.cAlternateFileName, sizeof found.cAlternateFileName, host::short_name_of(name));
    return true;
}

// Hands out the next match that still exists.
bool next_entry(Search& search, WIN32_FIND_DATAA* found) {
    while (search.next < search.names.size()) {
        WIN32_FIND_DATAA entry;
        if (describe(search.folder, search.names[search.next++], entry)) {
            *found = entry;
            return true;
        }
    }
    return false;
}

} // namespace

extern "C" {

HANDLE FindFirstFileA(LPCSTR pattern, WIN32_FIND_DATAA* found) {
    if (!pattern || !*pattern || !found) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return INVALID_HANDLE_VALUE;
    }
    const std::string_view text = pattern;
    std::size_t split = text.find_last_of("\\/");
    if (split == std::string_view::npos && text.size() >= 2 && text[1] == ':')
        split = 1;
    const std::string folder_text(split == std::string_view::npos ? std::string_view(".")
                                                                  : text.substr(0, split + 1));
    const std::string_view name_pattern = split == std::string_view::npos ? text : text.substr(split + 1);
    const std::optional<fs::path> folder = host::Prefix::current().to_host(folder_text);
    std::error_code error;
    if (!folder || !fs::is_directory(*folder, error)) {
        SetLastError(ERROR_PATH_NOT_FOUND);
        return INVALID_HANDLE_VALUE;
    }
    Search search;
    search.folder = *folder;
    // Windows lists "." and ".." in every folder but a drive's root.
    const std::optional<std::string> folder_dos = host::Prefix::current().to_dos(*folder);
    if (folder_dos && folder_dos->size() > 3) {
        for (std::string dots : {".", ".."})
            if (matches(name_pattern, dots) || name_pattern == "*.*")
                search.names.push_back(dots);
    }
    for (fs::directory_iterator it(*folder, error), end; !error && it != end; it.increment(error)) {
        const std::string name = it->path().filename().string();
        if (entry_matches(name_pattern, name))
            search.names.push_back(name);
    }
    if (!next_entry(search, found)) {
        SetLastError(ERROR_FILE_NOT_FOUND);
        return INVALID_HANDLE_VALUE;
    }
    return searches().add(std::move(search));
}

BOOL FindNextFileA(HANDLE handle, WIN32_FIND_DATAA* found) {
    if (!found) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    bool more = false;
    if (!searches().with(handle, [&](Search& search) { more = next_entry(search, found); })) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    if (!more)
        SetLastError(ERROR_NO_MORE_FILES);
    return more ? TRUE : FALSE;
}

BOOL FindClose(HANDLE handle) {
    if (!searches().remove(handle)) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    return TRUE;
}

} // extern "C"
