// Whole-file reads and atomic replacement, for every file the host layer rewrites.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>

namespace host {

// The bytes of a file, or nothing when it cannot be read (the error says why).
std::optional<std::string> read_whole_file(const std::filesystem::path& file, std::error_code& error);

// Replaces the file's content with the bytes, or creates it. The bytes go to a temporary file
// beside it, which is flushed to disk and renamed over the original, so a reader sees either the
// old or the new content and a failure leaves the original as it was. An existing file keeps its
// owner, mode, extended attributes (and so its DOS attributes) and, through a symlink, its place.
bool replace_file_atomically(const std::filesystem::path& file, std::string_view bytes, std::error_code& error);

}
