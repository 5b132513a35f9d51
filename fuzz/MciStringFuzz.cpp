// MCI command strings through mciSendStringA, on a prefix whose only device is a recording
// device of the test support (one of four table sets, picked by the first input byte), so that
// the tokenizer, the table-driven parser, the alias table, auto-open by extension and the
// reply-buffer rules all see the strings. Checked: replies and error texts stay inside their
// buffers and end in NUL; every device opened is closed again by "close all".
//
// Input: FLAVOUR-BYTE, then command strings, one per line.
#include "FuzzTarget.h"

#include "RecordingDevice.h"

#include <cstring>
#include <memory>

namespace {

using namespace host::mci;

constexpr const char* driver_file = "fuzzmci.drv";
constexpr std::size_t most_commands = 16;
constexpr UINT buffer_sizes[] = {0, 1, 5, 64, 256};

// The prefix of the whole run, removed when the process exits.
TempPrefix& prefix() {
    static TempPrefix prefix;
    return prefix;
}
int g_open_devices = 0;

// The device type and own table the recording device presents; chosen per input.
struct Flavour {
    UINT type;
    const CommandTable* custom;
};
constexpr Flavour flavours[] = {
    {MCI_DEVTYPE_DIGITAL_VIDEO, &tables::extended_video},
    {MCI_DEVTYPE_DIGITAL_VIDEO, nullptr},
    {MCI_DEVTYPE_ANIMATION, nullptr},
    {MCI_DEVTYPE_CD_AUDIO, nullptr},
};
Flavour g_flavour = flavours[0];

class FuzzDevice : public mci_test::RecordingDevice {
  public:
    FuzzDevice() { ++g_open_devices; }
    ~FuzzDevice() override { --g_open_devices; }
    UINT device_type() const override { return g_flavour.type; }
    const CommandTable* custom_commands() const override { return g_flavour.custom; }
};

void check_error_text(MCIERROR error) {
    for (UINT size : {1u, 4u, 300u}) {
        auto buffer = std::make_unique<char[]>(size);
        std::memset(buffer.get(), '\x7f', size);
        if (mciGetErrorStringA(error, buffer.get(), size))
            FUZZ_CHECK(std::memchr(buffer.get(), '\0', size) != nullptr);
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    prefix();
    set_builtin_library_loading(false);
    register_builtin_device(driver_file, [] { return std::make_unique<FuzzDevice>(); });
    // The device is the only one the prefix knows.
    const char* system_ini = "C:\\WINDOWS\\SYSTEM.INI";
    WritePrivateProfileStringA("mci", nullptr, nullptr, system_ini);
    if (!WritePrivateProfileStringA("mci", "FuzzVideo", driver_file, system_ini) ||
        !WritePrivateProfileStringA("mci extensions", "fzv", "FuzzVideo", "C:\\WINDOWS\\WIN.INI"))
        fuzz::fail("the prefix was set up", __FILE__, __LINE__);
    // Notifications go to a window that is not there; they are dropped.
    set_message_poster([](void*, unsigned, std::uintptr_t, std::intptr_t) {});
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0)
        return 0;
    g_flavour = flavours[data[0] % std::size(flavours)];
    std::string_view script(reinterpret_cast<const char*>(data + 1), size - 1);
    HWND callback = reinterpret_cast<HWND>(std::uintptr_t(0x4242));

    for (std::size_t line = 0; line < most_commands && !script.empty(); ++line) {
        std::size_t stop = script.find('\n');
        // A command string ends at its NUL, as the C string it is.
        std::string command(script.substr(0, stop));
        command = command.c_str();
        script.remove_prefix(stop == std::string_view::npos ? script.size() : stop + 1);

        UINT length = buffer_sizes[line % std::size(buffer_sizes)];
        std::unique_ptr<char[]> buffer;
        if (length > 0) {
            buffer = std::make_unique<char[]>(length);
            std::memset(buffer.get(), '\x7f', length);
        }
        MCIERROR error = mciSendStringA(command.c_str(), buffer.get(), length, callback);
        if (buffer && error == 0)
            FUZZ_CHECK(std::memchr(buffer.get(), '\0', length) != nullptr);
        if (error != 0)
            check_error_text(error);
        mci_test::device_log().clear();
    }
    mciSendStringA("close all", nullptr, 0, nullptr);
    FUZZ_CHECK(g_open_devices == 0);
    mci_test::device_log().clear();
    return 0;
}
