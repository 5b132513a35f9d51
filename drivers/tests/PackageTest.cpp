#include "PackageTest.h"

#include "ModalDialog.h"
#include "host/kernel32.h"

#include <QDialog>

#include <algorithm>
#include <fstream>
#include <iterator>

namespace fs = std::filesystem;

namespace package_test {

namespace {

std::string read_file(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

void write_file(const fs::path& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
}

} // namespace

fs::path package_folder() {
    const char* bin = std::getenv("TEST_BIN_DIR");
    return fs::path(bin ? bin : TEST_BIN_DIR) / "drivers";
}

const std::vector<std::string>& package_files() {
    static const std::vector<std::string> files = {"cddriver.drv", "cdaudio.dll", "cdvideo.dll",
                                                   "cdvideo.ini", "cddisp.dll"};
    return files;
}

void write_display_driver(const fs::path& module, std::string_view file_name) {
    std::string bytes = read_file(module);
    std::string short_name(file_name.substr(0, file_name.find('.')));
    const std::string placeholder = std::string("tdci") + "9680";
    std::size_t at = 0;
    for (int found = 0; (at = bytes.find(placeholder, at)) != std::string::npos; ++found) {
        std::string name = found == 1 ? std::string(file_name) : short_name;
        if (found < 3)
            bytes.replace(at, name.size() + 1, name + '\0');
        at += placeholder.size();
    }
    write_file(module, bytes);
}

void answer_settings_dialog(std::function<void(QDialog&)> change, bool ok) {
    when_modal_shows<QDialog>(
        [change, ok](QDialog& dialog) {
            change(dialog);
            ok ? dialog.accept() : dialog.reject();
        },
        [](QDialog& dialog) { return dialog.objectName() == "MpegDriverSettings"; });
}

void PackageTest::SetUp() {
    ASSERT_TRUE(fs::exists(package_folder() / "cddriver.drv")) << "build the driver_package target";
}

fs::path PackageTest::system_folder() const {
    return prefix.host("C:\\WINDOWS\\SYSTEM");
}

void PackageTest::install_files(const std::vector<std::string>& leave_out) {
    for (const std::string& file : package_files())
        if (std::find(leave_out.begin(), leave_out.end(), file) == leave_out.end())
            fs::copy_file(package_folder() / file, system_folder() / file,
                          fs::copy_options::overwrite_existing);
}

void PackageTest::register_types() {
    ASSERT_TRUE(WritePrivateProfileStringA("mci", "VCDVideo", "CDDRIVER.DRV", "SYSTEM.INI"));
    ASSERT_TRUE(WritePrivateProfileStringA("mci", "MpegMovie", "CDDRIVER.DRV", "SYSTEM.INI"));
}

void PackageTest::install_package() {
    install_files();
    register_types();
}

void PackageTest::insert_raw_disc(char letter, const fs::path& image) {
    fs::create_symlink(image, prefix.root() / "dosdevices" / (std::string(1, letter) + "::"));
}

void PackageTest::insert_disc_folder(char letter, const fs::path& folder) {
    std::string drive(1, letter);
    fs::create_directory_symlink(folder, prefix.root() / "dosdevices" / (drive + ":"));
    std::ofstream(prefix.root() / "drives.ini", std::ios::app) << "[Drives]\n" << drive << ":=cdrom\n";
}

void PackageTest::set_setting(const std::string& key, const std::string& value) {
    ASSERT_TRUE(WritePrivateProfileStringA("TovinMPEG", key.c_str(), value.c_str(),
                                           "C:\\WINDOWS\\SYSTEM\\cdvideo.ini"));
}

std::string PackageTest::setting(const std::string& key) {
    char value[64] = "";
    GetPrivateProfileStringA("TovinMPEG", key.c_str(), "", value, sizeof value,
                             "C:\\WINDOWS\\SYSTEM\\cdvideo.ini");
    return value;
}

} // namespace package_test
