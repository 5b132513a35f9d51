// Whole-file reads and file updates, for every file the host layer reads whole or rewrites.
#pragma once

#include <cstddef>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>

namespace host {

// The most a file read whole may hold. The files read whole are profiles and settings of a few
// kilobytes; the bound keeps a huge or endless file from taking all memory.
constexpr std::size_t kWholeFileLimit = std::size_t{16} << 20; // 16 MiB

// The bytes of a regular file of at most kWholeFileLimit bytes, or nothing when it cannot be
// read; the error says why: EISDIR for a folder, EINVAL for a FIFO, device or socket, EFBIG for
// a larger file. The file is opened without waiting, so a FIFO or a device never blocks.
std::optional<std::string> read_whole_file(const std::filesystem::path& file, std::error_code& error);

// What an update makes of a file's current bytes (nothing: the file does not exist): the new
// bytes, or nothing to leave the file as it is.
using FileEdit = std::function<std::optional<std::string>(const std::optional<std::string>& current)>;

// Reads, edits and writes a file as one step: under the UpdateLock of its folder, so no update
// of another process or thread comes between the read and the write. A symlink is followed and
// its target written. Only a regular file (or none) is updated.
//
// The new bytes go to a temporary sibling with a short name (".host~XXXXXX", so that a file
// whose name is as long as the file system allows can be written too), which is flushed to disk,
// given the original's owner, mode and extended attributes (so its DOS attributes) and renamed
// over it: a reader sees the old or the new content whole, and a failure or a kill leaves the
// old content. The writer holds a lock on its sibling until the rename; a sibling whose lock
// anyone can take is abandoned (its writer was killed) and the next update in the folder
// removes it.
//
// Where a replacement cannot keep what Windows keeps, the bytes are written into the file itself
// instead, with the same result: a file with several hard links (a new file would split them
// off), a file whose owner or group the writer cannot give a new file (it would change hands),
// a file in a folder where the writer may not create or rename files. That write is not atomic:
// a reader may see it half done, and a crash midway leaves the new bytes over the old ones and
// possibly the old file's tail.
bool update_file(const std::filesystem::path& file, const FileEdit& edit, std::error_code& error);

// update_file with the given bytes, whatever the file held.
bool replace_file_atomically(const std::filesystem::path& file, std::string_view bytes, std::error_code& error);

// True for the name of a temporary sibling of update_file.
bool is_replacement_sibling(std::string_view name);

}
