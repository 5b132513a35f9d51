#pragma once
// A plain file read for FFmpeg's custom I/O, up to where its data ends: a sparse file's trailing
// hole (a disc image or movie padded with gigabytes of nothing) is not offered to FFmpeg, whose
// demuxers would otherwise scan all of it for a start code. One thread at a time.

#include "media/Result.h"

#include <cstdint>
#include <memory>
#include <string>

namespace media {

// The end of the last data of an open file of `size` bytes: beyond it the file holds only a hole
// (zeros that take no room). Found with lseek's SEEK_DATA in a binary search, a few dozen calls
// whatever the size; `size` itself when the file system does not report holes.
int64_t end_of_data(int descriptor, int64_t size);

class FileReader {
  public:
    static Result<std::unique_ptr<FileReader>> open(const std::string& path);
    ~FileReader();
    FileReader(const FileReader&) = delete;
    FileReader& operator=(const FileReader&) = delete;

    // Bytes up to the end of the data.
    int64_t size() const { return m_size; }
    // Copies up to `length` bytes at `offset`; returns the count (0 at the end, -1 on error).
    int64_t read(int64_t offset, uint8_t* buffer, int64_t length);

  private:
    FileReader(int descriptor, int64_t size) : m_descriptor(descriptor), m_size(size) {}
    int m_descriptor;
    int64_t m_size;
};

} // namespace media
