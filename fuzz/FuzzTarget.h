// What every fuzz target shares: the libFuzzer entry points it defines, its input cut into
// fields, scratch files, and a check that stops the run when a property of the code under test
// does not hold (a crash for libFuzzer, a failed case for the replay).
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv);
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace fuzz {

// The input cut at NUL bytes into exactly `count` fields; the last field takes the rest
// (NULs included), fields the input does not reach are empty.
std::vector<std::string_view> fields(const std::uint8_t* data, std::size_t size, std::size_t count);

// A folder of the process's own under the temporary folder, removed when the process exits.
const std::filesystem::path& scratch_folder();

// Replaces the file with exactly these bytes.
void write_file(const std::filesystem::path& path, std::string_view bytes);

[[noreturn]] void fail(const char* condition, const char* file, int line);

} // namespace fuzz

#define FUZZ_CHECK(condition) ((condition) ? static_cast<void>(0) : fuzz::fail(#condition, __FILE__, __LINE__))
