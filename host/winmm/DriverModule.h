// A driver module (see host/mci_driver.h) loaded with dlopen, and the device adapter that
// forwards parsed commands to it. Modules stay loaded for the life of the process, so their
// tables and strings stay valid; each file is loaded once.
#pragma once

#include "host/mci/Device.h"

#include "host/MciDriver.h"

#include <deque>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace host::mci {

class DriverModule {
  public:
    // The module of a host path, loaded on first use; null when it cannot be loaded, lacks the
    // entry point or speaks another interface version.
    static std::shared_ptr<DriverModule> load(const std::filesystem::path& path);

    const MciDriverInterface& interface() const { return *m_interface; }
    const CommandTable* commands() const { return m_table.verbs.empty() ? nullptr : &m_table; }

    // The module's dlopen handle is never closed, so only its interface is kept.
    explicit DriverModule(const MciDriverInterface* interface);

  private:
    void build_table();

    const MciDriverInterface* m_interface;
    // The module's verb table in the parser's form; names are lower-cased copies.
    std::deque<std::string> m_names;
    std::vector<std::vector<Constant>> m_constants;
    std::vector<std::vector<Keyword>> m_keywords;
    std::vector<Verb> m_verbs;
    CommandTable m_table{"driver", {}};
};

std::unique_ptr<Device> make_module_device(std::shared_ptr<DriverModule> module);

// The host's form of the open or command a module is handling on this thread when given its C
// form; null for any other.
const OpenRequest* handled_open_request(const MciDriverOpen* open);
Command* handled_command_of(const MciDriverCommand* command);

} // namespace host::mci
