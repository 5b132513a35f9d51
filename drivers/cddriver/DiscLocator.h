// Where the element "==CDI" leads: the disc in the machine's first CD drive, as the DOS path the
// host's video device opens. A mounted VideoCD is its drive's root ("D:\"), whose MPEGAV folder
// holds the tracks; a drive without such a folder is read as a raw disc ("\\.\D:": a device or
// a .cue/.bin image of MODE2/2352 sectors).
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace cddriver {

// The element by which a program names the disc in the drive.
constexpr std::string_view disc_element = "==CDI";

bool names_disc(std::string_view element);

// The disc's DOS path, or nothing when the machine has no CD drive with something in it.
std::optional<std::string> locate_disc();

} // namespace cddriver
