// FindFirstFileA, FindNextFileA and FindClose over the folders of the prefix. A search takes
// the matching names when it starts; a handle is the address of its search, known in a table of
// the open ones so that a stale or made-up handle is refused, not followed.
#include "host/kernel32.h"
#include "prefix/DosAttributes.h"
#include "prefix/DosPathText.h"
#include "prefix/Prefix.h"
#include "prefix/ShortNames.h"
#include "Wildcards.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <memory>
#include <mutex>
#include <new>
#include <set>
#include <sys/stat.h>
#include <vector>

namespace fs = std::filesystem;

using namespace host;

namespace {

struct Search {
    std::vector<WIN32_FIND_DATAA> entries;
    std::size_t next = 0;
};

std::mutex g_searches_mutex;
std::set<Search*> g_searches;

FILETIME file_time(const struct statx_timestamp& time) {
    constexpr std::int64_t kSecondsFrom1601To1970 = 11644473600;
    std::int64_t seconds = std::max<std::int64_t>(time.tv_sec + kSecondsFrom1601To1970, 0);
    auto ticks = static_cast<std::uint64_t>(seconds) * 10000000u + time.tv_nsec / 100u;
    return {static_cast<DWORD>(ticks & 0xFFFFFFFFu), static_cast<DWORD>(ticks >> 32)};
}

// The 8.3 name Windows reports beside a long name (`name`, the ANSI spelling of the host name);
// none for a name that is one already.
std::string alternate_name(std::string_view name, std::string_view host_name) {
    if (name == "." || name == ".." || is_valid_short_name(name))
        return {};
    return short_name_of(host_name);
}

bool name_matches(std::string_view pattern, std::string_view name, std::string_view host_name) {
    if (matches_dos_pattern(pattern, name))
        return true;
    std::string alternate = alternate_name(name, host_name);
    return !alternate.empty() && matches_dos_pattern(pattern, alternate);
}

// The entry of a search for a host file, under the name it is listed with (ANSI) and its host
// name. Nothing when the file cannot be looked at (a dangling link, a name that went away).
std::optional<WIN32_FIND_DATAA> describe(const fs::path& file, std::string_view name, std::string_view host_name) {
    struct statx st{};
    if (statx(AT_FDCWD, file.c_str(), 0, STATX_BASIC_STATS | STATX_BTIME, &st) != 0 || name.size() >= MAX_PATH)
        return std::nullopt;
    DWORD attributes = get_dos_attributes(file);
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return std::nullopt;
    WIN32_FIND_DATAA data{};
    data.dwFileAttributes = attributes;
    data.ftCreationTime = file_time((st.stx_mask & STATX_BTIME) ? st.stx_btime : st.stx_mtime);
    data.ftLastAccessTime = file_time(st.stx_atime);
    data.ftLastWriteTime = file_time(st.stx_mtime);
    if (!S_ISDIR(st.stx_mode)) {
        data.nFileSizeHigh = static_cast<DWORD>(st.stx_size >> 32);
        data.nFileSizeLow = static_cast<DWORD>(st.stx_size & 0xFFFFFFFFu);
    }
    std::memcpy(data.cFileName, name.data(), name.size());
    std::string alternate = alternate_name(name, host_name);
    std::memcpy(data.cAlternateFileName, alternate.data(), std::min(alternate.size(), sizeof data.cAlternateFileName - 1));
    return data;
}

bool less_ignoring_case(const WIN32_FIND_DATAA& a, const WIN32_FIND_DATAA& b) {
    return std::lexicographical_compare(a.cFileName, a.cFileName + std::strlen(a.cFileName), b.cFileName,
                                        b.cFileName + std::strlen(b.cFileName), [](char x, char y) {
                                            return std::toupper(static_cast<unsigned char>(x)) <
                                                   std::toupper(static_cast<unsigned char>(y));
                                        });
}

// The matching entries of a host folder: "." and ".." first unless it is a drive's root.
std::vector<WIN32_FIND_DATAA> list_folder(const fs::path& folder, bool drive_root, std::string_view pattern) {
    std::vector<WIN32_FIND_DATAA> found;
    if (!drive_root) {
        for (auto [name, file] : {std::pair{".", folder}, std::pair{"..", folder.parent_path()}})
            if (matches_dos_pattern(pattern, name))
                if (auto data = describe(file, name, name))
                    found.push_back(*data);
    }
    std::size_t dots = found.size();
    std::unique_ptr<DIR, int (*)(DIR*)> dir(opendir(folder.c_str()), closedir);
    if (!dir)
        return found;
    while (const dirent* entry = readdir(dir.get())) {
        std::string_view host_name(entry->d_name);
        if (host_name == "." || host_name == "..")
            continue;
        std::string name = dos_name_of(host_name);
        if (!name_matches(pattern, name, host_name))
            continue;
        if (auto data = describe(folder / entry->d_name, name, host_name))
            found.push_back(*data);
    }
    std::sort(found.begin() + static_cast<std::ptrdiff_t>(dots), found.end(), less_ignoring_case);
    return found;
}

HANDLE start_search(std::string_view path, WIN32_FIND_DATAA* find_data) {
    // The last component is the pattern; what comes before it names the folder.
    std::size_t split = path.find_last_of("\\/");
    if (split != std::string_view::npos)
        ++split;
    else if (path.size() >= 2 && path[1] == ':')
        split = 2;
    else
        split = 0;
    std::string_view folder_text = split > 0 ? path.substr(0, split) : std::string_view(".");
    std::string_view pattern = path.substr(split);
    auto& prefix = Prefix::current();
    auto full = prefix.full_path(folder_text);
    auto folder = full ? prefix.to_host(*full) : std::nullopt;
    struct stat st{};
    if (!folder || stat(folder->c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) {
        SetLastError(ERROR_PATH_NOT_FOUND);
        return INVALID_HANDLE_VALUE;
    }
    // A search for what is in a folder names it with "\*"; a path that ends in a backslash
    // names no entry.
    if (pattern.empty()) {
        SetLastError(ERROR_FILE_NOT_FOUND);
        return INVALID_HANDLE_VALUE;
    }
    auto search = std::make_unique<Search>();
    search->entries = list_folder(*folder, full->size() == 3, pattern);
    if (search->entries.empty()) {
        SetLastError(ERROR_FILE_NOT_FOUND);
        return INVALID_HANDLE_VALUE;
    }
    *find_data = search->entries[search->next++];
    std::lock_guard lock(g_searches_mutex);
    g_searches.insert(search.get());
    return search.release();
}

} // namespace

extern "C" HANDLE FindFirstFileA(LPCSTR file_name, LPWIN32_FIND_DATAA find_data) {
    if (!file_name || !find_data) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return INVALID_HANDLE_VALUE;
    }
    if (!*file_name) {
        SetLastError(ERROR_PATH_NOT_FOUND);
        return INVALID_HANDLE_VALUE;
    }
    try {
        return start_search(file_name, find_data);
    } catch (const std::bad_alloc&) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return INVALID_HANDLE_VALUE;
    }
}

extern "C" BOOL FindNextFileA(HANDLE find_file, LPWIN32_FIND_DATAA find_data) {
    std::lock_guard lock(g_searches_mutex);
    auto found = g_searches.find(static_cast<Search*>(find_file));
    if (found == g_searches.end() || !find_data) {
        SetLastError(found == g_searches.end() ? ERROR_INVALID_HANDLE : ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    Search& search = **found;
    if (search.next >= search.entries.size()) {
        SetLastError(ERROR_NO_MORE_FILES);
        return FALSE;
    }
    *find_data = search.entries[search.next++];
    return TRUE;
}

extern "C" BOOL FindClose(HANDLE find_file) {
    std::unique_ptr<Search> search;
    {
        std::lock_guard lock(g_searches_mutex);
        auto found = g_searches.find(static_cast<Search*>(find_file));
        if (found == g_searches.end()) {
            SetLastError(ERROR_INVALID_HANDLE);
            return FALSE;
        }
        search.reset(*found);
        g_searches.erase(found);
    }
    return TRUE;
}
