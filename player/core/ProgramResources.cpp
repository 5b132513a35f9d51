#include "core/ProgramResources.h"

#include "host/user32.h"
#include "resources/Resources.h"

#include <QImage>

#include <charconv>
#include <string>
#include <vector>

namespace player {

namespace {

// Numeric resource names arrive as "#554"; 0 for anything else.
int numeric_id(std::string const& name) {
    int id = 0;
    if (name.size() < 2 || name[0] != '#')
        return 0;
    const auto [end, error] = std::from_chars(name.data() + 1, name.data() + name.size(), id);
    return error == std::errc() && end == name.data() + name.size() ? id : 0;
}

std::vector<ACCEL> accelerators_named(std::string const& name) {
    const AcceleratorTable table = load_accelerators(name);
    std::vector<ACCEL> entries;
    if (!table.ok())
        return entries;
    for (AcceleratorEntry const& entry : table.entries)
        entries.push_back(ACCEL{entry.flags, entry.key, entry.command});
    return entries;
}

} // namespace

void register_program_resources() {
    host::ResourceLoader loader;
    loader.bitmap = [](std::string const& name) {
        const int id = numeric_id(name);
        return id ? load_bitmap(id) : QImage();
    };
    loader.icon = [](std::string const& name) { return load_icon(name); };
    loader.accelerators = accelerators_named;
    host::register_resource_loader(std::move(loader));
}

} // namespace player
