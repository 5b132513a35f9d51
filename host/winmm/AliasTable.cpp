#include "AliasTable.h"

#include "Tokenizer.h"

namespace host::mci {

AliasTable& AliasTable::instance() {
    static AliasTable table;
    return table;
}

MCIDEVICEID AliasTable::reserve(std::string_view alias, std::string_view type_name) {
    std::string wanted = to_lower(alias);
    std::lock_guard lock(m_mutex);
    MCIDEVICEID id = 1;
    for (const auto& [used, entry] : m_devices) {
        if (to_lower(entry->alias) == wanted)
            return 0;
        if (used == id)
            ++id;
    }
    auto entry = std::make_shared<OpenDevice>();
    entry->id = id;
    entry->alias = std::string(alias);
    entry->type_name = std::string(type_name);
    entry->owner = std::this_thread::get_id();
    m_devices[id] = std::move(entry);
    return id;
}

void AliasTable::attach(MCIDEVICEID id, std::shared_ptr<Device> device) {
    std::lock_guard lock(m_mutex);
    if (auto found = m_devices.find(id); found != m_devices.end())
        found->second->device = std::move(device);
}

std::shared_ptr<OpenDevice> AliasTable::remove(MCIDEVICEID id) {
    std::lock_guard lock(m_mutex);
    auto found = m_devices.find(id);
    if (found == m_devices.end())
        return nullptr;
    std::shared_ptr<OpenDevice> entry = std::move(found->second);
    m_devices.erase(found);
    return entry;
}

std::shared_ptr<OpenDevice> AliasTable::find(std::string_view alias) const {
    std::string wanted = to_lower(alias);
    std::lock_guard lock(m_mutex);
    for (const auto& [id, entry] : m_devices)
        if (entry->device && entry->owner == std::this_thread::get_id() && to_lower(entry->alias) == wanted)
            return entry;
    return nullptr;
}

std::shared_ptr<OpenDevice> AliasTable::find(MCIDEVICEID id) const {
    std::lock_guard lock(m_mutex);
    auto found = m_devices.find(id);
    return found != m_devices.end() && found->second->device ? found->second : nullptr;
}

std::vector<std::shared_ptr<OpenDevice>> AliasTable::open_devices() const {
    std::lock_guard lock(m_mutex);
    std::vector<std::shared_ptr<OpenDevice>> devices;
    for (const auto& [id, entry] : m_devices)
        if (entry->device && entry->owner == std::this_thread::get_id())
            devices.push_back(entry);
    return devices;
}

} // namespace host::mci
