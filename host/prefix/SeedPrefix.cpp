#include "AtomicFile.h"
#include "DosAttributes.h"
#include "Prefix.h"
#include "SeedFiles.h"

namespace fs = std::filesystem;

namespace host {

void seed_prefix(const fs::path& root) {
    std::error_code error;
    fs::path drive_c = root / "drive_c";
    fs::create_directories(drive_c, error);
    fs::create_directories(root / "dosdevices", error);
    auto link = [&](std::string_view name, const fs::path& target) {
        fs::path entry = root / "dosdevices" / name;
        if (!fs::exists(fs::symlink_status(entry, error)))
            fs::create_directory_symlink(target, entry, error);
    };
    link("c:", "../drive_c");
    link("z:", "/");
    for (auto folder : seed_folders())
        fs::create_directories(drive_c / folder, error);
    for (const auto& file : seed_files()) {
        fs::path path = drive_c / file.dos_relative_path;
        if (fs::exists(path, error))
            continue;
        if (replace_file_atomically(path, file.content, error))
            set_dos_attributes(path, file.dos_attributes);
    }
}

}
