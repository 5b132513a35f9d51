// What the driver-package steps of the start-up share: the index of the running program's bundle
// and the build-mode flag, and how the program finds its own file. The steps themselves
// (install_driver_package, build_package, register_mci_drivers) are declared with the other
// creation steps in core/CreationSteps.h. GUI thread only.
#pragma once

#include "ops/PackageIndex.h"

#include <cstddef>
#include <cstdint>
#include <optional>

namespace player {

// The index, deciphered: read from the bundle, or filled for building one.
extern PackageIndex package_index;
// Set by install_driver_package when the program carries no index; read once by the start-up.
extern bool build_mode;

// The file the bundle is written to in build mode, beside the bare program's own file. Programs
// carry no ".exe" on this system; the index still names the image "reel32.exe".
inline constexpr char bundle_file_name[] = "reelp32";

// install_driver_package and build_package for the program file `program_path` (a DOS path);
// the steps pass the running program's own file.
void install_package_from(char const* program_path);
void build_package_from(char const* program_path);

// The running program's own file as a DOS path; false when it has none or it does not fit.
bool own_program_file(char* path, std::size_t size);

// Whether a directory search for exactly this name finds a file or folder.
bool file_exists(char const* path);

// The size of one file found by an exact-name directory search; nothing when there is none (or
// when it is a folder or too large to carry).
std::optional<std::uint32_t> file_size_of(char const* path);

} // namespace player
