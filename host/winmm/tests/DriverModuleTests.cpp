// Driver modules: the sample module (built beside the programs as mcisample.drv) is installed
// into the temporary prefix's system folder, named in SYSTEM.INI and driven through
// mciSendStringA.

#include "RecordingDevice.h"

#include "host/MciDriver.h"

#include <cstdlib>
#include <filesystem>

using namespace mci_test;

namespace {

std::filesystem::path sample_module() {
    const char* bin = std::getenv("TEST_BIN_DIR");
    return std::filesystem::path(bin ? bin : TEST_BIN_DIR) / "mcisample.drv";
}

class ModuleLoading : public MciFixture {
  protected:
    void SetUp() override {
        MciFixture::SetUp();
        ASSERT_TRUE(std::filesystem::exists(sample_module()))
            << "build the mcisample target: " << sample_module();
        std::filesystem::path system = prefix.host("C:\\WINDOWS\\SYSTEM");
        std::filesystem::create_directories(system);
        std::filesystem::copy_file(sample_module(), system / "SAMPLE.DRV");
        ASSERT_TRUE(WritePrivateProfileStringA("mci", "SampleVideo", "Sample.drv tuned 4",
                                               "C:\\WINDOWS\\SYSTEM.INI"));
    }
};

struct Case {
    const char* command;
    MCIERROR code;
    const char* reply;
};

TEST_F(ModuleLoading, module_named_in_system_ini_answers_standard_and_own_commands) {
    const Case cases[] = {
        {"open C:\\CLIP.MPG type SampleVideo alias xyzmpeg wait", 0, "1"},
        {"status xyzmpeg mode wait", 0, "stopped"},
        {"status xyzmpeg parameters", 0, "tuned 4"},
        {"seek xyzmpeg to 220:5:0 wait", 0, ""},
        {"status xyzmpeg position wait", 0, "1500"},
        {"step xyzmpeg by 1 key wait", 0, ""}, // "key" extends the standard step
        {"status xyzmpeg position", 0, "1512"},
        {"gait xyzmpeg to gallop", 0, ""}, // the module's own verb and constant
        {"status xyzmpeg position", 0, "300"},
        {"gait xyzmpeg to trot", MCIERR_BAD_CONSTANT, ""},
        {"greet xyzmpeg name \"Ada Lovelace\"", 0, "hello Ada Lovelace"},
        {"GREET xyzmpeg", 0, "hello nobody"},
        {"greet xyzmpeg wait frobnicate", MCIERR_UNRECOGNIZED_KEYWORD, ""},
        {"where xyzmpeg source wait", 0, "0 0 160 120"},
        {"info xyzmpeg product wait", 0, "Sample MCI driver"},
        {"info xyzmpeg file", 0, "C:\\CLIP.MPG"},
        {"status xyzmpeg volume", MCIERR_UNSUPPORTED_FUNCTION, ""},
        {"status xyzmpeg ticks position", MCIERR_FLAGS_NOT_COMPATIBLE, ""},
        {"sysinfo xyzmpeg installname", 0, "SampleVideo"},
        {"sysinfo digitalvideo quantity", 0, "2"}, // TestVideo and SampleVideo
        {"close xyzmpeg wait", 0, ""},
        {"status xyzmpeg mode", MCIERR_INVALID_DEVICE_NAME, ""},
        {"open SampleVideo!C:\\MISSING.MPG alias m", MCIERR_FILE_NOT_FOUND, ""},
        {"open SampleVideo alias m", 0, "1"},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.command);
        EXPECT_EQ(send(test.command), test.code);
        EXPECT_EQ(reply, test.reply);
    }
}

TEST_F(ModuleLoading, driver_error_text_comes_from_the_module) {
    ASSERT_EQ(send("open SampleVideo alias s"), 0u);
    MCIERROR error = send("cue s");
    EXPECT_EQ(error, 513u | (1u << 16));
    char text[MAXERRORLENGTH];
    ASSERT_TRUE(mciGetErrorStringA(error, text, sizeof text));
    EXPECT_STREQ(text, "The sample driver cannot cue.");
}

TEST_F(ModuleLoading, module_that_notifies_itself_is_not_notified_twice) {
    ASSERT_EQ(send("open SampleVideo alias s"), 0u);
    ASSERT_EQ(send("play s notify", test_window()), 0u);
    ASSERT_EQ(send("signal s every 10", test_window()), 0u);
    ASSERT_EQ(send("close s"), 0u);
    EXPECT_EQ(posted(), (std::vector<PostedMessage>{{test_window(), MM_MCINOTIFY, MCI_NOTIFY_SUCCESSFUL, 1},
                                                    {test_window(), MM_MCISIGNAL, 1, 4242}}));
}

TEST_F(ModuleLoading, module_is_loaded_once_for_many_devices) {
    ASSERT_EQ(send("open SampleVideo alias a"), 0u);
    ASSERT_EQ(send("open SampleVideo alias b"), 0u);
    ASSERT_EQ(send("seek a to 5"), 0u);
    ASSERT_EQ(send("status b position"), 0u);
    EXPECT_EQ(reply, "0") << "each open is its own instance";
    ASSERT_EQ(send("sysinfo all quantity open"), 0u);
    EXPECT_EQ(reply, "2");
}

} // namespace

namespace {

// The kernel's library functions, on the sample module in the system folder: what a driver uses
// to load the modules of its package from its own folder.
TEST_F(ModuleLoading, libraries_load_by_dos_path_and_name_their_file) {
    SetLastError(0);
    EXPECT_EQ(LoadLibraryA("C:\\WINDOWS\\SYSTEM\\MISSING.DLL"), nullptr);
    EXPECT_EQ(GetLastError(), ERROR_MOD_NOT_FOUND);
    prefix.write("C:\\WINDOWS\\SYSTEM\\BROKEN.DLL", "MZ not a library");
    EXPECT_EQ(LoadLibraryA("C:\\WINDOWS\\SYSTEM\\BROKEN.DLL"), nullptr);
    EXPECT_EQ(GetLastError(), ERROR_BAD_EXE_FORMAT);

    HMODULE module = LoadLibraryA("c:\\windows\\system\\sample.drv"); // found without regard to case
    ASSERT_NE(module, nullptr);
    FARPROC entry = GetProcAddress(module, MCI_DRIVER_ENTRY_NAME);
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(GetProcAddress(module, "NoSuchFunction"), nullptr);
    EXPECT_EQ(GetLastError(), ERROR_PROC_NOT_FOUND);

    HMODULE holder = nullptr;
    ASSERT_TRUE(GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS |
                                       GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                                   reinterpret_cast<LPCSTR>(entry), &holder));
    EXPECT_EQ(holder, module);
    char name[MAX_PATH] = "";
    DWORD length = GetModuleFileNameA(holder, name, sizeof name);
    EXPECT_EQ(std::string(name, length), "C:\\WINDOWS\\SYSTEM\\SAMPLE.DRV");
    char cut[8] = "";
    EXPECT_EQ(GetModuleFileNameA(holder, cut, sizeof cut), DWORD(sizeof cut));
    EXPECT_EQ(GetLastError(), ERROR_INSUFFICIENT_BUFFER);
    EXPECT_STREQ(cut, "C:\\WIND");
    EXPECT_TRUE(FreeLibrary(module));
}

} // namespace
