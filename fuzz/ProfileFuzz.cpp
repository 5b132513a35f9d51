// The profile functions on a file of arbitrary bytes: listing sections and keys and reading
// values into buffers of exact size (small ones too), then one write (a value, a key removed or
// a section removed). Checked: every answer fits its buffer and ends as documented, a value
// written with plain names reads back as written, and a write changes nothing in the other
// sections.
//
// Input: FILE \0 SECTION \0 KEY \0 VALUE \0 OPERATION-AND-DEFAULT (first byte picks the write).
#include "FuzzTarget.h"

#include "TempPrefix.h"
#include "host/kernel32.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <map>
#include <memory>
#include <optional>

namespace {

constexpr const char* profile_name = "C:\\WINDOWS\\FUZZ.INI";
constexpr const char* absent = "\x01" "absent";
// Sections and keys looked at per input, enough for every seed, bounded for speed.
constexpr std::size_t most_names = 16;

// The prefix of the whole run, removed when the process exits.
TempPrefix& prefix() {
    static TempPrefix prefix;
    return prefix;
}

// One call into a buffer of exactly `size` bytes, so that writing past it is caught.
struct Answer {
    DWORD length;
    std::vector<char> bytes;
};

Answer get(const char* section, const char* key, const char* fallback, DWORD size) {
    auto buffer = std::make_unique<char[]>(size);
    std::memset(buffer.get(), '\x7f', size);
    DWORD length = GetPrivateProfileStringA(section, key, fallback, buffer.get(), size, profile_name);
    FUZZ_CHECK(length < size);
    FUZZ_CHECK(buffer[length] == '\0');
    // The section list ends in two NULs, also when cut (a key list of an absent section is
    // the default instead).
    if (!section && size >= 2)
        FUZZ_CHECK(length == 0 || buffer[length - 1] == '\0' || (length == size - 2 && buffer[size - 1] == '\0'));
    return {length, std::vector<char>(buffer.get(), buffer.get() + size)};
}

// Names of a NUL-separated list.
std::vector<std::string> names_of(const Answer& answer) {
    std::vector<std::string> names;
    std::size_t at = 0;
    while (at < answer.length && names.size() < most_names) {
        std::string name(answer.bytes.data() + at);
        at += name.size() + 1;
        names.push_back(std::move(name));
    }
    return names;
}

std::string lower(std::string_view text) {
    std::string result(text);
    for (char& c : result)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return result;
}

std::string trimmed(std::string_view text) {
    auto blank = [](char c) { return (c >= 0x09 && c <= 0x0D) || c == 0x1A || c == ' '; };
    while (!text.empty() && blank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && blank(text.back()))
        text.remove_suffix(1);
    return std::string(text);
}

// What the file says: every section (by its name in lower case) with its keys and their values.
using Contents = std::map<std::string, std::vector<std::pair<std::string, std::string>>>;

Contents read_contents(DWORD size) {
    Contents contents;
    for (const std::string& section : names_of(get(nullptr, nullptr, "", size))) {
        // Only the first section of a name counts.
        if (!contents.emplace(lower(section), Contents::mapped_type()).second)
            continue;
        auto& keys = contents[lower(section)];
        for (const std::string& key : names_of(get(section.c_str(), nullptr, "", size))) {
            Answer value = get(section.c_str(), key.c_str(), absent, size);
            keys.emplace_back(key, std::string(value.bytes.data(), value.length));
        }
    }
    return contents;
}

// Printable, without blanks at either end: names and values the format stores as they are.
bool plain(std::string_view text, std::string_view forbidden) {
    if (text.empty() || text.front() == ' ' || text.back() == ' ')
        return false;
    return std::all_of(text.begin(), text.end(), [&](char c) {
        return c >= 0x20 && c < 0x7f && forbidden.find(c) == std::string_view::npos;
    });
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    prefix();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    auto field = fuzz::fields(data, size, 5);
    fuzz::write_file(prefix().host(profile_name), field[0]);
    std::string section(field[1]), key(field[2]), value(field[3]);
    unsigned operation = field[4].empty() ? 0 : static_cast<unsigned char>(field[4][0]) % 3;
    std::string fallback(field[4].empty() ? std::string_view() : field[4].substr(1));

    DWORD roomy = static_cast<DWORD>(std::max(size, std::size_t(1)) + 16);
    // Cut answers: lists and values in buffers of a few bytes.
    for (DWORD small : {1u, 2u, 3u, 7u}) {
        get(nullptr, nullptr, fallback.c_str(), small);
        get(section.c_str(), nullptr, fallback.c_str(), small);
        get(section.c_str(), key.c_str(), fallback.c_str(), small);
    }
    Answer looked_up = get(section.c_str(), key.c_str(), fallback.c_str(), roomy);
    (void)looked_up;

    Contents before = read_contents(roomy);
    BOOL written = FALSE;
    switch (operation) {
    case 0:
        written = WritePrivateProfileStringA(section.c_str(), key.c_str(), value.c_str(), profile_name);
        break;
    case 1:
        written = WritePrivateProfileStringA(section.c_str(), key.c_str(), nullptr, profile_name);
        break;
    default:
        written = WritePrivateProfileStringA(section.c_str(), nullptr, nullptr, profile_name);
        break;
    }
    FUZZ_CHECK(written);
    Contents after = read_contents(roomy);

    // The other sections are as they were (section names compare as the functions compare
    // them: blanks trimmed, without regard to case). Not so when the write puts a line break
    // into the file, or a key line that reads as a section header ("[name]=value"): then it
    // writes new sections, as Windows does.
    auto one_line = [](std::string_view text) { return text.find_first_of("\r\n") == std::string_view::npos; };
    bool new_sections = !one_line(section) || !one_line(key) || (operation == 0 && !one_line(value)) ||
                        (operation != 2 && trimmed(key).starts_with('['));
    std::string touched = lower(trimmed(section));
    for (const auto& [name, keys] : before) {
        if (new_sections || name == touched)
            continue;
        FUZZ_CHECK(after.count(name) == 1);
        FUZZ_CHECK(after.at(name) == keys);
    }

    if (operation == 0 && plain(section, "[]") && plain(key, "[]=") && plain(value, "") &&
        !(value.size() > 1 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front())) {
        Answer read_back = get(section.c_str(), key.c_str(), absent, roomy + static_cast<DWORD>(value.size()));
        FUZZ_CHECK(std::string(read_back.bytes.data(), read_back.length) == value);
    }
    return 0;
}
