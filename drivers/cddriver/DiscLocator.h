// Where the element "==CDI" leads: the disc in the machine's first CD drive, as the DOS path the
// host's video device opens. A mounted VideoCD is its drive's root ("D:\"), whose MPEGAV folder
// holds the tracks; a drive without such a folder is read as a raw disc ("\\.\D:": a device or
// a .cue/.bin image of MODE2/2352 sectors).
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace cddriver {

// The device type that plays the disc in the drive when opened without an element.
bool is_disc_type(std::string_view device_type);

// Whether an open asks for the disc in the drive: the element "==CDI" (any case), or the disc
// type opened without an element.
bool opens_disc(std::string_view device_type, std::string_view element);

// The disc's DOS path, or nothing when the machine has no CD drive with something in it.
std::optional<std::string> locate_disc();

} // namespace cddriver
