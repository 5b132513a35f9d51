// The Linux side of DOS paths, for the code that must name host files: the system's own MCI
// devices, which hand a medium's file to the engine, and the tools and tests that lay out a
// prefix. Program code reaches files, folders and drives through the Windows functions of
// kernel32.h instead.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace host {

// The host path of a DOS path in the current prefix, by the same rules as every Windows file
// function (case-blind, through short names, "\\.\D:" for drive D's raw disc); nothing when the
// drive does not exist.
std::optional<std::filesystem::path> host_path_of(std::string_view dos_path);

// The DOS path of a host path, or nothing when no drive holds it; with short_names, long
// components are given as their 8.3 short names.
std::optional<std::string> dos_path_of(const std::filesystem::path& host_path, bool short_names = false);

// The root folder of the current prefix.
std::filesystem::path prefix_root();

// Forgets the current prefix, so the next call reads DOSPREFIX again (tests switch prefixes).
void reset_prefix();

// The stable 8.3 short name of a long file name.
std::string short_name_of(std::string_view long_name);

}
