#include "FuzzTarget.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <stdexcept>

namespace fs = std::filesystem;

namespace fuzz {

std::vector<std::string_view> fields(const std::uint8_t* data, std::size_t size, std::size_t count) {
    std::string_view rest(reinterpret_cast<const char*>(data), size);
    std::vector<std::string_view> result;
    while (result.size() + 1 < count) {
        std::size_t stop = rest.find('\0');
        if (stop == std::string_view::npos)
            break;
        result.push_back(rest.substr(0, stop));
        rest.remove_prefix(stop + 1);
    }
    result.push_back(rest);
    result.resize(count);
    return result;
}

namespace {

struct ScratchFolder {
    fs::path path;
    ScratchFolder() {
        std::string pattern = (fs::temp_directory_path() / "fuzz-XXXXXX").string();
        if (!mkdtemp(pattern.data()))
            throw std::runtime_error("cannot make a temporary folder");
        path = pattern;
    }
    ~ScratchFolder() {
        std::error_code error;
        fs::remove_all(path, error);
    }
};

} // namespace

const fs::path& scratch_folder() {
    static ScratchFolder folder;
    return folder.path;
}

void write_file(const fs::path& path, std::string_view bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out)
        fail("the scratch file was written", __FILE__, __LINE__);
}

void fail(const char* condition, const char* file, int line) {
    std::fprintf(stderr, "%s:%d: check failed: %s\n", file, line, condition);
    std::fflush(stderr);
    std::abort();
}

} // namespace fuzz
