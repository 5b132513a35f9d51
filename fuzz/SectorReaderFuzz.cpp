// The sector reader over an image file of arbitrary bytes, against a model: payload byte `o` of
// the stream is byte 24 + o % 2324 of raw sector first + o / 2324 after the data offset, and a read
// stops at the first sector whose payload the file does not hold whole. Checked as well: the
// CDXA test and the count of whole sectors.
//
// Input: 11 bytes of parameters (data offset, first sector, sector count, then four reads of an
// offset and a length), then the bytes of the image file.
#include "FuzzTarget.h"

#include "media/SectorReader.h"

#include <algorithm>
#include <cstring>
#include <memory>

namespace {

constexpr std::size_t parameter_bytes = 11;

int64_t expected_read(std::string_view file, int64_t data_offset, int64_t first, int64_t count, int64_t offset,
                      int64_t length, std::vector<std::uint8_t>& expected) {
    expected.clear();
    int64_t stream_size = count * media::sector_payload_size;
    for (int64_t at = offset; at < offset + length && at < stream_size; ++at) {
        int64_t sector_start = data_offset + (first + at / media::sector_payload_size) * media::raw_sector_size;
        if (sector_start + media::sector_payload_offset + media::sector_payload_size > static_cast<int64_t>(file.size()))
            break;
        expected.push_back(static_cast<std::uint8_t>(
            file[static_cast<std::size_t>(sector_start + media::sector_payload_offset + at % media::sector_payload_size)]));
    }
    return static_cast<int64_t>(expected.size());
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < parameter_bytes)
        return 0;
    const std::uint8_t* p = data;
    // A raw image (no offset), a CDXA track (44) or an odd offset.
    int64_t data_offset = p[0] % 3 == 0 ? 0 : p[0] % 3 == 1 ? media::cdxa_header_size : p[0] / 3;
    int64_t first = p[1] % 8;
    int64_t count = p[2] % 40; // more than one block of 32 sectors
    std::string_view file(reinterpret_cast<const char*>(data + parameter_bytes), size - parameter_bytes);

    std::string path = (fuzz::scratch_folder() / "image.bin").string();
    fuzz::write_file(path, file);

    bool cdxa = file.size() >= 12 && file.substr(0, 4) == "RIFF" && file.substr(8, 4) == "CDXA";
    FUZZ_CHECK(media::is_cdxa_file(path) == cdxa);
    int64_t whole = std::max<int64_t>(0, (static_cast<int64_t>(file.size()) - data_offset) / media::raw_sector_size);
    FUZZ_CHECK(media::raw_sector_count(path, data_offset) == whole);

    auto reader = media::SectorReader::open(path, data_offset, first, count);
    FUZZ_CHECK(reader.has_value());
    FUZZ_CHECK((*reader)->size() == count * media::sector_payload_size);

    std::vector<std::uint8_t> expected;
    for (int i = 0; i < 4; ++i) {
        // Offsets and lengths in sectors and bytes, reaching past the end of the stream.
        int64_t offset = p[3 + 2 * i] * 397;
        int64_t length = p[4 + 2 * i] * 211;
        auto buffer = std::make_unique<std::uint8_t[]>(static_cast<std::size_t>(length) + 1);
        int64_t got = (*reader)->read(offset, buffer.get(), length);
        int64_t want = expected_read(file, data_offset, first, count, offset, length, expected);
        FUZZ_CHECK(got == want);
        FUZZ_CHECK(want == 0 || std::memcmp(buffer.get(), expected.data(), static_cast<std::size_t>(want)) == 0);
    }
    return 0;
}
