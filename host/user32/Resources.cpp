// LoadBitmapA, LoadIconA, LoadCursorA and LoadAcceleratorsA over the program's resource loader.
#include "Resources.h"

#include "gdi32/Gdi.h"
#include "HandleTable.h"
#include "host/kernel32.h"

#include <map>
#include <string>

namespace host::user32 {
namespace {

constexpr DWORD error_resource_name_not_found = 1814;
constexpr UINT_PTR system_arrow_cursor = 32512;

struct IconResource {
    QImage image;
    std::optional<Qt::CursorShape> cursor;
};

ResourceLoader& loader() {
    static ResourceLoader registered;
    return registered;
}

// Handles already given out per resource name; forgotten when another loader is registered.
std::map<std::string, HICON>& loaded_icons() {
    static std::map<std::string, HICON> loaded;
    return loaded;
}

std::map<std::string, HACCEL>& loaded_accelerators() {
    static std::map<std::string, HACCEL> loaded;
    return loaded;
}

HandleTable<IconResource, HICON>& icons() {
    static HandleTable<IconResource, HICON> table(0x104);
    return table;
}

HandleTable<std::vector<ACCEL>, HACCEL>& accelerator_tables() {
    static HandleTable<std::vector<ACCEL>, HACCEL> table(0x105);
    return table;
}

// Numeric names travel as "#id", as in resource scripts.
std::string resource_name(LPCSTR name) {
    if (IS_INTRESOURCE(name))
        return "#" + std::to_string(reinterpret_cast<UINT_PTR>(name));
    return name;
}

template <typename Handle> Handle not_found() {
    SetLastError(error_resource_name_not_found);
    return nullptr;
}

} // namespace

QImage icon_image(HICON icon) {
    IconResource* found = icon ? icons().find(icon) : nullptr;
    return found ? found->image : QImage();
}

std::optional<Qt::CursorShape> cursor_shape(HCURSOR cursor) {
    IconResource* found = cursor ? icons().find(cursor) : nullptr;
    return found ? found->cursor : std::nullopt;
}

std::vector<ACCEL> const* find_accelerators(HACCEL table) {
    return table ? accelerator_tables().find(table) : nullptr;
}

} // namespace host::user32

namespace host {

void register_resource_loader(ResourceLoader resource_loader) {
    user32::loader() = std::move(resource_loader);
    user32::loaded_icons().clear();
    user32::loaded_accelerators().clear();
}

} // namespace host

using namespace host::user32;

extern "C" {

HBITMAP LoadBitmapA(HINSTANCE, LPCSTR name) {
    if (!name || !loader().bitmap)
        return not_found<HBITMAP>();
    const QImage image = loader().bitmap(resource_name(name));
    if (image.isNull())
        return not_found<HBITMAP>();
    return create_bitmap(image);
}

// The same icon resource gives the same handle, as Windows shares loaded icons.
HICON LoadIconA(HINSTANCE, LPCSTR name) {
    auto& loaded = loaded_icons();
    if (!name || !loader().icon)
        return not_found<HICON>();
    const std::string key = resource_name(name);
    if (auto found = loaded.find(key); found != loaded.end())
        return found->second;
    const QImage image = loader().icon(key);
    if (image.isNull())
        return not_found<HICON>();
    const HICON icon = icons().add(std::make_unique<IconResource>(IconResource{image, std::nullopt}));
    loaded.emplace(key, icon);
    return icon;
}

// Only the system's arrow is needed (instance NULL, IDC_ARROW).
HCURSOR LoadCursorA(HINSTANCE instance, LPCSTR name) {
    static HCURSOR arrow = nullptr;
    if (instance || !IS_INTRESOURCE(name) || reinterpret_cast<UINT_PTR>(name) != system_arrow_cursor)
        return not_found<HCURSOR>();
    if (!arrow)
        arrow = icons().add(std::make_unique<IconResource>(IconResource{QImage(), Qt::ArrowCursor}));
    return arrow;
}

HACCEL LoadAcceleratorsA(HINSTANCE, LPCSTR name) {
    auto& loaded = loaded_accelerators();
    if (!name || !loader().accelerators)
        return not_found<HACCEL>();
    const std::string key = resource_name(name);
    if (auto found = loaded.find(key); found != loaded.end())
        return found->second;
    auto entries = loader().accelerators(key);
    if (entries.empty())
        return not_found<HACCEL>();
    const HACCEL table = accelerator_tables().add(std::make_unique<std::vector<ACCEL>>(std::move(entries)));
    loaded.emplace(key, table);
    return table;
}
}
