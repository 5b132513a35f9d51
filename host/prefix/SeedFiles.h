// The boot files a freshly installed Windows 95 machine has, as the seed of a new prefix.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace host {

struct SeedFile {
    std::string_view dos_relative_path; // below the root of drive C, '/' separated
    std::string content;                // exact bytes, CRLF line ends
    unsigned dos_attributes;            // FILE_ATTRIBUTE_* bits to give the new file
};

const std::vector<SeedFile>& seed_files();
// Folders below the root of drive C that a new prefix gets.
const std::vector<std::string_view>& seed_folders();

}
