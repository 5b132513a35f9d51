// Handles of host objects (windows, menus, GDI objects, device contexts): opaque numbers that are
// looked up in a table, so a stale or forged handle is refused instead of dereferenced.
// GUI thread only.
#pragma once

#include <cstdint>
#include <map>
#include <memory>

namespace host::user32 {

template <typename Object, typename Handle> class HandleTable {
  public:
    // Handles of different tables never collide: each table has its own high tag.
    explicit HandleTable(std::uintptr_t tag) : m_next(tag << 20) {}

    Handle add(std::unique_ptr<Object> object) {
        m_next += 4;
        const auto handle = reinterpret_cast<Handle>(m_next);
        m_objects.emplace(m_next, std::move(object));
        return handle;
    }

    Object* find(Handle handle) const {
        const auto found = m_objects.find(reinterpret_cast<std::uintptr_t>(handle));
        return found == m_objects.end() ? nullptr : found->second.get();
    }

    std::unique_ptr<Object> remove(Handle handle) {
        const auto found = m_objects.find(reinterpret_cast<std::uintptr_t>(handle));
        if (found == m_objects.end())
            return nullptr;
        auto object = std::move(found->second);
        m_objects.erase(found);
        return object;
    }

    template <typename Function> void for_each(Function&& function) const {
        for (auto const& [value, object] : m_objects)
            function(reinterpret_cast<Handle>(value), *object);
    }

  private:
    std::uintptr_t m_next;
    std::map<std::uintptr_t, std::unique_ptr<Object>> m_objects;
};

} // namespace host::user32
