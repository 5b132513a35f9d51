// The MCI layer's position signals and notifications reach windows as posted messages.
#include "RecordingWindow.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <thread>

// Exported by the host's MCI layer when it is built in.
namespace host::mci {
[[gnu::weak]] void post_message(void* hwnd, unsigned message, std::uintptr_t wparam, std::intptr_t lparam);
}

TEST(MciPoster, a_signal_posted_by_the_mci_layer_from_an_engine_thread_reaches_the_window) {
    if (!host::mci::post_message)
        GTEST_SKIP() << "the host was built without its MCI layer";
    register_recording_class("Mci_Main");
    const HWND hwnd =
        CreateWindowExA(0, "Mci_Main", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    constexpr UINT mm_mcisignal = 0x3CB;
    std::thread engine([hwnd] { host::mci::post_message(hwnd, mm_mcisignal, 1, 5000); });
    engine.join();
    ASSERT_TRUE(pump_until([] { return !Recorder::current().of(mm_mcisignal).empty(); }));
    auto signal = Recorder::current().of(mm_mcisignal)[0];
    EXPECT_EQ(signal.hwnd, hwnd);
    EXPECT_EQ(signal.wparam, 1u);
    EXPECT_EQ(signal.lparam, 5000);
    DestroyWindow(hwnd);
}
