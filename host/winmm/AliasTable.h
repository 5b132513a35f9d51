// The open devices of the process: device ids (the lowest free id from 1, as Windows hands them
// out) and aliases (compared without regard to case). As on Windows, a device belongs to the
// thread that opened it: look-ups by alias and the lists of open devices see only the calling
// thread's devices, so one device never receives commands from two threads. Aliases are unique
// in the whole process. Thread-safe.
#pragma once

#include "host/mci/Device.h"

#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

namespace host::mci {

struct OpenDevice {
    MCIDEVICEID id = 0;
    std::string alias;
    std::string type_name;          // the [mci] key it was opened by
    std::shared_ptr<Device> device; // null while the open is in progress
    std::thread::id owner;          // the thread that opened it
    // Commands of this device still running on the owner's thread; a close that arrives meanwhile
    // (from a message loop inside a dialog or a wait) is carried out when the last one returns.
    int commands_running = 0;
    bool close_pending = false;
    unsigned break_key = 0x03; // VK_CANCEL; "break ... on/off" changes it
};

class AliasTable {
  public:
    static AliasTable& instance();

    // Takes the lowest free id for alias; 0 when the alias is in use.
    MCIDEVICEID reserve(std::string_view alias, std::string_view type_name);
    // Completes a reservation once the device is open.
    void attach(MCIDEVICEID id, std::shared_ptr<Device> device);
    // Removes an entry (open or reserved) and returns it.
    std::shared_ptr<OpenDevice> remove(MCIDEVICEID id);

    // The calling thread's open device of that alias.
    std::shared_ptr<OpenDevice> find(std::string_view alias) const;
    // The open device of that id, whichever thread owns it.
    std::shared_ptr<OpenDevice> find(MCIDEVICEID id) const;
    // The calling thread's open devices in id order.
    std::vector<std::shared_ptr<OpenDevice>> open_devices() const;

  private:
    mutable std::mutex m_mutex;
    std::map<MCIDEVICEID, std::shared_ptr<OpenDevice>> m_devices;
};

} // namespace host::mci
