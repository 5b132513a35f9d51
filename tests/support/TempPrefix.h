// A fresh prefix in a temporary folder, made the current prefix for the life of the object.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

class TempPrefix {
public:
    TempPrefix();
    ~TempPrefix();
    TempPrefix(const TempPrefix&) = delete;
    TempPrefix& operator=(const TempPrefix&) = delete;

    const std::filesystem::path& root() const { return m_root; }
    std::filesystem::path drive_c() const { return m_root / "drive_c"; }
    // The host path of a DOS path in this prefix.
    std::filesystem::path host(std::string_view dos_path) const;

    void write(std::string_view dos_path, std::string_view bytes) const;
    std::string read(std::string_view dos_path) const;

private:
    std::filesystem::path m_folder;
    std::filesystem::path m_root;
    std::string m_saved_prefix;
    bool m_had_prefix = false;
};
