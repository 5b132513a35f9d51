// DOS attributes of host files. On vfat mounts they are the FAT attribute byte; elsewhere
// read-only is the absence of every write permission bit, and hidden, system and archive live
// in the extended attribute user.DOSATTRIB as the text "0x<hex>" that Wine and Samba write
// (Samba's binary form is read too).
#pragma once

#include "host/win_types.h"

#include <filesystem>

namespace host {

// The attribute word of the file, or INVALID_FILE_ATTRIBUTES with the last error set.
DWORD get_dos_attributes(const std::filesystem::path& file);
// Sets read-only, hidden, system and archive from the word; other bits are ignored.
// FILE_ATTRIBUTE_NORMAL alone clears everything. False with the last error set on failure.
bool set_dos_attributes(const std::filesystem::path& file, DWORD attributes);

}
