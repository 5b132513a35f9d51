// Named kernel objects shared by every process on the prefix, as Wine's server keeps one object
// namespace per prefix. Each name is a file in the prefix's object folder ($prefix/.kernel-objects):
// a process that has the object open holds a shared flock on that file, so the object exists
// exactly while some process holds one, and the system lets go of a holder's lock when the
// holder ends, also when it is killed. The process that made the object writes its process id
// into the file, for those who need to know who runs it.
//
// Every open and close first takes an exclusive flock on the folder itself: "does the name exist"
// and "now it does" are one step for all processes on the prefix, however many race.
//
// Any thread; the calls block only while another process on the prefix opens or closes an object.
#pragma once

#include "host/win_types.h"

#include <filesystem>
#include <memory>
#include <string>

namespace host::kernel32 {

// One process's hold on a named object: the open file that carries its shared lock.
class NamedObjectHold {
  public:
    NamedObjectHold(std::filesystem::path folder, std::string file_name, int descriptor, bool created);
    // Lets go of the object; the last holder removes its file.
    ~NamedObjectHold();
    NamedObjectHold(NamedObjectHold const&) = delete;
    NamedObjectHold& operator=(NamedObjectHold const&) = delete;

    // True when this hold made the object (no process had it open before).
    bool created() const { return m_created; }

  private:
    std::filesystem::path m_folder;
    std::string m_file_name;
    int m_descriptor;
    bool m_created;
};

// What opening a name gives: the hold, or a Windows error code.
struct NamedObjectOpening {
    std::unique_ptr<NamedObjectHold> hold;
    DWORD error = ERROR_SUCCESS;
};

// The file name a Windows object name is kept under, or a Windows error for a name that cannot
// be one: "Local\" names the same object as the bare name, "Global\" a separate namespace; any
// other backslash names a folder of the object namespace that does not exist
// (ERROR_PATH_NOT_FOUND); names longer than MAX_PATH are refused (ERROR_FILENAME_EXCED_RANGE).
struct ObjectFileName {
    std::string file_name;
    DWORD error = ERROR_SUCCESS;
};
ObjectFileName object_file_name(std::string const& object_name);

// The object folder of the current prefix.
std::filesystem::path object_folder();

// Opens the named object, making it when no process holds it.
NamedObjectOpening open_named_object(std::string const& object_name);

// The process id of the process that made the named object, while it still holds it; 0 when no
// process holds the object or its maker has let go of it.
DWORD named_object_maker(std::string const& object_name);

} // namespace host::kernel32
