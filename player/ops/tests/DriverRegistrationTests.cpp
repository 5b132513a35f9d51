// register_mci_drivers: the two [mci] entries of SYSTEM.INI, added only when missing, and the
// restart box followed by the log-off when it added any.
#include "core/CreationSteps.h"

#include "TempPrefix.h"
#include "host/DialogResponder.h"
#include "host/kernel32.h"
#include "host/user32.h"
#include "host/user32_dialogs.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Records the order of boxes and log-offs besides what the recording responder keeps.
class OrderedResponder : public host::RecordingDialogResponder {
  public:
    int message_box(host::MessageBoxRequest const& request) override {
        order.push_back("box");
        return RecordingDialogResponder::message_box(request);
    }
    bool log_off(host::LogOffRequest const& request) override {
        order.push_back("log-off");
        return RecordingDialogResponder::log_off(request);
    }
    std::vector<std::string> order;
};

class RegisterMciDrivers : public ::testing::Test {
  protected:
    std::string mci_value(char const* key) {
        char value[128];
        GetPrivateProfileStringA("mci", key, "<none>", value, sizeof value, "C:\\WINDOWS\\SYSTEM.INI");
        return value;
    }

    TempPrefix prefix;
    OrderedResponder responder;
    host::ScopedDialogResponder scoped{responder};
};

TEST_F(RegisterMciDrivers, adds_both_types_then_asks_for_a_restart_and_logs_off) {
    player::register_mci_drivers();
    EXPECT_EQ(mci_value("VCDVideo"), "CDDRIVER.DRV");
    EXPECT_EQ(mci_value("MPEGMovie"), "CDDRIVER.DRV");
    // Written under the key name "MpegMovie".
    EXPECT_NE(prefix.read("C:\\WINDOWS\\SYSTEM.INI").find("MpegMovie=CDDRIVER.DRV"), std::string::npos);
    EXPECT_NE(prefix.read("C:\\WINDOWS\\SYSTEM.INI").find("VCDVideo=CDDRIVER.DRV"), std::string::npos);

    ASSERT_EQ(responder.message_boxes.size(), 1u);
    EXPECT_EQ(responder.message_boxes[0].text, "Reelix Need to Restart Windows");
    EXPECT_EQ(responder.message_boxes[0].caption, "Wraning");
    EXPECT_EQ(responder.message_boxes[0].style, MB_ICONQUESTION | MB_OK);
    ASSERT_EQ(responder.log_offs.size(), 1u);
    EXPECT_EQ(responder.log_offs[0].flags, 0u);
    EXPECT_EQ(responder.log_offs[0].reason, 0xFFFFFFFFu);
    EXPECT_EQ(responder.order, (std::vector<std::string>{"box", "log-off"}));
}

TEST_F(RegisterMciDrivers, a_second_start_writes_nothing_and_shows_no_box) {
    player::register_mci_drivers();
    const std::string after_first = prefix.read("C:\\WINDOWS\\SYSTEM.INI");
    player::register_mci_drivers();
    EXPECT_EQ(prefix.read("C:\\WINDOWS\\SYSTEM.INI"), after_first);
    EXPECT_EQ(responder.message_boxes.size(), 1u);
    EXPECT_EQ(responder.log_offs.size(), 1u);
}

struct PresentEntries {
    char const* what;
    std::vector<std::pair<char const*, char const*>> entries; // written before the start
    char const* vcd_video;                                    // then read back
    char const* mpeg_movie;
    bool restart;
};

class RegisterWithEntries : public RegisterMciDrivers,
                            public ::testing::WithParamInterface<PresentEntries> {};

TEST_P(RegisterWithEntries, keeps_what_is_there_and_adds_only_what_is_missing) {
    for (auto const& [key, value] : GetParam().entries)
        WritePrivateProfileStringA("mci", key, value, "C:\\WINDOWS\\SYSTEM.INI");
    player::register_mci_drivers();
    EXPECT_EQ(mci_value("VCDVideo"), GetParam().vcd_video);
    EXPECT_EQ(mci_value("MPEGMovie"), GetParam().mpeg_movie);
    EXPECT_EQ(responder.message_boxes.size(), GetParam().restart ? 1u : 0u);
    EXPECT_EQ(responder.log_offs.size(), GetParam().restart ? 1u : 0u);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RegisterWithEntries,
    ::testing::Values(
        PresentEntries{"both_present",
                       {{"VCDVideo", "CDDRIVER.DRV"}, {"MpegMovie", "CDDRIVER.DRV"}},
                       "CDDRIVER.DRV",
                       "CDDRIVER.DRV",
                       false},
        PresentEntries{
            "another_driver_for_vcdvideo", {{"VCDVideo", "mcivcd.drv"}}, "mcivcd.drv", "CDDRIVER.DRV", true},
        PresentEntries{"another_driver_for_both",
                       {{"vcdvideo", "mcivcd.drv"}, {"MPEGMOVIE", "mciqtz.drv"}},
                       "mcivcd.drv",
                       "mciqtz.drv",
                       false},
        PresentEntries{
            "only_mpegmovie", {{"mpegmovie", "CDDRIVER.DRV"}}, "CDDRIVER.DRV", "CDDRIVER.DRV", true}),
    [](auto const& info) { return std::string(info.param.what); });

} // namespace
