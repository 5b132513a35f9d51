// A temporary prefix with a work folder that holds a stand-in program image and five small
// driver files, for building bundles and installing them in-process. Paths handed to the player
// are DOS paths (drive Z is the whole Linux file system).
#pragma once

#include "ops/DriverSetup.h"
#include "ops/PackageIndex.h"

#include "TempPrefix.h"
#include "host/DialogResponder.h"
#include "host/HostPaths.h"
#include "host/kernel32.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <vector>

namespace package_test {

namespace fs = std::filesystem;

inline std::string bytes_of(fs::path const& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

inline void write_bytes(fs::path const& path, std::string const& bytes) {
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

// Bytes that differ from file to file and carry no placeholder by chance.
inline std::string pattern(std::size_t size, int seed) {
    std::string bytes(size, '\0');
    for (std::size_t i = 0; i < size; ++i)
        bytes[i] = static_cast<char>((i * 31 + static_cast<std::size_t>(seed) * 7) % 251);
    return bytes;
}

inline std::string dos_path(fs::path const& path) {
    return host::dos_path_of(path).value_or("");
}

// Every file of a folder tree with its bytes (the session folder left out).
inline std::map<std::string, std::string> tree_of(fs::path const& root) {
    std::map<std::string, std::string> files;
    for (auto const& entry : fs::recursive_directory_iterator(root)) {
        const std::string relative = fs::relative(entry.path(), root).string();
        if (relative.starts_with(".sessions"))
            continue;
        files[relative] = entry.is_regular_file() ? bytes_of(entry.path()) : std::string("<folder>");
    }
    return files;
}

// Runs `step` with the working folder set to `folder`.
template <typename Step> void in_folder(fs::path const& folder, Step&& step) {
    const fs::path previous = fs::current_path();
    fs::current_path(folder);
    step();
    fs::current_path(previous);
}

inline const std::vector<std::string>& driver_names() {
    static const std::vector<std::string> names{"cddriver.drv", "cdaudio.dll", "cdvideo.dll", "cdvideo.ini",
                                                "cddisp.dll"};
    return names;
}

class PackageFixture : public ::testing::Test {
  protected:
    void SetUp() override {
        player::build_mode = false;
        player::package_index = {};
        work = prefix.root().parent_path() / "work";
        image = prefix.root().parent_path() / "bin" / "reel32";
        write_bytes(image, "\x7f"
                           "ELF" +
                               pattern(3996, 1));
        contents["cddriver.drv"] = pattern(3000, 2);
        contents["cdaudio.dll"] = pattern(1024, 3); // exactly one block, no tail
        // The slots in the second block, and one more placeholder in the tail, which is not searched.
        std::string video = pattern(2500, 4);
        video.replace(1024 + 64, 9, std::string("tdci9680") + '\0');
        video.replace(1024 + 80, 21, std::string("\\SYSTEM\\tdci9680.drv") + '\0');
        video.replace(1024 + 112, 9, std::string("tdci9680") + '\0');
        video.replace(2100, 8, "tdci9680");
        contents["cdvideo.dll"] = video;
        contents["cdvideo.ini"] =
            "[TovinMPEG]\r\nScale=1\r\nDspAudio=0\r\nRate=1\r\nDCI=1\r\nSampRate=2\r\nStereo=1\r\nCrop=0\r\n";
        contents["cddisp.dll"] = ""; // an empty entry
        for (auto const& [name, bytes] : contents)
            write_bytes(work / name, bytes);
    }

    // As the bare player does: install_driver_package found no index and filled the bare one.
    void build() {
        player::package_index = player::bare_index();
        in_folder(work, [&] { player::build_package_from(dos_path(image).c_str()); });
    }
    fs::path bundle() const { return image.parent_path() / "reelp32"; }
    void install() { player::install_package_from(dos_path(bundle()).c_str()); }
    fs::path system_folder() const { return prefix.host("C:\\WINDOWS\\SYSTEM"); }
    std::string installed(std::string const& name) const { return bytes_of(system_folder() / name); }

    // Deciphers, changes and enciphers again the index of the bundle.
    template <typename Change> void change_index(Change&& change) {
        std::string bytes = bytes_of(bundle());
        player::PackageIndexBytes index;
        std::copy(bytes.end() - player::package_index_size, bytes.end(), index.begin());
        player::decipher_index(index);
        player::PackageIndex plain = player::index_from_bytes(index);
        change(plain);
        index = player::index_bytes(plain);
        player::encipher_index(index);
        std::copy(index.begin(), index.end(), bytes.end() - player::package_index_size);
        write_bytes(bundle(), bytes);
    }

    TempPrefix prefix;
    fs::path work;
    fs::path image;
    std::map<std::string, std::string> contents;
    host::RecordingDialogResponder responder;
    host::ScopedDialogResponder scoped_responder{responder};
};

} // namespace package_test
