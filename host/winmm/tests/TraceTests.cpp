// MCITRACE: one line per command, flushed at once.

#include "RecordingDevice.h"

#include <cstdlib>
#include <fstream>
#include <sstream>

using namespace mci_test;

namespace {

class Trace : public MciFixture {
  protected:
    void TearDown() override {
        unsetenv("MCITRACE");
        MciFixture::TearDown();
    }

    std::string trace_text() const {
        std::ifstream in(trace_path);
        std::ostringstream text;
        text << in.rdbuf();
        return text.str();
    }

    std::filesystem::path trace_path = prefix.root() / "mci.trace";
};

TEST_F(Trace, each_command_is_one_line_with_code_and_reply) {
    setenv("MCITRACE", trace_path.c_str(), 1);
    send("open TestVideo alias v wait");
    send("status v mode wait");
    send("status v bogus");
    EXPECT_EQ(trace_text(), "open TestVideo alias v wait\t0\t1\n"
                            "status v mode wait\t0\tstopped\n"
                            "status v bogus\t259\t\n");
}

TEST_F(Trace, trace_is_appended_to_and_written_before_the_call_returns) {
    { std::ofstream(trace_path) << "earlier\n"; }
    setenv("MCITRACE", trace_path.c_str(), 1);
    send("sysinfo all quantity open");
    EXPECT_EQ(trace_text(), "earlier\nsysinfo all quantity open\t0\t0\n");
}

TEST_F(Trace, no_trace_without_the_variable) {
    unsetenv("MCITRACE");
    send("sysinfo all quantity open");
    EXPECT_FALSE(std::filesystem::exists(trace_path));
}

} // namespace
